#pragma once

#include "RoofProfile.h"

#include "shed/Design.h"
#include "shed/Headers.h"
#include "shed/Loads.h"
#include "shed/Rules.h"
#include "shed/Units.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What every assembly of the framing reads: the figures derived from the design once,
// under full names. Lengths in inches; heights above the ground.
namespace corvelle::shed::framing {

// An opening in a wall, as framed.
struct Opening {
    enum class Kind { Door, Window };
    Kind kind = Kind::Door;
    // The rough opening: along the wall's run (see WallRun), and from its bottom (the
    // floor for a door, the sill's top for a window) to its head.
    double left = 0, right = 0;
    double bottom = 0, head = 0;
    headers::Choice header;
    std::optional<Window> window; // a window's unit

    double width() const { return right - left; }
    double headerTop() const { return head + header.depth; }
    double jacksWidth() const { return header.jacks * rules::Ply; }
    // The opening's framing along the run, from king stud to king stud.
    double framingLeft() const { return left - jacksWidth() - rules::Ply; }
    double framingRight() const { return right + jacksWidth() + rules::Ply; }
};

// A wall as it is laid out: its run is X along the front and rear walls and Z along the
// side walls, each from the model's origin (so the front wall's run starts at its
// right-hand end as seen from outside).
struct WallRun {
    Wall wall = Wall::Front;
    double start = 0, end = 0;           // the lower top plate, between the corners
    double upperStart = 0, upperEnd = 0; // the upper top plate, lapping the corners
    QList<Opening> openings;             // in order along the run
};

// A window's opening as it would be framed in its wall, or the sentence saying why it
// cannot be.
struct WindowFit {
    std::optional<Opening> opening;
    QString refusal;
};

struct Context {
    // The warnings write lengths in `units`.
    Context(const Design &design, const SiteLoads &loads, Units units = {});

    // Fits a window in its wall beside the openings already there.
    WindowFit fitWindow(const Window &window) const;

    // Where along a wall's run a point lies that is `fromLeft` in from the wall's left end
    // as seen from outside, and back.
    double runFromLeft(Wall wall, double fromLeft) const;
    const WallRun &run(Wall wall) const { return walls[size_t(wall)]; }

    const Design &design;
    SiteLoads loads;
    Units units;

    double width = 0, depth = 0;
    double wallHeight = 0;       // from the floor's top to the top plate's top
    double studDepth = 0;        // the walls' thickness
    double floorTop = 0;         // the floor the walls stand on
    double plateTop = 0;         // the top of the upper top plate
    double studBottom = 0, studTop = 0;
    double blocksTop = 0;        // the blocks' top under the skids (0 without blocks)
    double skidTop = 0;          // the floor frame's underside (the floor's top without one)
    double sidingBottom = 0;     // where the siding stops: the floor frame's underside, the slab's top or the ground
    QString studStock, plateStock, bottomPlateStock;

    // Floor frame: skids along the width, blocks along each skid, joists along the depth.
    QList<double> skidCentres, pierCentres, joistCentres;

    // The door: its rough opening and the header the table gives for it.
    double doorRoughWidth = 0, doorRoughHeight = 0;
    headers::Choice doorHeader;

    RoofProfile roof;
    QList<double> frameZ;        // each roof frame's front face
    bool barges = false;         // barge rafters at the rake overhang
    bool lookouts = false;       // a ladder of lookouts holding them
    double wallSheathing = 0;    // structural sheathing's thickness, 0 where the siding is its own

    std::array<WallRun, 4> walls; // by Wall
    QStringList warnings;         // framing decisions a builder should know about
};

// The order the walls are framed in and their members listed.
inline constexpr Wall FramingOrder[] = {Wall::Front, Wall::Rear, Wall::Right, Wall::Left};

} // namespace corvelle::shed::framing
