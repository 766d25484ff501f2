#include "refhost/model/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace corvelle::refhost {

namespace {

// The rest of a host path below the folder, or an empty text when it is not one: it must
// start with "*\" (the folder), stay relative and have no "." or ".." part and no empty part.
QString relativeRest(const QString &hostPath)
{
    if (!hostPath.startsWith(QLatin1String("*\\")))
        return {};
    QString rest = hostPath.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (rest.isEmpty() || rest.contains(QChar(0)))
        return {};
    for (const QString &part : rest.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == u"." || part == u"..")
            return {};
    }
    return rest;
}

QString sizeText(qint64 bytes)
{
    constexpr qint64 MB = 1024 * 1024;
    return bytes % MB == 0 ? QStringLiteral("%1 MB").arg(bytes / MB) : QStringLiteral("%1 KB").arg(bytes / 1024);
}

QString notInFolder(const QString &hostPath)
{
    return QStringLiteral("%1 is not a readable file in the program folder").arg(hostPath);
}

} // namespace

ProgramFolder::ProgramFolder(const QString &folder)
{
    root_ = QFileInfo(folder).canonicalFilePath();
    if (root_.isEmpty())
        root_ = QDir::cleanPath(QDir(folder).absolutePath());
    if (root_.endsWith(QLatin1Char('/')) && root_.size() > 1)
        root_.chop(1);
}

QString ProgramFolder::resolve(const QString &hostPath) const
{
    const QString rest = relativeRest(hostPath);
    if (rest.isEmpty())
        return {};
    const QFileInfo info(root_ + QLatin1Char('/') + rest);
    const QString canonical = info.canonicalFilePath(); // empty when nothing is there
    const QString inside = root_ == u"/" ? root_ : root_ + QLatin1Char('/');
    if (canonical.isEmpty() || !canonical.startsWith(inside))
        return {};
    return canonical;
}

ProgramFolder::Read ProgramFolder::read(const QString &hostPath, qint64 maxBytes) const
{
    Read result;
    const QString file = resolve(hostPath);
    const QFileInfo info(file);
    QFile in(file);
    if (file.isEmpty() || !info.isFile() || !in.open(QIODevice::ReadOnly)) {
        result.error = notInFolder(hostPath);
        return result;
    }
    result.file = file;
    // Refused before reading; the bounded read also covers a file that grows meanwhile.
    QByteArray bytes;
    if (info.size() <= maxBytes)
        bytes = in.read(maxBytes + 1);
    if (info.size() > maxBytes || bytes.size() > maxBytes) {
        result.status = Read::Status::TooLarge;
        result.error = QStringLiteral("%1 is larger than the %2 this host reads").arg(hostPath, sizeText(maxBytes));
        return result;
    }
    result.status = Read::Status::Read;
    result.bytes = std::move(bytes);
    return result;
}

} // namespace corvelle::refhost
