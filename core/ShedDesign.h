#pragma once

#include <QString>

namespace corvelle {

// The one design record of the 3D path. Every value is text, stored as the user
// typed it or as a fixed code; readers convert when they need a number.
struct ShedDesign {
    QString ShedWidth;
    QString ShedDepth;
    QString ShedHeight;
    QString FloorType;
    QString BlockRows;
    QString FloorHeight;
    QString JoistType;
    QString StudCenters;
    QString InnerHeight;
    QString StudMaterialLine;
    QString InWallType;
    QString SheetrockThickness;
    QString SidingName;
    QString OuterWallType;
    QString OuterWallMaterial;
    QString SidingWidth;
    QString SidingHeight;
    QString MainDoorLocation;
    QString MainDoorWidth;
    QString MainDoorHeight;
    QString RampLocation;
    QString RoofType;
    QString Trusses;
    QString ShadingMode;

    // Set by the data file writer just before the lines that print them.
    QString JoistHeight;
    QString StudWidth;
    QString PlywoodSheetSize;
};

} // namespace corvelle
