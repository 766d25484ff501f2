// The project file: what is saved comes back as the same model, a data file passes
// through a project byte for byte, every refusal names its key or line, and a save
// that cannot be made keeps the earlier file.
#include "ShedFiles.h"

#include "shed/Export.h"
#include "shed/Framing.h"
#include "shed/Project.h"
#include "shed/Reader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace corvelle;
using namespace corvelle::shed;

namespace {

QByteArray objOf(const QByteArray &dataFile) { return exportObj(buildModel(*readDesign(dataFile).design)); }

Project sampleProject()
{
    Project p = *readProject(testing::sampleShedData()).project;
    p.windows = {{Wall::Left, 30.5, 24, 36, 42}, {Wall::Rear, 72, 30, 30, 48}};
    p.loads = {55, QStringLiteral("dfl"), 100};
    p.prices = {{QStringLiteral("2x6"), 1.4}, {QStringLiteral("door leaf"), 150}};
    return p;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestProject : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveAndReopenGiveTheSameModel();
    void dataFileRoundTrip();
    void refusals_data();
    void refusals();
    void failedSaveKeepsTheEarlierFile();
};

void TestProject::saveAndReopenGiveTheSameModel()
{
    QTemporaryDir dir;
    const Project saved = sampleProject();
    const QString path = dir.filePath("shed.shed");
    QCOMPARE(saveProject(saved, path), QString());
    const ProjectRead back = readProject(readAll(path));
    QVERIFY2(back.project, qPrintable(back.error));
    const Project &p = *back.project;
    QCOMPARE(formDataFile(p), formDataFile(saved));
    QCOMPARE(p.windows, saved.windows);
    QCOMPARE(p.loads, saved.loads);
    QCOMPARE(p.prices, saved.prices);
    QCOMPARE(objOf(formDataFile(p)), objOf(testing::sampleShedData()));

    // The price edits land on the table's items; an unknown item is said, not priced.
    PriceTable table = defaultPrices();
    Project edited = p;
    edited.prices.insert(QStringLiteral("gold leaf"), 9);
    applyPriceEdits(table, edited.prices);
    QCOMPARE(table.prices.value(QStringLiteral("2x6")).price, 1.4);
    QCOMPARE(table.prices.value(QStringLiteral("2x6")).unit, QStringLiteral("ft"));
    QVERIFY(!table.prices.contains(QStringLiteral("gold leaf")));
    QVERIFY(table.warnings.join(' ').contains("\"gold leaf\""));

    // Export Data File: the design's 63 lines, and a word on the windows left out.
    QString note;
    QCOMPARE(exportDataFile(p, dir.filePath("ShedData.txt"), &note), QString());
    QCOMPARE(readAll(dir.filePath("ShedData.txt")), testing::sampleShedData());
    QVERIFY2(note.contains("2 window"), qPrintable(note));
}

void TestProject::dataFileRoundTrip()
{
    // The sample, and a record from the wizard with blanks and derived lines: a block floor,
    // gambrel rafters, no door, studs at 24 in.
    ShedDesign other = testing::workedExample();
    other.FloorType = QStringLiteral("3");
    other.BlockRows = QStringLiteral("2");
    other.FloorHeight = QStringLiteral("0");
    other.JoistType = QStringLiteral("1");
    other.StudCenters = QStringLiteral("24");
    other.MainDoorLocation = QStringLiteral("None");
    other.RampLocation = QStringLiteral("None");
    other.RoofType = QStringLiteral("Barn");
    other.Trusses = QStringLiteral("0");
    for (const QByteArray &data : {testing::sampleShedData(), testing::fileOf(other)}) {
        const ProjectRead first = readProject(data);
        QVERIFY2(first.project, qPrintable(first.error));
        QVERIFY(first.project->windows.isEmpty() && first.project->prices.isEmpty());
        const ProjectRead again = readProject(formProject(*first.project));
        QVERIFY2(again.project, qPrintable(again.error));
        QCOMPARE(formDataFile(*again.project), data);
    }
}

void TestProject::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("named");

