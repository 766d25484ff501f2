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
// A board's ends come checked and out of square: each board gives up this much before
// its first cut, so a 12 ft piece is not cut from a 12 ft board.
constexpr double EndTrim = 0.5;
constexpr double MaxSplicedPiece = 192 - EndTrim;
// Where a run must be spliced, no piece is shorter than this: a stub at a plate's corner
// or a ridge's end is held by a nail or two and ties nothing together.
constexpr double MinSplicedPiece = 48;

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

// Joists butted over a skid are scabbed: a 2 ft piece of joist stock nailed across the
// joint, a foot each side, standing on the skid too.
constexpr double ScabLength = 24;

// --- Walls --------------------------------------------------------------------------------
constexpr int TopPlates = 2;                // double top plate, the upper lapping the corners
// Bearing walls carrying a roof and ceiling only: studs of 2x4 or 2x6 up to 10 ft between
// lateral supports at 24 in centres at most (residential code Table R602.3(5)).
constexpr double MaxBearingStudHeight = 120;
constexpr double MaxBearingStudSpacing = 24;
// The upper top plate's splices stand at least this far from the lower plate's, and no
// splice of either falls over a header's end, so the plates tie the wall together.
constexpr double MinPlateSpliceStagger = 24;
// A gap over a header (or under a sill) shorter than this is left open, not filled with
// cripples; a header that close to the top plates counts as braced by them.
constexpr double ShortestCripple = 1;
// The header table's spans assume the header's top is braced by perpendicular framing;
// where cripples bear on it instead, 2x8 and deeper headers take this share of the span
// (residential code (2021) Table R602.7(1), footnote f).
constexpr double UnbracedHeaderShare = 0.70;
constexpr double UnbracedHeaderFromDepth = 7.25;

// Vinyl, vertical board and metal siding brace nothing: the walls are sheathed first with
// 7/16 in OSB (the thinnest wall-sheathing panel rated for studs at 24 in), nailed to the
// studs with its joints on them. Plywood panel siding nailed the same way is its own.
constexpr double WallSheathingThickness = 7.0 / 16;
// Vertical boards are nailed to framing, not to the sheathing alone: rows of blocking
// between the studs at most 2 ft apart, one under every butt joint.
constexpr double MaxNailerSpacing = 24;
// A board (5-1/2 in at the narrowest) over a bay narrower than this laps an upright by an
// inch or more, and is nailed there: no block is cut for so narrow a bay.
constexpr double MinNailerBay = 3.5;

// --- Doors ----------------------------------------------------------------------------------
constexpr double RoughWidthPlay = 2;        // rough opening: the door plus room for jambs and shims
constexpr double RoughHeightPlay = 1;
constexpr double DoubleLeafFrom = 36;       // a door wider than this hangs as two leaves
// Line 49 gives the door as 6 in thick; no shed door is. It is read as the jamb depth and
// the leaves are built-up doors (3/4 in skin on a 3/4 in frame).
constexpr double DoorLeafThickness = 1.5;
// --- Windows --------------------------------------------------------------------------------
// A window's rough opening is the unit plus 1/2 in each way (1/4 in a side, 1/2 in over the
// unit) for shims, as window makers size them; the unit sits on a flat sill.
constexpr double WindowRoughPlay = 0.5;
constexpr double WindowUnitDepth = 3.5; // the unit's frame, flush with the framing's outer face
// Units are bought by size class (prices.csv: "window small", "window medium", "window
// large"): up to 6 sq ft of unit, up to 12 sq ft, and above.
constexpr double SmallWindowUpTo = 6 * 144;
constexpr double MediumWindowUpTo = 12 * 144;
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
// Rafters on a ridge board push the walls apart unless tied: a tie at every pair, in the
// lower third of the rise, nailed to both rafters' faces. (Collar ties high up only keep
// the ridge together.) The gable pairs stand on their studs and need none.
constexpr double TieRiseShare = 1.0 / 3;
constexpr double TieDepth = 3.5;            // 2x4 ties
// The code's limit on rafter-tie spacing (residential code R802.5.2), which the
// structural check holds the framing to; a tie at every pair is well inside it.
constexpr double MaxTieSpacing = 48;
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
// Asphalt shingles need a slope of 2:12 at least, and two layers of underlayment below
// 4:12 (residential code R905.2.2 and R905.1.1).
constexpr double MinShinglePitch = 2.0 / 12;
constexpr double DoubleUnderlaymentBelow = 4.0 / 12;
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
constexpr double RoofingWaste = 0.10; // cut-off at rakes and breakage (starter and ridge cap are rows of their own)
constexpr double BundleSqFt = 100.0 / 3;    // three bundles of shingles to the square
constexpr double FeltRollSqFt = 400;        // a roll of No. 15 underlayment covers 4 squares

