#pragma once

#include "shed/Design.h"

namespace corvelle::testing {

// The worked example of the data file (tests/data/ShedData.txt) as the reader types it:
// 12 x 16 ft, concrete, 2x6 studs at 16 in, lining, vinyl siding, front door and ramp,
// gable trusses.
inline shed::Design workedExample()
{
    shed::Design d;
    d.width = 144;
    d.depth = 192;
    d.floor = shed::FloorType::Concrete;
    d.slabThickness = 6;
    d.innerHeight = 120;
    d.lining = true;
    d.liningThickness = 0.5;
    d.siding = shed::Siding::Vinyl;
    d.door = shed::Sides::Front;
    d.ramp = shed::Sides::Front;
    d.roof = shed::RoofType::Gable;
    d.trusses = true;
    d.shading = shed::Shading::Flat;
    return d;
}

} // namespace corvelle::testing
