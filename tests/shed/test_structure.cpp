// The structural check: allowable spans against the published span tables, headers from
// the header table, and three designs checked by hand.
#include "ShedFiles.h"

#include "shed/Build.h"
#include "shed/Framing.h"
#include "shed/Headers.h"
#include "shed/Spans.h"
#include "shed/Structure.h"

#include <QtTest>

using namespace corvelle;
using namespace corvelle::shed;

namespace {

constexpr double DepthOf[] = {3.5, 5.5, 7.25, 9.25, 11.25}; // 2x4 .. 2x12

const CheckRow *rowOf(const StructureReport &r, const QString &check, const QString &member = {})
{
    for (const CheckRow &row : r.rows) {
        if (row.check == check && (member.isEmpty() || row.member == member))
            return &row;
    }
    return nullptr;
}

BuildOutputs built(const ShedDesign &d, const SiteLoads &loads = {})
{
    BuildResult r = build(testing::fileOf(d), defaultPrices(), false, loads);
    if (!r.outputs)
        qFatal("%s", qPrintable(r.error));
    return *r.outputs;
}

} // namespace

class TestStructure : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void agreesWithTheSpanTables_data();
    void agreesWithTheSpanTables();
    void spansFollowLoadSpacingAndDepth();
    void headerTable();
    void workedExample();
    void tallTwoByFourWallFails();
    void studsCarryTheRoofAsColumns();
    void doorWiderThanTheHeaderTable();
    void everyOpeningHasItsHeaderRow();
    void cheapestChangeByThePriceTable();
};

