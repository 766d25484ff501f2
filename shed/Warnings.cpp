#include "shed/Warnings.h"

#include "shed/Framing.h"
#include "shed/Rules.h"

#include <cmath>

namespace corvelle::shed {

namespace r = rules;

QStringList warnings(const Design &d, const Model &model, Units units)
{
    QStringList out = d.warnings + model.warnings;

    const double rise = floorTop(d);
    for (bool front : {true, false}) {
        if (!rampBuilt(d, front) || d.rampLength <= 0)
            continue;
        const double slope = rise / d.rampLength;
        if (slope > r::MaxRampSlope + 1e-9)
            out << QStringLiteral("The %1 ramp climbs %2 over %3, 1 in %4: steeper than 1 in 4, too steep to push a "
                                  "loaded barrow or mower up; lengthen it or lower the floor.")
                       .arg(front ? QStringLiteral("front") : QStringLiteral("rear"))
                       .arg(units.inches(rise), units.feet(d.rampLength), QString::number(d.rampLength / rise, 'f', 1));
    }

    return out;
}

} // namespace corvelle::shed
