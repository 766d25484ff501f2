#include "shed/Warnings.h"

#include "shed/Framing.h"
#include "shed/Rules.h"

#include <cmath>

namespace corvelle::shed {

namespace r = rules;

QStringList warnings(const Design &d, const Model &model)
{
    QStringList out = d.warnings + model.warnings;
    const auto feet = [](double inches) { return QString::number(inches / 12, 'g', 4); };

    if (d.studDepth < 4 && d.innerHeight > r::Max2x4StudWall)
        out << QStringLiteral("Walls %1 ft high on 2x4 studs: 2x4 studs are good for walls up to 10 ft; use 2x6 studs.")
                   .arg(feet(d.innerHeight));

    const double rise = floorTop(d);
    for (bool front : {true, false}) {
        if (!rampBuilt(d, front) || d.rampLength <= 0)
            continue;
        const double slope = rise / d.rampLength;
        if (slope > r::MaxRampSlope + 1e-9)
            out << QStringLiteral("The %1 ramp climbs %2 in over %3 ft, 1 in %4: steeper than 1 in 4, too steep to push a "
                                  "loaded barrow or mower up; lengthen it or lower the floor.")
                       .arg(front ? QStringLiteral("front") : QStringLiteral("rear"))
                       .arg(QString::number(rise, 'g', 4), feet(d.rampLength), QString::number(d.rampLength / rise, 'f', 1));
    }

    const double area = d.width * d.depth / 144;
    if (area > r::PermitFloorArea + 1e-9)
        out << QStringLiteral("The floor is %1 sq ft: a shed over 200 sq ft needs a building permit in many places.")
                   .arg(QString::number(area, 'f', 0));

    if ((d.floor == FloorType::Wood || d.floor == FloorType::Blocks) && d.deckThickness < r::MinFloorDeck - 1e-9)
        out << QStringLiteral("The floor deck is %1 in plywood: joists at %2 in centres need a deck of 19/32 in (5/8 in) "
                              "or more, or it will sag between them.")
                   .arg(fraction(d.deckThickness)).arg(d.joistCenters);

    if (d.door != Sides::None && headerDepth(roughOpeningWidth(d)) == 0)
        out << QStringLiteral("The door's rough opening is %1 in wide: the header table covers spans up to %2 in; have the "
                              "header sized by an engineer (a 2x12 header is drawn).")
                   .arg(roughOpeningWidth(d)).arg(std::end(r::Headers)[-1].maxSpan);
    return out;
}

} // namespace corvelle::shed
