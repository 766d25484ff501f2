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
// The bending value the span tables computed a case with: the tabulated one, except for
// No.2 Douglas Fir-Larch rafters under roof live load (see RoofLiveTableFbDouglasFir).
double bendingReference(Species species, double depth, bool roofLiveTable);
// Size factor for Fb and Ft (Southern Pine: 1), and for Fc.
double sizeFactorBending(Species species, double depth);
double sizeFactorCompression(Species species, double depth);

// The rafter tables for a 20 psf roof live load (building code (2018) Tables 2308.7.2(1)
// and (2), the residential code's R802.4.1(1) and (2) alike) still carry No.2 Douglas
// Fir-Larch's bending value of the supplements before 2005, 875 psi; its floor, ceiling and
// snow tables carry today's 900. Wherever bending governs, those Douglas Fir rows equal
// the Spruce-Pine-Fir rows (875 psi) and fall 3 to 4 in short of a span computed with 900
// (2x8 at 16 in: 18-2 against 18-5). So that no rafter is allowed more than its table, the
// roof live load case takes the lesser value.
constexpr double RoofLiveTableFbDouglasFir = 875;

// Column stability of sawn lumber (national design specification (2018) 3.7.1): c, the
// coefficient of the column stability factor CP, and the most slenderness a compression
// member may have.
constexpr double ColumnSawnLumber = 0.8;
constexpr double MaxSlenderness = 50;

// Adjustment factors the span tables apply.
constexpr double RepetitiveMember = 1.15; // Cr: three or more members at 24 in or less, joined by sheathing
constexpr double DurationNormal = 1.0;    // CD: occupancy live load, ten years
constexpr double DurationSnow = 1.15;     // CD: two months
constexpr double DurationRoofLive = 1.25; // CD: seven days, construction and maintenance

} // namespace corvelle::shed::lumber
