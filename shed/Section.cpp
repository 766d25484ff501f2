#include "shed/Section.h"
#include "shed/Geometry.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed {

namespace {

// A cut shape: the hull of where the member's edges cross the plane, when it has area.
QPolygonF hull(const QList<QPointF> &pts)
{
    if (pts.size() < 3)
        return {};
    const QPolygonF h = geometry::convexHull(pts);
    return h.size() >= 3 ? h : QPolygonF();
}

} // namespace

QList<SectionCut> sectionAt(const Model &model, double z, const ViewDirection &view)
{
    QList<SectionCut> out;
    for (qsizetype i = 0; i < model.members.size(); ++i) {
        const Member &m = model.members[i];
        const auto [lo, hi] = geometry::bounds(m);
        if (lo.z() >= z || hi.z() <= z)
            continue;
        const geometry::Polygon poly = geometry::outline(m);
        const QQuaternion q = m.rotation.normalized();
        const auto world = [&](QPointF p, float t) {
            return m.position + q.rotatedVector(QVector3D(float(p.x()), float(p.y()), t));
        };
        QPolygonF shape;
        // A profile lying in the plane of the cut is its own section (a truss chord, a rafter).
        if (std::abs(q.rotatedVector(QVector3D(0, 0, 1)).z()) > 0.999f) {
            for (const QPointF &p : poly)
                shape.append(view.project(world(p, 0)));
        } else {
            // Anything else is convex across the cut: the hull of where its edges cross it.
            QList<QVector3D> base, top;
            for (const QPointF &p : poly) {
                base.append(world(p, 0));
                top.append(world(p, m.size.z()));
            }
            QList<QPointF> pts;
            const auto crossing = [&](QVector3D a, QVector3D b) {
                if ((a.z() - z) * (b.z() - z) > 0 || std::abs(a.z() - b.z()) < 1e-6f)
                    return;
                const float t = float((z - a.z()) / (b.z() - a.z()));
                pts.append(view.project(a + (b - a) * t));
            };
            for (qsizetype k = 0; k < base.size(); ++k) {
                const qsizetype next = (k + 1) % base.size();
                crossing(base[k], base[next]);
                crossing(top[k], top[next]);
                crossing(base[k], top[k]);
            }
            shape = hull(pts);
        }
        if (shape.size() >= 3)
            out.append({int(i), shape});
    }
    return out;
}

} // namespace corvelle::shed
