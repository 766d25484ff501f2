#pragma once

#include "refhost/model/Document.h"
#include "refhost/model/HostError.h"
#include "refhost/model/ProgramFolder.h"
#include "shed/Units.h"

#include <QList>
#include <QObject>

class QSettings;

namespace corvelle::refhost {

// The host application: its open documents, the active one, its program folder and the
// operations its automation offers. No widgets and no bus: views and the bus adaptor
// both work through this class.
class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(QString programFolder, QObject *parent = nullptr);

    // The most documents open at once; Add is refused beyond it, with that number.
    static constexpr int MaxDocuments = 32;

    QString programFolder() const { return folder_; }
    // Host-side path: a leading "*\" is the program folder, backslashes become "/"; the
    // canonical file inside the folder, or an empty text (see ProgramFolder).
    QString resolve(const QString &hostPath) const { return files_.resolve(hostPath); }
    ProgramFolder::Read read(const QString &hostPath, qint64 maxBytes) const { return files_.read(hostPath, maxBytes); }
    static bool inProgramFolder(const QString &hostPath);

    QList<Document *> documents() const { return documents_; }
    Document *document(int id) const;
    Document *activeDocument() const { return active_; }
    void setActiveDocument(Document *document);

    // A new empty document, made the active one; nullptr when MaxDocuments are open.
    Document *addDocument();
    // Why no document can be added now, if none can.
    HostOutcome documentLimit() const;
    // Closes a document; the one after it (or else before it) becomes active.
    void closeDocument(int id);
    void bringToTop();

    // Loads the drawing at a host-side path into a document.
    HostOutcome loadSymbol(Document &document, const QString &hostPath, bool link, bool fitToView, bool replace);
    // Runs a macro file in a document (see MacroRunner).
    HostOutcome runMacro(Document &document, const QString &macroPath);

    // The price table beside the macros (Program Data/prices.csv) when the folder gives it;
    // the built-in prices otherwise, with a warning saying so.
    shed::PriceTable priceTable() const;

    // A line for the status bar: what the host just did.
    void report(const QString &status);

    // What the views write lengths, areas and volumes in (View > Units); imperial until
    // set or read from settings.
    shed::Units units() const { return units_; }
    void setUnits(shed::Units units);
    // Takes the choice remembered in `settings`, or the locale's measurement system when
    // there is none, and remembers every later choice there. Null forgets the settings.
    void rememberUnitsIn(QSettings *settings, const QLocale &locale = QLocale());

Q_SIGNALS:
    void documentAdded(Document *document);
    void documentClosed(int id);
    void activeDocumentChanged(Document *document); // nullptr when none is open
    void raiseRequested();
    void activity(const QString &status);
    void macroFinished(Document *document);
    void unitsChanged(shed::Units units);

private:
    QString folder_;
    ProgramFolder files_;
    QList<Document *> documents_;
    Document *active_ = nullptr;
    int nextId_ = 1;
    shed::Units units_;
    QSettings *settings_ = nullptr;
};

} // namespace corvelle::refhost
