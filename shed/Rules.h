#pragma once

// Every value a builder would question that the data file does not carry, named once
// with the rule it follows. Lengths in inches.
namespace corvelle::shed::rules {

// --- Lumber ---------------------------------------------------------------------------
constexpr double Ply = 1.5;                 // thickness of 2x lumber
constexpr double SawKerf = 0.125;           // lost at every cut when pieces share a board
// Lengths a yard stocks. Pieces that may be spliced (plates, rims, chords, ridges) are
// kept to the longest common length; a stud may not be spliced, so a taller one
// comes from the long special-order lengths.
constexpr double StockLengths[] = {96, 120, 144, 168, 192};
constexpr double LongStockLengths[] = {216, 240};
// A board's ends come checked and out of square: each board gives up this much before
// its first cut, so a 12 ft piece is not cut from a 12 ft board.
constexpr double EndTrim = 0.5;
constexpr double MaxSplicedPiece = 192 - EndTrim;

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
// Joists butted over a skid are scabbed: a 2 ft piece of joist stock nailed across the
// joint, a foot each side, standing on the skid too.
constexpr double ScabLength = 24;
// Floor sheathing over joists at 16 in centres needs a 16 in span rating: 19/32 in or more.
constexpr double MinFloorDeck = 19.0 / 32;
// A floor beyond this area (sq ft) needs a building permit in many places.
constexpr double PermitFloorArea = 200;

// --- Walls --------------------------------------------------------------------------------
constexpr int TopPlates = 2;                // double top plate, the upper lapping the corners
// The upper top plate's splices stand at least this far from the lower plate's, and no
// splice of either falls over a header's end, so the plates tie the wall together.
constexpr double MinPlateSpliceStagger = 24;
// Studs of 2x4 taller than 10 ft exceed the prescriptive stud-height limit for
// bearing walls; they need 2x6 or an engineer.
constexpr double Max2x4StudWall = 120;

// Vinyl, vertical board and metal siding brace nothing: the walls are sheathed first with
// 7/16 in OSB (the thinnest wall-sheathing panel rated for studs at 24 in), nailed to the
// studs with its joints on them. Plywood panel siding nailed the same way is its own.
constexpr double WallSheathingThickness = 7.0 / 16;
// Vertical boards are nailed to framing, not to the sheathing alone: rows of blocking
// between the studs at most 2 ft apart, one under every butt joint.
constexpr double MaxNailerSpacing = 24;

// --- Doors ----------------------------------------------------------------------------------
constexpr double RoughWidthPlay = 2;        // rough opening: the door plus room for jambs and shims
constexpr double RoughHeightPlay = 1;
constexpr double DoubleLeafFrom = 36;       // a door wider than this hangs as two leaves
// Line 49 gives the door as 6 in thick; no shed door is. It is read as the jamb depth and
// the leaves are built-up doors (3/4 in skin on a 3/4 in frame).
constexpr double DoorLeafThickness = 1.5;
// Header by clear span of the rough opening: two plies on edge in a 2x4 wall, three in a
// 2x6 wall, one size deeper for each further 2 ft, as the common header tables give for
// a one-storey wall carrying only a roof.
struct HeaderRule {
    double maxSpan;
    double depth;
};
constexpr HeaderRule Headers[] = {{48, 5.5}, {72, 7.25}, {96, 9.25}, {120, 11.25}};

// --- Ramps ------------------------------------------------------------------------------------
constexpr double RampSideMargin = 6;        // the ramp is this much wider than the door on each side
constexpr double MaxStringerSpacing = 16;   // so the 2x6 deck boards do not bounce
constexpr double RampDeckGap = 0.25;        // drainage gap between deck boards
constexpr double MaxRampSlope = 0.25;       // rise over run: 1 in 4 is the most a loaded barrow takes

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
// Rafters on a ridge board push the walls apart unless tied: a tie at every pair, in the
// lower third of the rise, nailed to both rafters' faces. (Collar ties high up only keep
// the ridge together.) The gable pairs stand on their studs and need none.
constexpr double TieRiseShare = 1.0 / 3;
constexpr double TieDepth = 3.5;            // 2x4 ties
constexpr double WebDepth = 3.5;            // truss webs are 4 in nominal stock of the chords' thickness
constexpr double GussetThickness = 0.5;     // 1/2 in plywood gussets on both faces of every joint
constexpr double GussetSize = 12;
// Gussets are glued and nailed from each face: 6d (2 in) nails at 3 in centres, staggered,
// kept 3/4 in from the plate's edges so the plywood does not split.
constexpr double GussetNailLength = 2;
constexpr double GussetNailSpacing = 3;
constexpr double GussetNailEdge = 0.75;
// A heel joint is long: the top chord lies along the bottom chord for a foot or more, so
// its plates run 2 ft along the bottom chord and up to the top chord's back.
constexpr double HeelGussetLength = 24;
constexpr double MinGableStud = 2;          // shorter gable studs are left out
// The rake overhang is framed as a ladder: 2x4 lookouts on edge at the rafter spacing,
// nailed through the barge rafter and to the gable frame's face, their tops flush.
constexpr double LookoutDepth = 3.5;
// Roof sheets break their end joints on a frame, course to course on different frames;
// the long edges between courses, which fall between frames, get one H clip midway
// between each pair of supports (the sheathing makers' rule for spans of 16 to 24 in).
constexpr double PanelClipSize = 1;

// --- Takeoff ------------------------------------------------------------------------------------
constexpr double ConcreteWaste = 0.10;      // spillage, uneven base and form bulge
constexpr double BagYieldCuFt = 0.60;       // an 80 lb bag of concrete mix makes 0.6 cu ft
constexpr double GravelWaste = 0.10;        // compaction
constexpr double RoofingWaste = 0.10;       // starter course, ridge cap and cut-off at rakes
constexpr double BundleSqFt = 100.0 / 3;    // three bundles of shingles to the square
constexpr double FeltRollSqFt = 400;        // a roll of No. 15 underlayment covers 4 squares

} // namespace corvelle::shed::rules