void TestStructure::agreesWithTheSpanTables_data()
{
    QTest::addColumn<int>("species");
    QTest::addColumn<int>("size"); // index into DepthOf
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("live");
    QTest::addColumn<double>("dead");
    QTest::addColumn<double>("deflection");
    QTest::addColumn<double>("duration");
    QTest::addColumn<int>("feet");
    QTest::addColumn<int>("inches");
    QTest::addColumn<bool>("roofLive");
    const int spf = int(Species::SprucePineFir), dfl = int(Species::DouglasFirLarch), sp = int(Species::SouthernPine);
    const auto cell = [](const char *name, int species, int size, double spacing, double live, double dead, double defl,
                         double cd, int ft, int in) {
        QTest::newRow(name) << species << size << spacing << live << dead << defl << cd << ft << in << (cd == 1.25);
    };
    // Floor joists, residential living areas, 40 psf live, 10 dead, L/360: residential
    // code (2015) Table R502.3.1(2).
    cell("floor SPF 2x10 @16", spf, 3, 16, 40, 10, 360, 1.0, 15, 5);
    // The same table, residential code (2021) Table R502.3.1(2), No.2 rows.
    cell("floor DFL 2x8 @12", dfl, 2, 12, 40, 10, 360, 1.0, 14, 2);
    cell("floor DFL 2x10 @16", dfl, 3, 16, 40, 10, 360, 1.0, 15, 7);
    cell("floor SP 2x10 @16", sp, 3, 16, 40, 10, 360, 1.0, 14, 0);
    cell("floor SP 2x12 @24", sp, 4, 24, 40, 10, 360, 1.0, 13, 6);
    cell("floor SPF 2x12 @24", spf, 4, 24, 40, 10, 360, 1.0, 14, 7);
    // Ceiling joists, limited storage, 12 and 16 in: residential code (2021) Table
    // R802.5.1(2).
    cell("ceiling DFL 2x6 @12", dfl, 1, 12, 20, 10, 240, 1.0, 15, 0);
    cell("ceiling SP 2x8 @16", sp, 2, 16, 20, 10, 240, 1.0, 15, 3);
    cell("ceiling SPF 2x10 @16", spf, 3, 16, 20, 10, 240, 1.0, 19, 10);
    // Rafters, 30 psf ground snow, 10 dead, ceiling not attached, L/180: residential code
    // (2021) Table R802.4.1(3). Douglas Fir carries 900 psi here (2x8 at 16 in: 15-4).
    cell("snow SPF 2x6 @12", spf, 1, 12, 30, 10, 180, 1.15, 13, 9);
    cell("snow DFL 2x8 @16", dfl, 2, 16, 30, 10, 180, 1.15, 15, 4);
    cell("snow SP 2x10 @24", sp, 3, 24, 30, 10, 180, 1.15, 13, 9);
    cell("snow DFL 2x12 @12", dfl, 4, 12, 30, 10, 180, 1.15, 25, 1);
    cell("snow SPF 2x10 @16", spf, 3, 16, 30, 10, 180, 1.15, 18, 5);
    cell("snow SP 2x6 @16", sp, 1, 16, 30, 10, 180, 1.15, 11, 2);
    cell("snow DFL 2x6 @24", dfl, 1, 24, 30, 10, 180, 1.15, 9, 10);
    cell("snow SPF 2x12 @24", spf, 4, 24, 30, 10, 180, 1.15, 17, 6);
    // Rafters, 20 psf roof live, 10 dead, ceiling not attached, L/180: residential code
    // (2021) Table R802.4.1(1), Spruce-Pine-Fir No.2; 2x12 at 12 in is the 26 ft limit.
    cell("roof live SPF 2x6 @12", spf, 1, 12, 20, 10, 180, 1.25, 16, 3);
    cell("roof live SPF 2x6 @24", spf, 1, 24, 20, 10, 180, 1.25, 11, 9);
    cell("roof live SPF 2x8 @16", spf, 2, 16, 20, 10, 180, 1.25, 18, 2);
    cell("roof live SPF 2x10 @12", spf, 3, 12, 20, 10, 180, 1.25, 25, 8);
    cell("roof live SPF 2x10 @24", spf, 3, 24, 20, 10, 180, 1.25, 18, 2);
    cell("roof live SPF 2x12 @12", spf, 4, 12, 20, 10, 180, 1.25, 26, 0);
    cell("roof live SPF 2x12 @16", spf, 4, 16, 20, 10, 180, 1.25, 25, 9);
    // The same at 50 and 70 psf ground snow: (2021) Table R802.4.1(5), (2018) R802.4.1(7).
    cell("snow 50 SPF 2x4 @12", spf, 0, 12, 50, 10, 180, 1.15, 7, 8);
    cell("snow 50 SPF 2x8 @16", spf, 2, 16, 50, 10, 180, 1.15, 12, 4);
    cell("snow 50 SPF 2x12 @24", spf, 4, 24, 50, 10, 180, 1.15, 14, 3);
    cell("snow 70 SPF 2x6 @16", spf, 1, 16, 70, 10, 180, 1.15, 8, 5);
    cell("snow 70 SPF 2x10 @12", spf, 3, 12, 70, 10, 180, 1.15, 15, 1);
    cell("snow 70 SPF 2x12 @24", spf, 4, 24, 70, 10, 180, 1.15, 12, 4);
    // Floors at 20 psf dead: (2018) Table R502.3.1(2), Spruce-Pine-Fir No.2.
    cell("floor dead 20 SPF 2x8 @16", spf, 2, 16, 40, 20, 360, 1.0, 11, 6);
    cell("floor dead 20 SPF 2x12 @12", spf, 4, 12, 40, 20, 360, 1.0, 18, 10);
    // Ceiling joists, uninhabitable attics with limited storage, 20 psf live, 10 dead,
    // L/240: residential code (2018) Table R802.5.1(2), 24 in centres.
    cell("ceiling DFL 2x4 @24", dfl, 0, 24, 20, 10, 240, 1.0, 7, 3);
    cell("ceiling DFL 2x6 @24", dfl, 1, 24, 20, 10, 240, 1.0, 10, 8);
    cell("ceiling DFL 2x8 @24", dfl, 2, 24, 20, 10, 240, 1.0, 13, 6);
    cell("ceiling DFL 2x10 @24", dfl, 3, 24, 20, 10, 240, 1.0, 16, 5);
    cell("ceiling SP 2x4 @24", sp, 0, 24, 20, 10, 240, 1.0, 6, 7);
    cell("ceiling SP 2x6 @24", sp, 1, 24, 20, 10, 240, 1.0, 9, 10);
    cell("ceiling SP 2x8 @24", sp, 2, 24, 20, 10, 240, 1.0, 12, 6);
    cell("ceiling SP 2x10 @24", sp, 3, 24, 20, 10, 240, 1.0, 14, 9);
    cell("ceiling SPF 2x4 @24", spf, 0, 24, 20, 10, 240, 1.0, 7, 2);
    cell("ceiling SPF 2x6 @24", spf, 1, 24, 20, 10, 240, 1.0, 10, 6);
    cell("ceiling SPF 2x8 @24", spf, 2, 24, 20, 10, 240, 1.0, 13, 3);
    cell("ceiling SPF 2x10 @24", spf, 3, 24, 20, 10, 240, 1.0, 16, 3);
    // Rafters, 20 psf roof live, 10 dead, ceiling attached, L/240: building code (2018)
    // Table 2308.7.2(2); 26 ft is the table's own limit.
    cell("rafter DFL 2x4 @12", dfl, 0, 12, 20, 10, 240, 1.25, 9, 10);
    cell("rafter DFL 2x6 @12", dfl, 1, 12, 20, 10, 240, 1.25, 15, 6);
    cell("rafter DFL 2x8 @12", dfl, 2, 12, 20, 10, 240, 1.25, 20, 5);
    cell("rafter SP 2x4 @12", sp, 0, 12, 20, 10, 240, 1.25, 9, 5);
    cell("rafter SP 2x6 @12", sp, 1, 12, 20, 10, 240, 1.25, 14, 9);
    cell("rafter SP 2x8 @12", sp, 2, 12, 20, 10, 240, 1.25, 19, 6);
    cell("rafter SP 2x10 @12", sp, 3, 12, 20, 10, 240, 1.25, 23, 5);
    cell("rafter SP 2x12 @12", sp, 4, 12, 20, 10, 240, 1.25, 26, 0);
    cell("rafter SPF 2x4 @12", spf, 0, 12, 20, 10, 240, 1.25, 9, 5);
    cell("rafter SPF 2x6 @12", spf, 1, 12, 20, 10, 240, 1.25, 14, 9);
    cell("rafter SPF 2x8 @12", spf, 2, 12, 20, 10, 240, 1.25, 19, 6);
    cell("rafter SPF 2x10 @12", spf, 3, 12, 20, 10, 240, 1.25, 24, 10);
    cell("rafter DFL 2x4 @16", dfl, 0, 16, 20, 10, 240, 1.25, 8, 11);
    cell("rafter DFL 2x6 @16", dfl, 1, 16, 20, 10, 240, 1.25, 14, 1);
    // Where bending governs, the table's Douglas Fir rows were computed with 875 psi.
    cell("rafter DFL 2x8 @16", dfl, 2, 16, 20, 10, 240, 1.25, 18, 2);
    cell("rafter DFL 2x10 @12", dfl, 3, 12, 20, 10, 240, 1.25, 25, 8);
    cell("rafter DFL 2x10 @16", dfl, 3, 16, 20, 10, 240, 1.25, 22, 3);
    // The same table, 20 psf dead load.
    cell("rafter DFL 2x4 @16 dead 20", dfl, 0, 16, 20, 20, 240, 1.25, 8, 6);
    cell("rafter DFL 2x8 @16 dead 20", dfl, 2, 16, 20, 20, 240, 1.25, 15, 9);
    cell("rafter DFL 2x12 @16 dead 20", dfl, 4, 16, 20, 20, 240, 1.25, 22, 4);
    cell("rafter SP 2x8 @12 dead 20", sp, 2, 12, 20, 20, 240, 1.25, 17, 1);
    cell("rafter SP 2x12 @12 dead 20", sp, 4, 12, 20, 20, 240, 1.25, 23, 10);
    cell("rafter SPF 2x6 @12 dead 20", spf, 1, 12, 20, 20, 240, 1.25, 14, 4);
    cell("rafter SPF 2x10 @12 dead 20", spf, 3, 12, 20, 20, 240, 1.25, 22, 3);
}

