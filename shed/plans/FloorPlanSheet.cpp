#include "shed/Framing.h"
#include "shed/Geometry.h"
#include "shed/Palette.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <cmath>

namespace corvelle::shed::sheet {

namespace {

// A floor plan cuts the walls at this height above the floor: through the doors, under
// any window head.
constexpr double CutHeight = 48;

// The walls seen from above cut at 4 ft: studs, sheathing, siding and lining in section,
// the doors swung open, the ramp below, inside and outside dimensions.
class FloorPlanSheet final : public Sheet {
public:
    using Sheet::Sheet;

    QString title() const override { return QStringLiteral("Floor plan"); }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const double W = d.width, D = d.depth;
        const Projection view = planView(W);
        const double cut = floorTop(d) + CutHeight;
        const QList<const Member *> walls = select(in_.model, [&](const Member &m) {
            if (m.layer != Layer::Framing && m.layer != Layer::Lining && m.layer != Layer::Siding)
                return false;
            // Just above the cut's height: a siding or lining joint there still cuts the piece above.
            const Box3 b = bounds(m);
            return b.lo.y() < cut + 0.01 && b.hi.y() > cut + 0.01;
        });
        const QList<const Member *> leaves = select(in_.model, [](const Member &m) { return m.layer == Layer::Doors; });
        const QList<const Member *> ramps = select(in_.model, [](const Member &m) { return m.layer == Layer::Ramps; });
        Extent e = extentOf(walls + ramps, view);
        e.add({0, -d.doorWidth});
        e.add({W, D + d.doorWidth});
        Scale scale;
        const Drawing drawing = fit(canvas, e, area.adjusted(0, 0, 0, -40), u, scale);
        QPainter &p = canvas.painter();

        drawMembers(drawing, ramps, view, true);
        drawMembers(drawing, walls, view);
        const Extent out = extentOf(walls, view);

        // Doors swing out, each leaf hinged at its outer edge; a single leaf on the left.
        {
            const OnLayer layer(canvas, layerName(Layer::Doors));
            p.save();
            for (const Member *leaf : leaves) {
                const Box3 b = bounds(*leaf);
                const bool front = b.hi.z() < D / 2;
                const double face = front ? 0 : D, outward = front ? -1 : 1;
                const double x0 = b.lo.x(), x1 = b.hi.x(), width = x1 - x0;
                // The opening's centre: a leaf on its left hinges on the left.
                double mid = 0;
                int count = 0;
                for (const Member *o : leaves) {
                    const Box3 ob = bounds(*o);
                    if ((ob.hi.z() < D / 2) == front) {
                        mid += (ob.lo.x() + ob.hi.x()) / 2;
                        ++count;
                    }
                }
                mid /= count;
                const bool single = count == 1;
                const double hinge = single ? x1 : ((x0 + x1) / 2 > mid ? x1 : x0);
                const double toward = hinge == x1 ? -1 : 1; // along X, from the hinge to the latch
                const double t = b.hi.z() - b.lo.z();
                const QPolygonF open{view(QVector3D(float(hinge), 0, float(face))),
                                     view(QVector3D(float(hinge + toward * t), 0, float(face))),
                                     view(QVector3D(float(hinge + toward * t), 0, float(face + outward * width))),
                                     view(QVector3D(float(hinge), 0, float(face + outward * width)))};
                p.setPen(QPen(Qt::black, 0.6));
                p.setBrush(paperFill(*leaf));
                p.drawPolygon(drawing.at(open));
                QPolygonF arc;
                for (int i = 0; i <= 24; ++i) {
                    const double a = M_PI / 2 * i / 24;
                    arc << drawing.at(view(QVector3D(float(hinge + toward * width * std::cos(a)), 0,
                                                     float(face + outward * width * std::sin(a)))));
                }
                p.setPen(QPen(Qt::black, 0.4, Qt::DashLine));
                p.setBrush(Qt::NoBrush);
                p.drawPolyline(arc);
            }
            p.restore();
        }

        // Outside over the siding, inside between the walls' inner faces.
        const double inner = d.studDepth + (d.lining ? d.liningThickness : 0);
        // Outside above and left of the walls; inside across the room, clear of each other.
        const double over = hasRear(d.door) ? e.v1 : out.v1; // above a rear door's swing
        dimension(drawing, {out.u0, over}, {out.u1, over}, true, -14);
        dimension(drawing, {out.u0, out.v0}, {out.u0, out.v1}, false, 24);
        dimension(drawing, {inner, D * 0.7}, {W - inner, D * 0.7}, true, 0,
                  QStringLiteral("%1 inside").arg(u.length(W - 2 * inner)));
        dimension(drawing, {W * 0.3, inner}, {W * 0.3, D - inner}, false, 0,
                  QStringLiteral("%1 inside").arg(u.length(D - 2 * inner)));
        QStringList notes{
            QStringLiteral("Walls cut %1 above the floor; seen from above, front at the bottom of the page, left "
                           "wall on the left.")
                .arg(u.length(CutHeight)),
            QStringLiteral("Walls %1 studs at %2 centres%3; outside %4 x %5 over the siding, inside %6 x %7.")
                .arg(u.stock(nominalSection(d.studThickness, d.studDepth)), u.length(d.studCenters),
                     d.lining ? QStringLiteral(", lined inside") : QString(), u.length(out.u1 - out.u0),
                     u.length(out.v1 - out.v0), u.length(W - 2 * inner), u.length(D - 2 * inner))};
        if (!leaves.isEmpty()) {
            notes << QStringLiteral("Door openings %1 rough, centred in the %2 wall%3; the doors swing out.")
                         .arg(u.length(roughOpeningWidth(d)), sidesName(d.door),
                              d.door == Sides::Both ? QStringLiteral("s") : QString());
            // The rough opening of the first door, from the corner on the page's left.
            const Box3 b = bounds(*leaves.first());
            const double ro = roughOpeningWidth(d), c = W / 2;
            const double v = b.hi.z() < D / 2 ? 0 : D;
            dimension(drawing, view(QVector3D(float(c + ro / 2), 0, float(v))),
                      view(QVector3D(float(c - ro / 2), 0, float(v))), true, v == 0 ? -14 : 14);
        }
        if (!ramps.isEmpty()) {
            const Extent r = extentOf(ramps, view);
            const OnLayer layer(canvas, sheetlayer::Text);
            p.save();
            p.setFont(font(8, true));
            p.drawText(QRectF(drawing.at({r.u0, r.v1}), drawing.at({r.u1, r.v0})), Qt::AlignCenter,
                       QStringLiteral("RAMP"));
            p.restore();
            notes << QStringLiteral("Ramp %1 long down from the door%2 to the ground.")
                         .arg(u.length(d.rampLength), d.ramp == Sides::Both ? QStringLiteral("s") : QString());
        }
        note(canvas, area, notes);
        return scale;
    }
};

} // namespace

std::unique_ptr<Sheet> floorPlanSheet(const PlanInputs &in) { return std::make_unique<FloorPlanSheet>(in); }

} // namespace corvelle::shed::sheet
