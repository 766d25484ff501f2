#include "Context.h"

#include "shed/Framing.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed::framing {

namespace r = rules;

constexpr double Eps = 1e-6;

Context::Context(const Design &d, const SiteLoads &siteLoads, Units lengthUnits)
    : design(d), loads(siteLoads), units(lengthUnits)
{
    const double t = r::Ply;
    width = d.width;
    depth = d.depth;
    wallHeight = d.innerHeight;
    studDepth = d.studDepth;
    floorTop = shed::floorTop(d);
    plateTop = floorTop + wallHeight;
    studBottom = floorTop + t;
    studTop = plateTop - r::TopPlates * t;
    studStock = nominalSection(d.studThickness, studDepth);
    plateStock = studStock;
    // Plates on concrete or gravel touch the ground's moisture: pressure-treated.
    bottomPlateStock = (d.floor == FloorType::Concrete || d.floor == FloorType::Gravel)
                           ? studStock + QStringLiteral(" PT")
                           : studStock;

    // The floor frame: skids across the joists close enough that the joists stay within
    // their span, on blocks at most a pier spacing apart.
    const bool framedFloor = d.floor == FloorType::Wood || d.floor == FloorType::Blocks;
    const int rows = d.floor == FloorType::Blocks ? std::max(1, d.blockRows) : 0;
    blocksTop = rows * d.blockHeight;
    skidTop = framedFloor ? blocksTop + r::SkidDepth : floorTop;
    sidingBottom = framedFloor ? skidTop : d.floor == FloorType::Concrete ? d.slabThickness : 0;
    if (framedFloor) {
        const double span = d.joistHeight < 4 ? r::MaxSpan2x4Joist : r::MaxSpanDeepJoist;
        const int skids = int(std::ceil((depth - r::SkidWidth) / span - Eps)) + 1;
        for (int i = 0; i < skids; ++i)
            skidCentres.append(i * (depth - r::SkidWidth) / (skids - 1) + r::SkidWidth / 2);
        const int piers = int(std::ceil((width - d.blockLength) / r::MaxPierSpacing - Eps)) + 1;
        for (int j = 0; j < piers; ++j)
            pierCentres.append(j * (width - d.blockLength) / (piers - 1) + d.blockLength / 2);
        const double jw = d.joistWidth;
        for (int k = 1; k * d.joistCenters + jw / 2 <= width - jw + Eps; ++k) {
            if (k * d.joistCenters - jw / 2 >= jw - Eps)
                joistCentres.append(k * d.joistCenters);
        }
    }

    // The door: its rough opening kept inside the corners and under the top plates, under
    // the header the table gives for it, or an engineered one beyond it.
    if (d.door != Sides::None) {
        doorRoughWidth = roughOpeningWidth(d);
        doorRoughHeight = d.doorHeight + r::RoughHeightPlay;
        doorHeader =
            headers::choose(doorRoughWidth, width, loads.groundSnow, studDepth, studTop - floorTop - doorRoughHeight);
        if (doorHeader.engineered)
            warnings.append(
                QStringLiteral("The door's rough opening is %1 wide: beyond the header table at %2 psf ground "
                               "snow on a %3 wide shed; an engineered header (LVL) is drawn, to be sized by its "
                               "maker or an engineer.")
                    .arg(units.inches(doorRoughWidth))
                    .arg(loads.groundSnow)
                    .arg(units.feet(width)));
        const double room = wallHeight - r::TopPlates * t - doorHeader.depth;
        if (doorRoughHeight > room + Eps) {
            warnings.append(QStringLiteral("A door %1 high leaves no room for its header under the top plates of a "
                                           "%2 wall; it is framed %3 high.")
                                .arg(units.feet(d.doorHeight), units.feet(wallHeight),
                                     units.inches(room - r::RoughHeightPlay)));
            doorRoughHeight = room;
        }
        if (doorRoughWidth < d.doorWidth + r::RoughWidthPlay - Eps)
            warnings.append(
                QStringLiteral("A door %1 wide does not fit between the corner studs; it is framed %2 wide.")
                    .arg(units.feet(d.doorWidth), units.inches(doorRoughWidth - r::RoughWidthPlay)));
    }

    // The roof: frames over each gable wall and the rest at the file's spacing from the front.
    roof = RoofProfile(d, plateTop);
    const double s = d.roofSupportSpacing, th = roof.thick;
    frameZ = {0};
    for (int k = 1; k * s - th / 2 + th < depth - th - Eps; ++k)
        frameZ.append(k * s - th / 2);
    frameZ.append(depth - th);
    barges = d.overhangZ >= th;
    lookouts = barges && d.overhangZ - th >= t;
    wallSheathing = d.siding == Siding::Plywood ? 0 : r::WallSheathingThickness;

    // The walls: the end walls run the full width between the side walls' outer faces;
    // the side walls fit between them, and their upper plates lap the corners.
    const double sd = studDepth;
    walls[size_t(Wall::Front)] = {Wall::Front, 0, width, sd, width - sd, {}};
    walls[size_t(Wall::Rear)] = {Wall::Rear, 0, width, sd, width - sd, {}};
    walls[size_t(Wall::Left)] = {Wall::Left, sd, depth - sd, 0, depth, {}};
    walls[size_t(Wall::Right)] = {Wall::Right, sd, depth - sd, 0, depth, {}};
    for (Wall w : {Wall::Front, Wall::Rear}) {
        if (!(w == Wall::Front ? hasFront(d.door) : hasRear(d.door)))
            continue;
        Opening door;
        door.left = (width - doorRoughWidth) / 2;
        door.right = door.left + doorRoughWidth;
        door.bottom = floorTop;
        door.head = floorTop + doorRoughHeight;
        door.header = doorHeader;
        walls[size_t(w)].openings.append(door);
    }
    // Windows in the order they were placed; one that does not fit is left out.
    for (const Window &window : d.windows) {
        const WindowFit fit = fitWindow(window);
        if (!fit.opening) {
            warnings.append(
                QStringLiteral("A window on the %1 wall is left out. %2").arg(wallName(window.wall), fit.refusal));
            continue;
        }
        if (fit.opening->header.engineered)
            warnings.append(
                QStringLiteral("A window's rough opening on the %1 wall is %2 wide: beyond the header table "
                               "at %3 psf ground snow; an engineered header (LVL) is drawn, to be sized by "
                               "its maker or an engineer.")
                    .arg(wallName(window.wall), units.inches(fit.opening->width()))
                    .arg(loads.groundSnow));
        QList<Opening> &list = walls[size_t(window.wall)].openings;
        list.insert(
            std::find_if(list.begin(), list.end(), [&](const Opening &o) { return o.left > fit.opening->left; }),
            *fit.opening);
    }
}