// Within an inch of the table and never beyond it.
void TestStructure::agreesWithTheSpanTables()
{
    QFETCH(int, species);
    QFETCH(int, size);
    QFETCH(double, spacing);
    QFETCH(double, live);
    QFETCH(double, dead);
    QFETCH(double, deflection);
    QFETCH(double, duration);
    QFETCH(int, feet);
    QFETCH(int, inches);
    QFETCH(bool, roofLive);
    const double table = feet * 12 + inches;
    const double span = spans::allowableSpan({Species(species), 1.5, DepthOf[size], spacing},
                                             {live, dead, deflection, duration, roofLive});
    QVERIFY2(span <= table && span >= table - 1,
             qPrintable(QStringLiteral("%1 in, the table %2 in").arg(span).arg(table)));
}

// Generated members: more load or wider spacing never lengthens a span; more depth
// never shortens one; and across the range each does change it.
void TestStructure::spansFollowLoadSpacingAndDepth()
{
    for (Species s : {Species::SprucePineFir, Species::DouglasFirLarch, Species::SouthernPine}) {
        for (double t : {1.5, 2.5}) {
            for (int k = 0; k < 5; ++k) {
                double previousLoad = 1e9;
                for (double live = 10; live <= 100; live += 10) {
                    const double span = spans::allowableSpan({s, t, DepthOf[k], 16}, {live, 10, 360, 1.0});
                    QVERIFY(span <= previousLoad);
                    previousLoad = span;
                }
                QVERIFY(spans::allowableSpan({s, t, DepthOf[k], 16}, {100, 10, 360, 1.0})
                        < spans::allowableSpan({s, t, DepthOf[k], 16}, {10, 10, 360, 1.0}));
                double previousSpacing = 1e9;
                for (double spacing : {12.0, 16.0, 19.2, 24.0}) {
                    SiteLoads loads;
                    loads.groundSnow = 50;
                    const double span = spans::allowableRafterSpan({s, t, DepthOf[k], spacing}, loads);
                    QVERIFY(span <= previousSpacing);
                    previousSpacing = span;
                }
                if (k > 0) {
                    QVERIFY(spans::allowableSpan({s, t, DepthOf[k], 16}, spans::ceilingCase())
                            >= spans::allowableSpan({s, t, DepthOf[k - 1], 16}, spans::ceilingCase()));
                    QVERIFY(spans::allowableSpan({s, t, DepthOf[k], 24}, {60, 10, 360, 1.0})
                            > spans::allowableSpan({s, t, DepthOf[k - 1], 24}, {60, 10, 360, 1.0}));
                }
            }
        }
    }
}

