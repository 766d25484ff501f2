// Lengths, areas, volumes and stock sizes as text in both unit systems, at the edges
// where rounding changes what a builder reads.
#include "shed/Units.h"

#include <QTest>

using namespace corvelle::shed;

class TestShedUnits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void imperialLengths()
    {
        const Units u;
        QCOMPARE(u.length(16), QStringLiteral("16\""));
        QCOMPARE(u.length(5.5), QStringLiteral("5-1/2\""));
        QCOMPARE(u.length(0.5), QStringLiteral("1/2\""));
        QCOMPARE(u.length(0.03), QStringLiteral("0\"")); // under half a sixteenth
        QCOMPARE(u.length(0.032), QStringLiteral("1/16\""));
        QCOMPARE(u.length(23.99), QStringLiteral("24\"")); // under two feet before rounding
        QCOMPARE(u.length(24), QStringLiteral("2' 0\""));
        QCOMPARE(u.length(91.5), QStringLiteral("7' 7-1/2\""));
        QCOMPARE(u.length(96.0625), QStringLiteral("8' 0-1/16\""));
        QCOMPARE(u.length(143.97), QStringLiteral("12' 0\"")); // the nearest sixteenth is a whole foot
        QCOMPARE(u.length(-3.25), QStringLiteral("-3-1/4\""));
        QCOMPARE(feetInches(5.5), QStringLiteral("0' 5-1/2\""));
        QCOMPARE(u.lengthValue(91.5), 91.5);
        QCOMPARE(u.lengthUnit(), QStringLiteral("in"));
        // Rules and notes read "12 in", "5-1/2 in", "6 ft", "7.5 ft".
        QCOMPARE(u.inches(12), QStringLiteral("12 in"));
        QCOMPARE(u.inches(5.5), QStringLiteral("5-1/2 in"));
        QCOMPARE(u.feet(72), QStringLiteral("6 ft"));
        QCOMPARE(u.feet(90), QStringLiteral("7.5 ft"));
    }

    void metricLengths()
    {
        const Units u(UnitSystem::Metric);
        QCOMPARE(u.length(96), QStringLiteral("2438 mm"));
        QCOMPARE(u.length(1.5), QStringLiteral("38 mm"));     // 38.1
        QCOMPARE(u.length(0.5), QStringLiteral("13 mm"));     // 12.7
        QCOMPARE(u.length(1.0 / 16), QStringLiteral("2 mm")); // 1.5875
        QCOMPARE(u.length(1.0 / 32), QStringLiteral("1 mm")); // 0.79375
        QCOMPARE(u.length(0.49 / 25.4), QStringLiteral("0 mm"));
        QCOMPARE(u.length(-1), QStringLiteral("-25 mm"));
        QCOMPARE(u.size(48, 96), QStringLiteral("1219 x 2438 mm"));
        QCOMPARE(u.lengthValue(1), 25.4);
        QCOMPARE(u.lengthUnit(), QStringLiteral("mm"));
        QCOMPARE(u.inches(12), QStringLiteral("305 mm"));
        QCOMPARE(u.feet(72), QStringLiteral("1829 mm"));
    }

    void areasAndVolumes()
    {
        const Units imperial, metric(UnitSystem::Metric);
        QCOMPARE(imperial.area(192 * 144), QStringLiteral("192 sq ft"));
        QCOMPARE(imperial.area(1234.4 * 144), QStringLiteral("1234 sq ft"));
        QCOMPARE(imperial.area(15.64 * 144), QStringLiteral("15.6 sq ft"));
        QCOMPARE(metric.area(144 * 192), QStringLiteral("17.8 m\u00b2")); // 12 x 16 ft
        QCOMPARE(metric.area(1550.0031), QStringLiteral("1 m\u00b2"));
        QCOMPARE(imperial.volume(0.6 * 1728), QStringLiteral("0.6 cu ft"));
        QCOMPARE(metric.volume(0.6 * 1728), QStringLiteral("0.017 m\u00b3"));
        QCOMPARE(metric.volume(46656), QStringLiteral("0.765 m\u00b3")); // a cubic yard
        QCOMPARE(metric.volume(0), QStringLiteral("0 m\u00b3"));
    }

    void stockSizesAndNames()
    {
        const Units imperial, metric(UnitSystem::Metric);
        QCOMPARE(imperial.stock(QStringLiteral("2x4")), QStringLiteral("2x4"));
        QCOMPARE(metric.stock(QStringLiteral("2x4")), QStringLiteral("2x4 (38 x 89 mm)"));
        QCOMPARE(metric.stock(QStringLiteral("2x6 PT")), QStringLiteral("2x6 PT (38 x 140 mm)"));
        QCOMPARE(metric.stock(QStringLiteral("4x6 PT")), QStringLiteral("4x6 PT (89 x 140 mm)"));
        QCOMPARE(metric.stock(QStringLiteral("1/2 in plywood, gussets")),
                 QStringLiteral("1/2 in plywood (13 mm), gussets"));
        QCOMPARE(metric.stock(QStringLiteral("1 1/2 in wall board")), QStringLiteral("1 1/2 in wall board (38 mm)"));
        // A section the yard does not name, and stocks without a size, stay as they are.
        QCOMPARE(metric.stock(QStringLiteral("2x5")), QStringLiteral("2x5"));
        QCOMPARE(metric.stock(QStringLiteral("door leaf 24 x 84 in")),
                 QStringLiteral("door leaf 24 x 84 in (610 x 2134 mm)"));
        QCOMPARE(metric.stock(QStringLiteral("vinyl lap siding 96x6 in")),
                 QStringLiteral("vinyl lap siding 96x6 in (2438 x 152 mm)"));
        QCOMPARE(metric.stock(QStringLiteral("block 8x8x16")), QStringLiteral("block 8x8x16"));
        // Hardware: a section inside the name, a hyphened fraction, a stock length at the end.
        QCOMPARE(metric.stock(QStringLiteral("joist hanger 2x6")), QStringLiteral("joist hanger 2x6 (38 x 140 mm)"));
        QCOMPARE(metric.stock(QStringLiteral("1-1/2 in connector nails")),
                 QStringLiteral("1-1/2 in connector nails (38 mm)"));
        QCOMPARE(metric.stock(QStringLiteral("drip edge 10 ft")), QStringLiteral("drip edge 3048 mm"));
        QCOMPARE(metric.stock(QStringLiteral("LVL 1-3/4x11-7/8")), QStringLiteral("LVL 1-3/4x11-7/8 (44 x 302 mm)"));
        QCOMPARE(metric.stock(QStringLiteral("1x4 trim board 10 ft")),
                 QStringLiteral("1x4 trim board (19 x 89 mm) 3048 mm"));
        QCOMPARE(imperial.stock(QStringLiteral("drip edge 10 ft")), QStringLiteral("drip edge 10 ft"));

        QCOMPARE(Units::fromName(u"metric"), Units(UnitSystem::Metric));
        QCOMPARE(Units::fromName(u"imperial"), Units(UnitSystem::Imperial));
        QVERIFY(!Units::fromName(u"Metric"));
        QVERIFY(!Units::fromName(u""));
        QCOMPARE(Units::forLocale(QLocale(QLocale::German, QLocale::Germany)), Units(UnitSystem::Metric));
        QCOMPARE(Units::forLocale(QLocale(QLocale::English, QLocale::UnitedStates)), Units(UnitSystem::Imperial));
        QCOMPARE(Units::forLocale(QLocale::c()), Units(UnitSystem::Imperial));
    }
};

QTEST_APPLESS_MAIN(TestShedUnits)
#include "test_shed_units.moc"