WindowFit Context::fitWindow(const Window &window) const
{
    const double t = r::Ply;
    const Wall wall = window.wall;
    const QString name = wallName(wall);
    const double length = isEndWall(wall) ? width : depth;
    const double roughWidth = window.width + r::WindowRoughPlay, roughHeight = window.height + r::WindowRoughPlay;
    const double fromLeft = window.center - roughWidth / 2, toRight = length - window.center - roughWidth / 2;
    if (fromLeft < -Eps || toRight < -Eps)
        return {{},
                QStringLiteral("The window runs past the %1 end of the %2 wall.")
                    .arg(fromLeft < -Eps ? QStringLiteral("left") : QStringLiteral("right"), name)};

    Opening o;
    o.kind = Opening::Kind::Window;
    o.window = window;
    o.bottom = floorTop + window.sill;
    o.head = o.bottom + roughHeight;
    o.header = headers::choose(roughWidth, width, loads.groundSnow, studDepth, studTop - o.head);
    // Between the opening and the outer end: the crossing wall, its corner stud or backer,
    // then this opening's king and jacks; never less than a stud's depth.
    const double corner = studDepth + 2 * t + o.jacksWidth();
    if (fromLeft < corner - Eps || toRight < corner - Eps)
        return {{},
                QStringLiteral("The window stands too close to the %1 corner of the %2 wall: its rough opening "
                               "must stay %3 from the corner, clear of the corner's studs and its own.")
                    .arg(fromLeft < corner - Eps ? QStringLiteral("left") : QStringLiteral("right"), name,
                         units.inches(corner))};
    const double centre = runFromLeft(wall, window.center);
    o.left = centre - roughWidth / 2;
    o.right = centre + roughWidth / 2;
    if (o.bottom - t < studBottom - Eps)
        return {{},
                QStringLiteral("The window's sill is too low: it must stand at least %1 above the floor, its "
                               "rough sill on the bottom plate.")
                    .arg(units.inches(2 * t))};
    if (o.headerTop() > studTop + Eps)
        return {{},
                QStringLiteral("The window runs into the top plate of the %1 wall: under its %2 header its top may "
                               "stand at most %3 above the floor.")
                    .arg(name, o.header.size, units.inches(studTop - o.header.depth - r::WindowRoughPlay - floorTop))};
    for (const Opening &other : run(wall).openings) {
        if (o.framingLeft() < other.framingRight() - Eps && other.framingLeft() < o.framingRight() - Eps)
            return {{},
                    QStringLiteral("The window overlaps %1 of the %2 wall, with the studs beside them.")
                        .arg(other.kind == Opening::Kind::Door ? QStringLiteral("the door")
                                                               : QStringLiteral("another window"),
                             name)};
    }
    return {o, {}};
}

double Context::runFromLeft(Wall wall, double fromLeft) const
{
    return isEndWall(wall) ? fromLeftEnd(wall, fromLeft, 0, width, depth) : fromLeftEnd(wall, 0, fromLeft, width, depth);
}

} // namespace corvelle::shed::framing
