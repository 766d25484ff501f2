// Windows as a builder frames them, counted by hand on the default 12 x 16 ft shed (2x6 at
// 16 in, 10 ft walls on a 6 in slab, front door 48 in), and the windows refused.
#include "shed/Framing.h"
#include "shed/Geometry.h"
#include "shed/Takeoff.h"

#include <QtTest>

#include <map>

using namespace corvelle::shed;

Q_DECLARE_METATYPE(corvelle::shed::Window)
using geometry::bounds;

namespace {

using Counts = std::map<MemberKind, int>;

Counts countsOn(const Model &m, Wall wall)
{
    Counts n;
    for (const Member &mb : m.members) {
        if (mb.wall == wall)
            ++n[mb.kind];
    }
    return n;
}

Design plain()
{
    Design d;
    d.lining = true;
    return d;
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void framedOnEachWall_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QVector3D>("unitCentre"); // where the unit's centre stands, by hand
        QTest::addColumn<int>("studsGone");        // layout studs that became cripples
        QTest::addColumn<int>("cripples");         // above the header + under the sill
        // Layout studs stand at k x 16 - 3/4 along each wall's run (X on the front and rear,
        // Z on the sides). Each window takes a king and a jack a side, a header of three 2x4
        // plies with a spacer between each (the table's cheapest, to 4' 0", as thick as a 2x6
        // wall) and a flat sill with a cripple at each end.
        // Front, left end at X = 144: centre X 120, rough 20 1/2 from 109 3/4 to 130 1/4;
        // layout studs 111 1/4 and 127 1/4 over it: 2 above, 2 + 2 ends below.
        QTest::addRow("front") << Window{Wall::Front, 24, 20, 24, 48} << QVector3D(120, 6 + 48 + 12, 1.75) << 2
                               << 2 + 4;
        // Rear, left end at X = 0: rough 30 1/2 from 56 3/4 to 87 1/4; studs 63 1/4 and
        // 79 1/4 over it: 2 above, 2 + 2 ends below.
        QTest::addRow("rear") << Window{Wall::Rear, 72, 30, 36, 36} << QVector3D(72, 6 + 36 + 18, 192 - 1.75) << 2
                              << 2 + 4;
        // Left (X = 144), left end at Z = 192: centre Z 132, rough 24 1/2 from 119 3/4 to
        // 144 1/4; studs 127 1/4 and 143 1/4 over its header (118 1/4 to 145 3/4): 2 above;
        // under the sill only 127 1/4 fits between the end cripples: 1 + 2 below.
        QTest::addRow("left") << Window{Wall::Left, 60, 24, 36, 40} << QVector3D(144 - 1.75, 6 + 40 + 18, 132) << 2
                              << 2 + 3;
        // Right (X = 0), left end at Z = 0: rough 36 1/2 from 77 3/4 to 114 1/4; studs 79 1/4,
        // 95 1/4 and 111 1/4 over it: 3 above, 3 + 2 ends below.
        QTest::addRow("right") << Window{Wall::Right, 96, 36, 24, 60} << QVector3D(1.75, 6 + 60 + 12, 96) << 3 << 3 + 5;
    }

