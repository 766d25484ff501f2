// Invariants of the framing over many generated designs: every choice the wizard offers
// and a few hand-edited extremes.
#include "shed/Cutting.h"
#include "shed/Framing.h"
#include "shed/Geometry.h"
#include "shed/Hardware.h"
#include "shed/Marks.h"
#include "shed/Rules.h"
#include "shed/Takeoff.h"
#include "shed/Units.h"

#include <QRandomGenerator>
#include <QtTest>

#include <map>
#include <numeric>

using namespace corvelle::shed;

Q_DECLARE_METATYPE(corvelle::shed::Design)

namespace {

Design generated(QRandomGenerator &rng)
{
    Design d;
    const auto pick = [&](auto... v) {
        const double values[] = {double(v)...};
        return values[rng.bounded(int(sizeof...(v)))];
    };
    d.width = 12 * (8 + rng.bounded(43));
    d.depth = 12 * (8 + rng.bounded(43));
    d.floor = FloorType(rng.bounded(4));
    d.lumber = rng.bounded(2) ? Lumber::TwoBySix : Lumber::TwoByFour;
    d.joistHeight = d.studDepth = d.lumber == Lumber::TwoBySix ? 5.5 : 3.5;
    d.slabThickness = d.floor == FloorType::Concrete ? pick(4, 6, 8, 10, 12) : 0;
    d.blockRows = d.floor == FloorType::Blocks ? 1 + rng.bounded(3) : 0;
    d.studCenters = pick(12, 16, 24);
    d.innerHeight = 12 * (8 + rng.bounded(13));
    d.lining = rng.bounded(2);
    d.liningThickness = pick(0.25, 0.5, 0.625, 0.75);
    d.siding = Siding(rng.bounded(4));
    const double sizes[4][2] = {{96, 6}, {6, 96}, {96, 48}, {96, 30}};
    d.sidingWidth = sizes[int(d.siding)][0];
    d.sidingHeight = sizes[int(d.siding)][1];
    d.door = Sides(rng.bounded(4));
    d.doorWidth = 12 * std::min(3.0 + rng.bounded(6), d.width / 12 - 0.5);
    d.doorHeight = 12 * std::min(6.0 + rng.bounded(4), d.innerHeight / 12 - 0.5);
    d.ramp = d.floor == FloorType::Gravel ? Sides::None : Sides(rng.bounded(4));
    d.roof = rng.bounded(2) ? RoofType::Barn : RoofType::Gable;
    d.trusses = d.width > 180 || rng.bounded(2);
    return d;
}

struct Extent {
    QVector3D lo, hi;
};

using corvelle::shed::geometry::bounds;

bool isFrame(const Member &m) { return m.kind == MemberKind::TrussChord || m.kind == MemberKind::Rafter; }

// Which wall a wall sheet or an upright lies in (0 front, 1 back, 2 right, 3 left), by
// its thin axis; -1 for anything else. `u` is the position along the wall.
int wallOf(const Design &d, const Member &m, double &u0, double &u1)
{
    const auto [lo, hi] = bounds(m);
    const double ex = hi.x() - lo.x(), ez = hi.z() - lo.z();
    // A stud is thinner along the wall than across it; a plate or a sheet the reverse.
    const bool upright = ex <= d.studDepth + 0.01 && ez <= d.studDepth + 0.01;
    // Sheets: an end wall's lie in the model's XY plane, a side wall's are turned.
    const bool alongX = isSheet(m) ? m.rotation.isIdentity() : upright ? ez > ex : ez < ex;
    if (std::min(ex, ez) > 8)
        return -1;
    u0 = alongX ? lo.x() : lo.z();
    u1 = alongX ? hi.x() : hi.z();
    if (alongX)
        return lo.z() < d.depth / 2 ? 0 : 1;
    return lo.x() < d.width / 2 ? 2 : 3;
}

} // namespace

class TestShedGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void invariants_data();
    void invariants();
    void framedAsABuilderWould_data() { invariants_data(); }
    void framedAsABuilderWould();
    void hardware_data() { invariants_data(); }
    void hardware();
    void marksAndCutting_data() { invariants_data(); }
    void marksAndCutting();
};

