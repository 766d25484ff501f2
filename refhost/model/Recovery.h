#pragma once

#include "refhost/model/RecoveryStore.h"

#include <QHash>
#include <QObject>

class QTimer;

namespace corvelle::refhost {

class Application;
class Document;

// Never lose an edit. Keeps a recovery file of each modified document of the application:
// written a few seconds after its last edit (the timer restarts on each edit, so typing is
// not slowed), removed once the document is saved, undone back to its saved state, or
// closed. At start it offers what a host that did not exit cleanly left.
class Recovery : public QObject {
    Q_OBJECT
public:
    // After the last edit, long enough to let typing in a field settle.
    static constexpr int DelayMs = 3000;

    Recovery(Application &app, RecoveryStore &store, QObject *parent = nullptr);

    void setDelay(int ms) { delay_ = ms; }
    // Writes a document's recovery file now (one just recovered, not yet in this host's store).
    void saveNow(Document &document);

    // The documents hosts that are gone left, oldest first (see RecoveryStore::takeOrphans).
    QList<RecoveryStore::Orphan> takeOrphans() { return store_.takeOrphans(); }
    // Recovers an orphan, opened modified under the file it came from, or discards it. Its
    // file goes either way, except when it cannot be opened now (it is then kept for the
    // next start); one that cannot be read is discarded, saying why. Returns the document
    // recovered, or null.
    Document *settle(const RecoveryStore::Orphan &orphan, bool recover);

private:
    void watch(Document *document);
    void forget(int id);

    Application &app_;
    RecoveryStore &store_;
    int delay_ = DelayMs;
    QHash<int, QTimer *> timers_;
};

} // namespace corvelle::refhost
