#pragma once

#include "Loads.h"

// Reference design values of visually graded dimension lumber and the factors that
// adjust them, for the three species a shed is framed with.
namespace corvelle::shed::lumber {

// psi; for a depth (the member's wider face, inches) since Southern Pine's vary by it.
struct DesignValues {
    double Fb;   // bending
    double Ft;   // tension parallel to grain
    double Fv;   // shear parallel to grain
    double Fc;   // compression parallel to grain
    double E;    // modulus of elasticity
    double Emin; // for stability
};

// The tabulated values: Southern Pine's with its size adjustment built in, the others'
// before their size factors.
DesignValues reference(Species species, double depth);
// Size factor for Fb and Ft (Southern Pine: 1), and for Fc.
double sizeFactorBending(Species species, double depth);
double sizeFactorCompression(Species species, double depth);

// Adjustment factors the span tables apply.
constexpr double RepetitiveMember = 1.15; // Cr: three or more members at 24 in or less, joined by sheathing
constexpr double DurationNormal = 1.0;    // CD: occupancy live load, ten years
constexpr double DurationSnow = 1.15;     // CD: two months
constexpr double DurationRoofLive = 1.25; // CD: seven days, construction and maintenance

} // namespace corvelle::shed::lumber
