#pragma once

#include "core/ShedDesign.h"

// The designs the shed benchmarks measure: the largest the wizard allows (50 x 50 ft, 20 ft
// walls, studs at 12 in, doors and ramps both ends, gambrel trusses) and an 8 x 10 ft shed.
namespace corvelle {

inline ShedDesign benchDesign(bool largest)
{
    ShedDesign d;
    d.ShedWidth = largest ? "50" : "8";
    d.ShedDepth = largest ? "50" : "10";
    d.ShedHeight = "8";
    d.FloorType = "2";
    d.BlockRows = "0";
    d.FloorHeight = "0";
    d.JoistType = "2";
    d.StudCenters = largest ? "12" : "16";
    d.InnerHeight = largest ? "20" : "8 ";
    d.StudMaterialLine = "2x6 Studs for walls";
    d.InWallType = "1";
    d.SheetrockThickness = ".5";
    d.SidingName = "Vinyl";
    d.OuterWallMaterial = "Cobalt";
    d.SidingWidth = "8";
    d.SidingHeight = ".5";
    d.MainDoorLocation = largest ? "Both" : "Front";
    d.MainDoorWidth = largest ? "8" : "3";
    d.MainDoorHeight = largest ? "8" : "6";
    d.RampLocation = largest ? "Both" : "Front";
    d.RoofType = largest ? "Barn" : "Gable";
    d.Trusses = "1";
    d.ShadingMode = "4";
    return d;
}

} // namespace corvelle
