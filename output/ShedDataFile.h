#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace corvelle {

struct ShedDesign;

// Sets the writer-derived fields in the record, each just before the line that
// prints it, and returns the 63 lines of the shed data file, CR LF after each.
QByteArray ShedDataBytes(ShedDesign &design);

// Replaces a file atomically: on any failure the earlier file stays as it was and
// a Failure is thrown. The folder must exist; it is never created.
void SaveFileAtomically(const QString &path, const QByteArray &bytes);

// The path of the shed data file below a program folder.
QString ShedDataPath(const QString &programFolder);

// Writes <programFolder>/Program Data/ShedData.txt, then runs the 3D launch.
void WriteShedDataFile(ShedDesign &design, const QString &programFolder,
                       const std::function<void()> &launch3D);

} // namespace corvelle
