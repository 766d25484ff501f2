#pragma once

#include "refhost/model/RecoveryStore.h"

#include <QFileDialog>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QMessageBox>

#include <functional>

class QLabel;
class QMenu;
class QTabWidget;
class QUndoGroup;

namespace corvelle::refhost {

class Application;
class Document;
class DesignPanel;
class Recovery;
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

    // Asks for the file a save or an export writes, or the file to open: QFileDialog's, or
    // a test's stand-in.
    using FileChooser =
        std::function<QString(QWidget *, const QString &caption, const QString &start, const QString &filters)>;
    using SaveFileChooser = FileChooser;
    void setSaveFileChooser(FileChooser chooser) { chooseSaveFile_ = std::move(chooser); }
    void setOpenFileChooser(FileChooser chooser) { chooseOpenFile_ = std::move(chooser); }
    // Asks whether to save a modified document before it closes: Save, Discard or Cancel.
    using SaveQuestion = std::function<QMessageBox::StandardButton(QWidget *, const Document &)>;
    void setSaveQuestion(SaveQuestion ask) { askToSave_ = std::move(ask); }
    // Tells the user what went wrong, or what a file left out.
    using Telling = std::function<void(QWidget *, const QString &caption, const QString &text)>;
    void setTelling(Telling tell) { tell_ = std::move(tell); }

    // Opens a project or shed data file in a new document; a refusal is told and changes nothing.
    bool openFile(const QString &path);
    // Saves a document to its file, or asks where when it has none; false when it was not saved.
    bool save(Document &document);
    bool saveAs(Document &document);
    // Closes a document, asking first whether to save it when it is modified; false when
    // the user cancels or the save fails.
    bool closeDocument(Document &document);

    // Asks, one at a time and without blocking, whether to recover each document a host
    // that did not exit cleanly left. Unanswered ones are kept for the next start.
    void offerRecovery(Recovery &recovery, QList<RecoveryStore::Orphan> orphans);

    // The project files last opened or saved, most recent first; the ones no longer there
    // are dropped (QSettings).
    static QStringList recentFiles();
    static void addRecentFile(const QString &path);
    static constexpr int MaxRecentFiles = 8;

    // Where a save dialog for `kind` starts: `name` in the folder the last file of that kind
    // went to (QSettings), else `name` alone.
    static QString startPath(const QString &kind, const QString &name);
    static void rememberFolder(const QString &kind, const QString &path);

protected:
    // Quitting asks about each modified document as closing it does.
    void closeEvent(QCloseEvent *event) override;

private:
    void addFileActions(QMenu *menu);
    void addExportActions(QMenu *menu);
    void addEditMenu();
    void addDesignDock(QMenu *viewMenu);
    // The panel, the Edit menu and the status bar follow the active document.
    void follow(Document *document);
    void showSizeAndTotal();
    // The title, the modified mark and the actions that need a design, for the active document.
    void showTitle();
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
    QList<QAction *> designActions_; // Save, Save As, Export Data File: for a shed design only
    FileChooser chooseSaveFile_ = [](QWidget *parent, const QString &caption, const QString &start,
                                     const QString &filters) {
        return QFileDialog::getSaveFileName(parent, caption, start, filters);
    };
    FileChooser chooseOpenFile_ = [](QWidget *parent, const QString &caption, const QString &start,
                                     const QString &filters) {
        return QFileDialog::getOpenFileName(parent, caption, start, filters);
    };
    SaveQuestion askToSave_;
    Telling tell_ = [](QWidget *parent, const QString &caption, const QString &text) {
        QMessageBox::warning(parent, caption, text);
    };
};

} // namespace corvelle::refhost