// Residential code (2021) Table R602.7(1), roof and ceiling, by hand from its cells.
void TestStructure::headerTable()
{
    const double braced = 0, tall = 48; // room above the opening: none, or cripples
    // 30 psf, 12 ft: 2-2x4 spans 4-0 on one jack; a 2x4 wall takes a 1/2 in spacer.
    headers::Choice c = headers::choose(48, 144, 30, 3.5, tall);
    QCOMPARE(c.size, QStringLiteral("2-2x4"));
    QCOMPARE(c.spacer, 0.5);
    QCOMPARE(c.jacks, 1);
    QCOMPARE(headers::choose(49, 144, 30, 3.5, tall).size, QStringLiteral("2-2x6")); // 6-0
    // With cripples on top, 2x8 and deeper keep 0.70 of the span (footnote f): 2-2x8's 7-7
    // becomes 63 in, so 73 in takes 2-2x10 (9-0 x 0.70 = 75 in); under the plates, 2-2x8.
    c = headers::choose(73, 144, 30, 3.5, tall);
    QCOMPARE(c.size, QStringLiteral("2-2x10"));
    QCOMPARE(c.allowed, 75.0);
    QVERIFY(c.unbraced);
    c = headers::choose(73, 144, 30, 3.5, 7.25);
    QCOMPARE(c.size, QStringLiteral("2-2x8"));
    QCOMPARE(c.allowed, 91.0);
    QVERIFY(!c.unbraced);
    // The 36 ft column and its jacks: 50 psf, 2-2x6 spans 3-3 on two.
    c = headers::choose(39, 432, 50, 3.5, braced);
    QCOMPARE(c.size, QStringLiteral("2-2x6"));
    QCOMPARE(c.jacks, 2);
    // Between widths, linearly (footnote c), the jacks the more of the two: 18 ft at
    // 30 psf, 2-2x10 (9-0 on one, 6-10 on two) 95 in on two; 30 ft, 2-2x12 (8-1, 6-10) 89 in.
    c = headers::choose(95, 216, 30, 3.5, braced);
    QCOMPARE(c.size, QStringLiteral("2-2x10"));
    QCOMPARE(c.allowed, 95.0);
    QCOMPARE(c.jacks, 2);
    QCOMPARE(headers::choose(89, 360, 30, 3.5, braced).allowed, 89.0);
    // A 2x6 wall: three plies and two 1/2 in spacers; 3-2x8 at 24 ft spans 7-3 on one
    // jack where 2-2x8 spans 5-9; a 3-2x6, which the table lacks, reads 2-2x6's row.
    c = headers::choose(80, 288, 30, 5.5, braced);
    QCOMPARE(c.size, QStringLiteral("3-2x8"));
    QCOMPARE(c.allowed, 87.0);
    QCOMPARE(c.jacks, 1);
    QCOMPARE(c.spacer, 1.0);
    QCOMPARE(headers::choose(55, 288, 30, 5.5, tall).size, QStringLiteral("3-2x6"));
    // Below 30 psf the 30 psf column (footnote e); 40 psf reads the 50 psf one (2-2x4 3-5).
    QCOMPARE(headers::choose(48, 144, 20, 3.5, tall).size, QStringLiteral("2-2x4"));
    QCOMPARE(headers::choose(42, 144, 40, 3.5, tall).size, QStringLiteral("2-2x6"));
    // Beyond the table: more snow than 70 psf, wider than 36 ft, or too long a span.
    QVERIFY(headers::choose(24, 144, 71, 3.5, braced).engineered);
    QVERIFY(headers::choose(24, 433, 30, 3.5, braced).engineered);
    c = headers::choose(128, 144, 30, 3.5, braced);
    QVERIFY(c.engineered);
    QCOMPARE(c.allowed, 127.0); // 2-2x12's 10-7: more plies would not fit the wall
}

