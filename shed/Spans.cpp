#include "Spans.h"

#include "Lumber.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed::spans {

LoadCase floorCase(const SiteLoads &loads) { return {loads.floorLive, loads.floorDead, 360, lumber::DurationNormal}; }
LoadCase ceilingCase() { return {10, 5, 240, lumber::DurationNormal}; }
LoadCase roofLiveCase(const SiteLoads &loads)
{
    return {loads.roofLive, loads.roofDead, 180, lumber::DurationRoofLive, true};
}
LoadCase snowCase(const SiteLoads &loads) { return {loads.groundSnow, loads.roofDead, 180, lumber::DurationSnow}; }

double allowableSpan(const Member &m, const LoadCase &load)
{
    const lumber::DesignValues v = lumber::reference(m.species, m.depth);
    const double cr = m.repetitive ? lumber::RepetitiveMember : 1.0;
    const double fb = lumber::bendingReference(m.species, m.depth, load.roofLiveTable)
                      * lumber::sizeFactorBending(m.species, m.depth) * cr * load.duration;
    const double fv = v.Fv * load.duration;
    const double b = m.thickness, d = m.depth;
    const double section = b * d * d / 6, inertia = b * d * d * d / 12;
    // Line loads in pounds an inch from pressures over the member's centres.
    const double total = (load.live + load.dead) * m.spacing / 144;
    const double live = load.live * m.spacing / 144;
    double span = TableLimit;
    if (total > 0) {
        span = std::min(span, std::sqrt(8 * fb * section / total)); // M = wL^2/8
        span = std::min(span, 4.0 / 3 * fv * b * d / total);        // fv = 3V/2bd, V = wL/2
    }
    if (live > 0) // 5wL^4/384EI = L/n
        span = std::min(span, std::cbrt(384 * v.E * inertia / (5 * load.deflection * live)));
    return std::floor(span + 1e-9);
}

double allowableRafterSpan(const Member &member, const SiteLoads &loads)
{
    return std::min(allowableSpan(member, roofLiveCase(loads)), allowableSpan(member, snowCase(loads)));
}

} // namespace corvelle::shed::spans
