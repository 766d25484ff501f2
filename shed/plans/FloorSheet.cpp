#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

namespace corvelle::shed::sheet {

namespace {

// Joists and the deck over them, the joist layout from the right wall, where it starts.
class FloorSheet final : public Sheet {
public:
    using Sheet::Sheet;
    QString title() const override { return QStringLiteral("Floor framing plan"); }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const QList<const Member *> joists =
            select(in_.model, [](const Member &m) { return m.layer == Layer::Floor && isLumber(m); });
        if (joists.isEmpty()) {
            const LayerPlan view = layerPlan(canvas, area, in_, Layer::Floor);
            note(canvas, area,
                 {QStringLiteral("No floor framing: the walls stand on the %1.")
                      .arg(d.floor == FloorType::Gravel ? QStringLiteral("gravel") : QStringLiteral("slab"))});
            return view.scale;
        }
        const QList<const Member *> sheets =
            select(in_.model, [](const Member &m) { return m.layer == Layer::Floor && !isLumber(m); });
        const Projection plan = planView(d.width);
        const Extent e = extentOf(joists, plan);
        Scale s;
        // Room over the drawing for the joist string's figures, read up from it.
        const Drawing dr = fit(canvas, e, area.adjusted(0, RunningFigureRoom - 14, 0, 0), u, s);
        drawMembers(dr, sheets, plan, true);
        drawMembers(dr, joists, plan);
        markMembers(dr, in_, joists, plan);
        dimension(dr, {e.u0, e.v0}, {e.u1, e.v0}, true, 22);
        dimension(dr, {e.u0, e.v0}, {e.u0, e.v1}, false, 22);
        // The joists sit at their centres from the right wall: each one's edge toward it,
        // measured from the right rim's outer face.
        QList<double> layoutMarks{plan({0, 0, 0}).x()};
        for (const Member *m : joists) {
            if (m->kind == MemberKind::Joist)
                layoutMarks.append(plan(bounds(*m).lo).x());
        }
        runningDimension(dr, layoutMarks, e.v1, true, -14, true);
        const QString stock = joists.first()->stock;
        // The count the material list buys, and the pieces they are cut into.
        const QString deckStock = sheets.isEmpty() ? QString() : sheets.first()->stock;
        QString bought;
        for (const QStringList &row : in_.materials.rows) {
            if (!deckStock.isEmpty() && row.value(0).startsWith(deckStock + QLatin1Char(' ')))
                bought = row.value(1);
        }
        note(canvas, area,
             {QStringLiteral("Joists %1 at %2 on centre; deck %3 thick laid across them, %4 pieces cut from %5 sheets.")
                  .arg(u.stock(stock), u.length(d.joistCenters), u.length(d.deckThickness))
                  .arg(sheets.size())
                  .arg(bought.isEmpty() ? QStringLiteral("?") : bought),
              QStringLiteral("Joist layout from the right corner (top string, 0 at its right end); seen from above, "
                             "front at the bottom of the page, left wall on the left.")});
        return s;
    }
};

} // namespace

std::unique_ptr<Sheet> floorSheet(const PlanInputs &in) { return std::make_unique<FloorSheet>(in); }

} // namespace corvelle::shed::sheet
