#include "shed/Framing.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <algorithm>

namespace corvelle::shed::sheet {

namespace {

// Whether a member stands in a wall: within a stud's depth and a lining of the wall's
// outer face. The one place that decides which members a wall sheet shows.
bool inWall(const Member &m, WallSide side, const Design &d)
{
    const double band = d.studDepth + 0.75;
    const Box3 b = bounds(m);
    switch (side) {
    case WallSide::Front:
        return b.hi.z() <= band && b.lo.z() >= -band;
    case WallSide::Rear:
        return b.lo.z() >= d.depth - band && b.hi.z() <= d.depth + band;
    // Left and right as a builder facing the front sees them: in the model's right-handed
    // frame the X = 0 wall is on the right.
    case WallSide::Left:
        return b.lo.x() >= d.width - band && b.hi.x() <= d.width + band;
    case WallSide::Right:
        return b.hi.x() <= band && b.lo.x() >= -band;
    }
    return false;
}

// One wall's framing seen from outside, its stud layout and rough opening dimensioned.
class WallSheet final : public Sheet {
public:
    WallSheet(const PlanInputs &in, WallSide side) : Sheet(in), side_(side) {}

    QString title() const override
    {
        switch (side_) {
        case WallSide::Front:
            return QStringLiteral("Front wall framing");
        case WallSide::Rear:
            return QStringLiteral("Rear wall framing");
        case WallSide::Left:
            return QStringLiteral("Left wall framing");
        case WallSide::Right:
            return QStringLiteral("Right wall framing");
        }
        return {};
    }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const double w = d.width, dp = d.depth;
        Projection proj;
        double length = w;
        // Each wall seen from outside.
        switch (side_) {
        case WallSide::Front:
            proj = [=](QVector3D p) { return QPointF(w - p.x(), p.y()); };
            break;
        case WallSide::Rear:
            proj = [](QVector3D p) { return QPointF(p.x(), p.y()); };
            break;
        case WallSide::Left:
            proj = [=](QVector3D p) { return QPointF(dp - p.z(), p.y()); };
            length = dp;
            break;
        case WallSide::Right:
            proj = [](QVector3D p) { return QPointF(p.z(), p.y()); };
            length = dp;
            break;
        }
        // The end truss or rafter pair belongs on the elevation: the gable studs stand on it.
        const auto endFrame = [](const Member &m) {
            return m.layer == Layer::Roof && m.kind != MemberKind::RoofSheet && m.kind != MemberKind::Gusset;
        };
        const QList<const Member *> framing = select(in_.model, [&](const Member &m) {
            return (m.layer == Layer::Framing || endFrame(m)) && inWall(m, side_, d);
        });
        const QList<const Member *> doors =
            select(in_.model, [&](const Member &m) { return m.layer == Layer::Doors && inWall(m, side_, d); });
        Extent e = extentOf(framing, proj);
        e.add({0, 0});
        e.add({length, 0});
        Scale s;
        const Drawing dr =
            fit(canvas, e, area.adjusted(0, 0, 0, -60), u, s); // room for the layout string over the notes
        drawMembers(dr, framing, proj);
        // The wall's own height, from the bottom plate's underside to the top plate's top.
        const double base = floorTop(d), top = base + d.innerHeight;
        dimension(dr, {0, base}, {length, base}, true, 22);
        if (!framing.isEmpty())
            dimension(dr, {e.u0, base}, {e.u0, top}, false, 22, u.length(d.innerHeight) + QStringLiteral(" wall"));
        // Stud layout: every upright's near edge from the left corner.
        QList<double> marks{0};
        QList<Extent> jacks;
        Extent header;
        int headerPlies = 0;
        QString headerStock;
        for (const Member *m : framing) {
            const Box3 b = bounds(*m);
            const Extent x = extentOf({m}, proj);
            const bool upright =
                m->kind == MemberKind::Stud || m->kind == MemberKind::KingStud || m->kind == MemberKind::JackStud;
            if (upright && b.hi.y() <= top + 0.01 && x.u0 > 0.01)
                marks.append(x.u0);
            if (m->kind == MemberKind::JackStud)
                jacks.append(x);
            if (m->kind == MemberKind::Header) {
                header.add({x.u0, x.v0});
                header.add({x.u1, x.v1});
                ++headerPlies;
                headerStock = m->stock;
            }
        }
        runningDimension(dr, marks, base, true, 44);
        QStringList notes{
            QStringLiteral("Studs %1 x %2 at %3 on centre, laid out from the left corner (the running figures); "
                           "%4 members in this wall.")
                .arg(u.length(d.studThickness), u.length(d.studDepth), u.length(d.studCenters))
                .arg(framing.size())};
        std::sort(jacks.begin(), jacks.end(), [](const Extent &a, const Extent &b) { return a.u0 < b.u0; });
        if (jacks.size() >= 2) {
            // The rough opening as framed: between the jacks, from the floor to the header.
            const double u0 = jacks.first().u1, u1 = jacks.last().u0, v1 = jacks.first().v1;
            {
                const OnLayer opening(canvas, layerName(Layer::Framing));
                QPainter &p = canvas.painter();
                p.save();
                p.setPen(QPen(Qt::black, 0.8, Qt::DashLine));
                p.setBrush(Qt::NoBrush);
                const QPolygonF outline =
                    dr.at(QPolygonF{QPointF(u0, base), QPointF(u1, base), QPointF(u1, v1), QPointF(u0, v1)});
                p.drawPolygon(outline);
                p.drawLine(outline[0], outline[2]);
                p.drawLine(outline[1], outline[3]);
                p.restore();
            }
            // Inside the opening, on white: outside, the figures would sit on the header and studs.
            dimension(dr, {u0, v1}, {u1, v1}, true, 16);
            dimension(dr, {u1, base}, {u1, v1}, false, 16);
            notes << QStringLiteral(
                         "Rough opening %1 wide x %2 high from the floor, %3 from the left corner; header %4 x %5 "
                         "on the jacks, its top %6 from the floor%7.")
                         .arg(u.length(u1 - u0), u.length(v1 - base), u.length(u0))
                         .arg(headerPlies)
                         .arg(headerStock, u.length(header.v1 - base),
                              doors.size() > 1 ? QStringLiteral("; the door hangs as %1 leaves").arg(doors.size())
                                               : QString());
        } else {
            notes << QStringLiteral("No door in this wall.");
        }
        note(canvas, area, notes);
        return s;
    }

private:
    WallSide side_;
};

} // namespace

std::unique_ptr<Sheet> wallSheet(const PlanInputs &in, WallSide side) { return std::make_unique<WallSheet>(in, side); }

} // namespace corvelle::shed::sheet
