#include "core/DesignRules.h"

#include "core/Numbers.h"
#include "core/ShedDesign.h"

namespace corvelle {

bool NeedsTrusses(const ShedDesign &design) { return StrictNumber(design.ShedWidth) > WidestWithoutTrusses; }

bool RampAllowed(const ShedDesign &design, QStringView side)
{
    if (side == u"None")
        return true;
    const QString &door = design.MainDoorLocation;
    if (design.FloorType == u"0")
        return false;
    if (side == u"Front")
        return door == u"Front" || door == u"Both";
    if (side == u"Rear")
        return door == u"Rear" || door == u"Both";
    if (side == u"Both")
        return door == u"Both";
    return false;
}

void DeriveSiding(ShedDesign &design)
{
    if (design.SidingName == u"Vinyl") {
        design.OuterWallType = QStringLiteral("1");
        design.OuterWallMaterial = QStringLiteral("Cobalt");
    } else if (design.SidingName == u"Vertical") {
        design.OuterWallType = QStringLiteral("2");
        design.OuterWallMaterial = QStringLiteral("Steel");
    } else if (design.SidingName == u"Plywood") {
        design.OuterWallType = QStringLiteral("3");
        design.OuterWallMaterial = QStringLiteral("Oak");
    } else if (design.SidingName == u"Tin") {
        design.OuterWallType = QStringLiteral("4");
        design.OuterWallMaterial = QStringLiteral("Aluminum");
    }

    // Vertical boards are the one narrow, tall piece.
    design.SidingWidth = design.OuterWallType == u"2" ? QStringLiteral(".5") : QStringLiteral("8");
    if (design.OuterWallType == u"2")
        design.SidingHeight = QStringLiteral("8");
    else if (design.OuterWallType == u"4")
        design.SidingHeight = QStringLiteral("2.5");
    else if (design.OuterWallType == u"1")
        design.SidingHeight = QStringLiteral(".5");
    else if (design.OuterWallType == u"3")
        design.SidingHeight = QStringLiteral("4");
}

void DeriveStudMaterialLine(ShedDesign &design)
{
    if (design.JoistType == u"1")
        design.StudMaterialLine = QStringLiteral("2x4 Studs for walls");
    else if (design.JoistType == u"2")
        design.StudMaterialLine = QStringLiteral("2x6 Studs for walls");
}

} // namespace corvelle
