#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

namespace corvelle::shed::sheet {

namespace {

// Slab, gravel pad, or skids on piers, the piers' spacing from the right wall, where the
// framing's layout starts.
class FoundationSheet final : public Sheet {
public:
    using Sheet::Sheet;
    QString title() const override { return QStringLiteral("Foundation plan"); }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const Projection plan = planView(d.width);
        QStringList notes;
        // Along the page from the right wall's outer face (u = width); across it from the front.
        QList<double> piers{d.width}, skids{0};
        for (const Member &m : in_.model.members) {
            if (m.layer != Layer::Foundation)
                continue;
            const Box3 b = bounds(m);
            if (m.kind == MemberKind::Block && b.lo.y() < 0.01 && b.lo.z() < 12)
                piers.append(plan((b.lo + b.hi) / 2).x());
            if (m.kind == MemberKind::Skid)
                skids.append((b.lo.z() + b.hi.z()) / 2);
        }
        if (piers.size() > 1)
            notes << QStringLiteral("Piers: centres from the right corner along each skid (top string, 0 at its right "
                                    "end).");
        if (skids.size() > 1)
            notes << QStringLiteral("Skids: centres from the front (left string).");
        switch (d.floor) {
        case FloorType::Gravel:
            notes << QStringLiteral("Gravel pad, level and compacted, under the whole shed.");
            break;
        case FloorType::Concrete:
            notes << QStringLiteral("Concrete slab %1 thick; anchor bolts for the bottom plates.")
                         .arg(u.length(d.slabThickness));
            break;
        case FloorType::Wood:
            notes << QStringLiteral("Treated skids on a level bed.");
            break;
        case FloorType::Blocks:
            notes << QStringLiteral("%1 rows of blocks %2 under the joists.")
                         .arg(d.blockRows)
                         .arg(u.size(d.blockWidth, d.blockHeight, d.blockLength));
            break;
        }
        notes << QStringLiteral("Seen from above: front wall at the bottom of the page, left wall on the left.");
        // The piers' string over the drawing, its figures read up from it; the notes under it.
        const double over = piers.size() > 1 ? RunningFigureRoom - 14 : 0;
        const LayerPlan view = layerPlan(canvas, area.adjusted(0, over, 0, -12.0 * wrapped(notes, area.width()).size()),
                                         in_, Layer::Foundation);
        if (piers.size() > 1)
            runningDimension(view.drawing, piers, view.extent.v1, true, -14, true);
        if (skids.size() > 1)
            runningDimension(view.drawing, skids, view.extent.u0, false, 44);
        note(canvas, area, notes);
        return view.scale;
    }
};

} // namespace

std::unique_ptr<Sheet> foundationSheet(const PlanInputs &in) { return std::make_unique<FoundationSheet>(in); }

} // namespace corvelle::shed::sheet
