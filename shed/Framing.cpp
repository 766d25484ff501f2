#include "Framing.h"

#include "Geometry.h"
#include "Headers.h"
#include "Layout.h"
#include "Rules.h"

#include <QLineF>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

namespace corvelle::shed {

using namespace geometry;
namespace r = rules;

namespace {

constexpr double Eps = 1e-6;

enum class Axis { X, Y, Z };

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

// Local (u, v) of a side wall's face: u along Z, v up, extruded along X.
const QQuaternion SidePlane = alongAxis(Axis::Z);

double degrees(double radians) { return radians * 180.0 / M_PI; }

// The angle between an end cut and the member's axis; 90 is a square cut.
double cutAngle(QPointF cut, QPointF axis)
{
    const double c = std::abs(cut.x() * axis.x() + cut.y() * axis.y()) / (std::hypot(cut.x(), cut.y()) * std::hypot(axis.x(), axis.y()));
    return std::round(degrees(std::acos(std::clamp(c, 0.0, 1.0))) * 10) / 10;
}

// Whether a rectangle lies inside a convex counter-clockwise polygon.
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

Polygon offsetPolygon(const Polygon &p, QPointF by)
{
    Polygon out;
    for (const QPointF &q : p)
        out.append(q - by);
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

// A line of the roof's left half in the XY plane: y = y0 + (x - x0) * pitch.
struct Line {
    double x0, y0, pitch;
    double at(double x) const { return y0 + (x - x0) * pitch; }
    double xAt(double y) const { return x0 + (y - y0) / pitch; }
};

// Pieces of a run from a to b no longer than a spliced piece may be, joints on the
// nearest support (`snaps`) short of the limit.
QList<std::pair<double, double>> splitRun(double a, double b, const QList<double> &snaps)
{
    QList<std::pair<double, double>> out;
    double s = a;
    while (b - s > r::MaxSplicedPiece + Eps) {
        double joint = -1;
        for (double snap : snaps) {
            if (snap > s + 12 && snap <= s + r::MaxSplicedPiece + Eps)
                joint = std::max(joint, snap);
        }
        if (joint < 0)
            joint = s + r::MaxSplicedPiece;
        out.append({s, joint});
        s = joint;
    }
    out.append({s, b});
    return out;
}

class Framer {
public:
    Framer(const Design &design, const SiteLoads &loads) : d(design), loads_(loads) {}
    Model build();

private:
    struct Wall {
        int side;                 // 0 front, 1 back, 2 left, 3 right
        double start, end;        // along the wall, as the lower top plate runs
        double upperStart, upperEnd;
        bool door = false;
    };
    struct Roof {
        bool gambrel = false;
        bool trusses = true;
        double thick = 2.5, depth = 5.5;  // roof-support section from the file
        double xTail = 0, xEnd = 0;       // left half: tail and ridge-side end of the frames
        double xKnee = 0, xTopKnee = 0;   // gambrel only
        QList<Line> bottoms;              // underside lines of the left half, eave first
        QList<double> verticals;          // vertical depth of each line's member
        double ridgeTop = 0, ridgeDepth = 0;
        double seat = 0;
        double underside(double x) const;
        double top(double x) const;
        double pitchAt(double x) const;
        QList<double> breaks(double width) const; // x of the outline's corners over the width
    };

    void foundation();
    void floorFrame();
    void walls();
    void wall(const Wall &w);
    void gableStuds(const Wall &w);
    void nailers(const Wall &w, QList<double> uprights, double from, double to, double headerTop);
    void roof();
    void roofFrame(double z, bool endFrame, int index);
    void lookouts();
    void sheathing();
    QList<QRectF> wallSheets(int side, const QRectF &area, QSizeF sheet, bool opening) const;
    void lining();
    void siding();
    void doors();
    void ramps();

    // Members.
    Member &lumber(MemberKind kind, Layer layer, const QString &stock, QVector3D min, QVector3D extent, Axis axis);
    Member &planar(MemberKind kind, Layer layer, const QString &stock, const Polygon &uv, bool sidePlane,
                   double across, double thickness);
    Member &profileXY(MemberKind kind, Layer layer, const QString &stock, const Polygon &poly, double z0, double thickness);
    QList<Polygon> leftQuads(bool notched = false) const;
    void sloped(MemberKind kind, const QString &stock, const Polygon &quad, double z0, double thickness, bool mirror);
    Polygon trussInterior() const;
    void webs(const QList<std::pair<QPointF, QPointF>> &lines, double z0);
    void placeWebs(double z0);
    static QRectF rectAround(QPointF at, double size = r::GussetSize);
    void gusset(const QRectF &rect, double z0, double z1, int faces); // faces: 1 the z0 side, 2 the z1 side
    // Wall framing in wall coordinates: u along, y up, w across from the outer face.
    Member &wallMember(const Wall &w, MemberKind kind, const QString &stock, double u0, double u1, double y0, double y1,
                       double w0, double w1, bool vertical);

    double roughLeft() const { return (W - roW) / 2; }
    Polygon gableOutline(double xFrom, double xTo, double yBase) const;

    const Design &d;
    const SiteLoads &loads_;
    Model m;
    double W = 0, D = 0, H = 0, sd = 0;
    double base = 0, plateTop = 0, skidTop = 0;
    double roW = 0, roH = 0, header = 0;
    headers::Choice hc;
    QString studStock, plateStock, bottomStock;
    Roof rf;
    QList<double> frameZ;
    // Centres of the upright members of each wall along it (studs, kings, jacks, and
    // the cripples over an opening): where wall board may join.
    QList<double> wallSupports[4];
    bool barges = false;
    bool hasLookouts = false;
    Polygon gussetClip; // a frame's outline over the walls, the same for every frame
    struct WebPiece {
        Polygon poly;
        double length, angle1, angle2;
        std::optional<QRectF> splice; // the gusset joining it to the next piece
    };
    QList<WebPiece> webCache;
    std::map<std::array<double, 4>, Polygon> plates; // gusset outlines by the rectangle they are cut from
    double wallSheathing = 0; // structural wall sheathing's thickness, 0 where the siding is its own
};

Member &Framer::lumber(MemberKind kind, Layer layer, const QString &stock, QVector3D min, QVector3D extent, Axis axis)
{
    Member mb{kind, layer, stock, {}, alongAxis(axis), {}, 0, 90, 90, 0, {}};
    switch (axis) {
    case Axis::X: mb.size = extent; break;
    case Axis::Y: mb.size = {extent.y(), extent.x(), extent.z()}; break;
    case Axis::Z: mb.size = {extent.z(), extent.y(), extent.x()}; break;
    }
    mb.length = mb.size.x();
    placeAt(mb, min);
    m.members.append(mb);
    return m.members.last();
}

Member &Framer::profileXY(MemberKind kind, Layer layer, const QString &stock, const Polygon &poly, double z0, double thickness)
{
    const QRectF b = boundingRect(poly);
    Member mb{kind, layer, stock, QVector3D(float(b.width()), float(b.height()), float(thickness)), {},
              QVector3D(float(b.left()), float(b.top()), float(z0)), 0, 90, 90, 0, {}};
    if (!isAxisRect(poly))
        mb.profile = offsetPolygon(poly, b.topLeft());
    m.members.append(mb);
    return m.members.last();
}

Member &Framer::planar(MemberKind kind, Layer layer, const QString &stock, const Polygon &uv, bool sidePlane,
                       double across, double thickness)
{
    const QRectF b = boundingRect(uv);
    if (!sidePlane) {
        Member &mb = profileXY(kind, layer, stock, uv, across, thickness);
        mb.length = std::max(b.width(), b.height());
        mb.width = std::min(b.width(), b.height());
        return mb;
    }
    Member mb{kind, layer, stock, QVector3D(float(b.width()), float(b.height()), float(thickness)), SidePlane, {}, 0, 90, 90, 0, {}};
    if (!isAxisRect(uv))
        mb.profile = offsetPolygon(uv, b.topLeft());
    mb.length = std::max(b.width(), b.height());
    mb.width = std::min(b.width(), b.height());
    placeAt(mb, QVector3D(float(across), float(b.top()), float(b.left())));
    m.members.append(mb);
    return m.members.last();
}

Member &Framer::wallMember(const Wall &w, MemberKind kind, const QString &stock, double u0, double u1, double y0, double y1,
                           double w0, double w1, bool vertical)
{
    const float du = float(u1 - u0), dy = float(y1 - y0), dw = float(w1 - w0);
    switch (w.side) {
    case 0: return lumber(kind, Layer::Framing, stock, QVector3D(u0, y0, w0), {du, dy, dw}, vertical ? Axis::Y : Axis::X);
    case 1: return lumber(kind, Layer::Framing, stock, QVector3D(u0, y0, D - w1), {du, dy, dw}, vertical ? Axis::Y : Axis::X);
    case 2: return lumber(kind, Layer::Framing, stock, QVector3D(w0, y0, u0), {dw, dy, du}, vertical ? Axis::Y : Axis::Z);
    default: return lumber(kind, Layer::Framing, stock, QVector3D(W - w1, y0, u0), {dw, dy, du}, vertical ? Axis::Y : Axis::Z);
    }
}

// --- Foundation and floor -------------------------------------------------------------------

void Framer::foundation()
{
    switch (d.floor) {
    case FloorType::Gravel: {
        // The pad's top is the ground the walls stand on.
        Member &pad = lumber(MemberKind::GravelPad, Layer::Foundation, QStringLiteral("gravel"),
                             QVector3D(-r::GravelMargin, -r::GravelDepth, -r::GravelMargin),
                             QVector3D(W + 2 * r::GravelMargin, r::GravelDepth, D + 2 * r::GravelMargin), Axis::X);
        pad.length = 0;
        break;
    }
    case FloorType::Concrete: {
        if (d.slabThickness <= 0)
            break;
        Member &slab = lumber(MemberKind::Slab, Layer::Foundation, QStringLiteral("concrete"), {},
                              QVector3D(W, d.slabThickness, D), Axis::X);
        slab.length = 0;
        break;
    }
    case FloorType::Wood:
    case FloorType::Blocks:
        floorFrame();
        break;
    }
}

void Framer::floorFrame()
{
    const double jh = d.joistHeight, jw = d.joistWidth;
    const int rows = d.floor == FloorType::Blocks ? std::max(1, d.blockRows) : 0;
    const double blocksTop = rows * d.blockHeight;
    skidTop = blocksTop + r::SkidDepth;
    const double joistTop = skidTop + jh;

    // Skids across the joists, close enough that the joists stay within their span.
    const double span = jh < 4 ? r::MaxSpan2x4Joist : r::MaxSpanDeepJoist;
    const int skids = int(std::ceil((D - r::SkidWidth) / span - Eps)) + 1;
    QList<double> skidCentres;
    const QString skidStock = nominalSection(r::SkidWidth, r::SkidDepth) + QStringLiteral(" PT");
    const int piers = int(std::ceil((W - d.blockLength) / r::MaxPierSpacing - Eps)) + 1;
    QList<double> pierCentres;
    for (int j = 0; j < piers; ++j)
        pierCentres.append(j * (W - d.blockLength) / (piers - 1) + d.blockLength / 2);
    for (int i = 0; i < skids; ++i) {
        const double z = i * (D - r::SkidWidth) / (skids - 1);
        skidCentres.append(z + r::SkidWidth / 2);
        for (auto [a, b] : splitRun(0, W, pierCentres))
            lumber(MemberKind::Skid, Layer::Foundation, skidStock, QVector3D(a, blocksTop, z),
                   QVector3D(b - a, r::SkidDepth, r::SkidWidth), Axis::X);
        if (rows == 0)
            continue;
        const double bz = std::clamp(z + r::SkidWidth / 2 - d.blockWidth / 2, 0.0, D - d.blockWidth);
        for (double c : pierCentres) {
            for (int k = 0; k < rows; ++k) {
                Member &block = lumber(MemberKind::Block, Layer::Foundation, QStringLiteral("concrete block 8x8x16"),
                                       QVector3D(c - d.blockLength / 2, k * d.blockHeight, bz),
                                       QVector3D(d.blockLength, d.blockHeight, d.blockWidth), Axis::X);
                block.length = 0;
            }
        }
    }

    // Joists along the depth at the file's centres, between side rims; rims all round.
    const QString joistStock = nominalSection(jw, jh) + QStringLiteral(" PT");
    QList<double> joistCentres;
    for (int k = 1; k * d.joistCenters + jw / 2 <= W - jw + Eps; ++k) {
        if (k * d.joistCenters - jw / 2 >= jw - Eps)
            joistCentres.append(k * d.joistCenters);
    }
    for (double z : {0.0, D - jw}) {
        for (auto [a, b] : splitRun(0, W, joistCentres))
            lumber(MemberKind::RimJoist, Layer::Floor, joistStock, QVector3D(a, skidTop, z), QVector3D(b - a, jh, jw), Axis::X);
    }
    // Joists that butt over a skid bear on half of it each: a scab across the joint, on the
    // side toward the shed's middle, ties them and carries both onto the skid.
    const auto joistRun = [&](MemberKind kind, double x) {
        for (auto [a, b] : splitRun(jw, D - jw, skidCentres)) {
            lumber(kind, Layer::Floor, joistStock, QVector3D(x, skidTop, a), QVector3D(jw, jh, b - a), Axis::Z);
            if (b < D - jw - Eps) {
                const double sx = x + jw / 2 < W / 2 ? x + jw : x - jw;
                lumber(MemberKind::Scab, Layer::Floor, joistStock, QVector3D(sx, skidTop, b - r::ScabLength / 2),
                       QVector3D(jw, jh, r::ScabLength), Axis::Z);
            }
        }
    };
    joistRun(MemberKind::RimJoist, 0);
    joistRun(MemberKind::RimJoist, W - jw);
    for (double c : joistCentres)
        joistRun(MemberKind::Joist, c - jw / 2);

    // The deck: sheets across the joists, every end joint centred on a joist, rows
    // breaking on different joists.
    const QString deckStock = fraction(d.deckThickness) + QStringLiteral(" in plywood");
    m.sheetSizes.insert(deckStock, QSizeF(d.sheetWidth, d.sheetLength));
    QList<double> supports = joistCentres;
    supports.prepend(jw / 2);
    supports.append(W - jw / 2);
    QList<double> below;
    for (double z = 0; z < D - Eps; z += d.sheetWidth) {
        const double z1 = std::min(D, z + d.sheetWidth);
        below = layout::sheetJoints({0, W, d.sheetLength, supports, d.joistCenters, {}, below});
        const QList<double> ends = QList<double>{0} + below + QList<double>{W};
        for (qsizetype i = 1; i < ends.size(); ++i) {
            Member &sheet = lumber(MemberKind::DeckSheet, Layer::Floor, deckStock, QVector3D(ends[i - 1], joistTop, z),
                                   QVector3D(ends[i] - ends[i - 1], d.deckThickness, z1 - z), Axis::X);
            sheet.length = std::max(ends[i] - ends[i - 1], z1 - z);
            sheet.width = std::min(ends[i] - ends[i - 1], z1 - z);
        }
    }
}

// --- Walls ---------------------------------------------------------------------------------

void Framer::walls()
{
    const bool front = hasFront(d.door), rear = hasRear(d.door);
    wall({0, 0, W, sd, W - sd, front});
    wall({1, 0, W, sd, W - sd, rear});
    wall({2, sd, D - sd, 0, D, false});
    wall({3, sd, D - sd, 0, D, false});
}

void Framer::wall(const Wall &w)
{
    const double c = d.studCenters, t = r::Ply;
    const double studBottom = base + t, studTop = plateTop - r::TopPlates * t;
    const bool endWall = w.side < 2;
    const double roL = roughLeft(), roR = roL + roW;
    const double headerTop = base + roH + header;
    const double jt = hc.jacks * t; // the jack studs' width at each end

    // Stud positions (left edges along the wall), corners and layout first.
    struct Slot {
        double u;
        MemberKind kind;
    };
    QList<Slot> slots = {{w.start, MemberKind::Stud}, {w.end - t, MemberKind::Stud}};
    if (endWall) {
        // Backers beside the side walls' end studs, for the lining to nail to at the corner.
        slots.append({sd, MemberKind::Stud});
        slots.append({W - sd - t, MemberKind::Stud});
    }
    if (w.door) {
        slots.append({roL - jt - t, MemberKind::KingStud});
        slots.append({roR + jt, MemberKind::KingStud});
    }
    const auto taken = [&](double u) {
        return std::any_of(slots.begin(), slots.end(), [&](const Slot &s) { return std::abs(s.u - u) < t - Eps; });
    };
    QList<double> cripples;
    QList<double> centres;
    for (int k = 1; k * c - t / 2 < w.end - t - Eps; ++k) {
        const double u = k * c - t / 2;
        centres.append(k * c);
        if (u < w.start + t - Eps || taken(u))
            continue;
        // Inside the jacks a layout stud becomes a cripple over the header; one within a
        // stud's width of a king is replaced by it (`taken`).
        if (w.door && u + t > roL - jt + Eps && u < roR + jt - Eps) {
            if (u >= roL - jt - Eps && u + t <= roR + jt + Eps)
                cripples.append(u);
            continue;
        }
        slots.append({u, MemberKind::Stud});
    }
    for (const Slot &s : slots)
        wallMember(w, s.kind, studStock, s.u, s.u + t, studBottom, studTop, 0, sd, true);
    QList<double> &supports = wallSupports[w.side];
    for (const Slot &s : slots)
        supports.append(s.u + t / 2);
    if (w.door) {
        supports.append(roL - t / 2);
        supports.append(roR + t / 2);
        // Over the opening a joint lands on a cripple or, without one, on the header.
        for (double u : cripples)
            supports.append(u + t / 2);
    }

    // Plates: the bottom plate is cut out at the door; joints over studs, never over a
    // header's end; the upper top plate's joints stand clear of the lower one's.
    const auto overHeaderEnd = [&](double u) {
        return w.door && ((u > roL - 2 * t - Eps && u < roL + Eps) || (u > roR - Eps && u < roR + 2 * t + Eps));
    };
    QList<double> lowerSplices;
    const auto plate = [&](MemberKind kind, double a, double b, double y, bool upper = false) {
        QList<double> snaps;
        for (double u : centres) {
            const bool nearLower = std::any_of(lowerSplices.begin(), lowerSplices.end(), [&](double s) {
                return std::abs(s - u) < r::MinPlateSpliceStagger - Eps;
            });
            if (!overHeaderEnd(u) && !(upper && nearLower))
                snaps.append(u);
        }
        for (auto [p, q] : splitRun(a, b, snaps)) {
            wallMember(w, kind, kind == MemberKind::BottomPlate ? bottomStock : plateStock, p, q, y, y + t, 0, sd, false);
            if (kind == MemberKind::TopPlate && !upper && q < b - Eps)
                lowerSplices.append(q);
        }
    };
    if (w.door) {
        plate(MemberKind::BottomPlate, w.start, roL, base);
        plate(MemberKind::BottomPlate, roR, w.end, base);
    } else {
        plate(MemberKind::BottomPlate, w.start, w.end, base);
    }
    plate(MemberKind::TopPlate, w.start, w.end, plateTop - 2 * t);
    plate(MemberKind::TopPlate, w.upperStart, w.upperEnd, plateTop - t, true);

    if (w.door) {
        for (int j = 0; j < hc.jacks; ++j) {
            for (double u : {roL - (j + 1) * t, roR + j * t})
                wallMember(w, MemberKind::JackStud, studStock, u, u + t, studBottom, base + roH, 0, sd, true);
        }
        // Plies on edge across the wall's depth, resting on the jacks, with plywood
        // spacers between them so the header is as thick as the wall.
        const int gaps = hc.plies - 1;
        const double gap = gaps > 0 && hc.spacer / gaps >= 0.25 - Eps ? hc.spacer / gaps : 0;
        const QString spacerStock = fraction(gap > 0 ? gap : hc.spacer) + QStringLiteral(" in plywood, header spacers");
        double across = 0;
        for (int i = 0; i < hc.plies; ++i) {
            wallMember(w, MemberKind::Header, hc.stock, roL - jt, roR + jt, base + roH, headerTop, across,
                       across + hc.thickness, false);
            across += hc.thickness;
            const double fill = i + 1 < hc.plies ? (gap > 0 ? gap : (i == 0 ? hc.spacer : 0)) : 0;
            if (fill > Eps && hc.spacer > Eps) {
                Member &spacer = wallMember(w, MemberKind::HeaderSpacer, spacerStock, roL - jt, roR + jt, base + roH,
                                            headerTop, across, across + fill, false);
                spacer.layer = Layer::Framing;
                spacer.length = roW + 2 * jt;
                spacer.width = header;
                m.sheetSizes.insert(spacerStock, QSizeF(48, 96));
                across += fill;
            }
        }
        if (studTop - headerTop > 1 - Eps) {
            for (double u : cripples)
                wallMember(w, MemberKind::Cripple, studStock, u, u + t, headerTop, studTop, 0, sd, true);
        }
    }
    if (d.siding == Siding::Vertical) {
        QList<double> lefts;
        for (const Slot &s : slots)
            lefts.append(s.u);
        nailers(w, lefts, studBottom, studTop, headerTop);
    }
    if (endWall)
        gableStuds(w);
}

void Framer::nailers(const Wall &w, QList<double> uprights, double from, double to, double headerTop)
{
    // Vertical boards are nailed to rows of flat blocking no more than 2 ft apart, and each
    // butt joint of a board lands on a row.
    const double t = r::Ply;
    const double bottom = (d.floor == FloorType::Wood || d.floor == FloorType::Blocks) ? skidTop
                          : d.floor == FloorType::Concrete                             ? d.slabThickness
                                                                                       : 0;
    QList<double> rows;
    for (double y = bottom + d.sidingHeight; y < to - t - Eps; y += d.sidingHeight) {
        if (y > from + t)
            rows.append(y);
    }
    QList<double> all = QList<double>{from} + rows + QList<double>{to};
    std::sort(all.begin(), all.end());
    for (qsizetype i = 1; i < all.size(); ++i) {
        const int extra = int(std::ceil((all[i] - all[i - 1]) / r::MaxNailerSpacing - Eps)) - 1;
        for (int k = 1; k <= extra; ++k)
            rows.append(all[i - 1] + (all[i] - all[i - 1]) * k / (extra + 1));
    }
    std::sort(uprights.begin(), uprights.end());
    const double roL = roughLeft(), roR = roL + roW;
    for (double y : rows) {
        for (qsizetype i = 1; i < uprights.size(); ++i) {
            const double u0 = uprights[i - 1] + t, u1 = uprights[i];
            if (u1 - u0 < t)
                continue;
            if (w.door && u0 < roR + t + Eps && u1 > roL - t - Eps && y < headerTop + t)
                continue; // the opening, its jacks and header
            wallMember(w, MemberKind::Blocking, studStock, u0, u1, y - t / 2, y + t / 2, 0, sd, false);
        }
    }
}

void Framer::gableStuds(const Wall &w)
{
    const double t = r::Ply;
    const double y0 = plateTop + (rf.trusses ? rf.depth : 0);
    const double ridgeL = W / 2 - t / 2, ridgeR = W / 2 + t / 2;
    const double ridgeBottom = rf.ridgeTop - rf.ridgeDepth;
    const double z0 = w.side == 0 ? 0 : D - sd;
    // A gable taller than a stud may be long is framed in two storeys, with a plate
    // across where the lower studs stop.
    const double plateY = y0 + r::MaxSplicedPiece - t;
    const bool storeys = rf.underside(W / 2) - y0 > r::MaxSplicedPiece;
    if (storeys) {
        double xa = 0;
        while (xa < W / 2 && rf.underside(xa) < plateY + t)
            xa += 0.25;
        for (auto [a, b] : splitRun(xa, W - xa, {}))
            lumber(MemberKind::TopPlate, Layer::Framing, plateStock, QVector3D(a, plateY, z0), QVector3D(b - a, t, sd), Axis::X);
    }
    for (int k = 0; k * d.studCenters - t / 2 <= W - t + Eps; ++k) {
        const double u = std::max(0.0, k * d.studCenters - t / 2);
        if (std::min(rf.underside(u), rf.underside(u + t)) - y0 < r::MinGableStud)
            continue;
        Polygon p = {{u, y0}, {u + t, y0}};
        double angle = 90 - degrees(std::atan(std::abs(rf.pitchAt(u + t / 2))));
        if (!rf.trusses && u + t > ridgeL - Eps && u < ridgeR + Eps) {
            p.append({u + t, ridgeBottom});
            p.append({u, ridgeBottom});
            angle = 90;
        } else {
            p.append({u + t, rf.underside(u + t)});
            const QList<double> corners = rf.breaks(W);
            for (qsizetype i = corners.size() - 1; i >= 0; --i) {
                if (corners[i] > u + Eps && corners[i] < u + t - Eps)
                    p.append({corners[i], rf.underside(corners[i])});
            }
            p.append({u, rf.underside(u)});
        }
        QList<Polygon> parts = {p};
        if (storeys && boundingRect(p).bottom() > plateY + t + r::MinGableStud) {
            parts = {clipConvex(p, rectPolygon(QRectF(QPointF(u - 1, y0 - 1), QPointF(u + t + 1, plateY)))),
                     clipConvex(p, rectPolygon(QRectF(QPointF(u - 1, plateY + t), QPointF(u + t + 1, 1e6))))};
        }
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (parts[i].isEmpty())
                continue;
            Member &stud = profileXY(MemberKind::Stud, Layer::Framing, studStock, parts[i], z0, sd);
            stud.length = boundingRect(parts[i]).height();
            stud.angle2 = i + 1 == parts.size() ? angle : 90;
        }
    }
}

// --- Roof -------------------------------------------------------------------------------------

double Framer::Roof::underside(double x) const
{
    double y = 1e30;
    for (const Line &l : bottoms)
        y = std::min(y, l.at(std::min(x, 2 * xEnd + (trusses ? 0 : r::Ply) - x)));
    return y;
}

double Framer::Roof::top(double x) const
{
    const double xx = std::min(x, 2 * xEnd + (trusses ? 0 : r::Ply) - x);
    double y = 1e30;
    for (qsizetype i = 0; i < bottoms.size(); ++i)
        y = std::min(y, bottoms[i].at(xx) + verticals[i]);
    return y;
}

double Framer::Roof::pitchAt(double x) const
{
    const double half = xEnd + (trusses ? 0 : r::Ply / 2);
    const double xx = x <= half ? x : 2 * half - x;
    const double p = gambrel && xx > xKnee ? bottoms[1].pitch : bottoms[0].pitch;
    return x <= half ? p : -p;
}

QList<double> Framer::Roof::breaks(double width) const
{
    QList<double> out;
    if (gambrel)
        out.append(xKnee);
    out.append(width / 2);
    if (gambrel)
        out.append(width - xKnee);
    return out;
}

void Framer::roof()
{
    rf.trusses = d.trusses;
    rf.gambrel = d.roof == RoofType::Barn;
    rf.thick = d.roofSupportDepth;
    rf.depth = d.roofSupportHeight;
    const double t = r::Ply;
    const double lowPitch = rf.gambrel ? r::GambrelLowerPitch : r::GablePitch;
    const auto vertical = [&](double pitch) { return rf.depth * std::sqrt(1 + pitch * pitch); };

    // Where the underside meets the walls: a truss heel sits on the plate; a rafter is
    // notched over it with a seat no deeper than its rule allows.
    Line first{0, plateTop + rf.depth, lowPitch};
    if (!rf.trusses) {
        rf.seat = std::min(sd, r::MaxSeatCutShare * vertical(lowPitch) / lowPitch);
        first = {rf.seat, plateTop, lowPitch};
        m.frame.seatLength = rf.seat;
        m.frame.seatDepth = rf.seat * lowPitch;
    }
    rf.xTail = -d.overhangX;
    rf.xEnd = rf.trusses ? W / 2 : W / 2 - t / 2;
    rf.bottoms = {first};
    rf.verticals = {vertical(lowPitch)};
    if (rf.gambrel) {
        rf.xKnee = r::GambrelKneeShare * W / 2;
        const Line upper{rf.xKnee, first.at(rf.xKnee), r::GambrelUpperPitch};
        rf.bottoms.append(upper);
        rf.verticals.append(vertical(r::GambrelUpperPitch));
        rf.xTopKnee = rf.xKnee + (rf.verticals[1] - rf.verticals[0]) / (r::GambrelLowerPitch - r::GambrelUpperPitch);
    }
    rf.ridgeDepth = rf.trusses ? 0 : rf.depth + r::RidgeExtraDepth;
    rf.ridgeTop = rf.bottoms.last().at(rf.xEnd) + rf.verticals.last();

    // Frames: one over each gable wall, the rest on the file's spacing from the front.
    const double s = d.roofSupportSpacing, th = rf.thick;
    frameZ = {0};
    for (int k = 1; k * s - th / 2 + th < D - th - Eps; ++k)
        frameZ.append(k * s - th / 2);
    frameZ.append(D - th);
    for (int i = 0; i < frameZ.size(); ++i)
        roofFrame(frameZ[i], i == 0 || i == frameZ.size() - 1, i);

    // Barge rafters carry the rake overhang's edge, held by a ladder of lookouts nailed
    // to the gable frame's face at the rafter spacing.
    barges = d.overhangZ >= th;
    if (barges) {
        for (double z : {-d.overhangZ, D + d.overhangZ - th}) {
            for (const Polygon &quad : leftQuads()) {
                for (bool mirror : {false, true})
                    sloped(MemberKind::Rafter, nominalSection(th, rf.depth), quad, z, th, mirror);
            }
        }
        lookouts();
    }
    if (!rf.trusses) {
        QList<double> centres;
        for (double z : frameZ)
            centres.append(z + th / 2);
        for (auto [a, b] : splitRun(-d.overhangZ, D + d.overhangZ, centres)) {
            lumber(MemberKind::RidgeBoard, Layer::Roof, nominalSection(t, rf.ridgeDepth),
                   QVector3D(W / 2 - t / 2, rf.ridgeTop - rf.ridgeDepth, a), QVector3D(t, rf.ridgeDepth, b - a), Axis::Z);
        }
    }
    sheathing();
}

void Framer::lookouts()
{
    const double th = rf.thick, t = r::Ply, reach = d.overhangZ - th;
    if (reach < t)
        return;
    hasLookouts = true;
    const QString stock = nominalSection(t, r::LookoutDepth);
    // Along the left half's top from the tail to the ridge, one at each end and the rest at
    // the rafter spacing measured up the slope; mirrored for the right half.
    QList<double> xs;
    const double pr = rf.pitchAt(rf.xEnd - t);
    const double stop = rf.xEnd - t - r::LookoutDepth * pr / std::sqrt(1 + pr * pr);
    double x = rf.xTail;
    while (x < stop - Eps) {
        xs.append(x);
        const double k = std::sqrt(1 + rf.pitchAt(x + t / 2) * rf.pitchAt(x + t / 2));
        x += d.roofSupportSpacing / k;
    }
    xs.append(stop);
    for (double x0 : xs) {
        const double p = rf.pitchAt(x0 + t / 2), k = std::sqrt(1 + p * p);
        const QPointF along(1 / k, p / k), down(p / k, -1 / k);
        // Square to the slope, its top flush with the frames' tops.
        const QPointF top(x0, rf.top(x0)), foot = top + down * r::LookoutDepth;
        const Polygon section = {foot, foot + along * t, top + along * t, top};
        for (double z : {-d.overhangZ + th, D}) {
            for (bool mirror : {false, true}) {
                Member &mb = profileXY(MemberKind::Lookout, Layer::Roof, stock, mirror ? mirrored(section, W) : section,
                                       z, reach);
                mb.length = reach;
            }
        }
    }
}

QList<Polygon> Framer::leftQuads(bool notched) const
{
    const Line &lower = rf.bottoms[0];
    const double hl = rf.verticals[0];
    const QPointF tail(rf.xTail, lower.at(rf.xTail)), tailTop(rf.xTail, lower.at(rf.xTail) + hl);
    // A rafter bears on the plate through a birdsmouth: a heel cut plumb at the wall's
    // face and a level seat to where its underside crosses the plate's top.
    Polygon seat;
    if (notched && !rf.trusses && rf.xTail < -Eps)
        seat = {{0, lower.at(0)}, {0, plateTop}};
    if (!rf.gambrel)
        return {Polygon{tail} + seat
                + Polygon{{rf.xEnd, lower.at(rf.xEnd)}, {rf.xEnd, lower.at(rf.xEnd) + hl}, tailTop}};
    // The knee is mitred: from where the undersides meet to where the tops meet.
    const Line &upper = rf.bottoms[1];
    const QPointF knee(rf.xKnee, lower.at(rf.xKnee));
    const QPointF topKnee(rf.xTopKnee, lower.at(rf.xTopKnee) + hl);
    return {Polygon{tail} + seat + Polygon{knee, topKnee, tailTop},
            {knee, {rf.xEnd, upper.at(rf.xEnd)}, {rf.xEnd, upper.at(rf.xEnd) + rf.verticals[1]}, topKnee}};
}

void Framer::sloped(MemberKind kind, const QString &stock, const Polygon &quad, double z0, double thickness, bool mirror)
{
    const Polygon full = mirror ? mirrored(quad, W) : quad;
    const QRectF b = boundingRect(full);
    const int pieces = int(std::ceil(QLineF(quad[0], quad[1]).length() / r::MaxSplicedPiece - Eps));
    for (int i = 0; i < pieces; ++i) {
        const double x0 = b.left() + i * b.width() / pieces, x1 = b.left() + (i + 1) * b.width() / pieces;
        const Polygon piece = pieces == 1 ? full : clipConvex(full, rectPolygon(QRectF(QPointF(x0, -1e6), QPointF(x1, 1e6))));
        if (piece.isEmpty())
            continue;
        Member &mb = profileXY(kind, Layer::Roof, stock, piece, z0, thickness);
        // The long edges run along the member; the ends are the other two edges.
        const QPointF bottom = quad[1] - quad[0];
        const QPointF axis = mirror ? QPointF(-bottom.x(), bottom.y()) : bottom;
        // A birdsmouth's cuts lie between the ends: an end cut reaches the piece's first or
        // last point along it.
        double lo = 1e30, hi = -1e30;
        const auto along = [&](QPointF q) {
            return (q.x() * axis.x() + q.y() * axis.y()) / std::hypot(axis.x(), axis.y());
        };
        for (const QPointF &q : piece) {
            lo = std::min(lo, along(q));
            hi = std::max(hi, along(q));
        }
        double longest = 0;
        QList<double> ends;
        for (qsizetype k = 0; k < piece.size(); ++k) {
            const QPointF u = piece[k], v = piece[(k + 1) % piece.size()];
            const QPointF e = v - u;
            const double angle = cutAngle(e, axis);
            const double a0 = std::min(along(u), along(v)), a1 = std::max(along(u), along(v));
            if (angle < 1)
                longest = std::max(longest, std::hypot(e.x(), e.y()));
            else if (a0 < lo + 0.01 || a1 > hi - 0.01)
                ends.append(angle);
        }
        mb.length = longest;
        if (!ends.isEmpty()) {
            mb.angle1 = ends.first();
            mb.angle2 = ends.last();
        }
    }
}

// Keeps the part of `p` on the side of the line through `at` along `along` that
// `inside` points to.
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

QPointF unit(QPointF v) { return v / std::hypot(v.x(), v.y()); }

Polygon Framer::trussInterior() const
{
    const double bcTop = plateTop + rf.depth;
    Polygon p = {{0, bcTop}, {W, bcTop}};
    const QList<double> corners = rf.breaks(W);
    for (qsizetype i = corners.size() - 1; i >= 0; --i)
        p.append({corners[i], rf.underside(corners[i])});
    return p;
}

void Framer::webs(const QList<std::pair<QPointF, QPointF>> &lines, double z0)
{
    // Every inner truss is the same: its webs are cut once.
    if (!webCache.isEmpty())
        return placeWebs(z0);
    // Each web is cut to the chords it meets; webs that meet at one panel point are cut on
    // the line halving the angle between them, so their ends bear on each other and
    // not over each other (at the peak, a plumb line).
    const Polygon inside = trussInterior();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto [a, b] = lines[i];
        const QPointF dir = unit(b - a);
        const QPointF n(-dir.y() * r::WebDepth / 2, dir.x() * r::WebDepth / 2);
        const QPointF ea = a - dir * 24, eb = b + dir * 24;
        Polygon poly = clipConvex({ea - n, eb - n, eb + n, ea + n}, inside);
        for (qsizetype j = 0; j < lines.size(); ++j) {
            if (j == i)
                continue;
            for (const auto &[end, other] : {std::pair{a, b}, std::pair{b, a}}) {
                for (const auto &[oend, oother] : {lines[j], std::pair{lines[j].second, lines[j].first}}) {
                    if (QLineF(end, oend).length() > 1)
                        continue;
                    const QPointF di = unit(other - end), dj = unit(oother - oend);
                    QPointF bis = di + dj;
                    if (std::hypot(bis.x(), bis.y()) < 1e-6)
                        bis = QPointF(-di.y(), di.x());
                    poly = keepSide(poly, end, bis, di);
                }
            }
        }
        if (poly.isEmpty())
            continue;
        // A web longer than a spliced piece may be is made of pieces joined by gussets.
        double lo = 1e30, hi = -1e30;
        for (const QPointF &q : poly) {
            const double s = QPointF::dotProduct(q - a, dir);
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
        const int pieces = int(std::ceil((hi - lo) / r::MaxSplicedPiece - Eps));
        for (int k = 0; k < pieces; ++k) {
            Polygon piece = poly;
            const QPointF p0 = a + dir * (lo + (hi - lo) * k / pieces),
                          p1 = a + dir * (lo + (hi - lo) * (k + 1) / pieces);
            if (k > 0)
                piece = keepSide(piece, p0, n, dir);
            if (k + 1 < pieces)
                piece = keepSide(piece, p1, n, -dir);
            if (piece.isEmpty())
                continue;
            WebPiece mb{piece, (hi - lo) / pieces, 90, 90,
                        k > 0 ? std::optional<QRectF>(rectAround(p0)) : std::nullopt};
            // Long point to long point; each end's cut is its longest edge across the web.
            double best1 = 0, best2 = 0;
            const double mid = QPointF::dotProduct((p0 + p1) / 2 - a, dir);
            for (qsizetype e = 0; e < piece.size(); ++e) {
                const QPointF u = piece[e], v = piece[(e + 1) % piece.size()];
                const double angle = cutAngle(v - u, dir), len = QLineF(u, v).length();
                if (angle < 1)
                    continue;
                const bool first = QPointF::dotProduct((u + v) / 2 - a, dir) < mid;
                double &best = first ? best1 : best2;
                if (len > best) {
                    best = len;
                    (first ? mb.angle1 : mb.angle2) = angle;
                }
            }
            webCache.append(mb);
        }
    }
    placeWebs(z0);
}

void Framer::placeWebs(double z0)
{
    for (const WebPiece &w : webCache) {
        Member &mb =
            profileXY(MemberKind::TrussWeb, Layer::Roof, nominalSection(rf.thick, r::WebDepth), w.poly, z0, rf.thick);
        mb.length = w.length;
        mb.angle1 = w.angle1;
        mb.angle2 = w.angle2;
        if (w.splice)
            gusset(*w.splice, z0, z0 + rf.thick, 2);
    }
}

QRectF Framer::rectAround(QPointF at, double size) { return QRectF(at.x() - size / 2, at.y() - size / 2, size, size); }

void Framer::gusset(const QRectF &rect, double z0, double z1, int faces)
{
    // Clipped to the frame's outline so no plate stands proud of the roof or below the truss.
    // Over the walls only: beyond them the tails drop below the plates.
    if (gussetClip.isEmpty()) {
        gussetClip = {{0, plateTop}, {W, plateTop}};
        gussetClip.append({W, rf.top(W)});
        const QList<double> corners = {W - rf.xTopKnee, W / 2, rf.xTopKnee};
        for (double x : corners) {
            if (rf.gambrel || x == W / 2)
                gussetClip.append({x, rf.top(x)});
        }
        gussetClip.append({0, rf.top(0)});
    }
    const std::array<double, 4> key{rect.x(), rect.y(), rect.width(), rect.height()};
    auto found = plates.find(key);
    if (found == plates.end())
        found = plates
                    .emplace(key,
                             contains(gussetClip, rect) ? rectPolygon(rect) : clipConvex(rectPolygon(rect), gussetClip))
                    .first;
    const Polygon &plate = found->second;
    if (plate.isEmpty())
        return;
    // Their own row, so the roof's sheet count reads as the roof's.
    const QString stock = fraction(r::GussetThickness) + QStringLiteral(" in plywood, gussets");
    m.sheetSizes.insert(stock, QSizeF(48, 96));
    // Both faces of an inner frame; a gable frame on its inner face, the outer being sheathed.
    QList<double> at;
    if (faces & 1)
        at.append(z0 - r::GussetThickness);
    if (faces & 2)
        at.append(z1);
    for (double z : at) {
        Member &mb = profileXY(MemberKind::Gusset, Layer::Roof, stock, plate, z, r::GussetThickness);
        mb.length = std::max(mb.size.x(), mb.size.y());
        mb.width = std::min(mb.size.x(), mb.size.y());
    }
}

void Framer::roofFrame(double z, bool endFrame, int index)
{
    const double th = rf.thick;
    const QString stock = nominalSection(th, rf.depth);
    const MemberKind chord = rf.trusses ? MemberKind::TrussChord : MemberKind::Rafter;
    const Line &lower = rf.bottoms[0];
    const QPointF topKnee(rf.xTopKnee, lower.at(rf.xTopKnee) + rf.verticals[0]);
    const QPointF knee(rf.xKnee, lower.at(rf.xKnee));

    // Chords or rafters of the left half, mirrored for the right.
    const QList<Polygon> quads = leftQuads(true);
    for (const Polygon &q : quads) {
        sloped(chord, stock, q, z, th, false);
        sloped(chord, stock, q, z, th, true);
    }

    const double bcTop = plateTop + rf.depth;
    const double peakY = rf.underside(W / 2);
    if (rf.trusses) {
        QList<double> joints;
        QList<std::pair<QPointF, QPointF>> webs; // from the bottom chord up to a top chord
        if (rf.gambrel) {
            const double xm = (rf.xKnee + W / 2) / 2;
            webs = {{{rf.xKnee, bcTop}, knee}, {{W / 2, bcTop}, {W / 2, peakY}}, {{rf.xKnee, bcTop}, {xm, rf.underside(xm)}}};
            joints = {rf.xKnee, W - rf.xKnee, W / 2};
        } else {
            // Fink (W) webs: the bottom chord's third points to the peak and to mid-chord.
            webs = {{{W / 3, bcTop}, {W / 4, rf.underside(W / 4)}}, {{W / 3, bcTop}, {W / 2, peakY}}};
            joints = {W / 3, 2 * W / 3};
        }
        QList<QPointF> nodes = {{0, bcTop}, {W, bcTop}, {W / 2, peakY}};
        for (auto [a, b] : splitRun(0, W, joints)) {
            lumber(MemberKind::TrussChord, Layer::Roof, stock, QVector3D(a, plateTop, z), QVector3D(b - a, rf.depth, th), Axis::X);
            if (b < W - Eps)
                nodes.append({b, plateTop + rf.depth / 2}); // a splice
        }
        if (rf.gambrel) {
            nodes.append(knee);
            nodes.append({W - knee.x(), knee.y()});
        }
        // A gable frame carries studs instead of webs.
        if (!endFrame) {
            QList<std::pair<QPointF, QPointF>> lines;
            for (auto [a, b] : webs) {
                lines.append({a, b});
                if (std::abs(a.x() - W / 2) > Eps || std::abs(b.x() - W / 2) > Eps)
                    lines.append({{W - a.x(), a.y()}, {W - b.x(), b.y()}});
            }
            this->webs(lines, z);
            for (auto [a, b] : lines) {
                nodes.append(a);
                nodes.append(b);
            }
            if (m.frame.panelPoints.isEmpty()) {
                for (auto [a, b] : lines) {
                    for (const QPointF &q : {a, b}) {
                        if (std::none_of(m.frame.panelPoints.begin(), m.frame.panelPoints.end(),
                                         [&](const QPointF &o) { return QLineF(o, q).length() < 1; }))
                            m.frame.panelPoints.append(q);
                    }
                }
                std::sort(m.frame.panelPoints.begin(), m.frame.panelPoints.end(),
                          [](const QPointF &a, const QPointF &b) {
                              return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
                          });
            }
        }
        const int faces = !endFrame ? 3 : index == 0 ? 2 : 1;
        // Heels: the top chord's seat on the bottom chord is long; its plate runs along it.
        const double heel = r::HeelGussetLength;
        gusset(QRectF(0, plateTop, heel, heel), z, z + th, faces);
        gusset(QRectF(W - heel, plateTop, heel, heel), z, z + th, faces);
        QList<QPointF> unique;
        for (const QPointF &p : nodes) {
            if (std::none_of(unique.begin(), unique.end(), [&](const QPointF &q) { return QLineF(p, q).length() < 1; }))
                unique.append(p);
        }
        for (const QPointF &p : unique) {
            if (std::abs(p.y() - bcTop) > Eps || (p.x() > Eps && p.x() < W - Eps))
                gusset(rectAround(p), z, z + th, faces);
        }
        return;
    }

    // Rafter frames: gambrels are gusseted at the knee; interior pairs are tied.
    if (rf.gambrel && !endFrame) {
        for (const QPointF &k : {QPointF((knee + topKnee) / 2), QPointF(W - (knee.x() + topKnee.x()) / 2, (knee.y() + topKnee.y()) / 2)})
            gusset(rectAround(k), z, z + th, 3);
    }
    // Every pair but the gable ones (their studs hold them) is tied low, in the lower third
    // of the rise, the tie lapping both rafters' faces.
    if (endFrame)
        return;
    const double tz = z + th;
    const QString tieStock = nominalSection(r::Ply, r::TieDepth);
    const double y = plateTop + (peakY - plateTop) * r::TieRiseShare;
    // Where the rafters' tops cross a height: the tie's ends, cut to the rafters' slope.
    const auto topAt = [&](double yy) {
        double a = 0, b = W / 2;
        for (int k = 0; k < 50; ++k) {
            const double mid = (a + b) / 2;
            (rf.top(mid) < yy ? a : b) = mid;
        }
        return a;
    };
    const double xa = rf.top(0) < y ? topAt(y) : 0, xb = rf.top(0) < y + r::TieDepth ? topAt(y + r::TieDepth) : 0;
    if (xb >= W / 2 - r::Ply)
        return;
    Member &tie = profileXY(MemberKind::CollarTie, Layer::Roof, tieStock,
                            {{xa, y}, {W - xa, y}, {W - xb, y + r::TieDepth}, {xb, y + r::TieDepth}}, tz, r::Ply);
    tie.length = W - 2 * xa;
    tie.angle1 = tie.angle2 = xa > 0 ? cutAngle(QPointF(1, rf.pitchAt(xa)), QPointF(1, 0)) : 90;
    Q_UNUSED(index);
}

void Framer::sheathing()
{
    const QString stock = fraction(d.roofThickness) + QStringLiteral(" in plywood");
    m.sheetSizes.insert(stock, QSizeF(d.sheetWidth, d.sheetLength));
    // Each plane of the left half: from the tail (or the knee) to the peak along its top line.
    struct Plane {
        double xa, xb;
        Line top;
    };
    QList<Plane> planes;
    const Line lowTop{rf.bottoms[0].x0, rf.bottoms[0].y0 + rf.verticals[0], rf.bottoms[0].pitch};
    if (rf.gambrel) {
        const Line upTop{rf.bottoms[1].x0, rf.bottoms[1].y0 + rf.verticals[1], rf.bottoms[1].pitch};
        planes = {{rf.xTail, rf.xTopKnee, lowTop}, {rf.xTopKnee, W / 2, upTop}};
    } else {
        planes = {{rf.xTail, W / 2, lowTop}};
    }
    // Sheets run along the depth with their end joints centred on a frame, staggered
    // course to course; the first and last sheet of a course are cut. Along the edges
    // between courses a clip holds the sheets together midway between supports.
    const double th = rf.thick, za = -d.overhangZ, zb = D + d.overhangZ;
    QList<double> supports;
    for (double z : frameZ)
        supports.append(z + th / 2);
    QList<double> clipSupports = supports;
    if (barges) {
        clipSupports.prepend(za + th / 2);
        clipSupports.append(zb - th / 2);
    }
    for (const Plane &p : planes) {
        const double k = std::sqrt(1 + p.top.pitch * p.top.pitch);
        const double slope = (p.xb - p.xa) * k, tv = d.roofThickness * k;
        const auto quadAt = [&](double s0, double s1) {
            const double x0 = p.xa + s0 / k, x1 = p.xa + s1 / k;
            return Polygon{{x0, p.top.at(x0)}, {x1, p.top.at(x1)}, {x1, p.top.at(x1) + tv}, {x0, p.top.at(x0) + tv}};
        };
        QList<double> below;
        for (double s0 = 0; s0 < slope - Eps; s0 += d.sheetWidth) {
            const double s1 = std::min(slope, s0 + d.sheetWidth);
            const QList<double> joints =
                layout::sheetJoints({za, zb, d.sheetLength, supports, d.roofSupportSpacing, {}, below});
            below = joints;
            QList<double> ends = QList<double>{za} + joints + QList<double>{zb};
            const Polygon quad = quadAt(s0, s1);
            for (qsizetype i = 1; i < ends.size(); ++i) {
                for (bool mirror : {false, true}) {
                    Member &mb = profileXY(MemberKind::RoofSheet, Layer::Roof, stock, mirror ? mirrored(quad, W) : quad,
                                           ends[i - 1], ends[i] - ends[i - 1]);
                    mb.length = std::max(ends[i] - ends[i - 1], s1 - s0);
                    mb.width = std::min(ends[i] - ends[i - 1], s1 - s0);
                }
            }
            if (s0 < Eps)
                continue;
            const Polygon clip = quadAt(s0 - r::PanelClipSize / 2, s0 + r::PanelClipSize / 2);
            for (qsizetype i = 1; i < clipSupports.size(); ++i) {
                const double mid = (clipSupports[i - 1] + clipSupports[i]) / 2;
                for (bool mirror : {false, true}) {
                    Member &mb =
                        profileXY(MemberKind::PanelClip, Layer::Roof, QStringLiteral("panel clip"),
                                  mirror ? mirrored(clip, W) : clip, mid - r::PanelClipSize / 2, r::PanelClipSize);
                    mb.length = 0;
                }
            }
        }
    }
}

// --- Coverings, doors and ramps -----------------------------------------------------------------

Polygon Framer::gableOutline(double xFrom, double xTo, double yBase) const
{
    // Under the lookouts where the rake has them: they rest on the gable frame's face.
    const auto top = [&](double x) {
        const double p = rf.pitchAt(std::clamp(x, 1.0, W - 1.0));
        return rf.top(x) - (hasLookouts ? r::LookoutDepth * std::sqrt(1 + p * p) : 0);
    };
    Polygon p = {{xFrom, yBase}, {xTo, yBase}, {xTo, top(W)}};
    QList<double> corners = {W / 2};
    if (rf.gambrel)
        corners = {W - rf.xTopKnee, W / 2, rf.xTopKnee};
    for (double x : corners)
        p.append({x, top(x)});
    p.append({xFrom, top(0)});
    return p;
}

QList<QRectF> Framer::wallSheets(int side, const QRectF &area, QSizeF sheet, bool opening) const
{
    // Upright sheets in courses from the floor; every vertical joint centred on an upright
    // member, no piece narrower than a stud bay beside an opening or a corner where the
    // layout allows it.
    layout::Run run{area.left(), area.right(), sheet.width(), wallSupports[side], d.studCenters - r::Ply, {}, {}};
    if (opening)
        run.edges = {roughLeft(), roughLeft() + roW};
    const QList<double> joints = layout::sheetJoints(run);
    const QList<double> ends = QList<double>{area.left()} + joints + QList<double>{area.right()};
    QList<QRectF> cells;
    for (double y = area.top(); y < area.bottom() - Eps; y += sheet.height()) {
        const double y1 = std::min(area.bottom(), y + sheet.height());
        for (qsizetype i = 1; i < ends.size(); ++i)
            cells.append(QRectF(QPointF(ends[i - 1], y), QPointF(ends[i], y1)));
    }
    return cells;
}

void Framer::lining()
{
    if (!d.lining)
        return;
    const double lt = d.liningThickness;
    const QString stock = fraction(lt) + QStringLiteral(" in wall board");
    m.sheetSizes.insert(stock, QSizeF(48, 96));
    const QSizeF sheet(48, 96); // stood upright, as a builder hangs them in a shed
    const QRectF door(roughLeft(), base, roW, roH);
    for (int side = 0; side < 4; ++side) {
        const bool endWall = side < 2;
        const QRectF area = endWall ? QRectF(sd, base, W - 2 * sd, plateTop - base)
                                    : QRectF(sd + lt, base, D - 2 * (sd + lt), plateTop - base);
        const bool opening = (side == 0 && hasFront(d.door)) || (side == 1 && hasRear(d.door));
        const double across = side == 0 ? sd : side == 1 ? D - sd - lt : side == 2 ? sd : W - sd - lt;
        for (const QRectF &cell : wallSheets(side, area, sheet, opening)) {
            for (const QRectF &piece : opening ? subtract(cell, door) : QList<QRectF>{cell})
                planar(MemberKind::LiningSheet, Layer::Lining, stock, rectPolygon(piece), !endWall, across, lt);
        }
    }
}

void Framer::siding()
{
    const double st = d.sidingThickness;
    static const char *const names[] = {"vinyl lap siding", "vertical board siding", "plywood siding panel", "metal siding panel"};
    const QString stock = QStringLiteral("%1 %2x%3 in").arg(QLatin1String(names[int(d.siding)])).arg(d.sidingWidth).arg(d.sidingHeight);
    m.sheetSizes.insert(stock, QSizeF(std::min(d.sidingWidth, d.sidingHeight), std::max(d.sidingWidth, d.sidingHeight)));
    // Plywood panels nailed to the studs are the wall's bracing; anything else goes over
    // structural sheathing, its joints on studs like the panels'.
    const bool panels = d.siding == Siding::Plywood;
    const double ws = wallSheathing = panels ? 0 : r::WallSheathingThickness;
    const QString sheathingStock = fraction(ws) + QStringLiteral(" in OSB");
    if (!panels)
        m.sheetSizes.insert(sheathingStock, QSizeF(48, 96));
    // Lap boards break joints course to course; vertical boards and metal do not.
    const bool staggered = d.siding == Siding::Vinyl;
    const QSizeF piece(d.sidingWidth, d.sidingHeight);
    const double bottom = (d.floor == FloorType::Wood || d.floor == FloorType::Blocks) ? skidTop
                        : d.floor == FloorType::Concrete ? d.slabThickness : 0;
    const QRectF door(roughLeft(), base, roW, roH);
    for (int side = 0; side < 4; ++side) {
        const bool endWall = side < 2;
        const bool opening = (side == 0 && hasFront(d.door)) || (side == 1 && hasRear(d.door));
        const auto cover = [&](double out, MemberKind kind, const QString &what, const QSizeF &size, bool onStuds,
                               double thick) {
            const Polygon outline =
                endWall ? gableOutline(-out, W + out, bottom) : rectPolygon(QRectF(0, bottom, D, plateTop - bottom));
            const QRectF face = boundingRect(outline);
            const double across = side == 0 ? -out : side == 1 ? D + out - thick : side == 2 ? -out : W + out - thick;
            const QList<QRectF> cells =
                onStuds ? wallSheets(side, face, size, opening) : tile(face, size, staggered ? size.width() / 2 : 0);
            for (const QRectF &cell : cells) {
                for (const QRectF &part : opening ? subtract(cell, door) : QList<QRectF>{cell}) {
                    const Polygon p =
                        contains(outline, part) ? rectPolygon(part) : clipConvex(rectPolygon(part), outline);
                    if (!p.isEmpty() && area(p) > 0.5)
                        planar(kind, Layer::Siding, what, p, !endWall, across, thick);
                }
            }
        };
        if (!panels)
            cover(ws, MemberKind::WallSheathing, sheathingStock, QSizeF(48, 96), true, ws);
        cover(ws + st, MemberKind::SidingPiece, stock, piece, panels, st);
    }
}

void Framer::doors()
{
    const int leaves = d.doorWidth > r::DoubleLeafFrom + Eps ? 2 : 1;
    const double leafW = d.doorWidth / leaves;
    const double leafH = roH - r::RoughHeightPlay;
    const double x0 = roughLeft() + (roW - d.doorWidth) / 2;
    for (int side : {0, 1}) {
        if ((side == 0 && !hasFront(d.door)) || (side == 1 && !hasRear(d.door)))
            continue;
        const double z = side == 0 ? 0 : D - r::DoorLeafThickness;
        for (int i = 0; i < leaves; ++i) {
            Member &leaf = lumber(MemberKind::DoorLeaf, Layer::Doors, QStringLiteral("door leaf %1 x %2 in").arg(leafW).arg(leafH),
                                  QVector3D(x0 + i * leafW, base, z), QVector3D(leafW, leafH, r::DoorLeafThickness), Axis::X);
            leaf.length = leafH;
            leaf.width = leafW;
        }
    }
}

void Framer::ramps()
{
    const double st = d.sidingThickness + wallSheathing, L = d.rampLength, t = r::Ply, sd6 = 5.5;
    const double rampW = d.doorWidth + 2 * r::RampSideMargin;
    const double x0 = W / 2 - rampW / 2;
    const QString stock = nominalSection(t, sd6) + QStringLiteral(" PT");
    // The stringers hang on a ledger bolted through the siding to the rim or the slab's
    // edge; the deck boards' top meets the floor's top at the wall, so the stringers' top
    // stands a board's thickness (measured plumb) below it.
    const double run = L - t; // from the toe to the ledger's face
    double rise = std::max(0.5, base - t);
    for (int i = 0; i < 5; ++i)
        rise = std::max(0.5, (base - t * std::hypot(run, rise) / run) / (1 + t / run));
    const double slopeLen = std::hypot(run, rise);
    const double hv = sd6 * slopeLen / run;
    // Full depth from the ledger down to where the bottom edge meets the ground, then a
    // taper rip to nothing at the toe.
    Polygon profile = rise > hv ? Polygon{{0, rise - hv}, {run * (1 - hv / rise), 0}, {run, 0}, {0, rise}}
                                : Polygon{{0, 0}, {run, 0}, {0, rise}};
    const double alpha = degrees(std::atan2(rise, run));
    const int stringers = int(std::ceil(rampW / r::MaxStringerSpacing - Eps)) + 1;
    // The first board starts far enough up the slope that its thickness stays over the toe;
    // the last, ripped to what is left, reaches the wall.
    const double firstBoard = t * rise / run;
    const double boardsRun = slopeLen - firstBoard + t * slopeLen / run; // on over the ledger to the wall
    const double pitch = sd6 + r::RampDeckGap;
    const int whole = int(std::floor((boardsRun + r::RampDeckGap) / pitch + Eps));
    const double last = boardsRun - whole * pitch;
    const bool ripped = last > 1;
    for (bool front : {true, false}) {
        if (!rampBuilt(d, front))
            continue;
        const QQuaternion turn = front ? QQuaternion::fromAxes({0, 0, -1}, {0, 1, 0}, {1, 0, 0})
                                       : QQuaternion::fromAxes({0, 0, 1}, {0, 1, 0}, {-1, 0, 0});
        const double zWall = front ? -st : D + st;
        const double zLedger = front ? zWall - t : zWall + t;
        const double ledgerDepth = std::min(sd6, rise); // ripped where the floor is low
        Member &ledger = lumber(MemberKind::RampLedger, Layer::Ramps, stock,
                                QVector3D(float(x0), float(rise - ledgerDepth), float(std::min(zWall, zLedger))),
                                QVector3D(float(rampW), float(ledgerDepth), float(t)), Axis::X);
        ledger.length = rampW;
        for (int i = 0; i < stringers; ++i) {
            Member mb{MemberKind::RampStringer,
                      Layer::Ramps,
                      stock,
                      QVector3D(float(run), float(rise), float(t)),
                      turn,
                      {},
                      slopeLen,
                      90 - alpha,
                      alpha,
                      0,
                      profile};
            placeAt(mb, QVector3D(float(x0 + i * (rampW - t) / (stringers - 1)), 0,
                                  float(front ? zLedger - run : zLedger)));
            m.members.append(mb);
        }
        const QVector3D up(0, float(rise / slopeLen), float((front ? run : -run) / slopeLen));
        const QVector3D normal(0, float(run / slopeLen), float((front ? -rise : rise) / slopeLen));
        const QVector3D xAxis(front ? 1.0f : -1.0f, 0, 0);
        const QVector3D toe(float(front ? x0 : x0 + rampW), 0, float(front ? zLedger - run : zLedger + run));
        for (int i = 0; i < whole + (ripped ? 1 : 0); ++i) {
            const float wide = float(i < whole ? sd6 : last);
            Member mb{MemberKind::RampDeck,
                      Layer::Ramps,
                      stock,
                      QVector3D(float(rampW), float(t), wide),
                      QQuaternion::fromAxes(xAxis, normal, up),
                      toe + up * float(firstBoard + i * pitch),
                      rampW,
                      90,
                      90,
                      0,
                      {}};
            m.members.append(mb);
        }
    }
}

Model Framer::build()
{
    m.design = d;
    m.loads = loads_;
    // Most members are siding pieces: reserve for them and the frame once.
    const double covered = 2 * (d.width + d.depth) * (d.innerHeight + d.width / 2);
    m.members.reserve(qsizetype(covered / std::max(1.0, d.sidingWidth * d.sidingHeight) * 1.3) + 600);
    W = d.width;
    D = d.depth;
    H = d.innerHeight;
    sd = d.studDepth;
    base = floorTop(d);
    plateTop = base + H;
    skidTop = base;
    studStock = nominalSection(d.studThickness, sd);
    plateStock = studStock;
    // Plates on concrete or gravel touch the ground's moisture: pressure-treated.
    bottomStock = (d.floor == FloorType::Concrete || d.floor == FloorType::Gravel) ? studStock + QStringLiteral(" PT") : studStock;

    // Door: the rough opening, kept inside the corners and under the top plates.
    roW = roughOpeningWidth(d);
    roH = d.doorHeight + r::RoughHeightPlay;
    // The header the table gives for the opening, or an engineered one beyond it.
    hc = headers::choose(roW, W, loads_.groundSnow, sd);
    header = hc.depth;
    if (hc.engineered)
        m.warnings.append(
            QStringLiteral("The door's rough opening is %1 in wide: beyond the header table at %2 psf ground "
                           "snow on a %3 ft wide shed; an engineered header (LVL) is drawn, to be sized by its "
                           "maker or an engineer.")
                .arg(roW)
                .arg(loads_.groundSnow)
                .arg(W / 12));
    if (d.door != Sides::None) {
        const double room = H - r::TopPlates * r::Ply - header;
        if (roH > room + Eps) {
            m.warnings.append(QStringLiteral("A door %1 ft high leaves no room for its header under the top plates of a "
                                             "%2 ft wall; it is framed %3 in high.")
                                  .arg(d.doorHeight / 12).arg(H / 12).arg(room - r::RoughHeightPlay));
            roH = room;
        }
        if (roW < d.doorWidth + r::RoughWidthPlay - Eps)
            m.warnings.append(QStringLiteral("A door %1 ft wide does not fit between the corner studs; it is framed %2 in wide.")
                                  .arg(d.doorWidth / 12).arg(roW - r::RoughWidthPlay));
    }
    if (d.door == Sides::None)
        roW = roH = 0;

    roof(); // first: the gable studs and the coverings follow the roof line
    foundation();
    walls();
    lining();
    siding();
    if (d.door != Sides::None)
        doors();
    ramps();
    return m;
}

} // namespace

double floorTop(const Design &design)
{
    switch (design.floor) {
    case FloorType::Gravel: return 0;
    case FloorType::Concrete: return design.slabThickness;
    case FloorType::Wood:
    case FloorType::Blocks: break;
    }
    const int rows = design.floor == FloorType::Blocks ? std::max(1, design.blockRows) : 0;
    return rows * design.blockHeight + r::SkidDepth + design.joistHeight + design.deckThickness;
}

double roughOpeningWidth(const Design &design)
{
    // Room for a king, a jack and the corner backer at each end.
    const double widest = design.width - 2 * (design.studDepth + 3 * r::Ply);
    return std::min(design.doorWidth + r::RoughWidthPlay, widest);
}

bool rampBuilt(const Design &design, bool front)
{
    if (design.floor == FloorType::Gravel)
        return false;
    return front ? hasFront(design.ramp) && hasFront(design.door) : hasRear(design.ramp) && hasRear(design.door);
}

QString nominalSection(double thickness, double depth)
{
    const auto nominal = [](double actual) {
        for (auto [a, n] : r::DressedSizes) {
            if (std::abs(actual - a) < 0.01)
                return QString::number(n);
        }
        return QString::number(std::ceil(actual + 0.5));
    };
    return nominal(thickness) + QLatin1Char('x') + nominal(depth);
}

Model buildModel(const Design &design, const SiteLoads &loads) { return Framer(design, loads).build(); }

double lowestRoofPitch(const Design &design)
{
    return design.roof == RoofType::Barn ? std::min(r::GambrelLowerPitch, r::GambrelUpperPitch) : r::GablePitch;
}

} // namespace corvelle::shed
