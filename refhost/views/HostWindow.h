#pragma once

#include <QHash>
#include <QMainWindow>

class QMenu;
class QTabWidget;

namespace corvelle::refhost {

class Application;
class Document;
class DocumentView;

// The host's main window: one tab per document of the application, the current tab
// being its active document; the status bar tells what the host just did.
class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HostWindow(Application &app, QWidget *parent = nullptr);

    // A picture of the window is saved there after each macro.
    void setSnapshotFile(const QString &file) { snapshotFile_ = file; }

    DocumentView *activeView() const;

private:
    void addExportActions(QMenu *menu);
    void addView(Document *document);
    void removeView(int id);
    void showActive(Document *document);
    void bringToTop();
    void saveSnapshot();

    Application &app_;
    QTabWidget *tabs_;
    QHash<int, DocumentView *> views_;
    QString snapshotFile_;
};

} // namespace corvelle::refhost
