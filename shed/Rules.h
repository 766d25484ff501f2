#pragma once

// Every value a builder would question that the data file does not carry, named once
// with the rule it follows. Lengths in inches.
namespace corvelle::shed::rules {

// --- Lumber ---------------------------------------------------------------------------
constexpr double Ply = 1.5;                 // thickness of 2x lumber
constexpr double SawKerf = 0.125;           // lost at every cut when pieces share a board
// Dressed (actual) sizes of the nominal sections a yard names lumber by: a "2x4" is
// 1 1/2 x 3 1/2 in, as the softwood lumber standard dresses it.
struct DressedSize {
    double actual;
    int nominal;
};
constexpr DressedSize DressedSizes[] = {{0.75, 1}, {1.5, 2},  {2.5, 3},   {3.5, 4},
                                        {5.5, 6},  {7.25, 8}, {9.25, 10}, {11.25, 12}};
// Lengths a yard stocks. Pieces that may be spliced (plates, rims, chords, ridges) are
// kept to the longest common length; a stud may not be spliced, so a taller one
// comes from the long special-order lengths.
constexpr double StockLengths[] = {96, 120, 144, 168, 192};
constexpr double LongStockLengths[] = {216, 240};
constexpr double MaxSplicedPiece = 192;

// --- Foundation and floor ---------------------------------------------------------------
constexpr double GravelDepth = 4;           // compacted gravel base under a gravel-floor shed
constexpr double GravelMargin = 6;          // the pad runs past the walls so drip water drains away
constexpr double SkidWidth = 3.5;           // 4x6 pressure-treated skids set on edge
constexpr double SkidDepth = 5.5;
constexpr double MaxPierSpacing = 48;       // blocks at most 4 ft apart along a skid
// Joist span between skids, kept inside the span tables for a 40 psf storage floor at
// 16 in centres: 2x4 to 6 ft, deeper joists to 8 ft.
constexpr double MaxSpan2x4Joist = 72;
constexpr double MaxSpanDeepJoist = 96;
// Accessory buildings of one storey exempt from a building permit, sq ft: the
// residential code's R105.2 exempts up to 200; the building code's 105.2, and many local
// amendments, only up to 120.
constexpr double PermitExemptResidential = 200;
constexpr double PermitExemptBuilding = 120;

// --- Walls --------------------------------------------------------------------------------
constexpr int TopPlates = 2;                // double top plate, the upper lapping the corners
// Bearing walls carrying a roof and ceiling only: studs of 2x4 or 2x6 up to 10 ft between
// lateral supports at 24 in centres at most (residential code Table R602.3(5)).
constexpr double MaxBearingStudHeight = 120;
constexpr double MaxBearingStudSpacing = 24;

// --- Doors ----------------------------------------------------------------------------------
constexpr double RoughWidthPlay = 2;        // rough opening: the door plus room for jambs and shims
constexpr double RoughHeightPlay = 1;
constexpr double DoubleLeafFrom = 36;       // a door wider than this hangs as two leaves
// Line 49 gives the door as 6 in thick; no shed door is. It is read as the jamb depth and
// the leaves are built-up doors (3/4 in skin on a 3/4 in frame).
constexpr double DoorLeafThickness = 1.5;
// --- Ramps ------------------------------------------------------------------------------------
constexpr double RampSideMargin = 6;        // the ramp is this much wider than the door on each side
constexpr double MaxStringerSpacing = 16;   // so the 2x6 deck boards do not bounce
constexpr double RampDeckGap = 0.25;        // drainage gap between deck boards
constexpr double MaxRampSlope = 0.25;       // rise over run: 1 in 4 is the most a loaded barrow takes
// Ramp stringers are checked as deck joists: 40 psf live, 10 dead, L/360 (residential
// code Table R507.6), which also covers a walk-behind mower.
constexpr double RampLiveLoad = 40;
constexpr double RampDeadLoad = 10;

// --- Roof --------------------------------------------------------------------------------------
constexpr double GablePitch = 6.0 / 12;     // 6 in 12: sheds snow and rain, walkable for shingling
// Gambrel: a steep lower slope and a shallow upper one meeting at the knee, which stands
// over the outer 30 % of each half-span; the proportions of a common barn shed.
constexpr double GambrelLowerPitch = 24.0 / 12;
constexpr double GambrelUpperPitch = 6.0 / 12;
constexpr double GambrelKneeShare = 0.3;
// The birdsmouth seat is never cut deeper than a third of the rafter's depth.
constexpr double MaxSeatCutShare = 1.0 / 3;
// A ridge board is one size deeper than the rafters so their whole plumb cut bears on it.
constexpr double RidgeExtraDepth = 1.75;
// Rafters on a ridge board push the walls apart unless tied: ties in the lower third of
// the rise, no more than 4 ft apart. (Collar ties high up only keep the ridge together.)
constexpr double MaxTieSpacing = 48;
constexpr double TieRiseShare = 1.0 / 3;
constexpr double TieDepth = 3.5;            // 2x4 ties
constexpr double WebDepth = 3.5;            // truss webs are 4 in nominal stock of the chords' thickness
constexpr double GussetThickness = 0.5;     // 1/2 in plywood gussets on both faces of every joint
constexpr double GussetSize = 12;
constexpr double MinGableStud = 2;          // shorter gable studs are left out
// Asphalt shingles need a slope of 2:12 at least, and two layers of underlayment below
// 4:12 (residential code R905.2.2 and R905.1.1).
constexpr double MinShinglePitch = 2.0 / 12;
constexpr double DoubleUnderlaymentBelow = 4.0 / 12;

// --- Takeoff ------------------------------------------------------------------------------------
constexpr double ConcreteWaste = 0.10;      // spillage, uneven base and form bulge
constexpr double BagYieldCuFt = 0.60;       // an 80 lb bag of concrete mix makes 0.6 cu ft
constexpr double GravelWaste = 0.10;        // compaction
constexpr double RoofingWaste = 0.10;       // starter course, ridge cap and cut-off at rakes
constexpr double BundleSqFt = 100.0 / 3;    // three bundles of shingles to the square
constexpr double FeltRollSqFt = 400;        // a roll of No. 15 underlayment covers 4 squares

} // namespace corvelle::shed::rules
