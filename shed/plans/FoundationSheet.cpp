#include "shed/Hardware.h"
#include "shed/Wall.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <algorithm>
#include <map>

namespace corvelle::shed::sheet {

namespace {

constexpr double AnchorBoltMarkRadius = 1.6; // points

// A slab's anchor bolts, on the bottom plates' centre lines, by wall: they are set in the wet
// concrete, so the foundation plan is where a builder needs them.
struct AnchorBolt {
    QVector3D at;
    double along; // from the wall's left end as seen from outside
};
std::map<Wall, QList<AnchorBolt>> anchorBolts(const Model &model)
{
    const Design &d = model.design;
    std::map<Wall, QList<AnchorBolt>> out;
    for (const Member &m : model.members) {
        if (m.kind != MemberKind::BottomPlate || !m.wall)
            continue;
        const Box3 b = bounds(m);
        const bool alongX = b.hi.x() - b.lo.x() >= b.hi.z() - b.lo.z();
        const QVector3D mid = (b.lo + b.hi) / 2;
        for (double a : anchorBoltsAlong(m.length)) {
            const QVector3D at = alongX ? QVector3D(b.lo.x() + float(a), mid.y(), mid.z())
                                        : QVector3D(mid.x(), mid.y(), b.lo.z() + float(a));
            out[*m.wall].append({at, fromLeftEnd(*m.wall, at, d.width, d.depth)});
        }
    }
    for (auto &[wall, bolts] : out)
        std::sort(bolts.begin(), bolts.end(),
                  [](const AnchorBolt &a, const AnchorBolt &b) { return a.along < b.along; });
    return out;
}

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
        const std::map<Wall, QList<AnchorBolt>> bolts =
            d.floor == FloorType::Concrete ? anchorBolts(in_.model) : std::map<Wall, QList<AnchorBolt>>{};
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
            notes << QStringLiteral("Concrete slab %1 thick.").arg(u.length(d.slabThickness));
            if (d.slabThickness > 0 && !bolts.empty()) {
                QStringList walls;
                int count = 0;
                for (const auto &[wall, list] : bolts) {
                    QStringList at;
                    for (const AnchorBolt &b : list)
                        at << u.length(b.along);
                    walls << QStringLiteral("%1 %2").arg(wallName(wall), at.join(QStringLiteral(", ")));
                    count += int(list.size());
                }
                notes << QStringLiteral("Anchor bolts (%1 in all, the dots), set in the wet concrete on the bottom "
                                        "plates' centre lines, from each wall's left corner as seen from outside: %2.")
                             .arg(count)
                             .arg(walls.join(QStringLiteral("; ")));
            }
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
        if (d.slabThickness > 0 && !bolts.empty()) {
            const OnLayer layer(canvas, layerName(Layer::Framing));
            QPainter &p = canvas.painter();
            p.save();
            p.setPen(QPen(Qt::black, 0.6));
            p.setBrush(Qt::black);
            for (const auto &[wall, list] : bolts) {
                for (const AnchorBolt &b : list)
                    p.drawEllipse(view.drawing.at(plan(b.at)), AnchorBoltMarkRadius, AnchorBoltMarkRadius);
            }
            p.restore();
        }
        note(canvas, area, notes);
        return view.scale;
    }
};

} // namespace

std::unique_ptr<Sheet> foundationSheet(const PlanInputs &in) { return std::make_unique<FoundationSheet>(in); }

} // namespace corvelle::shed::sheet
