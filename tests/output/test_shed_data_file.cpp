#include "core/Failure.h"
#include "core/ShedDataFormat.h"
#include "core/ShedDesign.h"
#include "output/ShedDataFile.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace corvelle;
using corvelle::testing::sampleShedData;
using corvelle::testing::workedExample;

namespace {

QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // after the final line end
    for (QByteArray &line : lines) {
        Q_ASSERT(line.endsWith('\r'));
        line.chop(1);
    }
    return lines;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class ShedDataFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExampleByteForByte()
    {
        ShedDesign d = workedExample();
        const QByteArray bytes = ShedDataBytes(d);
        QCOMPARE(bytes, sampleShedData());
        QCOMPARE(bytes.count("\r\n"), 63);
        // The writer leaves its derived fields in the record.
        QCOMPARE(d.JoistHeight, QStringLiteral("5.5"));
        QCOMPARE(d.StudWidth, QStringLiteral("5.5"));
        QCOMPARE(d.PlywoodSheetSize, QStringLiteral("8'x 4'"));
    }

    void valueFieldsAreTwelveCharactersWide()
    {
        ShedDesign d = workedExample();
        d.ShedWidth = "12.3456789012345";
        d.FloorHeight = "4 ";
        d.InWallType = "0";
        d.RoofType = "";
        d.ShedDepth = "";
        const auto lines = linesOf(ShedDataBytes(d));
        QCOMPARE(lines.size(), 63);
        QCOMPARE(lines[0], QByteArray("12.345678901' X, Feet,         Shed Width"));
        QCOMPARE(lines[1], QByteArray("            ' Z, Feet,         Shed Depth"));
        ShedDesign four = workedExample();
        four.FloorHeight = "4";
        QCOMPARE(lines[9], linesOf(ShedDataBytes(four))[9]);
        // Bare line of an empty field, and line 31 one column short for a one-character value.
        QCOMPARE(lines[52], QByteArray());
        QCOMPARE(lines[30], QByteArray("0          ' N, InWallType,   0 = None, 1 = Thin"));
        QCOMPARE(lines[30].indexOf('\''), lines[31].indexOf('\'') - 1);
    }

    void writerNormalisesBlockRowsAndTrusses()
    {
        ShedDesign gravel = workedExample();
        gravel.FloorType = "0";
        gravel.BlockRows = "3";
        gravel.Trusses = "";
        const auto lines = linesOf(ShedDataBytes(gravel));
        QCOMPARE(lines[13].left(12), QByteArray("0           "));
        QCOMPARE(gravel.BlockRows, QStringLiteral("0"));
        QCOMPARE(lines[60], QByteArray("0           "));
        QCOMPARE(gravel.Trusses, QStringLiteral("0"));
        // Material lines stay whatever was chosen.
        QCOMPARE(lines[18], QByteArray("Cinder Blocks"));

        ShedDesign blocks = workedExample();
        blocks.FloorType = "3";
        blocks.BlockRows = "";
        QCOMPARE(linesOf(ShedDataBytes(blocks))[13].left(12), QByteArray(12, ' '));
        QCOMPARE(blocks.BlockRows, QString());
    }

    void lumberFollowsExactlyJoistTypeOne()
    {
        for (const char *joist : {"1", "2", "", "1 ", "01"}) {
            ShedDesign d = workedExample();
            d.JoistType = joist;
            const auto lines = linesOf(ShedDataBytes(d));
            const QByteArray expected = QByteArray(joist) == "1" ? "3.5         " : "5.5         ";
            QCOMPARE(lines[7].left(12), expected);
            QCOMPARE(lines[20].left(12), expected);
        }
    }

    void charactersOutsideLatin1BecomeQuestionMarks()
    {
        ShedDesign d = workedExample();
        d.ShedWidth = QStringLiteral("12\u00bd");          // ½ is in ISO-8859-1
        d.SidingName = QStringLiteral("Ced\u0159\U0001F3E0"); // ř and an emoji are not
        const auto lines = linesOf(ShedDataBytes(d));
        QCOMPARE(lines[0], QByteArray("12\xbd         ' X, Feet,         Shed Width"));
        QCOMPARE(lines[42], QByteArray("Pieces of Ced?? Siding"));

        // Line ends and other control characters inside a value would break the lines.
        ShedDesign pasted = workedExample();
        pasted.FloorHeight = QStringLiteral("4\n");
        pasted.InnerHeight = QStringLiteral("\r\n8");
        pasted.RoofType = QStringLiteral("Ga\tble\u0085\x7f");
        pasted.InWallType = QStringLiteral("1\r");
        const QByteArray bytes = ShedDataBytes(pasted);
        QCOMPARE(bytes.count('\n'), 63);
        QCOMPARE(bytes.count('\r'), 63);
        const auto kept = linesOf(bytes);
        QCOMPARE(kept[9].left(12), QByteArray("4?          "));
        QCOMPARE(kept[24].left(12), QByteArray("??8         "));
        QCOMPARE(kept[52], QByteArray("Ga?ble??"));
        QCOMPARE(kept[30].left(2), QByteArray("1?"));
    }

    void fileIsWrittenWhole()
    {
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("Program Data");
        const QString path = folder.filePath("Program Data/ShedData.txt");
        ShedDesign d = workedExample();
        WriteShedDataFile(d, folder.path());
        QCOMPARE(readFile(path), sampleShedData());
        QCOMPARE(QDir(folder.filePath("Program Data")).entryList(QDir::Files), QStringList{"ShedData.txt"});
    }

    void failedWritesKeepTheEarlierFile()
    {
        QTemporaryDir folder;
        ShedDesign d = workedExample();
        // No Program Data folder: reported, never created.
        QVERIFY_THROWS_EXCEPTION(Failure, WriteShedDataFile(d, folder.path()));
        QVERIFY(!QDir(folder.filePath("Program Data")).exists());

        QDir(folder.path()).mkdir("Program Data");
        const QString path = folder.filePath("Program Data/ShedData.txt");
        {
            QFile earlier(path);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("an earlier design\r\n");
        }
        // A disk that takes only a few bytes: the write fails part way.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        try {
            WriteShedDataFile(d, folder.path());
            setrlimit(RLIMIT_FSIZE, &saved);
            QFAIL("the write should have failed");
        } catch (const Failure &failure) {
            setrlimit(RLIMIT_FSIZE, &saved);
            QVERIFY(failure.target().contains("ShedData.txt"));
        }
        QCOMPARE(readFile(path), QByteArray("an earlier design\r\n"));
        QCOMPARE(QDir(folder.filePath("Program Data")).entryList(QDir::Files), QStringList{"ShedData.txt"});
    }
};

QTEST_GUILESS_MAIN(ShedDataFileTest)
#include "test_shed_data_file.moc"