void TestShedGeometry::invariants_data()
{
    QTest::addColumn<Design>("design");
    QRandomGenerator rng(20261209);
    for (int i = 0; i < 120; ++i)
        QTest::addRow("generated %d", i) << generated(rng);
    Design largest;
    largest.width = largest.depth = 600;
    largest.innerHeight = 240;
    largest.studCenters = 12;
    largest.door = largest.ramp = Sides::Both;
    largest.roof = RoofType::Barn;
    QTest::addRow("largest") << largest;
    Design smallest;
    smallest.width = smallest.depth = 96;
    smallest.innerHeight = 96;
    smallest.lumber = Lumber::TwoByFour;
    smallest.studDepth = smallest.joistHeight = 3.5;
    smallest.doorWidth = 90;
    smallest.floor = FloorType::Wood;
    smallest.ramp = Sides::Front;
    smallest.trusses = false;
    QTest::addRow("smallest, door too wide for its wall") << smallest;
}

void TestShedGeometry::invariants()
{
    QFETCH(Design, design);
    const Design &d = design;
    const Model m = buildModel(d);
    QVERIFY(!m.members.isEmpty());
    const double slack = 0.01;
    const double rampReach = d.rampLength + d.sidingThickness + 7.0 / 16; // over the wall sheathing
    for (const Member &mb : m.members) {
        const auto [lo, hi] = corvelle::shed::geometry::bounds(mb);
        const QString what = kindName(mb.kind) + QStringLiteral(" at %1,%2,%3").arg(lo.x()).arg(lo.y()).arg(lo.z());
        // Nothing of zero or negative size.
        QVERIFY2(mb.size.x() > 0 && mb.size.y() > 0 && mb.size.z() > 0, qPrintable(what));
        if (!mb.profile.isEmpty())
            QVERIFY2(corvelle::shed::geometry::area(mb.profile) > 0, qPrintable(what + " has a clockwise or empty outline"));
        if (isLumber(mb))
            QVERIFY2(mb.length > 0 && mb.length <= 240 + slack, qPrintable(what + QStringLiteral(" is %1 long").arg(mb.length)));
        // Inside the footprint plus overhangs, or inside a ramp's reach.
        const bool ramp = mb.layer == Layer::Ramps;
        QVERIFY2(lo.x() >= -d.overhangX - slack && hi.x() <= d.width + d.overhangX + slack, qPrintable(what));
        QVERIFY2(lo.z() >= (ramp ? -rampReach : -d.overhangZ) - slack, qPrintable(what));
        QVERIFY2(hi.z() <= d.depth + (ramp ? rampReach : d.overhangZ) + slack, qPrintable(what));
        QVERIFY2(lo.y() >= -8 - slack, qPrintable(what));
        // Every member of a wall knows it and stands in it, from its outer face in (left
        // and right as seen facing the front from outside: the left wall is at X = width).
        const bool walled = mb.layer == Layer::Framing || mb.layer == Layer::Lining || mb.layer == Layer::Siding ||
                            mb.layer == Layer::Doors;
        QVERIFY2(mb.wall.has_value() == walled, qPrintable(what));
        if (mb.wall) {
            const QVector3D n = outward(*mb.wall);
            const QVector3D face = QVector3D(d.width / 2, 0, d.depth / 2) + n * (isEndWall(*mb.wall) ? d.depth / 2 : d.width / 2);
            const double a = QVector3D::dotProduct(face - lo, n), b = QVector3D::dotProduct(face - hi, n);
            const double outside = d.sidingThickness + 7.0 / 16, inside = d.studDepth + d.liningThickness;
            QVERIFY2(std::min(a, b) >= -outside - slack && std::max(a, b) <= inside + slack,
                     qPrintable(what + QStringLiteral(" is not in the %1 wall").arg(wallName(*mb.wall))));
        }
        // Ramps only in front of a door, on a built floor.
        if (ramp) {
            QVERIFY(d.floor != FloorType::Gravel);
            QVERIFY(hi.z() <= slack ? hasFront(d.door) && hasFront(d.ramp) : hasRear(d.door) && hasRear(d.ramp));
        }
    }

    // Studs on their spacing: along each wall, no gap between neighbouring upright
    // members (studs, kings, jacks) wider than the spacing, except across a door, where
    // a king may stand in for a layout stud less than a stud's width away.
    const double t = 1.5;
    std::map<int, QList<double>> walls; // 0 front, 1 back, 2 right, 3 left -> stud centres
    for (const Member &mb : m.members) {
        if (mb.kind != MemberKind::Stud && mb.kind != MemberKind::KingStud && mb.kind != MemberKind::JackStud)
            continue;
        const auto [lo, hi] = corvelle::shed::geometry::bounds(mb);
        if (lo.y() >= floorTop(d) + d.innerHeight - 0.1)
            continue; // gable studs
        if (hi.z() <= d.studDepth + 0.01)
            walls[0].append((lo.x() + hi.x()) / 2);
        else if (lo.z() >= d.depth - d.studDepth - 0.01)
            walls[1].append((lo.x() + hi.x()) / 2);
        else if (hi.x() <= d.studDepth + 0.01)
            walls[2].append((lo.z() + hi.z()) / 2);
        else
            walls[3].append((lo.z() + hi.z()) / 2);
    }
    QCOMPARE(int(walls.size()), 4);
    const double ro = roughOpeningWidth(d);
    for (auto &[side, centres] : walls) {
        std::sort(centres.begin(), centres.end());
        const bool door = (side == 0 && hasFront(d.door)) || (side == 1 && hasRear(d.door));
        for (qsizetype i = 1; i < centres.size(); ++i) {
            const double gap = centres[i] - centres[i - 1];
            QVERIFY2(gap >= t - 0.01, qPrintable(QStringLiteral("wall %1: studs overlap at %2").arg(side).arg(centres[i])));
            if (door && std::abs(gap - (ro + t)) < 0.01)
                continue;
            QVERIFY2(gap <= d.studCenters + (door ? t : 0) + 0.01,
                     qPrintable(QStringLiteral("wall %1: a gap of %2 in at %3").arg(side).arg(gap).arg(centres[i])));
        }
    }
}

