#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

namespace corvelle::shed::sheet {

namespace {

// Slab, gravel pad, or skids on piers, with their spacing from the front left corner.
class FoundationSheet final : public Sheet {
public:
    using Sheet::Sheet;
    QString title() const override { return QStringLiteral("Foundation plan"); }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const LayerPlan view = layerPlan(canvas, area, in_, Layer::Foundation);
        const Extent &e = view.extent;
        QStringList notes;
        QList<double> piers{0}, skids{0};
        for (const Member *m : view.members) {
            const Box3 b = bounds(*m);
            if (m->kind == MemberKind::Block && b.lo.y() < 0.01 && b.lo.z() < 12)
                piers.append((b.lo.x() + b.hi.x()) / 2);
            if (m->kind == MemberKind::Skid)
                skids.append((b.lo.z() + b.hi.z()) / 2);
        }
        if (piers.size() > 1) {
            runningDimension(view.drawing, piers, e.v1, true, -14);
            notes << QStringLiteral("Piers: centres from the left corner along each skid (top string).");
        }
        if (skids.size() > 1) {
            runningDimension(view.drawing, skids, e.u0, false, 44);
            notes << QStringLiteral("Skids: centres from the front (left string).");
        }
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
        notes << QStringLiteral("Front wall at the bottom of the page.");
        note(canvas, area, notes);
        return view.scale;
    }
};

} // namespace

std::unique_ptr<Sheet> foundationSheet(const PlanInputs &in) { return std::make_unique<FoundationSheet>(in); }

} // namespace corvelle::shed::sheet
