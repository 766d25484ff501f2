#pragma once

#include <QString>

namespace corvelle {

struct ShedDesign;

// Writes <programFolder>/Program Data/ShedData.txt atomically (see core/ShedDataFormat.h
// for its lines); throws a Failure and keeps the earlier file when it cannot.
void WriteShedDataFile(ShedDesign &design, const QString &programFolder);

} // namespace corvelle
