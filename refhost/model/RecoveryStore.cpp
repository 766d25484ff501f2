#include "refhost/model/RecoveryStore.h"

#include "core/AtomicSave.h"
#include "core/Failure.h"
#include "shed/Project.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>

namespace corvelle::refhost {

namespace {

QString tr(const char *text) { return QCoreApplication::translate("corvelle::refhost::RecoveryStore", text); }

QString lockOf(const QString &folder) { return folder + QStringLiteral(".lock"); }

QString originOf(const QString &file)
{
    return file.left(file.size() - shed::ProjectSuffix.size()) + QStringLiteral("origin");
}

// A lock held for a lifetime: never stale by age, only when its process is gone.
std::unique_ptr<QLockFile> lockFor(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(lockOf(folder));
    lock->setStaleLockTime(0);
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}

} // namespace

RecoveryStore::RecoveryStore(QString root) : root_(std::move(root)) {}

RecoveryStore::~RecoveryStore()
{
    if (!folder_.isEmpty())
        QDir(folder_).removeRecursively();
    // The locks of taken folders go with their QLockFiles; unsettled files stay for the next host.
}

QString RecoveryStore::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
}

bool RecoveryStore::claim(QString *error)
{
    if (lock_)
        return true;
    if (!QDir().mkpath(root_)) {
        *error = tr("the folder %1 cannot be made").arg(QDir::toNativeSeparators(root_));
        return false;
    }
    // The start time keeps a later host that is given the same process number apart.
    const QString folder = QDir(root_).filePath(
        QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch()));
    lock_ = lockFor(folder);
    if (!lock_ || !QDir().mkpath(folder)) {
        lock_.reset();
        *error = tr("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    folder_ = folder;
    return true;
}

QString RecoveryStore::fileOf(int document) const
{
    return folder_.isEmpty() ? QString()
                             : QDir(folder_).filePath(QStringLiteral("%1.%2").arg(document).arg(shed::ProjectSuffix));
}

QString RecoveryStore::save(int document, const QByteArray &project, const QString &origin)
{
    QString error;
    if (!claim(&error))
        return error;
    const QString file = fileOf(document);
    try {
        // The origin first: a project file found without one is offered as unsaved.
        SaveFileAtomically(originOf(file), origin.toUtf8());
        SaveFileAtomically(file, project);
    } catch (const Failure &f) {
        return f.reason();
    }
    return {};
}

void RecoveryStore::remove(int document)
{
    if (folder_.isEmpty())
        return;
    const QString file = fileOf(document);
    QFile::remove(file);
    QFile::remove(originOf(file));
}

QString RecoveryStore::Orphan::name() const
{
    return origin.isEmpty() ? tr("an unsaved design") : QFileInfo(origin).fileName();
}

QList<RecoveryStore::Orphan> RecoveryStore::takeOrphans()
{
    QList<Orphan> found;
    const QDir root(root_);
    for (const QFileInfo &entry : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = entry.absoluteFilePath();
        if (folder == QFileInfo(folder_).absoluteFilePath()
            || std::any_of(taken_.begin(), taken_.end(), [&](const Taken &t) { return t.folder == folder; }))
            continue;
        std::unique_ptr<QLockFile> lock = lockFor(folder); // fails while its host runs
        if (!lock)
            continue;
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.") + shed::ProjectSuffix},
                                                               QDir::Files, QDir::Time | QDir::Reversed);
        if (files.isEmpty()) {
            QDir(folder).removeRecursively();
            continue; // its lock goes as `lock` does
        }
        for (const QFileInfo &file : files) {
            QFile origin(originOf(file.absoluteFilePath()));
            Orphan orphan{file.absoluteFilePath(), {}, file.lastModified()};
            if (origin.open(QIODevice::ReadOnly))
                orphan.origin = QString::fromUtf8(origin.read(4096)).trimmed();
            found.append(orphan);
        }
        taken_.push_back(Taken{folder, std::move(lock)});
    }
    std::stable_sort(found.begin(), found.end(), [](const Orphan &a, const Orphan &b) { return a.saved < b.saved; });
    return found;
}

QByteArray RecoveryStore::read(const Orphan &orphan)
{
    QFile file(orphan.file);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(shed::MaxProjectBytes + 1); // one byte more, so the reader refuses a huge one
}

void RecoveryStore::settle(const Orphan &orphan)
{
    QFile::remove(orphan.file);
    QFile::remove(originOf(orphan.file));
    const QString folder = QFileInfo(orphan.file).absolutePath();
    if (!QDir(folder).entryList({QStringLiteral("*.") + shed::ProjectSuffix}, QDir::Files).isEmpty())
        return;
    QDir(folder).removeRecursively();
    std::erase_if(taken_, [&](const Taken &t) { return QFileInfo(t.folder).absoluteFilePath() == folder; });
}

} // namespace corvelle::refhost
