#include "TestData.h"

#include <QFile>
#include <QtGlobal>

namespace corvelle::testing {

QByteArray sampleShedData()
{
    QFile file(QStringLiteral(CORVELLE_TEST_DATA "/ShedData.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample shed data file %s", qPrintable(file.fileName()));
    return file.readAll();
}

QList<QByteArray> sampleShedDataLines()
{
    QList<QByteArray> lines = sampleShedData().split('\n');
    lines.removeLast(); // after the final line end
    for (QByteArray &line : lines)
        line.chop(1);   // its CR
    return lines;
}

QByteArray joinCrLf(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + "\r\n";
    return out;
}

QByteArray sampleShedDataWith(int line, const QByteArray &text)
{
    QList<QByteArray> lines = sampleShedDataLines();
    lines[line - 1] = text;
    return joinCrLf(lines);
}

} // namespace corvelle::testing
