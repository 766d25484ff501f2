#pragma once

#include "Loads.h"

// Allowable spans of joists and rafters, computed by the method the published span
// tables are generated with: a simply supported member under a uniform load, the least
// of the spans its bending, shear and live-load deflection allow. Lengths in inches.
namespace corvelle::shed::spans {

// One load case: pressures on the member's tributary width, the deflection limit as the
// divisor of the span (360 for L/360) and the load-duration factor of the case's
// shortest load.
struct LoadCase {
    double live;
    double dead;
    double deflection;
    double duration;
    bool roofLiveTable = false; // computed as the roof live load rafter tables are
};

// Floors: the live load given, L/360 (residential code (2021) Tables R502.3.1(1), (2)).
LoadCase floorCase(const SiteLoads &loads);
// Ceiling joists of an uninhabitable attic without storage: 10 psf live, 5 dead, L/240
// (residential code (2021) Table R802.5.1(1)); also the bottom chords of site-built trusses.
LoadCase ceilingCase();
// Rafters with no ceiling attached, L/180: the roof live load (residential code (2021)
// Table R802.4.1(1)) and the snow load, the ground snow taken as the roof's (Tables
// R802.4.1(3), (5) and (7)). A rafter must carry both.
LoadCase roofLiveCase(const SiteLoads &loads);
LoadCase snowCase(const SiteLoads &loads);

struct Member {
    Species species;
    double thickness; // the narrow face
    double depth;
    double spacing; // centres
    bool repetitive = true;
};

// The tables stop at 26 ft: longer lumber is not stocked.
constexpr double TableLimit = 26 * 12;

// The allowed clear (for rafters, horizontal) span, to the whole inch below, at most
// TableLimit.
double allowableSpan(const Member &member, const LoadCase &load);
// The smaller of a rafter's spans under roof live load and under snow.
double allowableRafterSpan(const Member &member, const SiteLoads &loads);

} // namespace corvelle::shed::spans
