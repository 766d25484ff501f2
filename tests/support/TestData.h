#pragma once

#include <QByteArray>
#include <QList>

namespace corvelle::testing {

// tests/data/ShedData.txt: the 63 lines of a typical finished design (12 x 16 ft,
// gable, front door and ramp), the file both the writer's and the readers' tests hold
// their side to.
QByteArray sampleShedData();
QList<QByteArray> sampleShedDataLines();
QByteArray joinCrLf(const QList<QByteArray> &lines);
// The sample file with one line (1-based) replaced by text.
QByteArray sampleShedDataWith(int line, const QByteArray &text);

} // namespace corvelle::testing
