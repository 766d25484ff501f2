// The one description of the shed data file, read back: what the writer forms from a
// record, the checker gives back line by line, and a file that departs is named by line.
#include "core/ShedDataFormat.h"
#include "core/ShedDesign.h"

#include "TestData.h"

#include <QTest>

using namespace corvelle;
using namespace corvelle::testing;

class ShedDataFormatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each line's value is the record's field as the writer put it (the fixed text for
    // lines the wizard never varies), so a reader can take every value from the table.
    void formedFileReadsBackToTheRecord()
    {
        ShedDesign d;
        d.ShedWidth = QStringLiteral("12.5");
        d.FloorType = QStringLiteral("3");
        d.JoistType = QStringLiteral("1");
        d.BlockRows = QStringLiteral("2");
        d.InWallType = QStringLiteral("0");
        d.SidingName = QStringLiteral("Cedar");
        d.MainDoorLocation = QStringLiteral("Both");
        d.RoofType = QStringLiteral("Barn");
        d.ShadingMode = QStringLiteral("4");
        const shedfile::Check check = shedfile::check(shedfile::form(d));
        QVERIFY2(check.ok(), qPrintable(check.error));
        for (const shedfile::LineRule &rule : shedfile::rules()) {
            const QString expected = rule.field ? d.*rule.field : QString::fromLatin1(rule.fixed ? rule.fixed : "");
            QVERIFY2(check.contents.value(rule.line) == expected, qPrintable(QString::number(rule.line)));
        }
        QCOMPARE(check.contents.value(8), QStringLiteral("3.5")); // derived from the 2x4 joists
        QCOMPARE(check.contents.value(43), QStringLiteral("Cedar"));
        QCOMPARE(check.contents.line(43), QStringLiteral("Pieces of Cedar Siding"));
        QCOMPARE(check.contents.value(61), QStringLiteral("0"));  // no trusses chosen
    }

    void sampleFileIsSound()
    {
        const shedfile::Check check = shedfile::check(sampleShedData());
        QVERIFY2(check.ok(), qPrintable(check.error));
        QCOMPARE(check.contents.lines.size(), shedfile::LineCount);
        QCOMPARE(check.contents.value(31), QStringLiteral("1"));
        QCOMPARE(check.contents.value(46), QString());
    }

    void problemsNameTheirLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("mentions");
        const QList<QByteArray> lines = sampleShedDataLines();
        const auto with = sampleShedDataWith;
        QByteArray bareLf = sampleShedData();
        bareLf.replace(bareLf.indexOf("\r\n", 100), 2, "\n");
        QTest::newRow("bare LF") << bareLf << 3 << "ShedData.txt line 3 has a line end other than CR LF";
        QTest::newRow("short") << joinCrLf(lines.mid(0, 40)) << 0 << "has 40 lines";
        QTest::newRow("fixed value") << with(52, "9           ' Z, Feet,         Ramp Length") << 52
                                     << "ShedData.txt line 52: the value should be \"8\", found \"9\"";
        QTest::newRow("siding words") << with(43, "Pieces of Vinyl") << 43 << "\"Pieces of ... Siding\"";
        QTest::newRow("comment line") << with(62, "") << 62 << "line 62: expected the comment line";
    }
    void problemsNameTheirLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, mentions);
        const shedfile::Check check = shedfile::check(bytes);
        QVERIFY(!check.ok());
        QCOMPARE(check.errorLine, line);
        QVERIFY2(check.error.contains(mentions), qPrintable(check.error));
        QVERIFY(check.contents.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ShedDataFormatTest)
#include "test_shed_data_format.moc"