    const QByteArray good = formProject(sampleProject());
    const auto with = [&](const char *from, const char *to) {
        QByteArray b = good;
        if (!b.contains(from))
            qFatal("no %s in the sample project", from);
        return b.replace(from, to);
    };
    QTest::newRow("bad JSON") << good.left(good.size() / 2) << "line ";
    QTest::newRow("not an object") << QByteArray("{}") << "\"format\"";
    QTest::newRow("wrong format") << with("corvelle-shed", "corvelle-barn") << "\"format\"";
    QTest::newRow("newer version") << with("\"version\": 1", "\"version\": 2") << "\"version\"";
    QTest::newRow("missing design key") << with("\"ShedDepth\"", "\"Depth\"") << "\"ShedDepth\"";
    QTest::newRow("number as number") << with("\"ShedWidth\": \"12\"", "\"ShedWidth\": 12") << "\"ShedWidth\"";
    QTest::newRow("too wide") << with("\"ShedWidth\": \"12\"", "\"ShedWidth\": \"60\"") << "\"ShedWidth\"";
    QTest::newRow("not a number") << with("\"ShedDepth\": \"16\"", "\"ShedDepth\": \"1e999\"") << "\"ShedDepth\"";
    QTest::newRow("cut by the field") << with("\"ShedDepth\": \"16\"", "\"ShedDepth\": \"16.0000000000001\"")
                                      << "\"ShedDepth\"";
    QTest::newRow("line end in a value") << with("\"Cobalt\"", "\"Cob\\r\\nalt\"") << "\"OuterWallMaterial\"";
    QTest::newRow("unknown choice") << with("\"RoofType\": \"Gable\"", "\"RoofType\": \"Dome\"") << "\"RoofType\"";
    QTest::newRow("door wider than shed")
        << with("\"MainDoorWidth\": \"4\"", "\"MainDoorWidth\": \"12\"") << "\"MainDoorWidth\"";
    QTest::newRow("window wall") << with("\"wall\": \"left\"", "\"wall\": \"roof\"") << "window 1";
    QTest::newRow("window width") << with("\"width\": 30", "\"width\": -30") << "window 2";
    QTest::newRow("snow load") << with("\"groundSnowPsf\": 55", "\"groundSnowPsf\": 500") << "\"groundSnowPsf\"";
    QTest::newRow("floor load") << with("\"floorLivePsf\": 100", "\"floorLivePsf\": 20") << "\"floorLivePsf\"";
    QTest::newRow("species") << with("\"species\": \"dfl\"", "\"species\": \"oak\"") << "\"species\"";
    QTest::newRow("price") << with("\"door leaf\": 150", "\"door leaf\": \"cheap\"") << "\"door leaf\"";
    QTest::newRow("10 MB") << QByteArray(MaxProjectBytes + 1, ' ') << "MB";
    QTest::newRow("data file line") << testing::sampleShedDataWith(2, "60          ' Z, Feet,         Shed Depth")
                                    << "line 2 (ShedDepth)";
    QTest::newRow("data file form") << testing::sampleShedDataWith(6, "2") << "line 6";
}

void TestProject::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, named);
    const ProjectRead r = readProject(bytes);
    QVERIFY(!r.project);
    QVERIFY2(r.error.contains(named), qPrintable(r.error));
    QVERIFY2(r.error.endsWith('.') && !r.error.contains('\n'), qPrintable(r.error));
}

void TestProject::failedSaveKeepsTheEarlierFile()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("ro");
    QVERIFY(QDir().mkpath(folder));
    // Root passes over permission bits, so there the folder is a file system mounted
    // read-only after the earlier file is saved into it.
    const bool root = geteuid() == 0;
    if (root && QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", folder}) != 0)
        QSKIP("running as root where no file system can be mounted: no folder can be made read-only");
    const QString path = QDir(folder).filePath("shed.shed");
    Project earlier = sampleProject();
    QCOMPARE(saveProject(earlier, path), QString());
    const QByteArray before = readAll(path);

    const bool readOnly = root ? QProcess::execute("mount", {"-o", "remount,ro", folder}) == 0
                               : QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    Project later = earlier;
    later.windows.clear();
    const QString error = readOnly ? saveProject(later, path) : QString();
    const QByteArray after = readAll(path);
    if (root)
        QProcess::execute("umount", {folder});
    else
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(readOnly);
    QVERIFY2(error.contains("shed.shed") && error.contains("earlier file is kept"), qPrintable(error));
    QVERIFY(!before.isEmpty());
    QCOMPARE(after, before);

    // A write that fails halfway (the file size limit standing in for a full disk): a
    // writer that replaced the file in place would leave it cut short.
    const QString plain = dir.filePath("plain.shed");
    QCOMPARE(saveProject(earlier, plain), QString());
    later.windows = QList<Window>(200, earlier.windows.first());
    rlimit old{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    rlimit small = old;
    small.rlim_cur = rlim_t(before.size());
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    const QString halfway = saveProject(later, plain);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY2(halfway.contains("earlier file is kept"), qPrintable(halfway));
    QCOMPARE(readAll(plain), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"plain.shed"});
}

QTEST_GUILESS_MAIN(TestProject)
#include "test_project.moc"
