#include "output/ShedDataFile.h"

#include "core/AtomicSave.h"
#include "core/ShedDataFormat.h"

#include <QDir>

namespace corvelle {

void WriteShedDataFile(ShedDesign &design, const QString &programFolder)
{
    SaveFileAtomically(QDir(programFolder).filePath(QStringLiteral("Program Data/") + shedfile::FileName),
                       shedfile::form(design));
}

} // namespace corvelle
