#include "core/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace corvelle {

namespace {

// Copies through a temporary name, so a program reading meanwhile never sees half a file.
void copyFresh(const QFileInfo &from, const QString &to)
{
    const QFileInfo target(to);
    if (target.exists() && target.lastModified() >= from.lastModified())
        return;
    QDir().mkpath(target.absolutePath());
    const QString partial = to + QStringLiteral(".part");
    QFile::remove(partial);
    QFile copy(partial);
    if (QFile::copy(from.filePath(), partial) && copy.open(QIODevice::ReadWrite)) {
        // The installed file's time, so an upgrade's newer file is seen as newer.
        copy.setFileTime(from.lastModified(), QFileDevice::FileModificationTime);
        copy.close();
        QFile::setPermissions(partial, QFile::permissions(partial) | QFile::WriteOwner | QFile::ReadOwner);
        QFile::remove(to);
        QFile::rename(partial, to);
    }
}

} // namespace

QString programFolder(const QString &executableFolder)
{
    const QDir installed(executableFolder);
    if (!QFileInfo::exists(installed.filePath(QString::fromLatin1(PerUserFolderMarker))))
        return executableFolder;
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/corvelle");
    const QString shipped = installed.filePath(QStringLiteral("Program Data"));
    QDirIterator it(shipped, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        copyFresh(file, folder + QStringLiteral("/Program Data/") + QDir(shipped).relativeFilePath(file.filePath()));
    }
    QDir().mkpath(folder + QStringLiteral("/Program Data"));
    return folder;
}

} // namespace corvelle
