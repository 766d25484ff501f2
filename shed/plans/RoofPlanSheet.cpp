#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

namespace corvelle::shed::sheet {

namespace {

// The trusses or rafters from above over the walls, the roof sheets behind, the frame
// layout from the front wall.
class RoofPlanSheet final : public Sheet {
public:
    using Sheet::Sheet;
    QString title() const override { return QStringLiteral("Roof framing plan"); }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const QList<const Member *> lumber =
            select(in_.model, [](const Member &m) { return m.layer == Layer::Roof && isLumber(m); });
        const QList<const Member *> sheets =
            select(in_.model, [](const Member &m) { return m.layer == Layer::Roof && !isLumber(m); });
        const Projection plan = planView(d.width);
        Extent e = extentOf(lumber, plan);
        const Extent all = extentOf(sheets, plan);
        if (!all.empty()) {
            e.add({all.u0, all.v0});
            e.add({all.u1, all.v1});
        }
        e.add({0, 0});
        e.add({d.width, d.depth});
        Scale s;
        const Drawing dr = fit(canvas, e, area, u, s);
        drawMembers(dr, sheets, plan, true);
        drawMembers(dr, lumber, plan);
        markMembers(dr, in_, lumber, plan);
        {
            const OnLayer walls(canvas, layerName(Layer::Framing));
            QPainter &p = canvas.painter();
            p.save();
            p.setPen(QPen(Qt::black, 0.8, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(dr.at({0, d.depth}), dr.at({d.width, 0})));
            p.restore();
        }
        dimension(dr, {0, e.v0}, {d.width, e.v0}, true, 22);
        dimension(dr, {e.u0, 0}, {e.u0, d.depth}, false, 22);
        if (!all.empty()) {
            dimension(dr, {all.u0, all.v1}, {all.u1, all.v1}, true, -16);
            dimension(dr, {all.u1, all.v0}, {all.u1, all.v1}, false, -16);
        }
        // Frame layout: each frame's front face from the front wall.
        QList<double> frames{0};
        for (const Member *m : lumber) {
            const Box3 b = bounds(*m);
            if ((m->kind == MemberKind::TrussChord || m->kind == MemberKind::Rafter) && b.lo.z() >= -0.01
                && b.hi.z() <= d.depth + 0.01 && b.hi.z() - b.lo.z() < 12)
                frames.append(b.lo.z());
        }
        runningDimension(dr, frames, e.u0, false, 44);
        note(canvas, area,
             {QStringLiteral("%1 at %2 on centre; overhang %3 at the eaves, %4 at the gables.")
                  .arg(hasTrusses(in_.model) ? QStringLiteral("Trusses") : QStringLiteral("Rafters"),
                       u.length(d.roofSupportSpacing), u.length(d.overhangX), u.length(d.overhangZ)),
              QStringLiteral("Frame layout from the front wall (left string); walls dashed; roof sheets in grey; seen "
                             "from above, front at the bottom, left wall on the left.")});
        return s;
    }
};

} // namespace

std::unique_ptr<Sheet> roofPlanSheet(const PlanInputs &in) { return std::make_unique<RoofPlanSheet>(in); }

} // namespace corvelle::shed::sheet