// The worked example (12 x 16 ft, concrete, 2x6 studs at 16 in, 10 ft walls, a 4 x 7 ft
// front door, front ramp, gable trusses of 2 1/2 x 5 1/2 in at 16 in), by hand:
// - header: rough opening 50 in; 30 psf, 12 ft wide; a 2x6 wall takes three plies; 2-2x4
//   spans 48 in, 2-2x6 72 in (no 3-ply 2x6 row): 3-2x6 with two 1/2 in spacers, one jack.
// - studs: 10 ft is the table's limit: a ratio of exactly 1, passing.
// - truss top chord panels W/4 = 36 in; bottom chord panels W/3 = 48 in and 24 in.
// - permit: 192 sq ft, over 120 and under 200: a note. Roof 6:12: passes.
void TestStructure::workedExample()
{
    const BuildOutputs o = built(testing::workedExample());
    const StructureReport &r = o.structure;
    QCOMPARE(r.failures(), 0);
    const CheckRow *header = rowOf(r, "header");
    QVERIFY(header);
    QCOMPARE(header->size, QStringLiteral("3-2x6, 1 in spacer, 1 jack each end"));
    QCOMPARE(header->span, 50.0);
    QCOMPARE(header->allowed, 72.0);
    QCOMPARE(rowOf(r, "studs")->ratio, 1.0);
    QCOMPARE(rowOf(r, "studs")->result, Verdict::Pass);
    QCOMPARE(rowOf(r, "truss chords", "top chord panel 1")->span, 36.0);
    QCOMPARE(rowOf(r, "truss chords", "bottom chord panel 2")->span, 24.0);
    QCOMPARE(rowOf(r, "truss chords", "trusses")->result, Verdict::Note);
    QCOMPARE(rowOf(r, "permit")->result, Verdict::Note);
    QCOMPARE(rowOf(r, "roof slope")->result, Verdict::Pass);
    QVERIFY(rowOf(r, "ramp stringers"));
    // The framing builds that header: as thick as the wall, spacers in the material list.
    double thickness = 0;
    int jacks = 0;
    for (const Member &m : o.model.members) {
        if (m.kind == MemberKind::Header || m.kind == MemberKind::HeaderSpacer)
            thickness += m.size.z();
        jacks += m.kind == MemberKind::JackStud;
    }
    QCOMPARE(thickness, 5.5);
    QCOMPARE(jacks, 2);
    const Takeoff t = takeoff(o.model, defaultPrices());
    QVERIFY(std::any_of(t.materials.begin(), t.materials.end(),
                        [](const MaterialRow &m) { return m.item.contains(QStringLiteral("header spacers")); }));
    // Failures first, and the CSV has the columns.
    QVERIFY(
        structureCsv(r).startsWith("check,member,size,spacing_in,span_in,allowed_in,ratio,result,rule,suggestion\n"));
    for (qsizetype i = 1; i < r.rows.size(); ++i)
        QVERIFY(r.rows[i - 1].result <= r.rows[i].result);
}

