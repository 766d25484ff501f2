#pragma once

#include <QMainWindow>
#include <QMap>

class QTabWidget;

namespace corvelle::refhost {

class DocumentView;

// The host's main window: one tab per document; the current tab is the active document.
class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HostWindow(QWidget *parent = nullptr);

    DocumentView *addDocument();
    DocumentView *activeDocument() const;
    DocumentView *document(int id) const;
    QList<int> documentIds() const { return documents_.keys(); }
    void bringToTop();
    void report(const QString &status);
    void setSnapshotFile(const QString &file) { snapshotFile_ = file; }
    void saveSnapshot();

private:
    void closeDocument(int index);

    QTabWidget *tabs_;
    QMap<int, DocumentView *> documents_;
    int nextId_ = 1;
    QString snapshotFile_;
};

} // namespace corvelle::refhost