// Every sheet joint on framing, every member held by another, plate splices staggered.
void TestShedGeometry::framedAsABuilderWould()
{
    QFETCH(Design, design);
    const Design &d = design;
    const Model m = buildModel(d);
    const double tol = 0.02;

    // Roof sheets: across the depth, an end is a rake edge or centred on a frame.
    QList<double> frameCentres;
    for (const Member &mb : m.members) {
        const auto [lo, hi] = bounds(mb);
        if (isFrame(mb) && hi.z() - lo.z() < 12)
            frameCentres.append((lo.z() + hi.z()) / 2);
    }
    const auto onFrame = [&](double z) {
        return std::any_of(frameCentres.begin(), frameCentres.end(), [&](double c) { return std::abs(c - z) < tol; });
    };
    for (const Member &mb : m.members) {
        if (mb.kind != MemberKind::RoofSheet)
            continue;
        const auto [lo, hi] = bounds(mb);
        for (double z : {double(lo.z()), double(hi.z())}) {
            const bool edge = std::abs(z + d.overhangZ) < tol || std::abs(z - d.depth - d.overhangZ) < tol;
            QVERIFY2(edge || onFrame(z),
                     qPrintable(QStringLiteral("roof sheet joint at z = %1 between frames").arg(z)));
        }
    }

    // Deck: every end joint centred on a joist or rim.
    QList<double> joists;
    for (const Member &mb : m.members) {
        const auto [lo, hi] = bounds(mb);
        if ((mb.kind == MemberKind::Joist || mb.kind == MemberKind::RimJoist) && hi.x() - lo.x() < 2)
            joists.append((lo.x() + hi.x()) / 2);
    }
    for (const Member &mb : m.members) {
        if (mb.kind != MemberKind::DeckSheet)
            continue;
        const auto [lo, hi] = bounds(mb);
        for (double x : {double(lo.x()), double(hi.x())}) {
            const bool edge = x < tol || x > d.width - tol;
            QVERIFY2(edge || std::any_of(joists.begin(), joists.end(), [&](double c) { return std::abs(c - x) < tol; }),
                     qPrintable(QStringLiteral("deck joint at x = %1 off the joists").arg(x)));
        }
    }

    // Wall board and wall sheathing: each vertical edge is the wall's end, an opening's
    // side, or lies on an upright (or the header over an opening) behind it.
    const double roL = (d.width - roughOpeningWidth(d)) / 2, roR = roL + roughOpeningWidth(d);
    QList<const Member *> backers;
    for (const Member &f : m.members) {
        if (f.layer == Layer::Framing || f.kind == MemberKind::RimJoist || f.kind == MemberKind::Joist || isFrame(f))
            backers.append(&f);
    }
    for (MemberKind kind : {MemberKind::LiningSheet, MemberKind::WallSheathing}) {
        std::map<int, std::pair<double, double>> ends;
        for (const Member &mb : m.members) {
            double u0, u1;
            const int w = mb.kind == kind ? wallOf(d, mb, u0, u1) : -1;
            if (w < 0)
                continue;
            auto it = ends.try_emplace(w, u0, u1).first;
            it->second = {std::min(it->second.first, u0), std::max(it->second.second, u1)};
        }
        for (const Member &sheet : m.members) {
            double s0, s1;
            const int w = sheet.kind == kind ? wallOf(d, sheet, s0, s1) : -1;
            if (w < 0)
                continue;
            const auto [slo, shi] = bounds(sheet);
            const bool door = (w == 0 && hasFront(d.door)) || (w == 1 && hasRear(d.door));
            // A piece cut to the gable has sloped edges: only its upright ones are joints.
            QList<double> edges = {s0, s1};
            if (!sheet.profile.isEmpty() && w < 2) {
                edges.clear();
                for (qsizetype i = 0; i < sheet.profile.size(); ++i) {
                    const QPointF a = sheet.profile[i], b = sheet.profile[(i + 1) % sheet.profile.size()];
                    if (std::abs(a.x() - b.x()) < 1e-6)
                        edges.append(sheet.position.x() + a.x());
                }
            }
            for (double u : edges) {
                if (std::abs(u - ends[w].first) < tol || std::abs(u - ends[w].second) < tol)
                    continue;
                if (door && (std::abs(u - roL) < tol || std::abs(u - roR) < tol))
                    continue;
                const bool backed = std::any_of(backers.begin(), backers.end(), [&](const Member *fp) {
                    const Member &f = *fp;
                    // Studs, plates, headers; the rims, a joist's end and the gable frame the
                    // sheathing laps over.
                    const auto [jlo, jhi] = bounds(f);
                    if (f.kind == MemberKind::Joist && w < 2 && (w == 0 ? jlo.z() < 3 : jhi.z() > d.depth - 3))
                        return u > jlo.x() && u < jhi.x()
                               && std::min(jhi.y(), shi.y()) - std::max(jlo.y(), slo.y()) > 0.5;
                    if (f.layer != Layer::Framing && f.kind != MemberKind::RimJoist && !isFrame(f))
                        return false;
                    double f0, f1;
                    const double bearing = isFrame(f) ? 0 : 0.5; // a gable chord's splice carries both
                    if (wallOf(d, f, f0, f1) != w || u < f0 + bearing - 0.01 || u > f1 - bearing + 0.01)
                        return false;
                    const auto [flo, fhi] = bounds(f);
                    return std::min(fhi.y(), shi.y()) - std::max(flo.y(), slo.y()) > 0.5;
                });
                QVERIFY2(backed, qPrintable(QStringLiteral("%1 joint in wall %2 at %3, %4..%5 high, on nothing")
                                                .arg(kindName(kind))
                                                .arg(w)
                                                .arg(u)
                                                .arg(slo.y())
                                                .arg(shi.y())));
            }
        }
    }

    // A gable stud under a truss's peak has a V head: its point at the peak, under the top
    // chords' plumb cut, each face on its own slope and at the angle the cut list gives.
    const double wallTop = floorTop(d) + d.innerHeight, half = d.width / 2;
    for (const Member &mb : m.members) {
        const auto [lo, hi] = bounds(mb);
        if (mb.kind != MemberKind::Stud || lo.y() < wallTop - 0.1)
            continue;
        QList<QPointF> head;
        for (const QPointF &q : mb.profile) {
            if (q.y() > 0.01)
                head.append(q + QPointF(mb.position.x(), mb.position.y()));
        }
        const auto apex =
            std::max_element(head.begin(), head.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
        const bool peak = apex != head.end() && std::abs(apex->x() - half) < tol;
        const QString what = QStringLiteral("gable stud at x = %1, z = %2").arg(lo.x()).arg(lo.z());
        QVERIFY2(mb.vCut == (d.trusses && peak && lo.x() < half - tol && hi.x() > half + tol), qPrintable(what));
        if (!mb.vCut)
            continue;
        QVERIFY2(mb.angle1 < 90 && mb.angle2 < 90 && std::abs(mb.length - (hi.y() - lo.y())) < tol, qPrintable(what));
        const double pitch = d.roof == RoofType::Barn ? rules::GambrelUpperPitch : rules::GablePitch;
        for (const QPointF &q : head) {
            if (q == *apex)
                continue;
            const double drop = apex->y() - q.y(), run = std::abs(apex->x() - q.x());
            const double angle = q.x() < half ? mb.angle1 : mb.angle2;
            QVERIFY2(std::abs(drop - run * pitch) < tol
                         && std::abs(angle - (90 - std::atan(pitch) * 180 / M_PI)) < 0.05,
                     qPrintable(what + QStringLiteral(": a head point off its slope")));
        }
        const bool underChords = std::any_of(m.members.begin(), m.members.end(), [&](const Member &c) {
            const auto [clo, chi] = bounds(c);
            return c.kind == MemberKind::TrussChord && clo.z() < hi.z() && chi.z() > lo.z()
                   && std::any_of(c.profile.begin(), c.profile.end(), [&](QPointF q) {
                          q += QPointF(c.position.x(), c.position.y());
                          return std::abs(q.x() - half) < tol && std::abs(q.y() - apex->y()) < tol;
                      });
        });
        QVERIFY2(underChords, qPrintable(what + QStringLiteral(": its point is not at the chords' peak")));
    }

    // Top plates: the upper layer's splices stand 24 in or more from the lower's, and
    // neither falls over a header's end.
    std::map<int, QList<double>> lower, upper;
    const double plateTop = floorTop(d) + d.innerHeight;
    for (const Member &mb : m.members) {
        double u0, u1;
        const int w = mb.kind == MemberKind::TopPlate ? wallOf(d, mb, u0, u1) : -1;
        const auto [lo, hi] = bounds(mb);
        if (w < 0 || hi.y() < plateTop - 3.01 || lo.y() > plateTop)
            continue; // a gable's mid-height plate
        (lo.y() > plateTop - 1.51 ? upper : lower)[w] << u0 << u1;
    }
    for (auto &[w, cuts] : upper) {
        const QList<double> below = lower[w];
        const auto splices = [](QList<double> c) {
            std::sort(c.begin(), c.end());
            QList<double> out;
            for (qsizetype i = 1; i + 1 < c.size(); i += 2)
                out.append(c[i]);
            return out;
        };
        const bool door = (w == 0 && hasFront(d.door)) || (w == 1 && hasRear(d.door));
        // The lower layer's ends under the upper plate are its joints too: where it butts
        // the crossing wall's plate.
        for (double a : splices(cuts)) {
            for (double b : below)
                QVERIFY2(std::abs(a - b) >= 24 - tol,
                         qPrintable(QStringLiteral("wall %1: plate splices at %2 and %3").arg(w).arg(a).arg(b)));
        }
        for (double a : splices(cuts) + splices(below)) {
            QVERIFY2(!door || (std::abs(a - (roL - 1.5)) > 1.5 && std::abs(a - (roR + 1.5)) > 1.5),
                     qPrintable(QStringLiteral("wall %1: a plate splice at %2 over a header's end").arg(w).arg(a)));
        }
    }

    // Nothing floats: every member's box touches another's, or the ground.
    struct Box {
        QVector3D lo, hi;
        int kind;
    };
    std::vector<Box> boxes;
    boxes.reserve(size_t(m.members.size()));
    for (const Member &mb : m.members) {
        const auto [lo, hi] = bounds(mb);
        boxes.push_back({lo, hi, int(mb.kind)});
    }
    std::vector<size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return boxes[a].lo.x() < boxes[b].lo.x(); });
    std::vector<bool> held(boxes.size(), false);
    const float g = 0.05f;
    for (size_t i = 0; i < order.size(); ++i) {
        const Box &a = boxes[order[i]];
        if (a.lo.y() < g)
            held[order[i]] = true;
        for (size_t j = i + 1; j < order.size() && boxes[order[j]].lo.x() <= a.hi.x() + g; ++j) {
            const Box &b = boxes[order[j]];
            if (b.lo.y() <= a.hi.y() + g && a.lo.y() <= b.hi.y() + g && b.lo.z() <= a.hi.z() + g
                && a.lo.z() <= b.hi.z() + g)
                held[order[i]] = held[order[j]] = true;
        }
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        QVERIFY2(held[i], qPrintable(QStringLiteral("%1 at %2,%3,%4 touches nothing")
                                         .arg(kindName(MemberKind(boxes[i].kind)))
                                         .arg(boxes[i].lo.x())
                                         .arg(boxes[i].lo.y())
                                         .arg(boxes[i].lo.z())));
    }
}

