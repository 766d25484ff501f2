#include "Framing.h"

#include "Rules.h"
#include "framing/Assemblies.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed {

namespace r = rules;

Model buildModel(const Design &design, const SiteLoads &loads, Units units)
{
    const framing::Context context(design, loads, units);
    Model m;
    m.design = design;
    m.loads = loads;
    m.warnings = context.warnings;
    // Most members are siding pieces: reserve for them and the frame once.
    const double covered = 2 * (design.width + design.depth) * (design.innerHeight + design.width / 2);
    m.members.reserve(qsizetype(covered / std::max(1.0, design.sidingWidth * design.sidingHeight) * 1.3) + 600);
    framing::Members out(m, context);
    framing::foundation(context, out);
    framing::floor(context, out);
    const framing::WallSupports supports = framing::walls(context, out);
    framing::roof(context, out);
    framing::coverings(context, supports, out);
    framing::openings(context, out);
    framing::ramps(context, out);
    return m;
}

QString windowMisfit(const Design &design, const Window &window, const SiteLoads &loads, Units units)
{
    return framing::Context(design, loads, units).fitWindow(window).refusal;
}

double floorTop(const Design &design)
{
    switch (design.floor) {
    case FloorType::Gravel: return 0;
    case FloorType::Concrete: return design.slabThickness;
    case FloorType::Wood:
    case FloorType::Blocks: break;
    }
    const int rows = design.floor == FloorType::Blocks ? std::max(1, design.blockRows) : 0;
    return rows * design.blockHeight + r::SkidDepth + design.joistHeight + design.deckThickness;
}

double roughOpeningWidth(const Design &design)
{
    // Room for a king, a jack and the corner backer at each end.
    const double widest = design.width - 2 * (design.studDepth + 3 * r::Ply);
    return std::min(design.doorWidth + r::RoughWidthPlay, widest);
}

bool rampBuilt(const Design &design, bool front)
{
    if (design.floor == FloorType::Gravel)
        return false;
    return front ? hasFront(design.ramp) && hasFront(design.door) : hasRear(design.ramp) && hasRear(design.door);
}

QString nominalSection(double thickness, double depth)
{
    const auto nominal = [](double actual) {
        for (auto [a, n] : r::DressedSizes) {
            if (std::abs(actual - a) < 0.01)
                return QString::number(n);
        }
        return QString::number(std::ceil(actual + 0.5));
    };
    return nominal(thickness) + QLatin1Char('x') + nominal(depth);
}


double lowestRoofPitch(const Design &design)
{
    return design.roof == RoofType::Barn ? std::min(r::GambrelLowerPitch, r::GambrelUpperPitch) : r::GablePitch;
}

} // namespace corvelle::shed