    void framedOnEachWall()
    {
        QFETCH(Window, window);
        QFETCH(QVector3D, unitCentre);
        QFETCH(int, studsGone);
        QFETCH(int, cripples);
        Design d = plain();
        const Model before = buildModel(d);
        QVERIFY(windowMisfit(d, window).isEmpty());
        d.windows = {window};
        const Model after = buildModel(d);
        QVERIFY2(after.warnings == before.warnings, qPrintable(after.warnings.join(' ')));

        Counts expected = countsOn(before, window.wall);
        expected[MemberKind::Stud] -= studsGone;
        expected[MemberKind::KingStud] += 2;
        expected[MemberKind::JackStud] += 2;
        expected[MemberKind::Header] += 3;
        expected[MemberKind::HeaderSpacer] += 2;
        expected[MemberKind::Sill] += 1;
        expected[MemberKind::Cripple] += cripples;
        expected[MemberKind::WindowUnit] += 1;
        Counts got = countsOn(after, window.wall);
        // Coverings are cut around the opening: compared below, not counted.
        for (MemberKind k : {MemberKind::LiningSheet, MemberKind::SidingPiece, MemberKind::WallSheathing})
            expected.erase(k), got.erase(k);
        QString differ;
        for (int k = 0; k <= int(MemberKind::WindowUnit); ++k) {
            const auto kind = MemberKind(k);
            if (got[kind] != expected[kind])
                differ += QStringLiteral(" %1: %2 for %3;").arg(kindName(kind)).arg(got[kind]).arg(expected[kind]);
        }
        QVERIFY2(differ.isEmpty(), qPrintable(differ));
        for (Wall other : AllWalls) {
            if (other != window.wall)
                QCOMPARE(countsOn(after, other), countsOn(before, other));
        }

        // The unit where the window was asked for, left and right as seen from outside.
        const auto unit = std::find_if(after.members.begin(), after.members.end(),
                                       [](const Member &m) { return m.kind == MemberKind::WindowUnit; });
        QVERIFY(unit != after.members.end() && unit->layer == Layer::Windows);
        const auto [lo, hi] = bounds(*unit);
        QVERIFY2(((lo + hi) / 2 - unitCentre).length() < 0.01, qPrintable(QStringLiteral("unit centre %1 %2 %3")
                                                                              .arg((lo.x() + hi.x()) / 2)
                                                                              .arg((lo.y() + hi.y()) / 2)
                                                                              .arg((lo.z() + hi.z()) / 2)));
        // No lining, sheathing or siding over the unit; the covered area shrinks by the
        // rough opening on both faces.
        const double rough = (window.width + 0.5) * (window.height + 0.5);
        const auto covered = [&](const Model &m, MemberKind kind, bool aroundUnit) {
            double a = 0;
            for (const Member &mb : m.members) {
                if (mb.kind != kind || mb.wall != window.wall)
                    continue;
                a += geometry::area(geometry::outline(mb));
                const auto [plo, phi] = bounds(mb);
                const bool across = isEndWall(window.wall);
                const double overlapU = std::min(across ? phi.x() : phi.z(), across ? hi.x() : hi.z())
                                        - std::max(across ? plo.x() : plo.z(), across ? lo.x() : lo.z());
                const double overlapV = std::min(phi.y(), hi.y()) - std::max(plo.y(), lo.y());
                if (aroundUnit && overlapU > 0.01 && overlapV > 0.01)
                    return -1.0;
            }
            return a;
        };
        for (MemberKind kind : {MemberKind::LiningSheet, MemberKind::WallSheathing, MemberKind::SidingPiece}) {
            const double a = covered(after, kind, true);
            QVERIFY2(a >= 0, qPrintable(kindName(kind) + QStringLiteral(" over the window")));
            QCOMPARE(std::round(covered(before, kind, false) - a), std::round(rough));
        }

        // Bought as a unit by its size class.
        const QString size =
            window.width * window.height > 6 * 144 ? QStringLiteral("medium") : QStringLiteral("small");
        const Takeoff t = takeoff(after, defaultPrices());
        const auto row = std::find_if(t.materials.begin(), t.materials.end(), [&](const MaterialRow &r) {
            return r.item.startsWith(QStringLiteral("window ") + size);
        });
        QVERIFY(row != t.materials.end());
        QCOMPARE(row->quantity, 1.0);
        QVERIFY(row->unitPrice > 100);
    }

    // A window that does not fit is refused in one sentence naming why, and a design that
    // carries one anyway is framed without it.
    void refused()
    {
        Design d = plain();
        d.windows = {{Wall::Rear, 40, 24, 24, 40}};
        const struct {
            Window window;
            const char *why;
        } cases[] = {
            {{Wall::Left, 10, 24, 24, 40}, "past the left end"},
            {{Wall::Rear, 140, 24, 24, 40}, "past the right end"},
            {{Wall::Right, 18, 24, 24, 40}, "too close to the left corner"}, // 5 3/4 in from it
            {{Wall::Front, 130, 24, 24, 40}, "too close to the right corner"},
            {{Wall::Right, 96, 24, 24, 2}, "sill is too low"},
            {{Wall::Left, 96, 24, 80, 36}, "top plate"},
            {{Wall::Front, 60, 24, 24, 40}, "overlaps the door"},
            {{Wall::Rear, 66, 24, 24, 40}, "overlaps another window"},
        };
        const Model without = buildModel(d);
        for (const auto &c : cases) {
            const QString why = windowMisfit(d, c.window);
            QVERIFY2(why.contains(QLatin1String(c.why)) && why.endsWith('.') && why.count(QLatin1String(". ")) == 0,
                     qPrintable(why));
            Design with = d;
            with.windows.append(c.window);
            const Model m = buildModel(with);
            QCOMPARE(m.members.size(), without.members.size());
            QCOMPARE(m.warnings.size(), without.warnings.size() + 1);
            QVERIFY(m.warnings.last().endsWith(why));
        }
        // Moved to where it fits, the same window is taken.
        QVERIFY(windowMisfit(d, {Wall::Rear, 100, 24, 24, 40}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWindows)
#include "test_windows.moc"
