#pragma once

#include "Loads.h"

// Bearing wall studs as columns: each carries its share of the roof, braced about its weak
// axis by the sheathing, so it buckles (if at all) in the plane across the wall.
namespace corvelle::shed::studs {

struct Wall {
    Species species;
    double thickness; // the stud's narrow face
    double depth;     // across the wall
    double spacing;   // centres
    double tributary; // horizontal width of roof the wall carries: half the span and the eave
};

// The roof load on one stud, pounds, for a roof pressure (live or snow plus dead, psf).
double studLoad(const Wall &wall, double pressure);

// The tallest wall (whole inches, between lateral supports) whose studs carry the roof's
// snow and its live load, each with its load-duration factor, by the column design of
// the national design specification (2018) 3.7.1 with Fc and the column stability factor
// CP, slenderness at most 50. 0 where no height will do.
double columnHeight(const Wall &wall, const SiteLoads &loads);

} // namespace corvelle::shed::studs
