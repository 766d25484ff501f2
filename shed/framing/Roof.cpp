#include "Assemblies.h"

#include "shed/Layout.h"

#include <QLineF>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

namespace corvelle::shed::framing {

using namespace geometry;
namespace r = rules;

namespace {

QRectF rectAround(QPointF at, double size = r::GussetSize)
{
    return QRectF(at.x() - size / 2, at.y() - size / 2, size, size);
}

// The roof's frames, the rake overhang and the sheathing. Every inner truss is the same,
// so its webs and gussets are cut once.
class RoofFramer {
public:
    RoofFramer(const Context &context, Members &members)
        : c(context), rf(context.roof), out(members), W(context.width), D(context.depth)
    {
    }
    void build();

private:
    void frame(double z, bool endFrame);
    void lookouts();
    void sheathing();
    // The rafters or top chords of the slope rising from X = 0, mirrored for the other.
    QList<Polygon> slopeQuads(bool notched = false) const;
    void sloped(MemberKind kind, const QString &stock, const Polygon &quad, double z0, double thickness, bool mirror);
    Polygon trussInterior() const;
    void webs(const QList<std::pair<QPointF, QPointF>> &lines, double z0);
    void placeWebs(double z0);
    void gusset(const QRectF &rect, double z0, double z1, int faces); // faces: 1 the z0 side, 2 the z1 side