// Anchors, ties and hangers against what the framing holds, and a price for every row.
void TestShedGeometry::hardware()
{
    QFETCH(Design, design);
    const Design &d = design;
    const Model m = buildModel(d);
    const QList<HardwareCount> rows = countHardware(m);
    const auto quantity = [&](const QString &prefix) {
        double q = 0;
        for (const HardwareCount &h : rows)
            q += h.item.startsWith(prefix) ? h.quantity : 0;
        return q;
    };

    int bolts = 0;
    QSet<long> frames, joistLines;
    for (const Member &mb : m.members) {
        if (mb.kind == MemberKind::BottomPlate) {
            const QList<double> at = anchorBoltsAlong(mb.length);
            QVERIFY(at.size() >= 2);
            QVERIFY(at.first() >= 0 && at.first() <= 12 + 1e-9);
            QVERIFY(at.last() <= mb.length && at.last() >= mb.length - 12 - 1e-9);
            for (qsizetype i = 1; i < at.size(); ++i)
                QVERIFY(at[i] - at[i - 1] <= 72 + 1e-9 && at[i] > at[i - 1]);
            // No more than the rule needs: one fewer would leave a gap over 6 ft.
            QVERIFY((at.size() - 2) * 72 < mb.length - 24 + 1e-9 || at.size() == 2);
            bolts += int(at.size());
        }
        const auto [lo, hi] = corvelle::shed::geometry::bounds(mb);
        if ((mb.kind == MemberKind::TrussChord || mb.kind == MemberKind::Rafter) && lo.z() >= 0 && hi.z() <= d.depth)
            frames.insert(std::lround(lo.z()));
        if (mb.kind == MemberKind::Joist)
            joistLines.insert(std::lround(lo.x()));
    }
    if (d.floor == FloorType::Concrete)
        QCOMPARE(quantity("1/2 in anchor bolt"), double(bolts));
    else
        QVERIFY(quantity("1/2 in anchor bolt") == 0 && quantity("ground anchor kit") >= 4);
    // One tie at each end of every roof frame, the frames at their spacing along the depth.
    const double ties = quantity("hurricane tie");
    QCOMPARE(ties, 2.0 * frames.size());
    QVERIFY(ties / 2 >= d.depth / d.roofSupportSpacing && ties / 2 <= d.depth / d.roofSupportSpacing + 2);
    // A hanger where every joist line meets the front and the back rim.
    QCOMPARE(quantity("joist hanger"), 2.0 * joistLines.size());
    // Every row is priced and counted in the total.
    const Takeoff t = takeoff(m, defaultPrices());
    QVERIFY2(!t.warnings.join(' ').contains("no price"), qPrintable(t.warnings.join(' ')));
    for (const HardwareCount &h : rows)
        QVERIFY2(std::any_of(t.materials.begin(), t.materials.end(),
                             [&](const MaterialRow &r) { return r.item == h.item && r.unitPrice > 0 && r.inTotal; }),
                 qPrintable(h.item));
}