// 2x4 studs at 16 in on 12 ft walls: the table stops at 10 ft for any stud size, so the
// change that passes is lower walls; and a heavier snow load moves the header up a size.
void TestStructure::tallTwoByFourWallFails()
{
    ShedDesign d = testing::workedExample();
    d.JoistType = QStringLiteral("1"); // 2x4 lumber: the studs follow it
    d.StudMaterialLine = QStringLiteral("2x4 Studs for walls");
    d.InnerHeight = QStringLiteral("12");
    const BuildOutputs o = built(d);
    const CheckRow *studs = rowOf(o.structure, "studs");
    QCOMPARE(studs->size, QStringLiteral("2x4"));
    QCOMPARE(studs->span, 144.0);
    QCOMPARE(studs->result, Verdict::Fail);
    QVERIFY2(studs->suggestion.contains(QStringLiteral("10'")), qPrintable(studs->suggestion));
    QCOMPARE(o.structure.rows.first().check, QStringLiteral("studs"));
    QVERIFY(std::any_of(o.warnings.begin(), o.warnings.end(),
                        [](const QString &w) { return w.contains(QStringLiteral("wall studs")); }));
    // 50 in opening in a 2x4 wall: 2-2x6 at 30 psf (72 in); at 70 psf 2-2x6 spans 54 in.
    QCOMPARE(rowOf(o.structure, "header")->size, QStringLiteral("2-2x6, 1/2 in spacer, 1 jack each end"));
    SiteLoads heavy;
    heavy.groundSnow = 70;
    QCOMPARE(rowOf(built(d, heavy).structure, "header")->size, QStringLiteral("2-2x6, 1/2 in spacer, 1 jack each end"));
    heavy.groundSnow = 71;
    QCOMPARE(rowOf(built(d, heavy).structure, "header")->result, Verdict::Fail);
}

// A 24 ft wide shed on 10 ft walls of 2x4 SPF at 24 in: within the stud table, yet under
// 150 psf of ground snow each stud is a column carrying (150 + 10) psf x (12 ft + the 1 ft
// eave) x 2 ft = 4160 lb. By hand (national design specification 3.7.1): Fc* = 1150 x 1.15
// (CF) x 1.15 (CD, snow) = 1521 psi; the CP it needs is 4160 / (1521 x 5.25) = 0.521, so
// FcE / Fc* = CP (1 - 0.8 CP) / (1 - CP) = 0.634, FcE = 965 psi, le/d = sqrt(0.822 x
// 510000 / 965) = 20.8 and the wall may be 20.8 x 3.5 = 72 in high. 2x4 at 12 in reaches
// 110 in, 2x6 at 24 in 150 in: the change is 2x6. At 30 psf the same studs carry 1040 lb,
// good to 158 in, and the table's 10 ft is the limit.
void TestStructure::studsCarryTheRoofAsColumns()
{
    ShedDesign d = testing::workedExample();
    d.ShedWidth = QStringLiteral("24");
    d.JoistType = QStringLiteral("1");
    d.StudMaterialLine = QStringLiteral("2x4 Studs for walls");
    d.StudCenters = QStringLiteral("24");
    d.InnerHeight = QStringLiteral("10");
    SiteLoads heavy;
    heavy.groundSnow = 150;
    const CheckRow *studs = rowOf(built(d, heavy).structure, "studs");
    QCOMPARE(studs->span, 120.0);
    QCOMPARE(studs->allowed, 72.0);
    QCOMPARE(studs->result, Verdict::Fail);
    QVERIFY2(studs->suggestion.startsWith(QStringLiteral("2x6 studs at 24 in centres")), qPrintable(studs->suggestion));
    studs = rowOf(built(d).structure, "studs");
    QCOMPARE(studs->allowed, 120.0);
    QCOMPARE(studs->result, Verdict::Pass);
}

