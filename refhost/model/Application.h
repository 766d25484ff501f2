#pragma once

#include "refhost/model/Document.h"
#include "refhost/model/HostError.h"

#include <QList>
#include <QObject>

namespace corvelle::refhost {

// The host application: its open documents, the active one, its program folder and the
// operations its automation offers. No widgets and no bus: views and the bus adaptor
// both work through this class.
class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(QString programFolder, QObject *parent = nullptr);

    QString programFolder() const { return folder_; }
    // Host-side path: a leading "*\" is the program folder, backslashes become "/".
    QString resolve(const QString &hostPath) const;
    static bool inProgramFolder(const QString &hostPath);

    QList<Document *> documents() const { return documents_; }
    Document *document(int id) const;
    Document *activeDocument() const { return active_; }
    void setActiveDocument(Document *document);

    // A new empty document, made the active one.
    Document *addDocument();
    // Closes a document; the one after it (or else before it) becomes active.
    void closeDocument(int id);
    void bringToTop();

    // Loads the drawing at a host-side path into a document.
    HostOutcome loadSymbol(Document &document, const QString &hostPath, bool link, bool fitToView, bool replace);
    // Runs a macro file in a document (see MacroRunner).
    HostOutcome runMacro(Document &document, const QString &macroPath);

    // A line for the status bar: what the host just did.
    void report(const QString &status);

Q_SIGNALS:
    void documentAdded(Document *document);
    void documentClosed(int id);
    void activeDocumentChanged(Document *document); // nullptr when none is open
    void raiseRequested();
    void activity(const QString &status);
    void macroFinished(Document *document);

private:
    QString folder_;
    QList<Document *> documents_;
    Document *active_ = nullptr;
    int nextId_ = 1;
};

} // namespace corvelle::refhost