// Marks name distinct pieces whatever order the members come in; the cutting diagrams
// place every piece once, within its board or sheet, and are what the material list buys.
void TestShedGeometry::marksAndCutting()
{
    QFETCH(Design, design);
    const Model m = buildModel(design);
    const PartMarks marks = partMarks(m);
    QCOMPARE(marks.ofMember.size(), m.members.size());

    // One piece a mark, and members sharing a mark are the same piece.
    QHash<QString, const MarkedPiece *> piece;
    for (const MarkedPiece &p : marks.pieces) {
        QVERIFY2(!piece.contains(p.mark), qPrintable(p.mark));
        piece.insert(p.mark, &p);
    }
    QHash<QString, int> members;
    for (qsizetype i = 0; i < m.members.size(); ++i) {
        const Member &mb = m.members[i];
        const QString &mark = marks.ofMember[i];
        QCOMPARE(mark.isEmpty(), !isMarked(mb));
        if (mark.isEmpty())
            continue;
        const MarkedPiece *p = piece.value(mark);
        QVERIFY2(p && p->kind == mb.kind && p->stock == mb.stock && mark[0] == assemblyLetter(mb.layer),
                 qPrintable(mark));
        if (isLumber(mb))
            QVERIFY2(p->length == cutLength(mb.length) && std::abs(p->angle1 - mb.angle1) < 0.05 && p->vCut == mb.vCut,
                     qPrintable(mark));
        ++members[mark];
    }
    for (const MarkedPiece &p : marks.pieces)
        QCOMPARE(members.value(p.mark), p.quantity);

    // The same marks with the members in another order.
    Model shuffled = m;
    QList<qsizetype> order(m.members.size());
    std::iota(order.begin(), order.end(), 0);
    QRandomGenerator rng(7);
    std::shuffle(order.begin(), order.end(), rng);
    for (qsizetype i = 0; i < order.size(); ++i)
        shuffled.members[i] = m.members[order[i]];
    const QStringList again = partMarks(shuffled).ofMember;
    for (qsizetype i = 0; i < order.size(); ++i)
        QCOMPARE(again[i], marks.ofMember[order[i]]);

    const Takeoff t = takeoff(m, defaultPrices());
    QHash<QString, int> placed;
    for (const LumberDiagram &d : t.cutting.lumber) {
        std::map<double, int> bought;
        for (const Bar &b : d.bars) {
            QCOMPARE(b.marks.size(), b.pieces.size());
            const double used = rules::EndTrim + b.cut() + double(b.pieces.size() - 1) * rules::SawKerf;
            QVERIFY2(used <= b.stockLength + 1e-9 && b.offcut() > -1e-9, qPrintable(d.stock));
            for (qsizetype k = 0; k < b.pieces.size(); ++k) {
                QVERIFY(piece.contains(b.marks[k]) && piece[b.marks[k]]->stock == d.stock);
                QCOMPARE(b.pieces[k], piece[b.marks[k]]->length);
                ++placed[b.marks[k]];
            }
            ++bought[b.stockLength];
        }
        for (const auto &[length, n] : bought) {
            const QString item = QStringLiteral("%1 x %2 ft").arg(d.stock, decimalText(length / 12, 2));
            QVERIFY2(std::any_of(t.materials.begin(), t.materials.end(),
                                 [&](const MaterialRow &r) { return r.item == item && r.quantity == n; }),
                     qPrintable(item));
        }
    }
    for (const SheetDiagram &d : t.cutting.sheets) {
        const double tol = 1e-6;
        const QRectF whole(QPointF(0, 0), d.size);
        for (const QList<SheetPiece> &sheet : d.sheets) {
            for (qsizetype a = 0; a < sheet.size(); ++a) {
                const QRectF &r = sheet[a].rect;
                QVERIFY2(r.left() > -tol && r.top() > -tol && r.right() < whole.right() + tol
                             && r.bottom() < whole.bottom() + tol,
                         qPrintable(d.stock));
                for (qsizetype b = a + 1; b < sheet.size(); ++b) {
                    const QRectF overlap = sheet[a].rect.intersected(sheet[b].rect);
                    QVERIFY2(overlap.width() < tol || overlap.height() < tol, qPrintable(d.stock));
                }
                ++placed[sheet[a].mark];
            }
        }
    }
    // Every marked lumber and sheet piece exactly once.
    for (const MarkedPiece &p : marks.pieces)
        QCOMPARE(placed.value(p.mark), p.kind == MemberKind::DoorLeaf ? 0 : p.quantity);

    // Never dearer than first-fit decreasing alone.
    const auto price = [](const QString &, double length) { return length; };
    const auto bought = [](const CuttingPlan &plan) {
        double sum = 0;
        for (const LumberDiagram &d : plan.lumber)
            sum += d.bought();
        return sum;
    };
    QVERIFY(bought(planCutting(m, marks, price))
            <= bought(planCutting(m, marks, price, LumberPacking::FirstFitDecreasing)));
}

QTEST_GUILESS_MAIN(TestShedGeometry)
#include "test_shed_geometry.moc"
