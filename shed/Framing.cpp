#include "Framing.h"

#include "Geometry.h"
#include "Headers.h"
#include "Rules.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <functional>

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
    void roof();
    void roofFrame(double z, bool endFrame, int index);
    void sheathing();
    void lining();
    void siding();
    void doors();
    void ramps();

    // Members.
    Member &lumber(MemberKind kind, Layer layer, const QString &stock, QVector3D min, QVector3D extent, Axis axis);
    Member &planar(MemberKind kind, Layer layer, const QString &stock, const Polygon &uv, bool sidePlane,
                   double across, double thickness);
    Member &profileXY(MemberKind kind, Layer layer, const QString &stock, const Polygon &poly, double z0, double thickness);
    QList<Polygon> leftQuads() const;
    void sloped(MemberKind kind, const QString &stock, const Polygon &quad, double z0, double thickness, bool mirror);
    void web(QPointF a, QPointF b, double z0, QPointF chordAtB);
    void gusset(QPointF at, double z0, double z1);
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
    const auto joistRun = [&](MemberKind kind, double x) {
        for (auto [a, b] : splitRun(jw, D - jw, skidCentres))
            lumber(kind, Layer::Floor, joistStock, QVector3D(x, skidTop, a), QVector3D(jw, jh, b - a), Axis::Z);
    };
    joistRun(MemberKind::RimJoist, 0);
    joistRun(MemberKind::RimJoist, W - jw);
    for (double c : joistCentres)
        joistRun(MemberKind::Joist, c - jw / 2);

    // The deck: whole sheets across the joists, rows staggered by half a sheet.
    const QString deckStock = fraction(d.deckThickness) + QStringLiteral(" in plywood");
    m.sheetSizes.insert(deckStock, QSizeF(d.sheetWidth, d.sheetLength));
    for (const QRectF &cell : tile(QRectF(0, 0, W, D), QSizeF(d.sheetLength, d.sheetWidth), d.sheetLength / 2)) {
        Member &sheet = lumber(MemberKind::DeckSheet, Layer::Floor, deckStock, QVector3D(cell.left(), joistTop, cell.top()),
                               QVector3D(cell.width(), d.deckThickness, cell.height()), Axis::X);
        sheet.length = std::max(cell.width(), cell.height());
        sheet.width = std::min(cell.width(), cell.height());
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

    // Plates: the bottom plate is cut out at the door; joints over studs.
    const auto plate = [&](MemberKind kind, double a, double b, double y) {
        for (auto [p, q] : splitRun(a, b, centres))
            wallMember(w, kind, kind == MemberKind::BottomPlate ? bottomStock : plateStock, p, q, y, y + t, 0, sd, false);
    };
    if (w.door) {
        plate(MemberKind::BottomPlate, w.start, roL, base);
        plate(MemberKind::BottomPlate, roR, w.end, base);
    } else {
        plate(MemberKind::BottomPlate, w.start, w.end, base);
    }
    plate(MemberKind::TopPlate, w.start, w.end, plateTop - 2 * t);
    plate(MemberKind::TopPlate, w.upperStart, w.upperEnd, plateTop - t);

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
    if (endWall)
        gableStuds(w);
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

    // Barge rafters carry the rake overhang's edge.
    if (d.overhangZ >= th) {
        for (double z : {-d.overhangZ, D + d.overhangZ - th}) {
            for (const Polygon &quad : leftQuads()) {
                for (bool mirror : {false, true})
                    sloped(MemberKind::Rafter, nominalSection(th, rf.depth), quad, z, th, mirror);
            }
        }
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

QList<Polygon> Framer::leftQuads() const
{
    const Line &lower = rf.bottoms[0];
    const double hl = rf.verticals[0];
    const QPointF tail(rf.xTail, lower.at(rf.xTail)), tailTop(rf.xTail, lower.at(rf.xTail) + hl);
    if (!rf.gambrel)
        return {{tail, {rf.xEnd, lower.at(rf.xEnd)}, {rf.xEnd, lower.at(rf.xEnd) + hl}, tailTop}};
    // The knee is mitred: from where the undersides meet to where the tops meet.
    const Line &upper = rf.bottoms[1];
    const QPointF knee(rf.xKnee, lower.at(rf.xKnee));
    const QPointF topKnee(rf.xTopKnee, lower.at(rf.xTopKnee) + hl);
    return {{tail, knee, topKnee, tailTop},
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
        double longest = 0;
        QList<double> ends;
        for (qsizetype k = 0; k < piece.size(); ++k) {
            const QPointF e = piece[(k + 1) % piece.size()] - piece[k];
            const double angle = cutAngle(e, axis);
            if (angle < 1)
                longest = std::max(longest, std::hypot(e.x(), e.y()));
            else
                ends.append(angle);
        }
        mb.length = longest;
        if (!ends.isEmpty()) {
            mb.angle1 = ends.first();
            mb.angle2 = ends.last();
        }
    }
}

void Framer::web(QPointF a, QPointF b, double z0, QPointF chordAtB)
{
    const QPointF dir = b - a;
    const double len = std::hypot(dir.x(), dir.y());
    const QPointF n(-dir.y() / len * r::WebDepth / 2, dir.x() / len * r::WebDepth / 2);
    // A web longer than a spliced piece may be is made of pieces joined by gussets.
    const int pieces = int(std::ceil(len / r::MaxSplicedPiece - Eps));
    for (int i = 0; i < pieces; ++i) {
        const QPointF p = a + dir * (double(i) / pieces), q = a + dir * (double(i + 1) / pieces);
        Member &mb = profileXY(MemberKind::TrussWeb, Layer::Roof, nominalSection(rf.thick, r::WebDepth),
                               {p - n, q - n, q + n, p + n}, z0, rf.thick);
        mb.length = len / pieces;
        mb.angle1 = i == 0 ? cutAngle(QPointF(1, 0), dir) : 90;
        mb.angle2 = i == pieces - 1 ? cutAngle(chordAtB, dir) : 90;
        if (i > 0)
            gusset(p, z0, z0 + rf.thick);
    }
}

void Framer::gusset(QPointF at, double z0, double z1)
{
    // Clipped to the frame's outline so no plate stands proud of the roof or below the truss.
    // Over the walls only: beyond them the tails drop below the plates.
    Polygon clip = {{0, plateTop}, {W, plateTop}};
    clip.append({W, rf.top(W)});
    const QList<double> corners = {W - rf.xTopKnee, W / 2, rf.xTopKnee};
    for (double x : corners) {
        if (rf.gambrel || x == W / 2)
            clip.append({x, rf.top(x)});
    }
    clip.append({0, rf.top(0)});
    const double g = r::GussetSize / 2;
    const Polygon plate = clipConvex(rectPolygon(QRectF(at.x() - g, at.y() - g, 2 * g, 2 * g)), clip);
    if (plate.isEmpty())
        return;
    // Their own row, so the roof's sheet count reads as the roof's.
    const QString stock = fraction(r::GussetThickness) + QStringLiteral(" in plywood, gussets");
    m.sheetSizes.insert(stock, QSizeF(48, 96));
    for (double z : {z0 - r::GussetThickness, z1}) {
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
    const QList<Polygon> quads = leftQuads();
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
        for (auto [a, b] : splitRun(0, W, joints))
            lumber(MemberKind::TrussChord, Layer::Roof, stock, QVector3D(a, plateTop, z), QVector3D(b - a, rf.depth, th), Axis::X);
        if (!endFrame) {
            QList<QPointF> nodes = {{0, bcTop}, {W, bcTop}, {W / 2, peakY}};
            for (auto [a, b] : webs) {
                const QPointF chordDir(1, rf.pitchAt(b.x() - 1e-3));
                web(a, b, z, chordDir);
                nodes.append(a);
                nodes.append(b);
                if (std::abs(a.x() - W / 2) > Eps || std::abs(b.x() - W / 2) > Eps) {
                    const QPointF ma(W - a.x(), a.y()), mbp(W - b.x(), b.y());
                    web(ma, mbp, z, QPointF(1, rf.pitchAt(mbp.x() + 1e-3)));
                    nodes.append(ma);
                    nodes.append(mbp);
                }
            }
            if (rf.gambrel) {
                nodes.append(knee);
                nodes.append({W - knee.x(), knee.y()});
            }
            QList<QPointF> unique;
            for (const QPointF &p : nodes) {
                if (std::none_of(unique.begin(), unique.end(), [&](const QPointF &q) { return QLineF(p, q).length() < 1; }))
                    unique.append(p);
            }
            for (const QPointF &p : unique)
                gusset(p, z, z + th);
        }
        return;
    }

    // Rafter frames: gambrels are gusseted at the knee; interior pairs are tied.
    if (rf.gambrel && !endFrame) {
        for (const QPointF &k : {QPointF((knee + topKnee) / 2), QPointF(W - (knee.x() + topKnee.x()) / 2, (knee.y() + topKnee.y()) / 2)})
            gusset(k, z, z + th);
    }
    const int every = std::max(1, int(std::floor(r::MaxTieSpacing / d.roofSupportSpacing + Eps)));
    if (endFrame || index % every != 0)
        return;
    const double tz = z + th + (rf.gambrel ? r::GussetThickness : 0);
    const QString tieStock = nominalSection(r::Ply, r::TieDepth);
    if (rf.gambrel) {
        Member &tie = lumber(MemberKind::CollarTie, Layer::Roof, tieStock, QVector3D(rf.xKnee, knee.y() - r::TieDepth, tz),
                             QVector3D(W - 2 * rf.xKnee, r::TieDepth, r::Ply), Axis::X);
        tie.length = W - 2 * rf.xKnee;
        return;
    }
    const double y = plateTop + (peakY - plateTop) * r::TieRiseShare;
    const Line topLine{lower.x0, lower.y0 + rf.verticals[0], lower.pitch};
    const double xa = std::max(0.0, topLine.xAt(y)), xb = std::max(0.0, topLine.xAt(y + r::TieDepth));
    if (xb >= W / 2 - r::Ply)
        return;
    Member &tie = profileXY(MemberKind::CollarTie, Layer::Roof, tieStock,
                            {{xa, y}, {W - xa, y}, {W - xb, y + r::TieDepth}, {xb, y + r::TieDepth}}, tz, r::Ply);
    tie.length = W - 2 * xa;
    tie.angle1 = tie.angle2 = xa > 0 ? cutAngle(QPointF(1, lower.pitch), QPointF(1, 0)) : 90;
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
    for (const Plane &p : planes) {
        const double k = std::sqrt(1 + p.top.pitch * p.top.pitch);
        const double slope = (p.xb - p.xa) * k, tv = d.roofThickness * k;
        const QRectF area(-d.overhangZ, 0, D + 2 * d.overhangZ, slope);
        for (const QRectF &cell : tile(area, QSizeF(d.sheetLength, d.sheetWidth), d.sheetLength / 2)) {
            const double x0 = p.xa + cell.top() / k, x1 = p.xa + cell.bottom() / k;
            const Polygon quad = {{x0, p.top.at(x0)}, {x1, p.top.at(x1)}, {x1, p.top.at(x1) + tv}, {x0, p.top.at(x0) + tv}};
            for (bool mirror : {false, true}) {
                Member &mb = profileXY(MemberKind::RoofSheet, Layer::Roof, stock, mirror ? mirrored(quad, W) : quad,
                                       cell.left(), cell.width());
                mb.length = std::max(cell.width(), cell.height());
                mb.width = std::min(cell.width(), cell.height());
            }
        }
    }
}

// --- Coverings, doors and ramps -----------------------------------------------------------------

Polygon Framer::gableOutline(double xFrom, double xTo, double yBase) const
{
    Polygon p = {{xFrom, yBase}, {xTo, yBase}, {xTo, rf.top(W)}};
    QList<double> corners = {W / 2};
    if (rf.gambrel)
        corners = {W - rf.xTopKnee, W / 2, rf.xTopKnee};
    for (double x : corners)
        p.append({x, rf.top(x)});
    p.append({xFrom, rf.top(0)});
    return p;
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
        for (const QRectF &cell : tile(area, sheet, 0)) {
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
    // Lap boards and panels break joints course to course; vertical boards and metal do not.
    const bool staggered = d.siding == Siding::Vinyl || d.siding == Siding::Plywood;
    const QSizeF piece(d.sidingWidth, d.sidingHeight);
    const double bottom = (d.floor == FloorType::Wood || d.floor == FloorType::Blocks) ? skidTop
                        : d.floor == FloorType::Concrete ? d.slabThickness : 0;
    const QRectF door(roughLeft(), base, roW, roH);
    for (int side = 0; side < 4; ++side) {
        const bool endWall = side < 2;
        const Polygon outline = endWall ? gableOutline(-st, W + st, bottom) : rectPolygon(QRectF(0, bottom, D, plateTop - bottom));
        const QRectF face = boundingRect(outline);
        const bool opening = (side == 0 && hasFront(d.door)) || (side == 1 && hasRear(d.door));
        const double across = side == 0 ? -st : side == 1 ? D : side == 2 ? -st : W;
        for (const QRectF &cell : tile(face, piece, staggered ? piece.width() / 2 : 0)) {
            for (const QRectF &part : opening ? subtract(cell, door) : QList<QRectF>{cell}) {
                const Polygon p = contains(outline, part) ? rectPolygon(part) : clipConvex(rectPolygon(part), outline);
                if (!p.isEmpty() && area(p) > 0.5)
                    planar(MemberKind::SidingPiece, Layer::Siding, stock, p, !endWall, across, st);
            }
        }
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
    const double st = d.sidingThickness, L = d.rampLength, t = r::Ply;
    const double rise = std::max(0.5, base - t); // the deck boards bring it up to the floor
    const double rampW = d.doorWidth + 2 * r::RampSideMargin;
    const double x0 = W / 2 - rampW / 2;
    const QString stock = nominalSection(t, 5.5) + QStringLiteral(" PT");
    const double slopeLen = std::hypot(L, rise);
    const double hv = 5.5 * slopeLen / L;
    Polygon profile = rise > hv ? Polygon{{0, rise - hv}, {L * (1 - hv / rise), 0}, {L, 0}, {0, rise}}
                                : Polygon{{0, 0}, {L, 0}, {0, rise}};
    const double alpha = degrees(std::atan2(rise, L));
    const int stringers = int(std::ceil(rampW / r::MaxStringerSpacing - Eps)) + 1;
    // The first board starts far enough up the slope that its thickness stays over the toe.
    const double firstBoard = t * rise / L;
    const int boards = int(std::floor((slopeLen - firstBoard + r::RampDeckGap) / (5.5 + r::RampDeckGap)));
    for (bool front : {true, false}) {
        if (!rampBuilt(d, front))
            continue;
        const QQuaternion turn = front ? QQuaternion::fromAxes({0, 0, -1}, {0, 1, 0}, {1, 0, 0})
                                       : QQuaternion::fromAxes({0, 0, 1}, {0, 1, 0}, {-1, 0, 0});
        const double zWall = front ? -st : D + st;
        for (int i = 0; i < stringers; ++i) {
            Member mb{MemberKind::RampStringer, Layer::Ramps, stock, QVector3D(float(L), float(rise), float(t)),
                      turn, {}, slopeLen, 90 - alpha, alpha, 0, profile};
            placeAt(mb, QVector3D(float(x0 + i * (rampW - t) / (stringers - 1)), 0, float(front ? zWall - L : zWall)));
            m.members.append(mb);
        }
        const QVector3D up(0, float(rise / slopeLen), float((front ? L : -L) / slopeLen));
        const QVector3D normal(0, float(L / slopeLen), float((front ? -rise : rise) / slopeLen));
        const QVector3D xAxis(front ? 1.0f : -1.0f, 0, 0);
        const QVector3D toe(float(front ? x0 : x0 + rampW), 0, float(front ? zWall - L : zWall + L));
        for (int i = 0; i < boards; ++i) {
            Member mb{MemberKind::RampDeck, Layer::Ramps, stock, QVector3D(float(rampW), float(t), 5.5f),
                      QQuaternion::fromAxes(xAxis, normal, up), toe + up * float(firstBoard + i * (5.5 + r::RampDeckGap)), rampW, 90, 90, 0, {}};
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

QString fraction(double inches)
{
    const int sixteenths = int(std::lround(inches * 16));
    const int whole = sixteenths / 16;
    int num = sixteenths % 16, den = 16;
    while (num && num % 2 == 0) {
        num /= 2;
        den /= 2;
    }
    if (num == 0)
        return QString::number(whole);
    const QString part = QStringLiteral("%1/%2").arg(num).arg(den);
    return whole ? QStringLiteral("%1 %2").arg(whole).arg(part) : part;
}

Model buildModel(const Design &design, const SiteLoads &loads) { return Framer(design, loads).build(); }

double lowestRoofPitch(const Design &design)
{
    return design.roof == RoofType::Barn ? std::min(r::GambrelLowerPitch, r::GambrelUpperPitch) : r::GablePitch;
}

} // namespace corvelle::shed
