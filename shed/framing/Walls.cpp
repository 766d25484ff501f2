#include "Assemblies.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed::framing {

using namespace geometry;
namespace r = rules;

namespace {

// Where a layout stud falling over an opening goes: above its header, and under a
// window's sill.
struct Cripples {
    QList<double> above, below;
};

void nailers(const Context &c, const WallRun &w, QList<double> uprights, const QList<Cripples> &cripples, Members &out);
void gableStuds(const Context &c, Wall wall, Members &out);

QList<double> frameWall(const Context &c, const WallRun &w, Members &out)
{
    const double cc = c.design.studCenters, t = r::Ply, sd = c.studDepth;
    const bool endWall = isEndWall(w.wall);

    // Stud positions (left edges along the run), corners and openings' kings first.
    struct Slot {
        double u;
        MemberKind kind;
    };
    QList<Slot> slots = {{w.start, MemberKind::Stud}, {w.end - t, MemberKind::Stud}};
    if (endWall) {
        // Backers beside the side walls' end studs, for the lining to nail to at the corner.
        slots.append({sd, MemberKind::Stud});
        slots.append({c.width - sd - t, MemberKind::Stud});
    }
    for (const Opening &o : w.openings) {
        slots.append({o.framingLeft(), MemberKind::KingStud});
        slots.append({o.right + o.jacksWidth(), MemberKind::KingStud});
    }
    const auto taken = [&](double u) {
        return std::any_of(slots.begin(), slots.end(), [&](const Slot &s) { return std::abs(s.u - u) < t - Eps; });
    };
    QList<Cripples> cripples(w.openings.size());
    QList<double> centres;
    for (int k = 1; k * cc - t / 2 < w.end - t - Eps; ++k) {
        const double u = k * cc - t / 2;
        centres.append(k * cc);
        if (u < w.start + t - Eps || taken(u))
            continue;
        // Inside the jacks a layout stud becomes a cripple over the header (and under a
        // window's sill); one within a stud's width of a king is replaced by it (`taken`).
        const auto over = std::find_if(w.openings.begin(), w.openings.end(), [&](const Opening &o) {
            return u + t > o.left - o.jacksWidth() + Eps && u < o.right + o.jacksWidth() - Eps;
        });
        if (over == w.openings.end()) {
            slots.append({u, MemberKind::Stud});
            continue;
        }
        const Opening &o = *over;
        Cripples &cr = cripples[over - w.openings.begin()];
        if (u >= o.left - o.jacksWidth() - Eps && u + t <= o.right + o.jacksWidth() + Eps)
            cr.above.append(u);
        // Under the sill, between the cripples at its ends.
        if (o.kind == Opening::Kind::Window && u >= o.left + t - Eps && u + t <= o.right - t + Eps)
            cr.below.append(u);
    }
    for (const Slot &s : slots)
        out.wallMember(w.wall, s.kind, c.studStock, s.u, s.u + t, c.studBottom, c.studTop, 0, sd, true);
    QList<double> supports;
    for (const Slot &s : slots)
        supports.append(s.u + t / 2);
    for (qsizetype i = 0; i < w.openings.size(); ++i) {
        supports.append(w.openings[i].left - t / 2);
        supports.append(w.openings[i].right + t / 2);
        // Over the opening a joint lands on a cripple or, without one, on the header.
        for (double u : cripples[i].above)
            supports.append(u + t / 2);
    }

    // Plates: the bottom plate is cut out at a door; joints over studs, never over a
    // header's end; the upper top plate's joints stand clear of the lower one's.
    const auto overHeaderEnd = [&](double u) {
        return std::any_of(w.openings.begin(), w.openings.end(), [&](const Opening &o) {
            return (u > o.left - 2 * t - Eps && u < o.left + Eps) || (u > o.right - Eps && u < o.right + 2 * t + Eps);
        });
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
            out.wallMember(w.wall, kind, kind == MemberKind::BottomPlate ? c.bottomPlateStock : c.plateStock, p, q, y,
                           y + t, 0, sd, false);
            if (kind == MemberKind::TopPlate && !upper && q < b - Eps)
                lowerSplices.append(q);
        }
    };
    double from = w.start;
    for (const Opening &o : w.openings) {
        if (o.kind != Opening::Kind::Door)
            continue;
        plate(MemberKind::BottomPlate, from, o.left, c.floorTop);
        from = o.right;
    }
    plate(MemberKind::BottomPlate, from, w.end, c.floorTop);
    plate(MemberKind::TopPlate, w.start, w.end, c.plateTop - 2 * t);
    // Where the lower plate butts the crossing wall's is an end joint of that layer too.
    for (double end : {w.start, w.end}) {
        if (end > w.upperStart + Eps && end < w.upperEnd - Eps)
            lowerSplices.append(end);
    }
    plate(MemberKind::TopPlate, w.upperStart, w.upperEnd, c.plateTop - t, true);

