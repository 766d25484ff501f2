#include "Members.h"

#include "shed/Rules.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace corvelle::shed::framing {

using namespace geometry;
namespace r = rules;

namespace {

// Local x along the member's length, as the model's contract has it.
QQuaternion alongAxis(Axis a)
{
    switch (a) {
    case Axis::X: return {};
    case Axis::Y: return QQuaternion::fromAxes({0, 1, 0}, {1, 0, 0}, {0, 0, -1});
    case Axis::Z: return QQuaternion::fromAxes({0, 0, 1}, {0, 1, 0}, {-1, 0, 0});
    }
    return {};
}

Polygon offsetPolygon(const Polygon &p, QPointF by)
{
    Polygon out;
    for (const QPointF &q : p)
        out.append(q - by);
    return out;
}

} // namespace

double degrees(double radians) { return radians * 180.0 / M_PI; }

double cutAngle(QPointF cut, QPointF axis)
{
    const double c = std::abs(cut.x() * axis.x() + cut.y() * axis.y()) /
                     (std::hypot(cut.x(), cut.y()) * std::hypot(axis.x(), axis.y()));
    return std::round(degrees(std::acos(std::clamp(c, 0.0, 1.0))) * 10) / 10;
}

QPointF unit(QPointF v) { return v / std::hypot(v.x(), v.y()); }

bool contains(const Polygon &convex, const QRectF &r)
{
    for (const QPointF &c : rectPolygon(r)) {
        for (qsizetype i = 0; i < convex.size(); ++i) {
            const QPointF a = convex[i], b = convex[(i + 1) % convex.size()];
            if ((b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x()) < -1e-9)
                return false;
        }
    }
    return true;
}

Polygon mirrored(const Polygon &p, double width)
{
    Polygon out;
    for (qsizetype i = p.size() - 1; i >= 0; --i)
        out.append(QPointF(width - p[i].x(), p[i].y()));
    return out;
}

QRectF boundingRect(const Polygon &p)
{
    double x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
    for (const QPointF &q : p) {
        x0 = std::min(x0, q.x());
        y0 = std::min(y0, q.y());
        x1 = std::max(x1, q.x());
        y1 = std::max(y1, q.y());
    }
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

Polygon keepSide(const Polygon &p, QPointF at, QPointF along, QPointF inside)
{
    const double l = std::hypot(along.x(), along.y());
    const QPointF u = along / l * 1e4;
    QPointF n = inside - along / l * ((inside.x() * along.x() + inside.y() * along.y()) / l);
    n = n / std::hypot(n.x(), n.y()) * 1e4;
    Polygon half = {at - u, at + u, at + u + n, at - u + n};
    if (area(half) < 0)
        std::reverse(half.begin(), half.end());
    return clipConvex(p, half);
}

QList<std::pair<double, double>> splitRun(double a, double b, const QList<double> &snaps)
{
    QList<std::pair<double, double>> out;
    double s = a;
    while (b - s > r::MaxSplicedPiece + Eps) {
        // The farthest support in reach that leaves the rest no stub; failing that, the farthest.
        double joint = -1, stub = -1;
        for (double snap : snaps) {
            if (snap <= s + 12 || snap > s + r::MaxSplicedPiece + Eps)
                continue;
            double &best = b - snap < r::MinSplicedPiece - Eps ? stub : joint;
            best = std::max(best, snap);
        }
        if (joint < 0)
            joint = stub;
        if (joint < 0)
            joint = s + r::MaxSplicedPiece;
        out.append({s, joint});
        s = joint;
    }
    out.append({s, b});
    return out;
}

Member &Members::lumber(MemberKind kind, Layer layer, const QString &stock, QVector3D min, QVector3D extent, Axis axis)
{
    Member mb{kind, layer, stock, {}, alongAxis(axis), {}, 0, 90, 90, 0, {}, {}};
    switch (axis) {
    case Axis::X: mb.size = extent; break;
    case Axis::Y: mb.size = {extent.y(), extent.x(), extent.z()}; break;
    case Axis::Z: mb.size = {extent.z(), extent.y(), extent.x()}; break;
    }
    mb.length = mb.size.x();
    placeAt(mb, min);
    model.members.append(std::move(mb));
    return model.members.last();
}

Member &Members::profileXY(MemberKind kind, Layer layer, const QString &stock, const Polygon &poly, double z0,
                           double thickness)
{
    const QRectF b = boundingRect(poly);
    Member mb{kind, layer, stock, QVector3D(float(b.width()), float(b.height()), float(thickness)), {},
              QVector3D(float(b.left()), float(b.top()), float(z0)), 0, 90, 90, 0, {}, {}};
    if (!isAxisRect(poly))
        mb.profile = offsetPolygon(poly, b.topLeft());
    model.members.append(std::move(mb));
    return model.members.last();
}

Member &Members::planar(MemberKind kind, Layer layer, const QString &stock, const Polygon &uv, Wall wall,
                        double across, double thickness)
{
    const QRectF b = boundingRect(uv);
    if (isEndWall(wall)) {
        Member &mb = profileXY(kind, layer, stock, uv, across, thickness);
        mb.length = std::max(b.width(), b.height());
        mb.width = std::min(b.width(), b.height());
        mb.wall = wall;
        return mb;
    }
    // A side wall's face: u along Z, v up, through X.
    Member mb{kind, layer, stock, QVector3D(float(b.width()), float(b.height()), float(thickness)),
              alongAxis(Axis::Z), {}, 0, 90, 90, 0, {}, wall};
    if (!isAxisRect(uv))
        mb.profile = offsetPolygon(uv, b.topLeft());
    mb.length = std::max(b.width(), b.height());
    mb.width = std::min(b.width(), b.height());
    placeAt(mb, QVector3D(float(across), float(b.top()), float(b.left())));
    model.members.append(std::move(mb));
    return model.members.last();
}

Member &Members::wallMember(Wall wall, MemberKind kind, const QString &stock, double u0, double u1, double y0,
                            double y1, double w0, double w1, bool vertical)
{
    const float du = float(u1 - u0), dy = float(y1 - y0), dw = float(w1 - w0);
    const double W = c.width, D = c.depth;
    Member *mb = nullptr;
    switch (wall) {
    case Wall::Front:
        mb = &lumber(kind, Layer::Framing, stock, QVector3D(u0, y0, w0), {du, dy, dw}, vertical ? Axis::Y : Axis::X);
        break;
    case Wall::Rear:
        mb = &lumber(kind, Layer::Framing, stock, QVector3D(u0, y0, D - w1), {du, dy, dw},
                     vertical ? Axis::Y : Axis::X);
        break;
    case Wall::Right:
        mb = &lumber(kind, Layer::Framing, stock, QVector3D(w0, y0, u0), {dw, dy, du}, vertical ? Axis::Y : Axis::Z);
        break;
    case Wall::Left:
        mb = &lumber(kind, Layer::Framing, stock, QVector3D(W - w1, y0, u0), {dw, dy, du},
                     vertical ? Axis::Y : Axis::Z);
        break;
    }
    mb->wall = wall;
    return *mb;
}

} // namespace corvelle::shed::framing
