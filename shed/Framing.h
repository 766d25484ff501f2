#pragma once

#include "Design.h"
#include "Loads.h"
#include "Model.h"
#include "Units.h"

namespace corvelle::shed {

// Every member of the shed, framed as a builder frames it (see Rules.h for the values
// the data file does not carry).
// Its warnings write lengths in `units`.
Model buildModel(const Design &design, const SiteLoads &loads = {}, Units units = {});

// Figures the warnings and the plans share with the framing.
double floorTop(const Design &design);           // top of the floor the walls stand on, above the ground
double roughOpeningWidth(const Design &design);  // the door's rough opening as framed
double lowestRoofPitch(const Design &design);    // rise over run of the roof's shallowest plane
bool rampBuilt(const Design &design, bool front); // a ramp needs a door on its side and a built floor

// Whether a window fits its wall beside the design's doors and windows (its other windows:
// leave out the one being moved): empty when it does, else one sentence naming why. A
// design's window that does not fit is left out of the model with a warning.
QString windowMisfit(const Design &design, const Window &window, const SiteLoads &loads = {}, Units units = {});

// Section names a yard uses: "2x4" for 1.5 x 3.5, "3x6" for 2.5 x 5.5.
QString nominalSection(double thickness, double depth);

} // namespace corvelle::shed
