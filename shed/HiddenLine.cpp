#include "HiddenLine.h"
#include "Geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

namespace corvelle::shed {

namespace {

// Members touch face to face and the model is single precision: a face hides an edge only
// when it is nearer by more than this, and pieces and gaps shorter than this are noise.
constexpr double DepthTolerance = 0.01;  // inches
constexpr double PageTolerance = 0.005;  // inches on the page
constexpr double ClipTolerance = 1e-4;   // an edge along a face's outline is inside it
constexpr double FacingTolerance = 1e-4; // cosine between a face's normal and the eye

QVector3D unit(QVector3D v) { return v.normalized(); }

struct Vec {
    double x, y, z;
};

// A member's local frame in double precision.
struct Frame {
    double r[3][3];
    Vec origin;
    explicit Frame(const Member &m)
    {
        const QQuaternion q = m.rotation.normalized();
        const double w = q.scalar(), x = q.x(), y = q.y(), z = q.z();
        const double m3[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                                 {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                                 {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
        std::copy(&m3[0][0], &m3[0][0] + 9, &r[0][0]);
        origin = {m.position.x(), m.position.y(), m.position.z()};
    }
    Vec rotate(double x, double y, double z) const
    {
        return {r[0][0] * x + r[0][1] * y + r[0][2] * z, r[1][0] * x + r[1][1] * y + r[1][2] * z,
                r[2][0] * x + r[2][1] * y + r[2][2] * z};
    }
    Vec place(double x, double y, double z) const
    {
        const Vec v = rotate(x, y, z);
        return {v.x + origin.x, v.y + origin.y, v.z + origin.z};
    }
};

// A point on the page with its depth.
struct Projected {
    double u, v, d;
};

// A face nearer the eye than the solid behind it, as a convex polygon on the page with
// its depth as a plane over the page.
// An edge of a convex polygon as the half-plane inside it: n . p + c >= 0, n of unit length.
struct HalfPlane {
    double nx, ny, c;
};

// Its outline and sides are ranges of the Occluders' shared arrays: a large shed has tens
// of thousands of faces, and two small arrays each would be most of their memory.
struct Occluder {
    std::span<const QPointF> poly; // counter-clockwise
    std::span<const HalfPlane> sides;
    double a = 0, b = 0, c = 0; // depth = a u + b v + c
    double nearest = 0;
    QRectF box;
    int member = 0;
    int stage = 0;
};

// Its ends are indices into the projected corners: each corner ends three edges.
struct Edge {
    int p0, p1;
    int member;
    int stage;
    bool selfHidden;  // both faces at the edge turn away: the member itself hides it
    bool convexOwner; // a box cannot hide its own edges from the eye
};

double cross(QPointF o, QPointF a, QPointF b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

bool isConvex(const geometry::Polygon &p)
{
    for (qsizetype i = 0, n = p.size(); i < n; ++i)
        if (cross(p[i], p[(i + 1) % n], p[(i + 2) % n]) < -1e-9)
            return false;
    return true;
}

// Every face's outline and sides in two arrays, filled before any range of them is taken.
struct Occluders {
    std::vector<Occluder> list;
    std::vector<QPointF> points;
    std::vector<HalfPlane> sides;
    struct Ranges {
        size_t point0, points, side0, sides;
    };
    std::vector<Ranges> ranges;
    void add(Occluder o, size_t point0, size_t side0)
    {
        ranges.push_back({point0, points.size() - point0, side0, sides.size() - side0});
        list.push_back(o);
    }
    void seal()
    {
        for (size_t i = 0; i < list.size(); ++i) {
            list[i].poly = std::span<const QPointF>(points).subspan(ranges[i].point0, ranges[i].points);
            list[i].sides = std::span<const HalfPlane>(sides).subspan(ranges[i].side0, ranges[i].sides);
        }
        ranges = {};
    }
};

void occluder(const std::vector<Projected> &pts, int member, int stage, Occluders &out)
{
    // Newell's normal of the polygon in (u, v, depth).
    double nx = 0, ny = 0, nz = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const Projected &p = pts[i], &q = pts[(i + 1) % pts.size()];
        nx += (p.v - q.v) * (p.d + q.d);
        ny += (p.d - q.d) * (p.u + q.u);
        nz += (p.u - q.u) * (p.v + q.v);
    }
    if (std::abs(nz) < 1e-9)
        return; // edge on
    Occluder o;
    o.member = member;
    o.stage = stage;
    const Projected &p0 = pts[0];
    o.a = -nx / nz;
    o.b = -ny / nz;
    o.c = p0.d - o.a * p0.u - o.b * p0.v;
    o.nearest = -1e300;
    double u0 = 1e300, v0 = 1e300, u1 = -1e300, v1 = -1e300;
    const size_t point0 = out.points.size(), side0 = out.sides.size();
    for (const Projected &p : pts) {
        out.points.emplace_back(p.u, p.v);
        o.nearest = std::max(o.nearest, p.d);
        u0 = std::min(u0, p.u), u1 = std::max(u1, p.u), v0 = std::min(v0, p.v), v1 = std::max(v1, p.v);
    }
    const std::span<QPointF> poly = std::span<QPointF>(out.points).subspan(point0);
    double area = 0;
    for (size_t i = 0; i < poly.size(); ++i)
        area += cross(QPointF(), poly[i], poly[(i + 1) % poly.size()]);
    if (std::abs(area) < 1e-8) {
        out.points.resize(point0);
        return;
    }
    if (area < 0)
        std::reverse(poly.begin(), poly.end());
    for (size_t i = 0; i < poly.size(); ++i) {
        const QPointF e0 = poly[i], e1 = poly[(i + 1) % poly.size()];
        const double len = std::hypot(e1.x() - e0.x(), e1.y() - e0.y());
        if (len < 1e-12)
            continue;
        // Inside is on the left of a counter-clockwise edge; the tolerance takes in the outline.
        const double inX = -(e1.y() - e0.y()) / len, inY = (e1.x() - e0.x()) / len;
        out.sides.push_back({inX, inY, -(inX * e0.x() + inY * e0.y()) + ClipTolerance});
    }
    o.box = QRectF(QPointF(u0, v0), QPointF(u1, v1));
    out.add(o, point0, side0);
}

// The part [t0, t1] of the segment inside the convex polygon, its outline included.
bool clipToPolygon(QPointF a, QPointF b, std::span<const HalfPlane> sides, double &t0, double &t1)
{
    t0 = 0;
    t1 = 1;
    for (const HalfPlane &h : sides) {
        const double f0 = h.nx * a.x() + h.ny * a.y() + h.c;
        const double f1 = h.nx * b.x() + h.ny * b.y() + h.c;
        if (f0 < 0 && f1 < 0)
            return false;
        if (f0 < 0)
            t0 = std::max(t0, f0 / (f0 - f1));
        else if (f1 < 0)
            t1 = std::min(t1, f0 / (f0 - f1));
        if (t0 > t1)
            return false;
    }
    return true;
}

// Occluders binned by their page boxes, so an edge meets only those it may cross.
class Grid {
public:
    Grid(const std::vector<Occluder> &occ)
    {
        QRectF all;
        for (const Occluder &o : occ)
            all = all.isNull() ? o.box : all.united(o.box);
        origin_ = all.topLeft();
        n_ = std::clamp(int(std::sqrt(double(occ.size())) * 1.5), 1, 384);
        cellW_ = std::max(all.width() / n_, 1e-6);
        cellH_ = std::max(all.height() / n_, 1e-6);
        // Counted first, then filled: one array for every cell's list.
        start_.assign(size_t(n_) * size_t(n_) + 1, 0);
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<int> fill;
            if (pass == 1) {
                for (size_t c = 1; c < start_.size(); ++c)
                    start_[c] += start_[c - 1];
                items_.resize(size_t(start_.back()));
                fill.assign(start_.begin(), start_.end() - 1);
            }
            for (size_t i = 0; i < occ.size(); ++i)
                cover(occ[i], [&](size_t cell) {
                    if (pass == 0)
                        ++start_[cell + 1];
                    else
                        items_[size_t(fill[cell]++)] = int(i);
                });
        }
    }

    // Visits the occluders in the cells the segment crosses until `visit` returns false;
    // one may come more than once.
    template <typename F>
    void along(QPointF a, QPointF b, F &&visit) const
    {
        const int r0 = row(std::min(a.y(), b.y())), r1 = row(std::max(a.y(), b.y()));
        for (int y = r0; y <= r1; ++y) {
            // The segment's u range inside this row's band.
            double lo = std::min(a.x(), b.x()), hi = std::max(a.x(), b.x());
            if (std::abs(b.y() - a.y()) > 1e-12) {
                const double band0 = origin_.y() + y * cellH_, band1 = band0 + cellH_;
                const double ta = std::clamp((band0 - a.y()) / (b.y() - a.y()), 0.0, 1.0);
                const double tb = std::clamp((band1 - a.y()) / (b.y() - a.y()), 0.0, 1.0);
                const double ua = a.x() + (b.x() - a.x()) * ta, ub = a.x() + (b.x() - a.x()) * tb;
                lo = std::min(ua, ub);
                hi = std::max(ua, ub);
            }
            for (int x = col(lo - PageTolerance); x <= col(hi + PageTolerance); ++x) {
                const size_t cell = size_t(y) * size_t(n_) + size_t(x);
                for (int k = start_[cell]; k < start_[cell + 1]; ++k)
                    if (!visit(items_[size_t(k)]))
                        return;
            }
        }
    }

private:
    // Row by row, only the cells the polygon reaches: a slanting strip of siding covers a
    // small part of its box.
    template <typename F>
    void cover(const Occluder &o, F &&add) const
    {
        for (int y = row(o.box.top()); y <= row(o.box.bottom()); ++y) {
            const double band0 = origin_.y() + y * cellH_, band1 = band0 + cellH_;
            double lo = 1e300, hi = -1e300;
            for (size_t k = 0; k < o.poly.size(); ++k) {
                const QPointF p = o.poly[k], q = o.poly[(k + 1) % o.poly.size()];
                if (p.y() >= band0 && p.y() <= band1)
                    lo = std::min(lo, p.x()), hi = std::max(hi, p.x());
                for (double v : {band0, band1})
                    if ((p.y() - v) * (q.y() - v) < 0) {
                        const double x = p.x() + (q.x() - p.x()) * (v - p.y()) / (q.y() - p.y());
                        lo = std::min(lo, x), hi = std::max(hi, x);
                    }
            }
            if (lo > hi) // the band lies inside the polygon's box but clear of it
                continue;
            for (int x = col(lo - PageTolerance); x <= col(hi + PageTolerance); ++x)
                add(size_t(y) * size_t(n_) + size_t(x));
        }
    }

    int col(double u) const { return std::clamp(int((u - origin_.x()) / cellW_), 0, n_ - 1); }
    int row(double v) const { return std::clamp(int((v - origin_.y()) / cellH_), 0, n_ - 1); }
    QPointF origin_;
    int n_ = 1;
    double cellW_ = 1, cellH_ = 1;
    std::vector<int> start_; // cell c's occluders are items_[start_[c]] up to items_[start_[c + 1]]
    std::vector<int> items_;
};

} // namespace

ViewDirection::ViewDirection(QVector3D toEye) : toEye_(unit(toEye))
{
    const QVector3D forward = -toEye_;
    right_ = QVector3D::crossProduct(forward, QVector3D(0, 1, 0));
    if (right_.lengthSquared() < 1e-8) // straight down: the front at the bottom of the page
        right_ = QVector3D(-1, 0, 0) * (forward.y() < 0 ? 1.0f : -1.0f);
    right_.normalize();
    up_ = QVector3D::crossProduct(right_, forward).normalized();
}

// 35 degrees round from the front toward the right wall, 25 degrees above the ground:
// the front reads as the main face and the roof's slope shows.
ViewDirection ViewDirection::threeQuarter()
{
    const double a = 35 * M_PI / 180, e = 25 * M_PI / 180;
    return ViewDirection(
        QVector3D(float(-std::sin(a) * std::cos(e)), float(std::sin(e)), float(-std::cos(a) * std::cos(e))));
}
ViewDirection ViewDirection::front() { return ViewDirection(QVector3D(0, 0, -1)); }
ViewDirection ViewDirection::rear() { return ViewDirection(QVector3D(0, 0, 1)); }
ViewDirection ViewDirection::left() { return ViewDirection(QVector3D(1, 0, 0)); }
ViewDirection ViewDirection::right() { return ViewDirection(QVector3D(-1, 0, 0)); }

QPointF ViewDirection::project(QVector3D p) const
{
    return {QVector3D::dotProduct(p, right_), QVector3D::dotProduct(p, up_)};
}

double ViewDirection::depth(QVector3D p) const { return QVector3D::dotProduct(p, toEye_); }

HiddenLines::HiddenLines(const Model &model, const ViewDirection &view, const QList<int> &stageOf)
{
    const auto axis = [&](QVector3D e) { return view.project(e); };
    const QPointF ex = axis({1, 0, 0}), ey = axis({0, 1, 0}), ez = axis({0, 0, 1});
    const QVector3D eye = view.toEye();
    const auto project = [&](const Vec &w) {
        return Projected{ex.x() * w.x + ey.x() * w.y + ez.x() * w.z, ex.y() * w.x + ey.y() * w.y + ez.y() * w.z,
                         eye.x() * w.x + eye.y() * w.y + eye.z() * w.z};
    };

    Occluders faces;
    std::vector<Projected> corners; // each member's base outline, then its top
    std::vector<Edge> edges;
    layers_.resize(model.members.size());
    for (qsizetype mi = 0; mi < model.members.size(); ++mi) {
        const int stage = stageOf.isEmpty() ? 0 : stageOf.value(mi, -1);
        if (stage < 0)
            continue;
        const Member &m = model.members[mi];
        layers_[mi] = m.layer;
        geometry::Polygon poly = geometry::outline(m);
        const double t = m.size.z();
        if (poly.size() < 3 || t <= 0)
            continue;
        if (geometry::area(poly) < 0)
            std::reverse(poly.begin(), poly.end());
        const Frame f(m);
        const qsizetype n = poly.size();
        std::vector<Projected> base(static_cast<size_t>(n)), top(static_cast<size_t>(n));
        double u0 = 1e300, v0 = 1e300, u1 = -1e300, v1 = -1e300;
        for (qsizetype i = 0; i < n; ++i) {
            base[size_t(i)] = project(f.place(poly[i].x(), poly[i].y(), 0));
            top[size_t(i)] = project(f.place(poly[i].x(), poly[i].y(), t));
            for (const Projected &p : {base[size_t(i)], top[size_t(i)]})
                u0 = std::min(u0, p.u), u1 = std::max(u1, p.u), v0 = std::min(v0, p.v), v1 = std::max(v1, p.v);
        }
        memberBounds_.append({stage, QRectF(QPointF(u0, v0), QPointF(u1, v1))});
        const auto facing = [&](double x, double y, double z) {
            const Vec w = f.rotate(x, y, z);
            return eye.x() * w.x + eye.y() * w.y + eye.z() * w.z;
        };
        // Faces: the caps (local -z and +z), then the side over each outline edge.
        const double capFacing = facing(0, 0, 1);
        std::vector<double> sideFacing(static_cast<size_t>(n));
        for (qsizetype i = 0; i < n; ++i) {
            const QPointF a = poly[i], b = poly[(i + 1) % n];
            const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
            sideFacing[size_t(i)] = len > 0 ? facing((b.y() - a.y()) / len, (a.x() - b.x()) / len, 0) : 0;
        }
        const bool convex = isConvex(poly);
        const auto addCap = [&](const std::vector<Projected> &cap) {
            if (convex) {
                occluder(cap, int(mi), stage, faces);
                return;
            }
            for (const auto &tri : geometry::triangulate(poly))
                occluder({cap[size_t(tri[0])], cap[size_t(tri[1])], cap[size_t(tri[2])]}, int(mi), stage, faces);
        };
        if (capFacing > FacingTolerance)
            addCap(top);
        else if (capFacing < -FacingTolerance)
            addCap(base);
        for (qsizetype i = 0; i < n; ++i) {
            const size_t a = size_t(i), b = size_t((i + 1) % n);
            if (sideFacing[a] > FacingTolerance)
                occluder({base[a], base[b], top[b], top[a]}, int(mi), stage, faces);
        }
        const int base0 = int(corners.size()), top0 = base0 + int(n);
        corners.insert(corners.end(), base.begin(), base.end());
        corners.insert(corners.end(), top.begin(), top.end());
        // Edges, each with whether neither of its faces turns toward the eye: then the solid
        // itself hides it (an edge between an edge-on face and a back face lies under the
        // outline of a front face).
        const bool boxLike = convex;
        const auto away = [](double c) { return c <= FacingTolerance; };
        // Round each cap in turn, then the uprights: consecutive edges meet, so the strokes
        // join into polylines.
        for (const bool upper : {false, true}) {
            const int cap = upper ? top0 : base0;
            for (qsizetype i = 0; i < n; ++i) {
                const size_t a = size_t(i);
                edges.push_back({cap + int(i), cap + int((i + 1) % n), int(mi), stage,
                                 away(sideFacing[a]) && away(upper ? capFacing : -capFacing), boxLike});
            }
        }
        for (qsizetype i = 0; i < n; ++i) {
            // The upright edge at a corner of the outline; none where the outline runs straight on.
            const size_t a = size_t(i), prev = size_t((i + n - 1) % n);
            const QPointF pa = poly[qsizetype(prev)], pb = poly[i], pc = poly[(i + 1) % n];
            const double turn = cross(pa, pb, pc)
                                / std::max(1e-12, std::hypot(pb.x() - pa.x(), pb.y() - pa.y())
                                                      * std::hypot(pc.x() - pb.x(), pc.y() - pb.y()));
            if (std::abs(turn) > 1e-6)
                edges.push_back({base0 + int(i), top0 + int(i), int(mi), stage,
                                 away(sideFacing[a]) && away(sideFacing[prev]), boxLike});
        }
    }
    edges_ = int(edges.size());

    faces.seal();
    const std::vector<Occluder> &occ = faces.list;
    const Grid grid(occ);
    std::vector<int> seen(occ.size(), -1);
    struct Hit {
        double t0, t1;
        int stage;
    };
    std::vector<Hit> hits;
    struct Event {
        double t;
        int stage; // index into `stages`
        int delta;
    };
    std::vector<Event> events;
    std::vector<int> stages, active;
    for (size_t ei = 0; ei < edges.size(); ++ei) {
        const Edge &e = edges[ei];
        const Projected &p0 = corners[size_t(e.p0)], &p1 = corners[size_t(e.p1)];
        const QPointF a(p0.u, p0.v), b(p1.u, p1.v);
        const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
        if (len < PageTolerance)
            continue; // seen end on
        const QLineF line(a, b);
        if (e.selfHidden) {
            pieces_.append({line, int(ei), e.member, e.stage, e.stage});
            continue;
        }
        hits.clear();
        int whole = INT_MAX; // the first stage whose faces alone hide the whole edge
        const double far = std::min(p0.d, p1.d);
        const QRectF box =
            QRectF(a, b).normalized().adjusted(-PageTolerance, -PageTolerance, PageTolerance, PageTolerance);
        grid.along(a, b, [&](int oi) {
            if (seen[size_t(oi)] == int(ei))
                return true;
            seen[size_t(oi)] = int(ei);
            const Occluder &o = occ[size_t(oi)];
            if (o.stage >= whole || o.nearest < far + DepthTolerance || (e.convexOwner && o.member == e.member)
                || o.box.right() < box.left() || o.box.left() > box.right() || o.box.bottom() < box.top()
                || o.box.top() > box.bottom())
                return true;
            double t0 = 0, t1 = 1;
            if (!clipToPolygon(a, b, o.sides, t0, t1))
                return true;
            // Where along [t0, t1] the face is nearer than the edge: both depths are linear in t.
            const auto gap = [&](double t) {
                const double u = a.x() + (b.x() - a.x()) * t, v = a.y() + (b.y() - a.y()) * t;
                return o.a * u + o.b * v + o.c - (p0.d + (p1.d - p0.d) * t) - DepthTolerance;
            };
            const double g0 = gap(t0), g1 = gap(t1);
            if (g0 <= 0 && g1 <= 0)
                return true;
            if (g0 < 0)
                t0 += (t1 - t0) * g0 / (g0 - g1);
            else if (g1 < 0)
                t1 = t0 + (t1 - t0) * g0 / (g0 - g1);
            if ((t1 - t0) * len < PageTolerance) // where an edge only touches a face
                return true;
            const int stage = std::max(o.stage, e.stage);
            if (t0 <= 0 && t1 >= 1) {
                // Hidden whole from this stage on: later stages' faces change nothing, and
                // from the edge's own stage on nothing can.
                whole = stage;
                std::erase_if(hits, [&](const Hit &h) { return h.stage >= whole; });
                hits.push_back({0, 1, stage});
                return stage > e.stage;
            }
            hits.push_back({t0, t1, stage});
            return true;
        });
        if (hits.empty()) {
            pieces_.append({line, int(ei), e.member, e.stage, INT_MAX});
            continue;
        }
        // Sweep the hits' ends: each run between them takes the earliest stage that covers
        // it; runs shorter than the tolerance (the seams between abutting faces) join the
        // run before.
        stages.clear();
        for (const Hit &h : hits)
            stages.push_back(h.stage);
        std::sort(stages.begin(), stages.end());
        stages.erase(std::unique(stages.begin(), stages.end()), stages.end());
        events.clear();
        for (const Hit &h : hits) {
            const int k = int(std::lower_bound(stages.begin(), stages.end(), h.stage) - stages.begin());
            events.push_back({std::clamp(h.t0, 0.0, 1.0), k, 1});
            events.push_back({std::clamp(h.t1, 0.0, 1.0), k, -1});
        }
        std::sort(events.begin(), events.end(), [](const Event &x, const Event &y) { return x.t < y.t; });
        active.assign(stages.size(), 0);
        const qsizetype first = pieces_.size();
        double from = 0, at = 0;
        int current = -2;
        const auto close = [&](double to) {
            if (current == -2)
                return;
            if (pieces_.size() > first && pieces_.last().hiddenFrom == current)
                pieces_.last().line.setP2(line.pointAt(to));
            else
                pieces_.append({QLineF(line.pointAt(from), line.pointAt(to)), int(ei), e.member, e.stage, current});
        };
        const auto run = [&](double to) {
            if ((to - at) * len < PageTolerance)
                return;
            int hf = INT_MAX;
            for (size_t k = 0; k < active.size(); ++k)
                if (active[k] > 0) {
                    hf = stages[k];
                    break;
                }
            if (hf != current) {
                close(at);
                from = at;
                current = hf;
            }
            at = to;
        };
        for (const Event &ev : events) {
            run(ev.t);
            active[size_t(ev.stage)] += ev.delta;
        }
        run(1.0);
        close(1.0);
        if (pieces_.size() > first) {
            pieces_[first].line.setP1(a);
            pieces_.last().line.setP2(b);
        }
    }
}

QList<Stroke> HiddenLines::strokes(int stage) const
{
    QList<Stroke> out;
    out.reserve(pieces_.size());
    forEachStroke(stage, [&](const Stroke &s) { out.append(s); });
    return out;
}

void HiddenLines::forEachStroke(int stage, const std::function<void(const Stroke &)> &visit) const
{
    Stroke current;
    bool any = false;
    int lastEdge = -1;
    for (const Piece &p : pieces_) {
        if (p.stage > stage)
            continue;
        const bool visible = p.hiddenFrom == INT_MAX || p.hiddenFrom > stage;
        if (any && current.visible == visible && current.member == p.member && current.points.last() == p.line.p1()) {
            // Runs of one edge that the stage leaves alike make one line; the next edge
            // round a face goes on from its end.
            if (p.edge == lastEdge)
                current.points.last() = p.line.p2();
            else
                current.points.append(p.line.p2());
            lastEdge = p.edge;
            continue;
        }
        if (any)
            visit(current);
        any = true;
        lastEdge = p.edge;
        current = {QPolygonF{p.line.p1(), p.line.p2()}, layers_.value(p.member), p.member, p.stage, visible};
    }
    if (any)
        visit(current);
}

QRectF HiddenLines::bounds(int stage) const
{
    QRectF out;
    for (const auto &[s, r] : memberBounds_)
        if (s <= stage)
            out = out.isNull() ? r : out.united(r);
    return out;
}

} // namespace corvelle::shed
