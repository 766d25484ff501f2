#include "Assemblies.h"

#include "shed/Layout.h"

namespace corvelle::shed::framing {

namespace r = rules;

void floor(const Context &c, Members &out)
{
    const Design &d = c.design;
    if (d.floor != FloorType::Wood && d.floor != FloorType::Blocks)
        return;
    const double W = c.width, D = c.depth, jh = d.joistHeight, jw = d.joistWidth;
    const double joistTop = c.skidTop + jh;

    // Joists along the depth at the file's centres, between side rims; rims all round.
    const QString joistStock = nominalSection(jw, jh) + QStringLiteral(" PT");
    for (double z : {0.0, D - jw}) {
        for (auto [a, b] : splitRun(0, W, c.joistCentres))
            out.lumber(MemberKind::RimJoist, Layer::Floor, joistStock, QVector3D(a, c.skidTop, z),
                       QVector3D(b - a, jh, jw), Axis::X);
    }
    // Joists that butt over a skid bear on half of it each: a scab across the joint, on the
    // side toward the shed's middle, ties them and carries both onto the skid.
    const auto joistRun = [&](MemberKind kind, double x) {
        for (auto [a, b] : splitRun(jw, D - jw, c.skidCentres)) {
            out.lumber(kind, Layer::Floor, joistStock, QVector3D(x, c.skidTop, a), QVector3D(jw, jh, b - a), Axis::Z);
            if (b < D - jw - Eps) {
                const double sx = x + jw / 2 < W / 2 ? x + jw : x - jw;
                out.lumber(MemberKind::Scab, Layer::Floor, joistStock, QVector3D(sx, c.skidTop, b - r::ScabLength / 2),
                           QVector3D(jw, jh, r::ScabLength), Axis::Z);
            }
        }
    };
    joistRun(MemberKind::RimJoist, 0);
    joistRun(MemberKind::RimJoist, W - jw);
    for (double centre : c.joistCentres)
        joistRun(MemberKind::Joist, centre - jw / 2);

    // The deck: sheets across the joists, every end joint centred on a joist, rows
    // breaking on different joists.
    const QString deckStock = fraction(d.deckThickness) + QStringLiteral(" in plywood");
    out.model.sheetSizes.insert(deckStock, QSizeF(d.sheetWidth, d.sheetLength));
    QList<double> supports = c.joistCentres;
    supports.prepend(jw / 2);
    supports.append(W - jw / 2);
    QList<double> below;
    for (double z = 0; z < D - Eps; z += d.sheetWidth) {
        const double z1 = std::min(D, z + d.sheetWidth);
        below = layout::sheetJoints({0, W, d.sheetLength, supports, d.joistCenters, {}, below});
        const QList<double> ends = QList<double>{0} + below + QList<double>{W};
        for (qsizetype i = 1; i < ends.size(); ++i) {
            Member &sheet = out.lumber(MemberKind::DeckSheet, Layer::Floor, deckStock,
                                       QVector3D(ends[i - 1], joistTop, z),
                                       QVector3D(ends[i] - ends[i - 1], d.deckThickness, z1 - z), Axis::X);
            sheet.length = std::max(ends[i] - ends[i - 1], z1 - z);
            sheet.width = std::min(ends[i] - ends[i - 1], z1 - z);
        }
    }
}

} // namespace corvelle::shed::framing