    const Context &c;
    const RoofProfile &rf;
    Members &out;
    const double W, D;
    Polygon gussetClip; // a frame's outline over the walls, the same for every frame
    struct WebPiece {
        Polygon poly;
        double length, angle1, angle2;
        std::optional<QRectF> splice; // the gusset joining it to the next piece
    };
    QList<WebPiece> webCache;
    std::map<std::array<double, 4>, Polygon> plates; // gusset outlines by the rectangle they are cut from
};

void RoofFramer::build()
{
    const double t = r::Ply, th = rf.thick;
    out.model.frame.seatLength = rf.seat;
    out.model.frame.seatDepth = rf.seatDepth;
    for (qsizetype i = 0; i < c.frameZ.size(); ++i)
        frame(c.frameZ[i], i == 0 || i == c.frameZ.size() - 1);

    // Barge rafters carry the rake overhang's edge, held by a ladder of lookouts nailed
    // to the gable frame's face at the rafter spacing.
    if (c.barges) {
        for (double z : {-c.design.overhangZ, D + c.design.overhangZ - th}) {
            for (const Polygon &quad : slopeQuads()) {
                for (bool mirror : {false, true})
                    sloped(MemberKind::Rafter, nominalSection(th, rf.depth), quad, z, th, mirror);
            }
        }
        lookouts();
    }
    if (!rf.trusses) {
        QList<double> centres;
        for (double z : c.frameZ)
            centres.append(z + th / 2);
        for (auto [a, b] : splitRun(-c.design.overhangZ, D + c.design.overhangZ, centres)) {
            out.lumber(MemberKind::RidgeBoard, Layer::Roof, nominalSection(t, rf.ridgeDepth),
                       QVector3D(W / 2 - t / 2, rf.ridgeTop - rf.ridgeDepth, a), QVector3D(t, rf.ridgeDepth, b - a),
                       Axis::Z);
        }
    }
    sheathing();
}

void RoofFramer::lookouts()
{
    const double th = rf.thick, t = r::Ply, reach = c.design.overhangZ - th;
    if (!c.lookouts)
        return;
    const QString stock = nominalSection(t, r::LookoutDepth);
    // Along the first slope's top from the tail to the ridge, one at each end and the rest
    // at the rafter spacing measured up the slope; mirrored for the other slope.
    QList<double> xs;
    const double pr = rf.pitch(rf.ridgeEnd - t);
    const double stop = rf.ridgeEnd - t - r::LookoutDepth * pr / std::sqrt(1 + pr * pr);
    double x = rf.tail;
    while (x < stop - Eps) {
        xs.append(x);
        const double k = std::sqrt(1 + rf.pitch(x + t / 2) * rf.pitch(x + t / 2));
        x += c.design.roofSupportSpacing / k;
    }
    xs.append(stop);
    for (double x0 : xs) {
        const double p = rf.pitch(x0 + t / 2), k = std::sqrt(1 + p * p);
        const QPointF along(1 / k, p / k), down(p / k, -1 / k);
        // Square to the slope, its top flush with the frames' tops.
        const QPointF top(x0, rf.top(x0)), foot = top + down * r::LookoutDepth;
        const Polygon section = {foot, foot + along * t, top + along * t, top};
        for (double z : {-c.design.overhangZ + th, D}) {
            for (bool mirror : {false, true}) {
                Member &mb = out.profileXY(MemberKind::Lookout, Layer::Roof, stock,
                                           mirror ? mirrored(section, W) : section, z, reach);
                mb.length = reach;
            }
        }
    }
}

QList<Polygon> RoofFramer::slopeQuads(bool notched) const
{
    const QList<RoofProfile::Plane> planes = rf.firstSlope();
    const Line &lower = planes[0].underside;
    const double hl = planes[0].vertical;
    const QPointF tail(rf.tail, lower.at(rf.tail)), tailTop(rf.tail, lower.at(rf.tail) + hl);
    // A rafter bears on the plate through a birdsmouth: a heel cut plumb at the wall's
    // face and a level seat to where its underside crosses the plate's top.
    Polygon seat;
    if (notched && !rf.trusses && rf.tail < -Eps)
        seat = {{0, lower.at(0)}, {0, c.plateTop}};
    const double end = rf.ridgeEnd;
    if (!rf.gambrel)
        return {Polygon{tail} + seat + Polygon{{end, lower.at(end)}, {end, lower.at(end) + hl}, tailTop}};
    // The knee is mitred: from where the undersides meet to where the tops meet.
    const Line &upper = planes[1].underside;
    const QPointF knee(rf.knee, lower.at(rf.knee));
    const QPointF topKnee(rf.topKnee, lower.at(rf.topKnee) + hl);
    return {Polygon{tail} + seat + Polygon{knee, topKnee, tailTop},
            {knee, {end, upper.at(end)}, {end, upper.at(end) + planes[1].vertical}, topKnee}};
}

void RoofFramer::sloped(MemberKind kind, const QString &stock, const Polygon &quad, double z0, double thickness,
                        bool mirror)
{
    const Polygon full = mirror ? mirrored(quad, W) : quad;
    const QRectF b = boundingRect(full);
    const int pieces = int(std::ceil(QLineF(quad[0], quad[1]).length() / r::MaxSplicedPiece - Eps));
    for (int i = 0; i < pieces; ++i) {
        const double x0 = b.left() + i * b.width() / pieces, x1 = b.left() + (i + 1) * b.width() / pieces;
        const Polygon piece =
            pieces == 1 ? full : clipConvex(full, rectPolygon(QRectF(QPointF(x0, -1e6), QPointF(x1, 1e6))));
        if (piece.isEmpty())
            continue;
        Member &mb = out.profileXY(kind, Layer::Roof, stock, piece, z0, thickness);
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

Polygon RoofFramer::trussInterior() const
{
    const double bcTop = c.plateTop + rf.depth;
    Polygon p = {{0, bcTop}, {W, bcTop}};
    const QList<double> corners = rf.undersideCorners();
    for (qsizetype i = corners.size() - 1; i >= 0; --i)
        p.append({corners[i], rf.underside(corners[i])});
    return p;
}

void RoofFramer::webs(const QList<std::pair<QPointF, QPointF>> &lines, double z0)
{
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

void RoofFramer::placeWebs(double z0)
{
    for (const WebPiece &w : webCache) {
        Member &mb = out.profileXY(MemberKind::TrussWeb, Layer::Roof, nominalSection(rf.thick, r::WebDepth), w.poly,
                                   z0, rf.thick);
        mb.length = w.length;
        mb.angle1 = w.angle1;
        mb.angle2 = w.angle2;
        if (w.splice)
            gusset(*w.splice, z0, z0 + rf.thick, 2);
    }
}

void RoofFramer::gusset(const QRectF &rect, double z0, double z1, int faces)
{
    // Clipped to the frame's outline so no plate stands proud of the roof or below the truss.
    // Over the walls only: beyond them the tails drop below the plates.
    if (gussetClip.isEmpty()) {
        gussetClip = {{0, c.plateTop}, {W, c.plateTop}};
        gussetClip.append({W, rf.top(W)});
        const QList<double> corners = rf.topCorners();
        for (qsizetype i = corners.size() - 1; i >= 0; --i)
            gussetClip.append({corners[i], rf.top(corners[i])});
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
    out.model.sheetSizes.insert(stock, QSizeF(48, 96));
    // Both faces of an inner frame; a gable frame on its inner face, the outer being sheathed.
    QList<double> at;
    if (faces & 1)
        at.append(z0 - r::GussetThickness);
    if (faces & 2)
        at.append(z1);
    for (double z : at) {
        Member &mb = out.profileXY(MemberKind::Gusset, Layer::Roof, stock, plate, z, r::GussetThickness);
        mb.length = std::max(mb.size.x(), mb.size.y());
        mb.width = std::min(mb.size.x(), mb.size.y());
    }
}

void RoofFramer::frame(double z, bool endFrame)
{
    const double th = rf.thick;
    const QString stock = nominalSection(th, rf.depth);
    const MemberKind chord = rf.trusses ? MemberKind::TrussChord : MemberKind::Rafter;
    const RoofProfile::Plane eave = rf.planes.first();
    const QPointF topKnee(rf.topKnee, eave.underside.at(rf.topKnee) + eave.vertical);
    const QPointF knee(rf.knee, eave.underside.at(rf.knee));

    // Chords or rafters of the first slope, mirrored for the other.
    for (const Polygon &q : slopeQuads(true)) {
        sloped(chord, stock, q, z, th, false);
        sloped(chord, stock, q, z, th, true);
    }

    const double plateTop = c.plateTop, bcTop = plateTop + rf.depth;
    const double peakY = rf.underside(W / 2);
    if (rf.trusses) {
        QList<double> joints;
        QList<std::pair<QPointF, QPointF>> webLines; // from the bottom chord up to a top chord
        if (rf.gambrel) {
            const double xm = (rf.knee + W / 2) / 2;
            webLines = {{{rf.knee, bcTop}, knee},
                        {{W / 2, bcTop}, {W / 2, peakY}},
                        {{rf.knee, bcTop}, {xm, rf.underside(xm)}}};
            joints = {rf.knee, W - rf.knee, W / 2};
        } else {
            // Fink (W) webs: the bottom chord's third points to the peak and to mid-chord.
            webLines = {{{W / 3, bcTop}, {W / 4, rf.underside(W / 4)}}, {{W / 3, bcTop}, {W / 2, peakY}}};
            joints = {W / 3, 2 * W / 3};
        }
        QList<QPointF> nodes = {{0, bcTop}, {W, bcTop}, {W / 2, peakY}};
        for (auto [a, b] : splitRun(0, W, joints)) {
            out.lumber(MemberKind::TrussChord, Layer::Roof, stock, QVector3D(a, plateTop, z),
                       QVector3D(b - a, rf.depth, th), Axis::X);
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
            for (auto [a, b] : webLines) {
                lines.append({a, b});
                if (std::abs(a.x() - W / 2) > Eps || std::abs(b.x() - W / 2) > Eps)
                    lines.append({{W - a.x(), a.y()}, {W - b.x(), b.y()}});
            }
            webs(lines, z);
            for (auto [a, b] : lines) {
                nodes.append(a);
                nodes.append(b);
            }
            QList<QPointF> &panelPoints = out.model.frame.panelPoints;
            if (panelPoints.isEmpty()) {
                for (auto [a, b] : lines) {
                    for (const QPointF &q : {a, b}) {
                        if (std::none_of(panelPoints.begin(), panelPoints.end(),
                                         [&](const QPointF &o) { return QLineF(o, q).length() < 1; }))
                            panelPoints.append(q);
                    }
                }
                std::sort(panelPoints.begin(), panelPoints.end(), [](const QPointF &a, const QPointF &b) {
                    return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
                });
            }
        }
        const int faces = !endFrame ? 3 : z < Eps ? 2 : 1;
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
        for (const QPointF &k : {QPointF((knee + topKnee) / 2),
                                 QPointF(W - (knee.x() + topKnee.x()) / 2, (knee.y() + topKnee.y()) / 2)})
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
    Member &tie = out.profileXY(MemberKind::CollarTie, Layer::Roof, tieStock,
                                {{xa, y}, {W - xa, y}, {W - xb, y + r::TieDepth}, {xb, y + r::TieDepth}}, tz, r::Ply);
    tie.length = W - 2 * xa;
    tie.angle1 = tie.angle2 = xa > 0 ? cutAngle(QPointF(1, rf.pitch(xa)), QPointF(1, 0)) : 90;
}

void RoofFramer::sheathing()
{
    const Design &d = c.design;
    const QString stock = fraction(d.roofThickness) + QStringLiteral(" in plywood");
    out.model.sheetSizes.insert(stock, QSizeF(d.sheetWidth, d.sheetLength));
    // Each plane of the first slope: from the tail (or the knee) to the peak along its top line.
    struct Plane {
        double xa, xb;
        Line top;
    };
    QList<Plane> planes;
    double xa = rf.tail;
    const QList<RoofProfile::Plane> slope = rf.firstSlope();
    const QList<double> topCorners = rf.topCorners();
    for (qsizetype i = 0; i < slope.size(); ++i) {
        const Line &u = slope[i].underside;
        const double xb = i + 1 < slope.size() ? topCorners[i] : W / 2;
        planes.append({xa, xb, Line{u.x0, u.y0 + slope[i].vertical, u.pitch}});
        xa = xb;
    }
    // Sheets run along the depth with their end joints centred on a frame, staggered
    // course to course; the first and last sheet of a course are cut. Along the edges
    // between courses a clip holds the sheets together midway between supports.
    const double th = rf.thick, za = -d.overhangZ, zb = D + d.overhangZ;
    QList<double> supports;
    for (double z : c.frameZ)
        supports.append(z + th / 2);
    QList<double> clipSupports = supports;
    if (c.barges) {
        clipSupports.prepend(za + th / 2);
        clipSupports.append(zb - th / 2);
    }
    for (const Plane &p : planes) {
        const double k = std::sqrt(1 + p.top.pitch * p.top.pitch);
        const double slopeLength = (p.xb - p.xa) * k, tv = d.roofThickness * k;
        const auto quadAt = [&](double s0, double s1) {
            const double x0 = p.xa + s0 / k, x1 = p.xa + s1 / k;
            return Polygon{{x0, p.top.at(x0)}, {x1, p.top.at(x1)}, {x1, p.top.at(x1) + tv}, {x0, p.top.at(x0) + tv}};
        };
        QList<double> below;
        for (double s0 = 0; s0 < slopeLength - Eps; s0 += d.sheetWidth) {
            const double s1 = std::min(slopeLength, s0 + d.sheetWidth);
            const QList<double> joints =
                layout::sheetJoints({za, zb, d.sheetLength, supports, d.roofSupportSpacing, {}, below});
            below = joints;
            QList<double> ends = QList<double>{za} + joints + QList<double>{zb};
            const Polygon quad = quadAt(s0, s1);
            for (qsizetype i = 1; i < ends.size(); ++i) {
                for (bool mirror : {false, true}) {
                    Member &mb = out.profileXY(MemberKind::RoofSheet, Layer::Roof, stock,
                                               mirror ? mirrored(quad, W) : quad, ends[i - 1], ends[i] - ends[i - 1]);
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
                    Member &mb = out.profileXY(MemberKind::PanelClip, Layer::Roof, QStringLiteral("panel clip"),
                                               mirror ? mirrored(clip, W) : clip, mid - r::PanelClipSize / 2,
                                               r::PanelClipSize);
                    mb.length = 0;
                }
            }
        }
    }
}

} // namespace

void roof(const Context &c, Members &out) { RoofFramer(c, out).build(); }

} // namespace corvelle::shed::framing
