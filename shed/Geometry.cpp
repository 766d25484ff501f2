#include "Geometry.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

namespace corvelle::shed::geometry {

namespace {

double cross(const QPointF &o, const QPointF &a, const QPointF &b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

QPointF intersect(const QPointF &p, const QPointF &q, const QPointF &a, const QPointF &b)
{
    const double d1 = cross(a, b, p), d2 = cross(a, b, q);
    const double t = d1 / (d1 - d2);
    return p + (q - p) * t;
}

bool insideTriangle(QPointF p, QPointF a, QPointF b, QPointF c)
{
    return cross(a, b, p) >= 0 && cross(b, c, p) >= 0 && cross(c, a, p) >= 0;
}

} // namespace

QList<std::array<int, 3>> triangulate(const Polygon &p)
{
    QList<int> idx;
    for (int i = 0; i < p.size(); ++i)
        idx.append(i);
    if (area(p) < 0)
        std::reverse(idx.begin(), idx.end());
    QList<std::array<int, 3>> tris;
    while (idx.size() > 3) {
        bool clipped = false;
        for (qsizetype i = 0, n = idx.size(); i < n; ++i) {
            const int ia = idx[(i + n - 1) % n], ib = idx[i], ic = idx[(i + 1) % n];
            if (cross(p[ia], p[ib], p[ic]) <= 0)
                continue; // reflex or degenerate corner
            const bool empty = std::none_of(idx.begin(), idx.end(), [&](int j) {
                return j != ia && j != ib && j != ic && insideTriangle(p[j], p[ia], p[ib], p[ic]);
            });
            if (!empty)
                continue;
            tris.append({ia, ib, ic});
            idx.removeAt(i);
            clipped = true;
            break;
        }
        if (!clipped)
            break; // not simple: fan what is left rather than lose the member
    }
    for (qsizetype i = 1; i + 1 < idx.size(); ++i)
        tris.append({idx[0], idx[i], idx[i + 1]});
    return tris;
}

Polygon clipConvex(const Polygon &subject, const Polygon &clip)
{
    constexpr double eps = 1e-9;
    Polygon out = subject;
    Polygon in;
    in.reserve(subject.size() + clip.size());
    out.reserve(subject.size() + clip.size());
    for (qsizetype i = 0; i < clip.size() && !out.isEmpty(); ++i) {
        const QPointF a = clip[i], b = clip[(i + 1) % clip.size()];
        in.swap(out);
        out.clear();
        for (qsizetype j = 0; j < in.size(); ++j) {
            const QPointF p = in[j], q = in[(j + 1) % in.size()];
            const bool pin = cross(a, b, p) >= -eps, qin = cross(a, b, q) >= -eps;
            if (pin)
                out.append(p);
            if (pin != qin)
                out.append(intersect(p, q, a, b));
        }
    }
    // Drop repeated points so every edge has a length.
    Polygon clean;
    for (const QPointF &p : out) {
        if (clean.isEmpty() || QLineF(clean.last(), p).length() > 1e-6)
            clean.append(p);
    }
    if (clean.size() > 1 && QLineF(clean.first(), clean.last()).length() <= 1e-6)
        clean.removeLast();
    return clean.size() >= 3 ? clean : Polygon{};
}

Polygon rectPolygon(const QRectF &r)
{
    // Counter-clockwise with y growing upwards: QRectF's "top" is the low edge here.
    return {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
}

double area(const Polygon &p)
{
    double a = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QPointF &u = p[i], &v = p[(i + 1) % p.size()];
        a += u.x() * v.y() - v.x() * u.y();
    }
    return a / 2;
}

bool isAxisRect(const Polygon &p)
{
    if (p.size() != 4)
        return false;
    for (qsizetype i = 0; i < 4; ++i) {
        const QPointF d = p[(i + 1) % 4] - p[i];
        if (std::abs(d.x()) > 1e-6 && std::abs(d.y()) > 1e-6)
            return false;
    }
    return true;
}

QList<QRectF> subtract(const QRectF &cell, const QRectF &hole)
{
    const QRectF h = cell.intersected(hole);
    if (h.width() <= 1e-6 || h.height() <= 1e-6)
        return {cell};
    QList<QRectF> out;
    const auto add = [&](double x0, double y0, double x1, double y1) {
        if (x1 - x0 > 1e-6 && y1 - y0 > 1e-6)
            out.append(QRectF(QPointF(x0, y0), QPointF(x1, y1)));
    };
    add(cell.left(), cell.top(), h.left(), cell.bottom());
    add(h.right(), cell.top(), cell.right(), cell.bottom());
    add(h.left(), cell.top(), h.right(), h.top());
    add(h.left(), h.bottom(), h.right(), cell.bottom());
    return out;
}

QList<QRectF> tile(const QRectF &area, QSizeF piece, double stagger)
{
    QList<QRectF> cells;
    int row = 0;
    for (double y = area.top(); y < area.bottom() - 1e-6; y += piece.height(), ++row) {
        const double shift = (row % 2) ? stagger : 0;
        double x = area.left() - (shift > 1e-6 ? piece.width() - shift : 0);
        for (; x < area.right() - 1e-6; x += piece.width()) {
            const QRectF cell = QRectF(x, y, piece.width(), piece.height()).intersected(area);
            if (cell.width() > 1e-6 && cell.height() > 1e-6)
                cells.append(cell);
        }
    }
    return cells;
}

Polygon outline(const Member &m)
{
    if (m.profile.size() >= 3)
        return m.profile;
    return {QPointF(0, 0), QPointF(m.size.x(), 0), QPointF(m.size.x(), m.size.y()), QPointF(0, m.size.y())};
}

QList<QVector3D> corners(const Member &m)
{
    const Polygon poly = outline(m);
    const QQuaternion r = m.rotation.normalized();
    QList<QVector3D> out(poly.size() * 2);
    for (qsizetype i = 0; i < poly.size(); ++i) {
        const QPointF &p = poly[i];
        out[i] = m.position + r.rotatedVector(QVector3D(float(p.x()), float(p.y()), 0));
        out[i + poly.size()] = m.position + r.rotatedVector(QVector3D(float(p.x()), float(p.y()), m.size.z()));
    }
    return out;
}

std::pair<QVector3D, QVector3D> bounds(const Member &m)
{
    // The corners as corners() gives them, in its order, without building the list:
    // every member is bounded as it is placed.
    const QQuaternion r = m.rotation.normalized();
    QVector3D lo(1e30f, 1e30f, 1e30f), hi(-1e30f, -1e30f, -1e30f);
    const auto take = [&](float x, float y, float z) {
        const QVector3D w = m.position + r.rotatedVector(QVector3D(x, y, z));
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], w[i]);
            hi[i] = std::max(hi[i], w[i]);
        }
    };
    const bool shaped = m.profile.size() >= 3;
    for (const float z : {0.0f, m.size.z()}) {
        if (shaped) {
            for (const QPointF &p : m.profile)
                take(float(p.x()), float(p.y()), z);
        } else {
            take(0, 0, z);
            take(m.size.x(), 0, z);
            take(m.size.x(), m.size.y(), z);
            take(0, m.size.y(), z);
        }
    }
    return {lo, hi};
}

