#include "output/ShedDataFile.h"

#include "core/AtomicSave.h"
#include "core/ShedDataFormat.h"

#include <QDir>

namespace corvelle {

QString ShedDataPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Program Data/") + shedfile::FileName);
}

void WriteShedDataFile(ShedDesign &design, const QString &programFolder)
{
    SaveFileAtomically(ShedDataPath(programFolder), shedfile::form(design));
}

} // namespace corvelle
