#pragma once

#include "core/ShedDesign.h"

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

// The worked example: 12 x 16 ft, concrete 6 in, 2x6 at 16 in, 10 ft walls, sheetrock
// 1/2 in, vinyl siding, front door 4 x 7 ft, front ramp, gable trusses, QuickShade.
inline ShedDesign workedExample()
{
    ShedDesign d;
    d.ShedWidth = QStringLiteral("12");
    d.ShedDepth = QStringLiteral("16");
    d.ShedHeight = QStringLiteral("8");
    d.FloorType = QStringLiteral("1");
    d.BlockRows = QStringLiteral("0");
    d.FloorHeight = QStringLiteral("6 ");
    d.JoistType = QStringLiteral("2");
    d.StudCenters = QStringLiteral("16");
    d.InnerHeight = QStringLiteral("10");
    d.StudMaterialLine = QStringLiteral("2x6 Studs for walls");
    d.InWallType = QStringLiteral("1");
    d.SheetrockThickness = QStringLiteral(".5");
    d.SidingName = QStringLiteral("Vinyl");
    d.OuterWallType = QStringLiteral("1");
    d.OuterWallMaterial = QStringLiteral("Cobalt");
    d.SidingWidth = QStringLiteral("8");
    d.SidingHeight = QStringLiteral(".5");
    d.MainDoorLocation = QStringLiteral("Front");
    d.MainDoorWidth = QStringLiteral("4");
    d.MainDoorHeight = QStringLiteral("7");
    d.RampLocation = QStringLiteral("Front");
    d.RoofType = QStringLiteral("Gable");
    d.Trusses = QStringLiteral("1");
    d.ShadingMode = QStringLiteral("3");
    return d;
}


} // namespace corvelle::testing