// A 24 ft wide shed with a 16 ft door: rough opening 194 in; the longest header the table
// gives a 2x6 wall (three plies) at 30 psf on a 24 ft building is 3-2x12, 10-1, and with
// cripples over a 7 ft door 0.70 of it, 84 in; so the check fails, asks for an
// engineered header, and the framing draws LVL on two jacks.
void TestStructure::doorWiderThanTheHeaderTable()
{
    ShedDesign d = testing::workedExample();
    d.ShedWidth = QStringLiteral("24");
    d.MainDoorWidth = QStringLiteral("16");
    d.MainDoorHeight = QStringLiteral("7");
    const BuildOutputs o = built(d);
    const CheckRow *header = rowOf(o.structure, "header");
    QCOMPARE(header->span, 194.0);
    QCOMPARE(header->allowed, 84.0);
    QCOMPARE(header->result, Verdict::Fail);
    QVERIFY(header->suggestion.contains(QStringLiteral("LVL")));
    int lvl = 0, jacks = 0;
    for (const Member &m : o.model.members) {
        lvl += m.kind == MemberKind::Header && m.stock.startsWith(QStringLiteral("LVL"));
        jacks += m.kind == MemberKind::JackStud;
    }
    QCOMPARE(lvl, 3);   // three 1 3/4 in plies in the 5 1/2 in wall
    QCOMPARE(jacks, 4); // two each side
    QVERIFY(!header->members.isEmpty());
    QVERIFY(std::any_of(o.warnings.begin(), o.warnings.end(),
                        [](const QString &w) { return w.contains(QStringLiteral("LVL")); }));
}

// The default shed (12 x 16 ft, 2x6 walls, 4 ft front door) with a window beside the door
// and one on the left wall: a header row each, naming its own header, spacers and jacks
// and no other opening's. The left wall's rough opening is 24 1/2 in: 2-2x4 spans 48 in
// at 30 psf on a 12 ft building, so three 2x4 plies.
void TestStructure::everyOpeningHasItsHeaderRow()
{
    Design d;
    d.windows = {Window{Wall::Front, 24, 20, 24, 48}, Window{Wall::Left, 60, 24, 36, 40}};
    const Model m = buildModel(d);
    const StructureReport r = checkStructure(m, defaultPrices());
    QStringList names;
    QList<int> claimed;
    for (const CheckRow &row : r.rows) {
        if (row.check != u"header")
            continue;
        names << row.member;
        QVERIFY(!row.members.isEmpty());
        const std::optional<Wall> wall = m.members[row.members.first()].wall;
        for (int i : row.members) {
            QCOMPARE(m.members[i].wall, wall);
            QVERIFY(!claimed.contains(i));
            claimed << i;
        }
    }
    names.sort();
    QCOMPARE(names, (QStringList{"front door header", "front window 1 header", "left window 2 header"}));
    QCOMPARE(rowOf(r, "header", "left window 2 header")->size,
             QStringLiteral("3-2x4, 1 in spacer, 1 jack each end"));
    QCOMPARE(rowOf(r, "header", "left window 2 header")->span, 24.5);
    const auto framing = [](const Member &mb) {
        return mb.kind == MemberKind::Header || mb.kind == MemberKind::HeaderSpacer || mb.kind == MemberKind::JackStud;
    };
    QCOMPARE(claimed.size(), std::count_if(m.members.begin(), m.members.end(), framing));
}

// 2x4 SPF floor joists at 24 in on four skids of a 16 ft deep floor span (192 - 3 1/2) / 3
// less a skid, 59 1/3 in clear;
// under 60 psf live they may span 54 in (L/360), at 16 in 62, at 12 in 78. With skids and
// 2x6 made dear, closer joists are the change, and 16 in costs less than 12 in: three
// more 16 ft joists against six.
void TestStructure::cheapestChangeByThePriceTable()
{
    Design d;
    d.floor = FloorType::Wood;
    d.joistHeight = 3.5;
    d.joistCenters = 24;
    SiteLoads loads;
    loads.floorLive = 60;
    PriceTable prices = defaultPrices();
    prices.prices[QStringLiteral("4x6 PT")].price = 100;
    prices.prices[QStringLiteral("2x6 PT")].price = 10;
    const StructureReport r = checkStructure(buildModel(d, loads), prices);
    const CheckRow *joists = rowOf(r, "floor joists");
    QVERIFY(std::abs(joists->span - (188.5 / 3 - 3.5)) < 1e-3);
    QCOMPARE(joists->allowed, 54.0);
    QCOMPARE(joists->result, Verdict::Fail);
    QVERIFY2(joists->suggestion.startsWith(QStringLiteral("joists at 16 in centres")), qPrintable(joists->suggestion));
}

QTEST_GUILESS_MAIN(TestStructure)
#include "test_structure.moc"