    for (qsizetype i = 0; i < w.openings.size(); ++i) {
        const Opening &o = w.openings[i];
        const headers::Choice &hc = o.header;
        const double jt = o.jacksWidth();
        for (int j = 0; j < hc.jacks; ++j) {
            for (double u : {o.left - (j + 1) * t, o.right + j * t})
                out.wallMember(w.wall, MemberKind::JackStud, c.studStock, u, u + t, c.studBottom, o.head, 0, sd, true);
        }
        // Plies on edge across the wall's depth, resting on the jacks, with plywood
        // spacers between them so the header is as thick as the wall.
        const int gaps = hc.plies - 1;
        const double gap = gaps > 0 && hc.spacer / gaps >= 0.25 - Eps ? hc.spacer / gaps : 0;
        const QString spacerStock = fraction(gap > 0 ? gap : hc.spacer) + QStringLiteral(" in plywood, header spacers");
        double across = 0;
        for (int p = 0; p < hc.plies; ++p) {
            out.wallMember(w.wall, MemberKind::Header, hc.stock, o.left - jt, o.right + jt, o.head, o.headerTop(),
                           across, across + hc.thickness, false);
            across += hc.thickness;
            const double fill = p + 1 < hc.plies ? (gap > 0 ? gap : (p == 0 ? hc.spacer : 0)) : 0;
            if (fill > Eps && hc.spacer > Eps) {
                Member &spacer = out.wallMember(w.wall, MemberKind::HeaderSpacer, spacerStock, o.left - jt,
                                                o.right + jt, o.head, o.headerTop(), across, across + fill, false);
                spacer.length = o.width() + 2 * jt;
                spacer.width = hc.depth;
                out.model.sheetSizes.insert(spacerStock, QSizeF(48, 96));
                across += fill;
            }
        }
        if (c.studTop - o.headerTop() > r::ShortestCripple - Eps) {
            for (double u : cripples[i].above)
                out.wallMember(w.wall, MemberKind::Cripple, c.studStock, u, u + t, o.headerTop(), c.studTop, 0, sd,
                               true);
        }
        if (o.kind != Opening::Kind::Window)
            continue;
        // A window sits on a flat sill between the jacks, carried by a cripple at each end
        // and at every layout place between them.
        out.wallMember(w.wall, MemberKind::Sill, c.studStock, o.left, o.right, o.bottom - t, o.bottom, 0, sd, false);
        QList<double> below = o.width() < 2 * t + Eps ? QList<double>{(o.left + o.right - t) / 2}
                                                       : QList<double>{o.left, o.right - t};
        below += cripples[i].below;
        std::sort(below.begin(), below.end());
        if (o.bottom - t - c.studBottom > r::ShortestCripple - Eps) {
            for (double u : below)
                out.wallMember(w.wall, MemberKind::Cripple, c.studStock, u, u + t, c.studBottom, o.bottom - t, 0, sd,
                               true);
        }
    }
    if (c.design.siding == Siding::Vertical) {
        QList<double> lefts;
        for (const Slot &s : slots)
            lefts.append(s.u);
        nailers(c, w, lefts, cripples, out);
    }
    if (endWall)
        gableStuds(c, w.wall, out);
    return supports;
}

