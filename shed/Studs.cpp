#include "Studs.h"

#include "Lumber.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed::studs {

double studLoad(const Wall &w, double pressure) { return pressure * w.tributary * w.spacing / 144; }

namespace {

// The tallest height at which the stud carries `load` under Fc* = Fc CD CF: the CP the
// load needs, and the slenderness giving it. CP solves c CP^2 - (1 + r) CP + r = 0 with
// r = FcE / Fc*, so r = CP (1 - c CP) / (1 - CP), and FcE = 0.822 Emin / (le/d)^2.
double heightFor(const Wall &w, double load, double duration)
{
    const lumber::DesignValues v = lumber::reference(w.species, w.depth);
    const double fcStar = v.Fc * duration * lumber::sizeFactorCompression(w.species, w.depth);
    const double area = w.thickness * w.depth;
    double slenderness = lumber::MaxSlenderness;
    if (load > 0) {
        const double cp = load / (fcStar * area);
        if (cp >= 1)
            return 0;
        const double c = lumber::ColumnSawnLumber;
        const double r = cp * (1 - c * cp) / (1 - cp);
        slenderness = std::min(slenderness, std::sqrt(0.822 * v.Emin / (r * fcStar)));
    }
    return std::floor(slenderness * w.depth + 1e-9);
}

} // namespace

double columnHeight(const Wall &w, const SiteLoads &loads)
{
    return std::min(heightFor(w, studLoad(w, loads.groundSnow + loads.roofDead), lumber::DurationSnow),
                    heightFor(w, studLoad(w, loads.roofLive + loads.roofDead), lumber::DurationRoofLive));
}

} // namespace corvelle::shed::studs