// --- Fasteners, connectors, hardware and trim ------------------------------------------------------
// Framing and sheathing nails follow the residential code's fastening schedule
// (IRC Table R602.3(1)); where it allows 10d, 16d commons are counted so one box serves.
// Anchor bolts: IRC R403.1.6, at most 6 ft apart, one within 12 in of each end of every
// bottom-plate piece and at least two a piece.
constexpr double MaxAnchorBoltSpacing = 72;
constexpr double AnchorBoltEndReach = 12;
constexpr int MinAnchorBoltsAPlate = 2;
// A floor on skids or on gravel is held down by a ground anchor at each end of every skid
// line; on gravel, lines at most 8 ft apart along the depth, the first and last at the end walls.
constexpr double MaxGroundAnchorLineSpacing = 96;
// Nails a member of each kind takes (16d common, end or face nailed), by the schedule:
struct MemberNails {
    double perPiece;
    double perFoot;
};
constexpr MemberNails StudNails{4, 0};       // 2-16d end nails at each plate
constexpr MemberNails JackStudNails{4, 0.5}; // and face nailed to its king at 24 in
constexpr MemberNails PlateNails{0, 0.75};   // bottom plate to the floor frame, 16d at 16 in
// 16d at 16 in between the two top-plate plies, counted half on each ply, 2 at each lap.
constexpr MemberNails TopPlateNails{2, 0.375};
constexpr MemberNails HeaderNails{4, 1.5};    // plies 16d at 16 in along both edges, 2 into each king
constexpr MemberNails JoistNails{6, 0};       // 3-16d end nails through the rim at each end
constexpr MemberNails RafterNails{6, 0};      // 3-16d toe nails at the ridge or knee and 3 at the plate
constexpr MemberNails TieNails{6, 0};         // collar tie to rafter, 3 at each end
constexpr MemberNails OtherLumberNails{4, 0}; // any other piece (blocking, lookouts, stringers): 2 at each end
// Sheets (8d common on structural panels): 6 in along supported edges, 12 in in the field,
// the long side laid across the framing as decks and roof sheathing lie.
constexpr double PanelEdgeSpacing = 6;
constexpr double PanelFieldSpacing = 12;
// Thin wall board bows between fasteners: screws 12 in apart on edges and in the field,
// closer than the 16 in the schedule gives for gypsum board on walls (IRC R702.3.5).
constexpr double WallBoardScrewSpacing = 12;
constexpr double MetalPanelScrewSpacing = 12; // panel maker's pattern: every rib line at 12 in
constexpr double GussetNailArea = 9;          // truss gussets: 8d on a 3 in grid, one per 9 sq in
constexpr double VinylNailSpacing = 16;       // through the nail hem at every stud
constexpr double BoardNailSpacing = 24;       // vertical boards: 2 nails at every girt, 24 in apart
constexpr int NailsPerShingleStrip = 4;       // the shingle maker's minimum for a three-tab strip
constexpr int ShingleStripsPerBundle = 26;    // 3 bundles = 78 strips to the square
constexpr int NailsPerConnector = 10;         // a hurricane tie or joist hanger's nail holes
constexpr int DeckScrewsPerCrossing = 2;      // ramp boards: two screws at each stringer
// Nails a pound, about, as the makers count them.
constexpr double Common16dPerPound = 47;       // 3-1/2 in x 0.162 in
constexpr double Common8dPerPound = 106;       // 2-1/2 in x 0.131 in
constexpr double Galvanized8dPerPound = 90;    // 2-1/2 in hot-dipped, for siding
constexpr double RoofingNailsPerPound = 150;   // 1-1/2 in galvanized, for shingles and vinyl
constexpr double ConnectorNailsPerPound = 110; // 1-1/2 in x 0.148 in
constexpr int ScrewsPerBox = 100;
// Doors: a leaf taller than 5 ft hangs on three hinges; one handle a leaf, one latch a
// doorway, and the leaf that does not latch is held by a foot bolt.
constexpr double ThirdHingeFrom = 60;
// Flashing and trim come in these lengths (inches); drip edge laps 2 in.
constexpr double DripEdgeLength = 120;
constexpr double DripEdgeLap = 2;
constexpr double RidgeCapBundleFeet = 33; // a bundle of hip and ridge shingles
constexpr double StarterBundleFeet = 100; // a bundle of starter shingles along the eaves
constexpr double VinylStarterLength = 144;
constexpr double JChannelLength = 150; // 12 ft 6 in
constexpr double CornerPostLength = 120;
constexpr double TrimBoardLength = 144; // 1x4 corner boards (two a corner) and door casing
constexpr double MetalTrimLength = 120;

} // namespace corvelle::shed::rules
