#include "shed/Framing.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <algorithm>

namespace corvelle::shed::sheet {

namespace {

// Whether a member stands in a wall: within a stud's depth and a lining of the wall's
// outer face. The one place that decides which members a wall sheet shows.
bool inWall(const Member &m, Wall side, const Design &d)
{
    const double band = d.studDepth + 0.75;
    const Box3 b = bounds(m);
    switch (side) {
    case Wall::Front:
        return b.hi.z() <= band && b.lo.z() >= -band;
    case Wall::Rear:
        return b.lo.z() >= d.depth - band && b.hi.z() <= d.depth + band;
    case Wall::Left:
        return b.lo.x() >= d.width - band && b.hi.x() <= d.width + band;
    case Wall::Right:
        return b.hi.x() <= band && b.lo.x() >= -band;
    }
    return false;
}

// One wall's framing seen from outside, its stud layout and rough opening dimensioned.
class WallSheet final : public Sheet {
public:
    WallSheet(const PlanInputs &in, Wall side) : Sheet(in), side_(side) {}

    QString title() const override
    {
        switch (side_) {
        case Wall::Front:
            return QStringLiteral("Front wall framing");
        case Wall::Rear:
            return QStringLiteral("Rear wall framing");
        case Wall::Left:
            return QStringLiteral("Left wall framing");
        case Wall::Right:
            return QStringLiteral("Right wall framing");
        }
        return {};
    }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const double w = d.width, dp = d.depth;
        // Each wall seen from outside, from its left end.
        const Projection proj = [=, side = side_](QVector3D p) { return QPointF(fromLeftEnd(side, p, w, dp), p.y()); };
        const double length = isEndWall(side_) ? w : dp;
        // The end truss or rafter pair belongs on the elevation: the gable studs stand on it.
        const auto endFrame = [](const Member &m) {
            return m.layer == Layer::Roof && m.kind != MemberKind::RoofSheet && m.kind != MemberKind::Gusset;
        };
        const QList<const Member *> framing = select(in_.model, [&](const Member &m) {
            return (m.layer == Layer::Framing || endFrame(m)) && inWall(m, side_, d);
        });
        const QList<const Member *> doors =
            select(in_.model, [&](const Member &m) { return m.layer == Layer::Doors && inWall(m, side_, d); });
        // The wall's own height, from the bottom plate's underside to the top plate's top.
        const double base = floorTop(d), top = base + d.innerHeight;
        // A side wall carries the trusses or rafters: each one's seat on the top plate, in
        // section, where the builder marks the plate for it.
        QList<const Member *> seats;
        if (!isEndWall(side_)) {
            seats = select(in_.model, [&](const Member &m) {
                if (m.kind != MemberKind::TrussChord && m.kind != MemberKind::Rafter)
                    return false;
                // Those that cross the wall's outer face at the plate, not the barge rafters.
                const Box3 b = bounds(m);
                const double face = side_ == Wall::Left ? d.width : 0;
                return b.lo.z() > -0.01 && b.hi.z() < dp + 0.01 && b.lo.y() <= top + 0.01 && b.lo.x() < face + 0.01
                       && b.hi.x() > face - 0.01;
            });
        }
        QList<double> frameMarks{0};
        QList<QRectF> sections;
        for (const Member *m : seats) {
            const Extent x = extentOf({m}, proj);
            if (std::none_of(sections.begin(), sections.end(),
                             [&](const QRectF &r) { return std::abs(r.left() - x.u0) < 0.01; })) {
                sections.append(QRectF(QPointF(x.u0, top), QPointF(x.u1, top + d.roofSupportHeight)));
                frameMarks.append(x.u0);
            }
        }
        // Gable studs: the uprights above the wall's top plate.
        QList<double> gableMarks{0};
        QList<const Member *> vCuts;
        for (const Member *m : framing) {
            if (m->kind != MemberKind::Stud || bounds(*m).lo.y() < top - 0.01)
                continue;
            gableMarks.append(extentOf({m}, proj).u0);
            if (m->vCut)
                vCuts.append(m);
        }
        const bool second = gableMarks.size() > 1 || frameMarks.size() > 1;
        Extent e = extentOf(framing, proj);
        e.add({0, 0});
        e.add({length, 0});
        for (const QRectF &r : sections)
            e.add(r.bottomRight());
        Scale s;
        // Room for the layout strings over the notes.
        const Drawing dr = fit(canvas, e, area.adjusted(0, 0, 0, second ? -112 : -60), u, s);
        drawMembers(dr, framing, proj);
        markMembers(dr, in_, framing, proj);
        if (!sections.isEmpty()) {
            const OnLayer roof(canvas, layerName(Layer::Roof));
            QPainter &p = canvas.painter();
            p.save();
            p.setPen(QPen(Qt::black, 0.5));
            p.setBrush(QColor(200, 200, 200));
            for (const QRectF &r : sections)
                p.drawPolygon(dr.at(QPolygonF{r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}));
            p.restore();
        }
        dimension(dr, {0, base}, {length, base}, true, 22);
        if (!framing.isEmpty())
            dimension(dr, {e.u0, base}, {e.u0, top}, false, 22, u.length(d.innerHeight) + QStringLiteral(" wall"));
        // Stud layout: every upright's near edge from the left corner.
        QList<double> marks{0};
        QList<Extent> jacks, sills;
        // Each opening's header plies, by the header's extent along the wall.
        struct Head {
            Extent extent;
            int plies = 0;
            QString stock;
        };
        QList<Head> heads;
        for (const Member *m : framing) {
            const Box3 b = bounds(*m);
            const Extent x = extentOf({m}, proj);
            const bool upright =
                m->kind == MemberKind::Stud || m->kind == MemberKind::KingStud || m->kind == MemberKind::JackStud;
            if (upright && b.hi.y() <= top + 0.01 && x.u0 > 0.01)
                marks.append(x.u0);
            if (m->kind == MemberKind::JackStud)
                jacks.append(x);
            if (m->kind == MemberKind::Sill)
                sills.append(x);
            if (m->kind == MemberKind::Header) {
                auto same = std::find_if(heads.begin(), heads.end(), [&](const Head &h) {
                    return std::abs(h.extent.u0 - x.u0) < 0.01 && std::abs(h.extent.u1 - x.u1) < 0.01;
                });
                if (same == heads.end())
                    same = heads.insert(heads.end(), Head{x, 0, m->stock});
                same->extent.add({x.u0, x.v0});
                same->extent.add({x.u1, x.v1});
                ++same->plies;
            }
        }
        runningDimension(dr, marks, base, true, 44);
        QStringList notes{
            QStringLiteral("Studs %1 x %2 at %3 on centre, laid out from the left corner (the running figures); "
                           "%4 members in this wall.")
                .arg(u.length(d.studThickness), u.length(d.studDepth), u.length(d.studCenters))
                .arg(framing.size())};
        // The second string: the gable studs' near edges, or the frames' on the top plate.
        if (gableMarks.size() > 1) {
            runningDimension(dr, gableMarks, base, true, 96);
            notes << QStringLiteral("Gable studs at %1 on centre, their near edges from the left corner in the lower "
                                    "running figures; each cut to the roof's slope, long point up.")
                         .arg(u.length(d.studCenters));
        } else if (frameMarks.size() > 1) {
            runningDimension(dr, frameMarks, base, true, 96);
            notes << QStringLiteral("%1 on the top plate (grey, in section) at %2 on centre, their near edges from "
                                    "the left corner in the lower running figures.")
                         .arg(hasTrusses(in_.model) ? QStringLiteral("Trusses") : QStringLiteral("Rafters"),
                              u.length(d.roofSupportSpacing));
        }
        for (const Member *m : vCuts) {
            notes << QStringLiteral("Gable stud %1 under the peak: its head a V cut to both slopes, %2\u00b0 and "
                                    "%3\u00b0 to its edges, %4 to the point; its foot square.")
                         .arg(in_.marks.value(m - in_.model.members.constData()))
                         .arg(m->angle1, 0, 'f', 1)
                         .arg(m->angle2, 0, 'f', 1)
                         .arg(u.length(m->length));
        }
        std::sort(heads.begin(), heads.end(), [](const Head &a, const Head &b) { return a.extent.u0 < b.extent.u0; });
        for (const Head &h : heads) {
            // The rough opening as framed: between the inner jacks under the header, from the
            // floor or a window's sill to the header.
            const double mid = (h.extent.u0 + h.extent.u1) / 2;
            double u0 = h.extent.u0, u1 = h.extent.u1;
            for (const Extent &j : jacks) {
                if (j.u0 < h.extent.u0 - 0.01 || j.u1 > h.extent.u1 + 0.01)
                    continue;
                if (j.u1 < mid)
                    u0 = std::max(u0, j.u1);
                else
                    u1 = std::min(u1, j.u0);
            }
            const double v1 = h.extent.v0;
            const auto sill = std::find_if(sills.begin(), sills.end(),
                                           [&](const Extent &ext) { return ext.u0 >= u0 - 0.01 && ext.u1 <= u1 + 0.01; });
            const bool window = sill != sills.end();
            const double v0 = window ? sill->v1 : base;
            {
                const OnLayer opening(canvas, layerName(Layer::Framing));
                QPainter &p = canvas.painter();
                p.save();
                p.setPen(QPen(Qt::black, 0.8, Qt::DashLine));
                p.setBrush(Qt::NoBrush);
                const QPolygonF outline =
                    dr.at(QPolygonF{QPointF(u0, v0), QPointF(u1, v0), QPointF(u1, v1), QPointF(u0, v1)});
                p.drawPolygon(outline);
                p.drawLine(outline[0], outline[2]);
                p.drawLine(outline[1], outline[3]);
                p.restore();
            }
            // Inside the opening, on white: outside, the figures would sit on the header and studs.
            dimension(dr, {u0, v1}, {u1, v1}, true, 16);
            dimension(dr, {u1, v0}, {u1, v1}, false, 16);
            if (window) {
                // A window's head height from the floor, the figure the jacks are cut to: in the
                // bay beside the king, clear of the opening's own figures.
                dimension(dr, {u0, base}, {u0, v1}, false, 14, QStringLiteral("head %1").arg(u.length(v1 - base)));
                notes << QStringLiteral("Window rough opening %1 wide x %2 high, its sill %3 from the floor, %4 from "
                                        "the left corner; header %5 x %6 on the jacks, its top %7 from the floor.")
                             .arg(u.length(u1 - u0), u.length(v1 - v0), u.length(v0 - base), u.length(u0))
                             .arg(h.plies)
                             .arg(h.stock, u.length(h.extent.v1 - base));
                continue;
            }
            notes << QStringLiteral(
                         "Rough opening %1 wide x %2 high from the floor, %3 from the left corner; header %4 x %5 "
                         "on the jacks, its top %6 from the floor%7.")
                         .arg(u.length(u1 - u0), u.length(v1 - base), u.length(u0))
                         .arg(h.plies)
                         .arg(h.stock, u.length(h.extent.v1 - base),
                              doors.size() > 1 ? QStringLiteral("; the door hangs as %1 leaves").arg(doors.size())
                                               : QString());
        }
        if (heads.isEmpty())
            notes << QStringLiteral("No door or window in this wall.");
        note(canvas, area, notes);
        return s;
    }

private:
    Wall side_;
};

} // namespace

std::unique_ptr<Sheet> wallSheet(const PlanInputs &in, Wall side) { return std::make_unique<WallSheet>(in, side); }

} // namespace corvelle::shed::sheet
