#pragma once

#include "Design.h"
#include "Loads.h"
#include "Model.h"
#include "Units.h"

namespace corvelle::shed {

// Every member of the shed, framed as a builder frames it (see Rules.h for the values
// the data file does not carry).
Model buildModel(const Design &design, const SiteLoads &loads = {});

// Figures the warnings and the plans share with the framing.
double floorTop(const Design &design);           // top of the floor the walls stand on, above the ground
double roughOpeningWidth(const Design &design);  // the door's rough opening as framed
double lowestRoofPitch(const Design &design);    // rise over run of the roof's shallowest plane
bool rampBuilt(const Design &design, bool front); // a ramp needs a door on its side and a built floor

// Section names a yard uses: "2x4" for 1.5 x 3.5, "3x6" for 2.5 x 5.5.
QString nominalSection(double thickness, double depth);

} // namespace corvelle::shed
