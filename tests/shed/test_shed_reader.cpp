// The reader takes every file the wizard can write, odd ones included, and refuses what
// is not a shed data file with one sentence naming the line.
#include "ShedFiles.h"
#include "TestData.h"

#include "shed/Reader.h"

#include <QtTest>

using namespace corvelle;
using namespace corvelle::shed;

class TestShedReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExample();
    void oddFilesTheWizardWrites();
    void refusals_data();
    void refusals();
};

void TestShedReader::workedExample()
{
    const ReadResult r = readDesign(testing::sampleShedData());
    QVERIFY2(r.design, qPrintable(r.error));
    const Design &d = *r.design;
    QCOMPARE(d.width, 144.0);
    QCOMPARE(d.depth, 192.0);
    QCOMPARE(d.floor, FloorType::Concrete);
    QCOMPARE(d.slabThickness, 6.0);
    QCOMPARE(d.studDepth, 5.5);
    QCOMPARE(d.innerHeight, 120.0);
    QVERIFY(d.lining);
    QCOMPARE(d.door, Sides::Front);
    QCOMPARE(d.doorWidth, 48.0);
    QCOMPARE(d.doorHeight, 84.0);
    QCOMPARE(d.ramp, Sides::Front);
    QCOMPARE(d.roof, RoofType::Gable);
    QVERIFY(d.trusses);
    QCOMPARE(d.shading, Shading::Flat);
    QCOMPARE(d.sidingHeight, 6.0);
    // Line 58's "12 feet" of eave overhang is read as inches, and said so; the values the
    // wizard always writes leave notes, never warnings (nothing a user could act on).
    QCOMPARE(d.overhangX, 12.0);
    QCOMPARE(d.overhangZ, 12.0);
    QVERIFY2(d.warnings.isEmpty(), qPrintable(d.warnings.join('\n')));
    QCOMPARE(d.notes.size(), 2);
    QVERIFY(d.notes[0].startsWith("line 49:"));
    QVERIFY(d.notes[1].startsWith("line 58:"));
}

void TestShedReader::oddFilesTheWizardWrites()
{
    // Blocks chosen but no row count stored: one course, with a warning.
    ShedDesign blocks = testing::workedExample();
    blocks.FloorType = "3";
    blocks.BlockRows = "";
    blocks.FloorHeight = "0";
    ReadResult r = readDesign(testing::fileOf(blocks));
    QVERIFY2(r.design, qPrintable(r.error));
    QCOMPARE(r.design->blockRows, 1);
    QCOMPARE(r.design->slabThickness, 0.0); // no slab under a block floor
    QVERIFY(r.design->warnings.join(' ').contains("line 14:"));

    // A wide shed where no roof type was chosen: a gable, in the words.
    ShedDesign wide = testing::workedExample();
    wide.ShedWidth = "20";
    wide.RoofType = "";
    r = readDesign(testing::fileOf(wide));
    QVERIFY2(r.design, qPrintable(r.error));
    QCOMPARE(r.design->roof, RoofType::Gable);
    QVERIFY(r.design->warnings.contains("line 53: no roof type chosen; drawn as a gable roof"));

    // A width typed to more than 12 characters is cut by the writer; the cut value holds.
    ShedDesign longWidth = testing::workedExample();
    longWidth.ShedWidth = "12.3456789012345";
    r = readDesign(testing::fileOf(longWidth));
    QVERIFY2(r.design, qPrintable(r.error));
    QCOMPARE(r.design->width, 12.345678901 * 12);

    // "8 " and "4 " from the lists' first two characters.
    ShedDesign blanks = testing::workedExample();
    blanks.InnerHeight = "8 ";
    blanks.FloorHeight = "4 ";
    r = readDesign(testing::fileOf(blanks));
    QVERIFY2(r.design, qPrintable(r.error));
    QCOMPARE(r.design->innerHeight, 96.0);
    QCOMPARE(r.design->slabThickness, 4.0);

    // A ramp the wizard stored for a wall without a door is not built, and said so.
    ShedDesign ramp = testing::workedExample();
    ramp.RampLocation = "Both";
    r = readDesign(testing::fileOf(ramp));
    QVERIFY(r.design);
    QVERIFY(r.design->warnings.join(' ').contains("line 50:"));
}

void TestShedReader::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    const QByteArray good = testing::sampleShedData();
    QList<QByteArray> lines = testing::sampleShedDataLines();

    QTest::newRow("62 lines") << testing::joinCrLf(lines.mid(0, 62)) << 0 << "62 lines";
    QByteArray lf = good;
    lf.replace("\r\n", "\n");
    QTest::newRow("LF only") << lf << 0 << "CR LF";
    QList<QByteArray> bad = lines;
    bad[0] = "twelve      ' X, Feet,         Shed Width";
    QTest::newRow("width not a number") << testing::joinCrLf(bad) << 1 << "not a number";
    bad = lines;
    bad[24] = "ten         ' Y, Feet,         Inner Height of Shed";
    QTest::newRow("inner height not a number") << testing::joinCrLf(bad) << 25 << "not a number";
    bad = lines;
    bad[1] = "0           ' Z, Feet,         Shed Depth";
    QTest::newRow("zero depth") << testing::joinCrLf(bad) << 2 << "cannot be framed";
    bad = lines;
    bad[46] = "nan         ' X, Feet,         Main Door Width";
    QTest::newRow("nan door") << testing::joinCrLf(bad) << 47 << "not a number";
    QTest::newRow("10 MB") << QByteArray(10 * 1024 * 1024, 'x') << 0 << "far larger";
    QTest::newRow("empty") << QByteArray() << 0 << "empty";
}

void TestShedReader::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(QString, says);
    const ReadResult r = readDesign(bytes);
    QVERIFY(!r.design);
    QVERIFY2(r.error.contains(says), qPrintable(r.error));
    QCOMPARE(r.line, line);
    if (line)
        QVERIFY2(r.error.contains(QStringLiteral("line %1:").arg(line)), qPrintable(r.error));
    // One sentence.
    QVERIFY(r.error.endsWith('.'));
    QVERIFY(!r.error.contains('\n'));
}

QTEST_GUILESS_MAIN(TestShedReader)
#include "test_shed_reader.moc"
