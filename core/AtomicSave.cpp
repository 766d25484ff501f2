#include "core/AtomicSave.h"

#include "core/Failure.h"

#include <QDir>
#include <QSaveFile>

namespace corvelle {

void SaveFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QString operation = QStringLiteral("Writing the file");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure(operation, QDir::toNativeSeparators(path), file.errorString());
    // Flush before commit: a buffered write that fails inside commit() is not
    // reported by QSaveFile, which would then replace the file with a partial one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw Failure(operation, QDir::toNativeSeparators(path), reason);
    }
    if (!file.commit())
        throw Failure(operation, QDir::toNativeSeparators(path), file.errorString());
}

} // namespace corvelle
