#include "refhost/model/Recovery.h"

#include "refhost/model/Application.h"
#include "refhost/model/RecoveryStore.h"

#include <QDir>
#include <QLocale>
#include <QTimer>
#include <QUndoStack>

namespace corvelle::refhost {

Recovery::Recovery(Application &app, RecoveryStore &store, QObject *parent) : QObject(parent), app_(app), store_(store)
{
    connect(&app_, &Application::documentAdded, this, &Recovery::watch);
    connect(&app_, &Application::documentClosed, this, &Recovery::forget);
    for (Document *doc : app_.documents())
        watch(doc);
}

void Recovery::watch(Document *document)
{
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    timers_.insert(document->id(), timer);
    // The timer is the context of each connection: closing the document deletes it.
    connect(timer, &QTimer::timeout, timer, [this, document] { saveNow(*document); });
    // Every edit, undo and redo moves the stack's index.
    connect(document->undoStack(), &QUndoStack::indexChanged, timer, [this, timer] { timer->start(delay_); });
    connect(document, &Document::modifiedChanged, timer, [this, document, timer](bool modified) {
        if (!modified) {
            timer->stop();
            store_.remove(document->id());
        }
    });
}

void Recovery::saveNow(Document &document)
{
    if (QTimer *timer = timers_.value(document.id()))
        timer->stop();
    if (!document.isModified() || document.content() != Document::Content::Shed) {
        store_.remove(document.id());
        return;
    }
    const QString problem = store_.save(document.id(), shed::formProject(document.project()), document.filePath());
    if (!problem.isEmpty())
        app_.report(tr("%1: the recovery file in %2 could not be written (%3); save the design to keep it")
                        .arg(document.name(), QDir::toNativeSeparators(store_.root()), problem));
}

Document *Recovery::settle(const RecoveryStore::Orphan &orphan, bool recover)
{
    Document *recovered = nullptr;
    const shed::ProjectRead read = shed::readProject(RecoveryStore::read(orphan));
    if (!read.project) {
        app_.report(tr("The recovery file %1 could not be read and was discarded: %2")
                        .arg(QDir::toNativeSeparators(orphan.file), read.error));
    } else if (recover) {
        const Application::Opened opened = app_.openProject(*read.project, orphan.origin);
        if (!opened.document) {
            app_.report(opened.error);
            return nullptr; // kept for the next start
        }
        recovered = opened.document;
        recovered->markRecovered();
        saveNow(*recovered); // in this host's store before the orphan's file goes
        app_.report(tr("Recovered %1 as it was at %2").arg(orphan.name(), QLocale().toString(orphan.saved)));
    }
    store_.settle(orphan);
    return recovered;
}

void Recovery::forget(int id)
{
    delete timers_.take(id);
    store_.remove(id);
}

} // namespace corvelle::refhost
