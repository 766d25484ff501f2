#pragma once

#include <QByteArray>
#include <QString>

namespace corvelle {

// Replaces a file atomically: on any failure the earlier file stays as it was and
// a Failure is thrown. The folder must exist; it is never created.
void SaveFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace corvelle
