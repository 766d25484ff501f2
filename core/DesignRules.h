#pragma once

#include <QString>

namespace corvelle {

struct ShedDesign;

// The rules the wizard's screens keep between the design's values, in one place for the
// wizard and for any program that edits a design afterwards.

// A shed wider than this (feet) is framed with trusses: the flow skips the roofing screens.
constexpr double WidestWithoutTrusses = 15;
// Whether the design's width calls for trusses; ShedWidth must pass IsNumeric.
bool NeedsTrusses(const ShedDesign &design);

// Whether a ramp may stand on `side` ("None", "Front", "Rear", "Both"): only where the
// main door is, and on no side of a gravel floor.
bool RampAllowed(const ShedDesign &design, QStringView side);

// The code, material and piece size that follow the siding's name.
void DeriveSiding(ShedDesign &design);
// The material line that follows the stud type.
void DeriveStudMaterialLine(ShedDesign &design);

} // namespace corvelle
