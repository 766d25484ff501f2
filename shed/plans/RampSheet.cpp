#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <cmath>

namespace corvelle::shed::sheet {

namespace {

// The ramp in side view and plan, with the stringer's cuts and how it meets the floor.
class RampSheet final : public Sheet {
public:
    using Sheet::Sheet;
    QString title() const override { return QStringLiteral("Ramp detail"); }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const QList<const Member *> members =
            select(in_.model, [](const Member &m) { return m.layer == Layer::Ramps; });
        if (members.isEmpty()) {
            note(canvas, area, {QStringLiteral("This design has no ramp.")});
            return {};
        }
        // Side view on the left half, plan on the right.
        const Projection side = [](QVector3D p) { return QPointF(p.z(), p.y()); };
        const QRectF left(area.left(), area.top(), area.width() / 2, area.height() - 40);
        const QRectF right(area.center().x(), area.top(), area.width() / 2, area.height() - 40);
        Extent es = extentOf(members, side);
        const Projection plan = planView(d.width);
        Extent ep = extentOf(members, plan);
        Scale s1, s2;
        Drawing ds = fit(canvas, es, left, u, s1);
        const Drawing dp = fit(canvas, ep, right, u, s2);
        const Scale &s = s1.ratio < s2.ratio ? s1 : s2;
        const double k = pointsPerModelInch(s);
        ds.origin = QPointF(left.center().x() - (es.u0 + es.u1) / 2 * k, left.center().y() + (es.v0 + es.v1) / 2 * k);
        const Drawing dp2{
            canvas, k,
            QPointF(right.center().x() - (ep.u0 + ep.u1) / 2 * k, right.center().y() + (ep.v0 + ep.v1) / 2 * k), u};
        Q_UNUSED(dp);
        drawMembers(ds, members, side);
        drawMembers(dp2, members, plan);
        markMembers(dp2, in_, members, plan);
        dimension(ds, {es.u0, es.v0}, {es.u1, es.v0}, true, 22);
        dimension(ds, {es.u0, es.v0}, {es.u0, es.v1}, false, 22);
        dimension(dp2, {ep.u0, ep.v0}, {ep.u1, ep.v0}, true, 22);
        dimension(dp2, {ep.u0, ep.v0}, {ep.u0, ep.v1}, false, 22);
        QStringList notes{QStringLiteral("Side view (left) and plan (right); ramp on the %1.").arg(sidesName(d.ramp))};
        for (const Member *m : members)
            if (m->kind == MemberKind::RampStringer) {
                // The taper rip is the level edge the stringer stands on at the toe.
                double rip = 0;
                for (qsizetype i = 0; i < m->profile.size(); ++i) {
                    const QPointF a = m->profile[i], b = m->profile[(i + 1) % m->profile.size()];
                    if (std::abs(a.y()) < 1e-6 && std::abs(b.y()) < 1e-6)
                        rip = std::abs(b.x() - a.x());
                }
                notes << QStringLiteral("Stringer %1 cut %2 long point, top end %3\u00b0 (plumb against the ledger); "
                                        "taper rip from the full depth to nothing at the toe, %4 long (%5\u00b0).")
                             .arg(u.stock(m->stock), u.length(m->length))
                             .arg(m->angle1, 0, 'f', 1)
                             .arg(u.length(rip))
                             .arg(m->angle2, 0, 'f', 1);
                notes << QStringLiteral(
                             "Ledger bolted through the siding to the %1; the deck runs over it to the wall, "
                             "its last board ripped to fit, flush with the floor.")
                             .arg(d.floor == FloorType::Concrete ? QStringLiteral("slab's edge")
                                                                 : QStringLiteral("rim joist"));
                break;
            }
        note(canvas, area, notes);
        return s;
    }
};

} // namespace

std::unique_ptr<Sheet> rampSheet(const PlanInputs &in) { return std::make_unique<RampSheet>(in); }

} // namespace corvelle::shed::sheet
