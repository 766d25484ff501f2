#include "shed/Framing.h"
#include "shed/Geometry.h"
#include "shed/plans/LineWork.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <functional>

namespace corvelle::shed::sheet {

namespace {

// Trim boards and vinyl accessories are as wide as a 1x4 on the wall's face.
constexpr double TrimWidth = 3.5;

// One side of the shed finished, as seen square on from outside: siding, roof, trim, the
// door and ramp, the finished heights dimensioned from the ground.
class ElevationSheet final : public Sheet {
public:
    ElevationSheet(const PlanInputs &in, Wall side) : Sheet(in), side_(side) {}

    QString title() const override
    {
        switch (side_) {
        case Wall::Front:
            return QStringLiteral("Front elevation");
        case Wall::Rear:
            return QStringLiteral("Rear elevation");
        case Wall::Left:
            return QStringLiteral("Left elevation");
        case Wall::Right:
            return QStringLiteral("Right elevation");
        }
        return {};
    }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const ViewDirection view = LineWork::elevationView(side_);
        const HiddenLines &lines = lineWork(in_).elevation(in_.model, side_);
        const QRectF extent = lines.bounds();
        Scale scale;
        const Drawing drawing = fit(canvas, extentOf(extent), area.adjusted(10, 0, 0, -40), u, scale);
        // The ramp's boards seen end on are many close lines: drawn fine.
        drawStrokes(drawing, lines, INT_MAX, [](const Stroke &s) {
            return s.visible ? QPen(Qt::black, s.layer == Layer::Ramps ? 0.2 : 0.45) : QPen(Qt::NoPen);
        });
        QPainter &p = canvas.painter();

        // The page extent of some members in this view.
        const auto onPage = [&](const std::function<bool(const Member &)> &keep) {
            QRectF r;
            for (const Member &m : in_.model.members) {
                if (!keep(m))
                    continue;
                for (const QVector3D &c : geometry::corners(m)) {
                    const QPointF q = view.project(c);
                    r = r.isNull() ? QRectF(q, QSizeF(1e-9, 1e-9)) : r.united(QRectF(q, QSizeF(1e-9, 1e-9)));
                }
            }
            return r;
        };
        const double facing = side_ == Wall::Front || side_ == Wall::Right ? 0 : 1;
        const bool endWall = side_ == Wall::Front || side_ == Wall::Rear;
        // This wall's siding: the pieces on the face toward the eye.
        const auto onThisWall = [&](const Member &m) {
            if (m.layer != Layer::Siding)
                return false;
            const auto [lo, hi] = geometry::bounds(m);
            const double c = endWall ? (lo.z() + hi.z()) / 2 : (lo.x() + hi.x()) / 2;
            const double far = endWall ? d.depth : d.width;
            return facing == 0 ? c < far / 2 : c > far / 2;
        };
        const QRectF siding = onPage(onThisWall);
        const Heights h = heightsOf(in_);
        const double plateTop = floorTop(d) + d.innerHeight;

        // Trim over the siding: corner boards at both ends up to the eaves' underside, and a
        // casing round each door.
        QList<QRectF> trim;
        if (!siding.isNull()) {
            trim << QRectF(QPointF(siding.left(), siding.top()), QPointF(siding.left() + TrimWidth, plateTop))
                 << QRectF(QPointF(siding.right() - TrimWidth, siding.top()), QPointF(siding.right(), plateTop));
        }
        const QRectF door = onPage([&](const Member &m) { return m.layer == Layer::Doors && onWallOf(m); });
        if (!door.isNull()) {
            trim << QRectF(QPointF(door.left() - TrimWidth, door.top()),
                           QPointF(door.left(), door.bottom() + TrimWidth))
                 << QRectF(QPointF(door.right(), door.top()),
                           QPointF(door.right() + TrimWidth, door.bottom() + TrimWidth))
                 << QRectF(QPointF(door.left(), door.bottom()), QPointF(door.right(), door.bottom() + TrimWidth));
        }
        {
            const OnLayer layer(canvas, layerName(Layer::Siding));
            p.save();
            p.setPen(QPen(Qt::black, 0.6));
            p.setBrush(Qt::white);
            for (const QRectF &r : trim)
                p.drawPolygon(drawing.at(QPolygonF{r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}));
            p.restore();
        }
        groundLine(drawing, extent.left(), extent.right());
        // Heights from the ground on the left, the width below.
        const double left = extent.left();
        dimension(drawing, {left, 0}, {left, h.floor}, false, 14, QStringLiteral("floor %1").arg(u.length(h.floor)));
        dimension(drawing, {left, 0}, {left, h.eaves}, false, 30, QStringLiteral("eaves %1").arg(u.length(h.eaves)));
        dimension(drawing, {left, 0}, {left, h.ridge}, false, 46, QStringLiteral("ridge %1").arg(u.length(h.ridge)));
        if (!siding.isNull())
            dimension(drawing, {siding.left(), 0}, {siding.right(), 0}, true, 22);
        const QRectF roof = onPage([](const Member &m) { return m.layer == Layer::Roof; });
        if (!roof.isNull())
            dimension(drawing, {roof.left(), 0}, {roof.right(), 0}, true, 40);
        if (!door.isNull())
            dimension(drawing, {door.left(), door.bottom()}, {door.right(), door.bottom()}, true, -10);

        QStringList notes{
            QStringLiteral("Siding: %1, %2; %3.")
                .arg(sidingName(d.siding), d.outerWallMaterial,
                     d.siding == Siding::Vinyl
                         ? QStringLiteral("vinyl corner posts and J-channel round the doors and under the eaves")
                     : d.siding == Siding::Tin ? QStringLiteral("metal corner trim and J-trim round the doors")
                                               : QStringLiteral("1x4 corner boards and door casing")),
            QStringLiteral(
                "Roof: asphalt shingles on underlayment over %1 sheathing; drip edge at the eaves and rakes.")
                .arg(u.length(d.roofThickness)),
            QStringLiteral(
                "Heights from the finished ground; overall width over the siding and over the roof's overhangs.")};
        if (!door.isNull())
            notes << QStringLiteral("Door %1 wide x %2 high.").arg(u.length(door.width()), u.length(door.height()));
        note(canvas, area, notes);
        return scale;
    }

private:
    // Whether a member (a door leaf) is in the wall this elevation looks at.
    bool onWallOf(const Member &m) const
    {
        const auto [lo, hi] = geometry::bounds(m);
        switch (side_) {
        case Wall::Front:
            return hi.z() < in_.design.depth / 2;
        case Wall::Rear:
            return lo.z() > in_.design.depth / 2;
        case Wall::Left:
            return lo.x() > in_.design.width / 2;
        case Wall::Right:
            return hi.x() < in_.design.width / 2;
        }
        return false;
    }

    Wall side_;
};

} // namespace

std::unique_ptr<Sheet> elevationSheet(const PlanInputs &in, Wall side)
{
    return std::make_unique<ElevationSheet>(in, side);
}

} // namespace corvelle::shed::sheet
