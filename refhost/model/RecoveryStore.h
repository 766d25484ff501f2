#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;

namespace corvelle::refhost {

// Recovery files of modified documents, so an edit outlives a host that is killed.
// Each host process keeps its files in a folder of its own, held by a lock file for as
// long as it runs: a folder whose lock no running host holds was left by a host that
// did not exit cleanly, and its files are offered when the next host starts. A host never
// offers (or removes) the files of another host that is still running.
//
// Layout under the root: "<pid>-<start>.lock" and the folder "<pid>-<start>/" holding
// "<document>.shed" (a project file) and "<document>.origin" (the file it came from, if any).
class RecoveryStore {
public:
    // The store of this process under `root` (made when missing, on the first save).
    explicit RecoveryStore(QString root);
    // A clean exit: this host's folder and lock go.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // The store in the user's state folder (QStandardPaths::AppLocalDataLocation).
    static QString defaultRoot();

    QString root() const { return root_; }

    // Saves a document's project bytes atomically; `origin` is the file it was opened from
    // or last saved to (empty when none). Returns why it failed, or an empty text.
    QString save(int document, const QByteArray &project, const QString &origin);
    // Removes a document's files (saved cleanly, closed, or recovered elsewhere).
    void remove(int document);
    // The recovery file of a document of this host, whether or not it exists.
    QString fileOf(int document) const;

    // A document left by a host that is gone.
    struct Orphan {
        QString file;   // its recovery file
        QString origin; // the file it came from, or empty
        QDateTime saved;
        QString name() const; // what to call it when asking
    };
    // Every document of hosts that are gone, oldest first. Their folders stay locked by
    // this host until settled, so two hosts starting at once do not offer the same file.
    QList<Orphan> takeOrphans();
    // The project bytes of an orphan (bounded); empty when it cannot be read.
    static QByteArray read(const Orphan &orphan);
    // Removes an orphan's files once recovered or discarded, and its folder once empty.
    void settle(const Orphan &orphan);

private:
    bool claim(QString *error);

    QString root_;
    QString folder_; // this host's, once claimed
    std::unique_ptr<QLockFile> lock_;
    struct Taken {
        QString folder;
        std::unique_ptr<QLockFile> lock;
    };
    std::vector<Taken> taken_; // folders of gone hosts, locked while their files are offered
};

} // namespace corvelle::refhost
