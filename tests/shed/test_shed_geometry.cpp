// Invariants of the framing over many generated designs: every choice the wizard offers
// and a few hand-edited extremes.
#include "shed/Framing.h"
#include "shed/Geometry.h"
#include "shed/Hardware.h"
#include "shed/Takeoff.h"

#include <QRandomGenerator>
#include <QtTest>

#include <map>

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

} // namespace

class TestShedGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void invariants_data();
    void invariants();
    void hardware_data() { invariants_data(); }
    void hardware();
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
    const double rampReach = d.rampLength + d.sidingThickness;
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
    std::map<int, QList<double>> walls; // 0 front, 1 back, 2 left, 3 right -> stud centres
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

QTEST_GUILESS_MAIN(TestShedGeometry)
#include "test_shed_geometry.moc"
