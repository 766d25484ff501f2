#include "Context.h"

#include "shed/Framing.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed::framing {

namespace r = rules;

constexpr double Eps = 1e-6;

Context::Context(const Design &d, const SiteLoads &siteLoads) : design(d), loads(siteLoads)
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
        doorHeader = headers::choose(doorRoughWidth, width, loads.groundSnow, studDepth);
        if (doorHeader.engineered)
            warnings.append(
                QStringLiteral("The door's rough opening is %1 in wide: beyond the header table at %2 psf ground "
                               "snow on a %3 ft wide shed; an engineered header (LVL) is drawn, to be sized by its "
                               "maker or an engineer.")
                    .arg(doorRoughWidth)
                    .arg(loads.groundSnow)
                    .arg(width / 12));
        const double room = wallHeight - r::TopPlates * t - doorHeader.depth;
        if (doorRoughHeight > room + Eps) {
            warnings.append(QStringLiteral("A door %1 ft high leaves no room for its header under the top plates of a "
                                           "%2 ft wall; it is framed %3 in high.")
                                .arg(d.doorHeight / 12)
                                .arg(wallHeight / 12)
                                .arg(room - r::RoughHeightPlay));
            doorRoughHeight = room;
        }
        if (doorRoughWidth < d.doorWidth + r::RoughWidthPlay - Eps)
            warnings.append(
                QStringLiteral("A door %1 ft wide does not fit between the corner studs; it is framed %2 in wide.")
                    .arg(d.doorWidth / 12)
                    .arg(doorRoughWidth - r::RoughWidthPlay));
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
}

double Context::runFromLeft(Wall wall, double fromLeft) const
{
    return isEndWall(wall) ? fromLeftEnd(wall, fromLeft, 0, width, depth) : fromLeftEnd(wall, 0, fromLeft, width, depth);
}

} // namespace corvelle::shed::framing
