#pragma once

#include <QFileDialog>
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QLabel;
class QMenu;
class QTabWidget;
class QUndoGroup;

namespace corvelle::refhost {

class Application;
class Document;
class DesignPanel;
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
    DesignPanel *designPanel() const { return designPanel_; }

    // Asks for the file an export writes: QFileDialog's, or a test's stand-in.
    using SaveFileChooser =
        std::function<QString(QWidget *, const QString &caption, const QString &start, const QString &filters)>;
    void setSaveFileChooser(SaveFileChooser chooser) { chooseSaveFile_ = std::move(chooser); }

    // Where a save dialog for `kind` starts: `name` in the folder the last file of that kind
    // went to (QSettings), else `name` alone.
    static QString startPath(const QString &kind, const QString &name);
    static void rememberFolder(const QString &kind, const QString &path);

private:
    void addExportActions(QMenu *menu);
    void addEditMenu();
    void addDesignDock(QMenu *viewMenu);
    // The panel, the Edit menu and the status bar follow the active document.
    void follow(Document *document);
    void showSizeAndTotal();
    void addView(Document *document);
    void removeView(int id);
    void showActive(Document *document);
    void bringToTop();
    void saveSnapshot();

    Application &app_;
    QTabWidget *tabs_;
    QHash<int, DocumentView *> views_;
    QString snapshotFile_;
    QLabel *summary_;
    QLabel *sizeTotal_;
    QUndoGroup *undoGroup_;
    DesignPanel *designPanel_;
    QPointer<Document> followed_;
    SaveFileChooser chooseSaveFile_ = [](QWidget *parent, const QString &caption, const QString &start,
                                         const QString &filters) {
        return QFileDialog::getSaveFileName(parent, caption, start, filters);
    };
};

} // namespace corvelle::refhost