void placeAt(Member &m, const QVector3D &worldMin)
{
    m.position = QVector3D();
    m.position = worldMin - bounds(m).first;
}

Mesh localMesh(const Member &m)
{
    const Polygon p = outline(m);
    const float t = m.size.z();
    const auto n = static_cast<unsigned>(p.size());
    Mesh mesh;
    mesh.positions.reserve(n * 6);
    mesh.normals.reserve(n * 6);
    const auto vertex = [&](const QPointF &q, float z, const QVector3D &normal) {
        mesh.positions.emplace_back(float(q.x()), float(q.y()), z);
        mesh.normals.push_back(normal);
        return static_cast<unsigned>(mesh.positions.size() - 1);
    };
    // Caps: a fan for a box or a convex outline, ear clipping for a notched one.
    const QList<std::array<int, 3>> cap =
        m.profile.size() < 3 ? QList<std::array<int, 3>>{{0, 1, 2}, {0, 2, 3}} : triangulate(p);
    for (float z : {0.0f, t}) {
        const QVector3D normal(0, 0, z > 0 ? 1.0f : -1.0f);
        const unsigned first = static_cast<unsigned>(mesh.positions.size());
        for (const QPointF &q : p)
            vertex(q, z, normal);
        for (const auto &tri : cap) {
            const unsigned a = first + unsigned(tri[0]), b = first + unsigned(tri[1]), c = first + unsigned(tri[2]);
            if (z > 0)
                mesh.indices.insert(mesh.indices.end(), {a, b, c});
            else
                mesh.indices.insert(mesh.indices.end(), {a, c, b});
        }
    }
    for (unsigned i = 0; i < n; ++i) {
        const QPointF a = p[i], b = p[(i + 1) % n];
        const QVector3D normal = QVector3D(float(b.y() - a.y()), float(a.x() - b.x()), 0).normalized();
        const unsigned a0 = vertex(a, 0, normal), b0 = vertex(b, 0, normal);
        const unsigned b1 = vertex(b, t, normal), a1 = vertex(a, t, normal);
        mesh.indices.insert(mesh.indices.end(), {a0, b0, b1, a0, b1, a1});
    }
    return mesh;
}

// Andrew's monotone chain; fewer than three points come back as they are, sorted.
QPolygonF convexHull(QList<QPointF> pts)
{
    std::sort(pts.begin(), pts.end(),
              [](QPointF a, QPointF b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
    if (pts.size() < 3)
        return QPolygonF(pts);
    auto cross = [](QPointF o, QPointF a, QPointF b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QList<QPointF> h(2 * pts.size());
    qsizetype k = 0;
    for (qsizetype i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    for (qsizetype i = pts.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], pts[i - 1]) <= 0)
            --k;
        h[k++] = pts[i - 1];
    }
    h.resize(k - 1);
    return QPolygonF(h);
}

} // namespace corvelle::shed::geometry
