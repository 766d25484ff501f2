#include "app/Failure.h"
#include "app/ShedDesign.h"
#include "output/ShedDataFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace corvelle;

namespace {

// The worked example: every choice of a typical 3D run.
ShedDesign workedExample()
{
    ShedDesign d;
    d.ShedWidth = "12";
    d.ShedDepth = "16";
    d.ShedHeight = "8";
    d.FloorType = "1";
    d.BlockRows = "0";
    d.FloorHeight = "6 ";
    d.JoistType = "2";
    d.StudCenters = "16";
    d.InnerHeight = "10";
    d.StudMaterialLine = "2x6 Studs for walls";
    d.InWallType = "1";
    d.SheetrockThickness = ".5";
    d.SidingName = "Vinyl";
    d.OuterWallMaterial = "Cobalt";
    d.SidingWidth = "8";
    d.SidingHeight = ".5";
    d.MainDoorLocation = "Front";
    d.MainDoorWidth = "4";
    d.MainDoorHeight = "7";
    d.RampLocation = "Front";
    d.RoofType = "Gable";
    d.Trusses = "1";
    d.ShadingMode = "3";
    return d;
}

const char *const WorkedExampleFile =
    "12          ' X, Feet,         Shed Width\r\n"
    "16          ' Z, Feet,         Shed Depth\r\n"
    "8           ' Y, Feet,         Shed Height\r\n"
    "1           ' N, Floor Type,   0 = None, 1 = Concrete, 2 = Wood, 3 = Blocks\r\n"
    "2           ' N, Joist Type,   1 = 2x4, 2 = 2x6\r\n"
    "1.5         ' X, Inches,       Joist Width\r\n"
    "8           ' Z, Feet,         Joist Depth\r\n"
    "5.5         ' Y, Inches,       Joist Height\r\n"
    "16          ' X, Inches,       Joist Centers along floor\r\n"
    "6           ' Y, Inches,       Floor Height\r\n"
    "8           ' Z, Feet,         Plywood Depth\r\n"
    "4           ' X, Feet,         Plywood Width\r\n"
    ".25         ' Y, Inches,       Plywood Height\r\n"
    "0           ' N, Block Rows,   Number of Block Rows\r\n"
    "7.75        ' X, Inches,       Block Width\r\n"
    "7.75        ' Y, Inches,       Block Width\r\n"
    "16          ' Z, Inches,       Block Depth\r\n"
    "8 foot long 2x4 Floor Joists\r\n"
    "Cinder Blocks\r\n"
    "8'x 4'      '8' by 4' pieces of plywood\r\n"
    "5.5         ' X, Inches,       Stud Width\r\n"
    "1.5         ' Z, Inches,       Stud Depth\r\n"
    "8           ' Y, Inches,       Stud Height\r\n"
    "16          'N, Inches,        Stud Centers along floor\r\n"
    "10          ' Y, Feet,         Inner Height of Shed\r\n"
    "2x6 Studs for walls\r\n"
    "5.5         ' X, Inches,       Stud2 Width for top of inside\r\n"
    "1.5         ' Z, Inches,       Stud2 Depth for top of inside\r\n"
    "8           ' Y, Feet,         Stud2 Height for top of inside\r\n"
    "16           ' N, Inches,      Stud2 Centers along roof\r\n"
    "1          ' N, InWallType,   0 = None, 1 = Thin\r\n"
    "4           ' X, Feet,         Sheetrock Width\r\n"
    "8           ' Y, Feet,         Sheetrock Height\r\n"
    ".5          ' Z, Inches,       Sheetrock Thickness\r\n"
    "8'x 4' pieces of Sheetrock for interior walls\r\n"
    "12          ' X, Feet,         Wallboard Width\r\n"
    "12          ' Y, Feet,         Wallboard Height\r\n"
    ".5          ' Z, Inches,       Wallboard Thickness\r\n"
    "8 'x 4' pieces of Wallboard for Exterior walls\r\n"
    "8           ' X, Feet,         Siding Width\r\n"
    ".5          ' Y, Feet,         Siding Height\r\n"
    ".5          ' Z, Inches,       Siding Thickness\r\n"
    "Pieces of Vinyl Siding\r\n"
    "Cobalt\r\n"
    "Front\r\n"
    "            ' N, Main Door,    None, Front, Rear, Both\r\n"
    "4           ' X, Feet,         Main Door Width\r\n"
    "7           ' Y, Feet,         Main Door Height\r\n"
    "6           ' Z, Inches        Main Door Thickness\r\n"
    "Front\r\n"
    "            ' N, Ramp,     None, Front, Rear, Both\r\n"
    "8           ' Z, Feet,         Ramp Length\r\n"
    "Gable\r\n"
    "            ' N, Roof Type,    Gable, Barn\r\n"
    "5.5         ' Y, Inches,       Roof Support Height of support boards\r\n"
    "2.5         ' Z, Inches,       Roof Support depth in the Depth Direction\r\n"
    "16          ' Z, Inches,       Spacing Between Roof Supports\r\n"
    "12          ' X, Feet,         Roof Overhang in the X direction, plan view\r\n"
    "1           ' Z, Feet,         Roof overhang in the Z direction, Perspective\r\n"
    ".5          ' Y, Inches,       Roof Thickness in the Y direction, plan view\r\n"
    "1           \r\n"
    "            ' N, Trusses,      1 = Yes, Draw Trusses 0 = No, Don't Draw Trusses\r\n"
    "3           ' N, Shading,      1 = Wireframe, 2 = Hide, 3 = Flatshade, 4 = SmoothShade\r\n";

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
        QCOMPARE(bytes, QByteArray(WorkedExampleFile));
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
    }

    void fileIsWrittenThenTheLaunchRuns()
    {
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("Program Data");
        const QString path = folder.filePath("Program Data/ShedData.txt");
        ShedDesign d = workedExample();
        QByteArray seenByLaunch;
        WriteShedDataFile(d, folder.path(), [&] { seenByLaunch = readFile(path); });
        QCOMPARE(seenByLaunch, QByteArray(WorkedExampleFile));
        QCOMPARE(QDir(folder.filePath("Program Data")).entryList(QDir::Files), QStringList{"ShedData.txt"});
    }

    void failedWritesKeepTheEarlierFile()
    {
        QTemporaryDir folder;
        bool launched = false;
        ShedDesign d = workedExample();
        // No Program Data folder: reported, never created.
        QVERIFY_THROWS_EXCEPTION(Failure, WriteShedDataFile(d, folder.path(), [&] { launched = true; }));
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
            WriteShedDataFile(d, folder.path(), [&] { launched = true; });
            setrlimit(RLIMIT_FSIZE, &saved);
            QFAIL("the write should have failed");
        } catch (const Failure &failure) {
            setrlimit(RLIMIT_FSIZE, &saved);
            QVERIFY(failure.target().contains("ShedData.txt"));
        }
        QVERIFY(!launched);
        QCOMPARE(readFile(path), QByteArray("an earlier design\r\n"));
        QCOMPARE(QDir(folder.filePath("Program Data")).entryList(QDir::Files), QStringList{"ShedData.txt"});
    }
};

QTEST_GUILESS_MAIN(ShedDataFileTest)
#include "test_shed_data_file.moc"