void nailers(const Context &c, const WallRun &w, QList<double> uprights, const QList<Cripples> &cripples, Members &out)
{
    // Vertical boards are nailed to rows of flat blocking no more than 2 ft apart, and each
    // butt joint of a board lands on a row.
    const double t = r::Ply, from = c.studBottom, to = c.studTop;
    QList<double> rows;
    for (double y = c.sidingBottom + c.design.sidingHeight; y < to - t - Eps; y += c.design.sidingHeight) {
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
    for (double y : rows) {
        // Over a header the cripples stand in the row too: the blocks go between them.
        QList<double> at = uprights;
        for (qsizetype i = 0; i < w.openings.size(); ++i) {
            const Opening &o = w.openings[i];
            if (y - t / 2 > o.headerTop() - Eps && c.studTop - o.headerTop() > r::ShortestCripple - Eps)
                at += cripples[i].above;
        }
        std::sort(at.begin(), at.end());
        for (qsizetype i = 1; i < at.size(); ++i) {
            const double u0 = at[i - 1] + t, u1 = at[i];
            if (u1 - u0 < r::MinNailerBay - Eps)
                continue;
            // Not across an opening, its jacks and header.
            if (std::any_of(w.openings.begin(), w.openings.end(), [&](const Opening &o) {
                    return u0 < o.right + t + Eps && u1 > o.left - t - Eps && y < o.headerTop() + t;
                }))
                continue;
            out.wallMember(w.wall, MemberKind::Blocking, c.studStock, u0, u1, y - t / 2, y + t / 2, 0, c.studDepth,
                           false);
        }
    }
}

void gableStuds(const Context &c, Wall wall, Members &out)
{
    const RoofProfile &rf = c.roof;
    const double t = r::Ply, W = c.width, sd = c.studDepth;
    const double y0 = c.plateTop + (rf.trusses ? rf.depth : 0);
    const double ridgeL = W / 2 - t / 2, ridgeR = W / 2 + t / 2;
    const double ridgeBottom = rf.ridgeTop - rf.ridgeDepth;
    const double z0 = wall == Wall::Front ? 0 : c.depth - sd;
    // A gable taller than a stud may be long is framed in two storeys, with a plate
    // across where the lower studs stop.
    const double plateY = y0 + r::MaxSplicedPiece - t;
    const bool storeys = rf.underside(W / 2) - y0 > r::MaxSplicedPiece;
    if (storeys) {
        double xa = 0;
        while (xa < W / 2 && rf.underside(xa) < plateY + t)
            xa += 0.25;
        for (auto [a, b] : splitRun(xa, W - xa, {})) {
            Member &plate = out.lumber(MemberKind::TopPlate, Layer::Framing, c.plateStock, QVector3D(a, plateY, z0),
                                       QVector3D(b - a, t, sd), Axis::X);
            plate.wall = wall;
        }
    }
    const QList<double> corners = rf.undersideCorners();
    for (int k = 0; k * c.design.studCenters - t / 2 <= W - t + Eps; ++k) {
        const double u = std::max(0.0, k * c.design.studCenters - t / 2);
        if (std::min(rf.underside(u), rf.underside(u + t)) - y0 < r::MinGableStud)
            continue;
        Polygon p = {{u, y0}, {u + t, y0}};
        double angle = 90 - degrees(std::atan(std::abs(rf.pitch(u + t / 2))));
        // Under the peak of a truss the stud meets both top chords: its head is a V.
        const bool vCut = rf.trusses && u < W / 2 - Eps && u + t > W / 2 + Eps;
        if (!rf.trusses && u + t > ridgeL - Eps && u < ridgeR + Eps) {
            p.append({u + t, ridgeBottom});
            p.append({u, ridgeBottom});
            angle = 90;
        } else {
            p.append({u + t, rf.underside(u + t)});
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
            Member &stud = out.profileXY(MemberKind::Stud, Layer::Framing, c.studStock, parts[i], z0, sd);
            stud.length = boundingRect(parts[i]).height();
            const bool head = i + 1 == parts.size();
            stud.angle2 = head ? angle : 90;
            if (head && vCut) {
                // Long point at the peak; each face cut to its own slope.
                stud.vCut = true;
                stud.angle1 = 90 - degrees(std::atan(std::abs(rf.pitch(W / 2 - t / 4))));
                stud.angle2 = 90 - degrees(std::atan(std::abs(rf.pitch(W / 2 + t / 4))));
            }
            stud.wall = wall;
        }
    }
}

} // namespace

WallSupports walls(const Context &c, Members &out)
{
    WallSupports supports;
    for (Wall w : FramingOrder)
        supports[size_t(w)] = frameWall(c, c.run(w), out);
    return supports;
}

} // namespace corvelle::shed::framing
