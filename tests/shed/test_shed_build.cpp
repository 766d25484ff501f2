// corvelle-host --build end to end: the six files, the refusals that write nothing,
// the .glb through the Khronos glTF validator and the .ifc through two IFC readers.
#include "ShedFiles.h"

#include "shed/Build.h"
#include "shed/Export.h"
#include "shed/Geometry.h"
#include "shed/Project.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvelle;

namespace {

struct Run {
    int code;
    QString out, err;
};

Run host(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM"); // it must not need one
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CORVELLE_HOST), args);
    if (!p.waitForFinished(60000))
        return {-1, {}, QStringLiteral("timed out")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
    return f.fileName();
}

const QStringList Outputs = {"shed.glb", "shed.obj", "shed.mtl", "shed.ifc", "materials.csv", "cutlist.csv", "structure.csv"};

// Every roof and floor kind and both framings, doors and ramps at both ends.
QList<ShedDesign> variants()
{
    QList<ShedDesign> all;
    for (const char *roof : {"Gable", "Barn"}) {
        for (const char *trusses : {"0", "1"}) {
            for (const char *floor : {"0", "1", "2", "3"}) {
                ShedDesign d = testing::workedExample();
                d.RoofType = roof;
                d.Trusses = trusses;
                d.FloorType = floor;
                d.BlockRows = floor[0] == '3' ? "2" : "0";
                d.MainDoorLocation = "Both";
                d.RampLocation = floor[0] == '0' ? "None" : "Both";
                all.append(d);
            }
        }
    }
    return all;
}

QString runTool(const QString &program, const QStringList &args, bool &ok, const QProcessEnvironment &env = {})
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    ok = p.waitForFinished(300000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return QString::fromUtf8(p.readAll());
}

} // namespace

class TestShedBuild : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buildsTheSixFiles();
    void refusedFileWritesNothing();
    void structureFileAndDesignLoads();
    void metricUnits();
    void metricSentences();
    void glbPassesTheValidator();
    void ifcPassesTheReaders();
    void buildsAProjectFile();
    void dxfSheetsPassEzdxf();
};

void TestShedBuild::buildsTheSixFiles()
{
    QTemporaryDir dir;
    const QString file = write(dir, "ShedData.txt", testing::fileOf(testing::workedExample()));
    const Run run = host({"--build", file, "--out", dir.filePath("out")});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains("Shed 12 x 16 ft"), qPrintable(run.out));
    QVERIFY(run.out.contains("Total cost: "));
    QVERIFY(run.out.contains("framing"));
    for (const QString &name : Outputs)
        QVERIFY2(QFileInfo(dir.filePath("out/" + name)).size() > 0, qPrintable(name));

    QFile materials(dir.filePath("out/materials.csv"));
    QVERIFY(materials.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = materials.readAll().split('\n');
    QVERIFY(rows[0].startsWith("item,quantity,unit,unit_price,cost"));
    QFile cuts(dir.filePath("out/cutlist.csv"));
    QVERIFY(cuts.open(QIODevice::ReadOnly));
    const QByteArray cutText = cuts.readAll();
    QVERIFY(cutText.startsWith("mark,member,stock,length_in,length,angle_1,angle_2,quantity\n"));
    static const QRegularExpression stud(QStringLiteral("\nW\\d+,stud,2x6,115.5000,\"9' 7-1/2\"\"\",90.0,90.0,"));
    QVERIFY(stud.match(QString::fromUtf8(cutText)).hasMatch());

    // The OBJ: every face refers to vertices and normals already given, one object a
    // member, all inside the shed's reach (metres).
    QFile obj(dir.filePath("out/shed.obj"));
    QVERIFY(obj.open(QIODevice::ReadOnly));
    int vertices = 0, normals = 0, objects = 0, faces = 0;
    for (const QByteArray &line : obj.readAll().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f[0] == "v") {
            ++vertices;
            for (int k = 1; k <= 3; ++k)
                QVERIFY2(std::abs(f[k].toDouble()) < 18 * 0.3048, line.constData()); // 16 ft deep + 1 ft rake
        } else if (f[0] == "vn") {
            ++normals;
        } else if (f[0] == "o") {
            ++objects;
        } else if (f[0] == "f") {
            ++faces;
            QVERIFY(f.size() >= 4);
            for (qsizetype k = 1; k < f.size(); ++k) {
                const QList<QByteArray> ref = f[k].split('/');
                QVERIFY(ref.size() == 3 && ref[0].toInt() >= 1 && ref[0].toInt() <= vertices);
                QVERIFY(ref[2].toInt() >= 1 && ref[2].toInt() <= normals);
            }
        }
    }
    QVERIFY(objects > 500 && faces > 6 * objects - 1);

    // --help describes the command.
    const Run help = host({"--build", file, "--help"});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.contains("--out"));
}

void TestShedBuild::metricUnits()
{
    QTemporaryDir dir;
    const QString file = write(dir, "ShedData.txt", testing::fileOf(testing::workedExample()));
    // A unit the option does not know: one sentence, status 2, nothing written.
    Run run = host({"--build", file, "--out", dir.filePath("out"), "--units", "metres"});
    QCOMPARE(run.code, 2);
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY2(run.err.contains("metric or imperial"), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(dir.filePath("out")));

    run = host({"--build", file, "--out", dir.filePath("out"), "--units", "metric"});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains("Shed 3658 x 4877 mm, walls 3048 mm"), qPrintable(run.out));
    QFile cuts(dir.filePath("out/cutlist.csv"));
    QVERIFY(cuts.open(QIODevice::ReadOnly));
    const QByteArray cutText = cuts.readAll();
    QVERIFY(cutText.startsWith("mark,member,stock,length_mm,length,angle_1,angle_2,quantity\n"));
    QVERIFY2(cutText.contains(",stud,2x6,2933.7,2934 mm,90.0,90.0,"), cutText.constData()); // 115.5 in
    QVERIFY(!cutText.contains('"') && !cutText.contains("' "));
    QFile materials(dir.filePath("out/materials.csv"));
    QVERIFY(materials.open(QIODevice::ReadOnly));
    const QByteArray materialText = materials.readAll();
    QVERIFY(materialText.contains("2x6 (38 x 140 mm) x "));
    QVERIFY2(materialText.contains(",m\u00b3,"), materialText.constData()); // the slab's concrete
    QVERIFY(QFileInfo(dir.filePath("out/plans.pdf")).size() > 0);
}

// In metric every sentence a user reads (warnings, design notes, the structure's
// failures, the material list's notes) gives its lengths in millimetres; a trade name
// ("1/2 in anchor bolt") keeps its size with the millimetres beside it, and a note quotes
// the data file's own "12 ft" before saying how it was read.
void TestShedBuild::metricSentences()
{
    ShedDesign d = testing::workedExample();
    d.JoistType = QStringLiteral("1"); // 2x4 studs on 12 ft walls fail, and say by how much
    d.StudMaterialLine = QStringLiteral("2x4 Studs for walls");
    d.InnerHeight = QStringLiteral("12");
    const shed::BuildResult r =
        shed::build(testing::fileOf(d), shed::defaultPrices(), false, {}, shed::Units(shed::UnitSystem::Metric));
    QVERIFY(r.outputs);
    static const QRegularExpression imperial(QStringLiteral("\\d+(?:[-/.]\\d+)? (?:in|ft)\\b(?! \\d)|\\d' |\\d\""));
    // What may stay: the file's own value quoted, and a trade name with its millimetres.
    static const QRegularExpression allowed(QStringLiteral("of \\d+ ft|\\d+(?:[-/]\\d+)* in [A-Za-z -]+ \\(\\d+ mm\\)|"
                                                           "\\d+ ?x ?\\d+ (?:in|ft) \\(\\d+ x \\d+ mm\\)"));
    QStringList sentences = r.outputs->warnings + r.outputs->design.notes;
    QVERIFY(sentences.join(QLatin1Char(' ')).contains(QStringLiteral("3658 mm where 3048 mm is allowed")));
    for (const shed::MaterialRow &m : r.outputs->takeoff.materials)
        sentences << m.item << m.note;
    for (const shed::CheckRow &row : r.outputs->structure.rows)
        sentences << row.suggestion << row.size << row.rule;
    for (const QString &s : std::as_const(sentences))
        QVERIFY2(!QString(s).remove(allowed).contains(imperial), qPrintable(s));
}

void TestShedBuild::refusedFileWritesNothing()
{
    QTemporaryDir dir;
    QByteArray bytes = testing::fileOf(testing::workedExample());
    bytes.replace("12          ' X, Feet,         Shed Width", "twelve      ' X, Feet,         Shed Width");
    const QString file = write(dir, "ShedData.txt", bytes);
    Run run = host({"--build", file, "--out", dir.filePath("out")});
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains("line 1:"), qPrintable(run.err));
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(!QFileInfo::exists(dir.filePath("out")));

    run = host({"--build", dir.filePath("missing.txt"), "--out", dir.filePath("out")});
    QCOMPARE(run.code, 1);
    QVERIFY(run.err.contains("missing.txt"));

    // A failed write leaves the earlier outputs whole: an output that cannot be replaced
    // (a folder in its place) stops the build before any file changes.
    const QString good = write(dir, "good.txt", testing::fileOf(testing::workedExample()));
    QVERIFY(host({"--build", good, "--out", dir.filePath("out")}).code == 0);
    QFile glb(dir.filePath("out/shed.glb"));
    QVERIFY(glb.open(QIODevice::ReadOnly));
    const QByteArray before = glb.readAll();
    glb.close();
    QVERIFY(QFile::remove(dir.filePath("out/cutlist.csv")));
    QVERIFY(QDir(dir.filePath("out")).mkdir("cutlist.csv"));
    ShedDesign wider = testing::workedExample();
    wider.ShedWidth = "14";
    const QString other = write(dir, "other.txt", testing::fileOf(wider));
    run = host({"--build", other, "--out", dir.filePath("out")});
    QCOMPARE(run.code, 1);
    QVERIFY(run.err.contains("cutlist.csv"));
    QVERIFY(glb.open(QIODevice::ReadOnly));
    QCOMPARE(glb.readAll(), before);
}

// structure.csv with the columns the check promises; --snow and --species change the
// check and the framing; a bad value is refused in one sentence with status 2, writing
// nothing.
void TestShedBuild::structureFileAndDesignLoads()
{
    QTemporaryDir dir;
    ShedDesign d = testing::workedExample();
    d.JoistType = "1"; // 2x4 lumber: the studs follow it
    d.StudMaterialLine = "2x4 Studs for walls";
    d.InnerHeight = "12";
    const QString file = write(dir, "ShedData.txt", testing::fileOf(d));
    Run run = host({"--build", file, "--out", dir.filePath("out"), "--snow", "70", "--species", "sp"});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains("Structure: "), qPrintable(run.out));
    QVERIFY2(run.out.contains("70 psf ground snow, 40 psf floor live, No.2 Southern Pine; 1 failing"),
             qPrintable(run.out));
    QFile csv(dir.filePath("out/structure.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines[0], QByteArray("check,member,size,spacing_in,span_in,allowed_in,ratio,result,rule,suggestion"));
    QVERIFY2(lines[1].startsWith("studs,wall studs,2x4,16,144,120,1.2,fail,"), lines[1].constData());
    QVERIFY(std::any_of(lines.begin(), lines.end(),
                        [](const QByteArray &l) { return l.startsWith("header,front door header,"); }));
    QVERIFY(std::any_of(lines.begin(), lines.end(), [](const QByteArray &l) { return l.startsWith("permit,"); }));

    // A storage floor's heavier load reaches the joists' check.
    d.FloorType = "2";
    d.FloorHeight = "6";
    const QString wood = write(dir, "Wood.txt", testing::fileOf(d));
    run = host({"--build", wood, "--out", dir.filePath("storage"), "--floor-live", "125"});
    QCOMPARE(run.code, 0);
    QFile joists(dir.filePath("storage/structure.csv"));
    QVERIFY(joists.open(QIODevice::ReadOnly));
    const QByteArray rows = joists.readAll();
    QVERIFY2(rows.contains("\nfloor joists,") && rows.contains("125 psf live"), rows.constData());

    for (const QStringList &bad : {QStringList{"--snow", "151"}, QStringList{"--snow", "deep"},
                                   QStringList{"--species", "oak"}, QStringList{"--floor-live", "30"}}) {
        run = host(QStringList{"--build", file, "--out", dir.filePath("refused")} + bad);
        QCOMPARE(run.code, 2);
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.contains(bad[0]), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(dir.filePath("refused")));
    }
}

void TestShedBuild::glbPassesTheValidator()
{
    if (!QFileInfo::exists(QStringLiteral(GLTF_VALIDATOR_DIR)))
        QFAIL("the glTF validator is not installed: scripts/test.sh installs it under build/npm");
    QTemporaryDir dir;
    QStringList files;
    int n = 0;
    for (const ShedDesign &d : variants()) {
        const shed::BuildResult r = shed::build(testing::fileOf(d), shed::defaultPrices());
        QVERIFY2(r.outputs, qPrintable(r.error));
        const QByteArray glb = r.outputs->files.first().second;
        QCOMPARE(glb.left(4), QByteArray("glTF"));
        files << write(dir, QStringLiteral("shed%1.glb").arg(n++), glb);
    }
    // One node per member named by its kind, with its extras.
    const shed::BuildResult r = shed::build(testing::fileOf(testing::workedExample()), shed::defaultPrices());
    const QByteArray glb = r.outputs->files.first().second;
    const quint32 jsonLength = *reinterpret_cast<const quint32 *>(glb.constData() + 12);
    const QJsonObject json = QJsonDocument::fromJson(glb.mid(20, jsonLength)).object();
    const QJsonArray nodes = json["nodes"].toArray();
    QCOMPARE(nodes.size(), r.outputs->model.members.size() + 1);
    const auto &members = r.outputs->model.members;
    const auto first = std::find_if(members.begin(), members.end(), [](const shed::Member &m) { return m.kind == shed::MemberKind::Stud; });
    const QJsonObject stud = nodes[1 + int(first - members.begin())].toObject();
    QCOMPARE(stud["name"].toString(), QStringLiteral("stud"));
    QCOMPARE(stud["extras"].toObject()["layer"].toString(), QStringLiteral("framing"));
    QCOMPARE(stud["extras"].toObject()["stock"].toString(), QStringLiteral("2x6"));
    // Its mark is the cut list's row for a stud of its length.
    const QString mark = stud["extras"].toObject()["mark"].toString();
    const auto &cuts = r.outputs->takeoff.cuts;
    const auto row = std::find_if(cuts.begin(), cuts.end(), [&](const shed::CutRow &c) { return c.mark == mark; });
    QVERIFY2(mark.startsWith(u'W') && row != cuts.end(), qPrintable(mark));
    QVERIFY(row->member == u"stud" && row->stock == u"2x6" && std::abs(row->lengthIn - first->length) < 1.0 / 32);
    QCOMPARE(json["materials"].toArray().size(), shed::LayerCount);

    QProcess node;
    node.setProcessChannelMode(QProcess::MergedChannels);
    node.start("node", QStringList{GLTF_VALIDATE_SCRIPT, GLTF_VALIDATOR_DIR} + files);
    QVERIFY(node.waitForFinished(120000));
    const QString report = QString::fromUtf8(node.readAll());
    QVERIFY2(node.exitStatus() == QProcess::NormalExit && node.exitCode() == 0, qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("%1 passed, 0 failed").arg(files.size())), qPrintable(report));
}

void TestShedBuild::buildsAProjectFile()
{
    // The same shed as its data file, with a window and a dearer 2x6.
    QTemporaryDir dir;
    const QByteArray data = testing::fileOf(testing::workedExample());
    shed::Project project = *shed::readProject(data).project;
    project.windows = {{shed::Wall::Right, 48, 24, 36, 40}};
    project.prices = {{QStringLiteral("2x6"), 10}};
    const Run fromData = host({"--build", write(dir, "ShedData.txt", data), "--out", dir.filePath("data")});
    const Run fromProject =
        host({"--build", write(dir, "my shed.shed", shed::formProject(project)), "--out", dir.filePath("project")});
    QCOMPARE(fromData.code, 0);
    QVERIFY2(fromProject.code == 0, qPrintable(fromProject.err));
    // The project's window is framed, bought and drawn; the data file has none.
    static const QRegularExpression windows(QStringLiteral("\\n  windows +1\\n"));
    QVERIFY2(windows.match(fromProject.out).hasMatch(), qPrintable(fromProject.out));
    QVERIFY(!fromData.out.contains("windows"));
    QFile list(dir.filePath("project/materials.csv"));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QVERIFY(list.readAll().contains("\nwindow small 24 x 36 in,1,each,140.00,"));
    const auto total = [](const QString &out) {
        return QStringView(out).mid(out.indexOf("Total cost: ") + 12).split('\n').first().toDouble();
    };
    QVERIFY2(total(fromProject.out) > total(fromData.out) + 100, qPrintable(fromProject.out));

    // A refused project names its key in one line and writes nothing.
    project.loads.species = QStringLiteral("oak");
    const Run refused =
        host({"--build", write(dir, "bad.shed", shed::formProject(project)), "--out", dir.filePath("bad")});
    QCOMPARE(refused.code, 1);
    QVERIFY2(refused.err.contains("\"species\"") && refused.err.count('\n') == 1, qPrintable(refused.err));
    QVERIFY(!QFileInfo::exists(dir.filePath("bad")));
}

void TestShedBuild::ifcPassesTheReaders()
{
    if (!QFileInfo::exists(QStringLiteral(WEB_IFC_DIR)))
        QFAIL("web-ifc is not installed: scripts/test.sh installs it under build/npm");
    if (QStringLiteral(IFC_CHECK).isEmpty())
        QFAIL("ifc_check was not built: it needs libifcplusplus-dev (scripts/deps.sh)");
    QTemporaryDir dir;
    QJsonArray manifest;
    QStringList counted;
    int n = 0;
    for (const ShedDesign &d : variants()) {
        const shed::BuildResult r = shed::build(testing::fileOf(d), shed::defaultPrices(), false);
        QVERIFY2(r.outputs, qPrintable(r.error));
        const shed::Model &model = r.outputs->model;
        QVector3D lo(1e9f, 1e9f, 1e9f), hi(-1e9f, -1e9f, -1e9f);
        for (const shed::Member &m : model.members) {
            const auto [a, b] = shed::geometry::bounds(m);
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], a[k]);
                hi[k] = std::max(hi[k], b[k]);
            }
        }
        const QString file = write(dir, QStringLiteral("shed%1.ifc").arg(n++), shed::exportIfc(model));
        QJsonArray bounds;
        for (const QVector3D &v : {lo, hi}) {
            for (int k = 0; k < 3; ++k)
                bounds.append(v[k] * 0.0254);
        }
        manifest.append(QJsonObject{{"file", file}, {"members", model.members.size()}, {"bounds", bounds}});
        counted << QStringLiteral("%1=%2").arg(file).arg(model.members.size());
    }
    const QString manifestFile = write(dir, QStringLiteral("manifest.json"), QJsonDocument(manifest).toJson());
    bool ok = false;
    QString report = runTool("node", {WEB_IFC_SCRIPT, WEB_IFC_DIR, manifestFile}, ok);
    QVERIFY2(ok && report.contains(QStringLiteral("%1 passed, 0 failed").arg(n)), qPrintable(report));
    // IFC++ sets an en_US locale before it reads, and stops where there is none: the
    // C.UTF-8 locale under that name stands in.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QVERIFY(QDir(dir.path()).mkdir("locale"));
    QVERIFY(QFile::link(QStringLiteral("/usr/lib/locale/C.utf8"), dir.filePath("locale/en_US.utf8")));
    env.insert("LOCPATH", dir.filePath("locale"));
    report = runTool(IFC_CHECK, counted, ok, env);
    QVERIFY2(ok && report.contains(QStringLiteral("%1 passed, 0 failed").arg(n)), qPrintable(report));
}

// Every sheet as a DXF file beside plans.pdf, read by ezdxf: no audit errors, inches, the
// layers, each sheet's title and number, and the front wall's 12 ft measuring 144 in.
void TestShedBuild::dxfSheetsPassEzdxf()
{
    QTemporaryDir dir;
    const QString file = write(dir, "ShedData.txt", testing::fileOf(testing::workedExample()));
    QCOMPARE(host({"--build", file, "--out", dir.filePath("out")}).code, 0);
    const QStringList sheets = QDir(dir.filePath("out/dxf")).entryList({"*.dxf"}, QDir::Files, QDir::Name);
    QVERIFY2(sheets.size() >= 10, qPrintable(sheets.join(' ')));
    QCOMPARE(sheets.first(), QStringLiteral("01-cover.dxf"));
    QVERIFY(sheets.contains(QStringLiteral("10-front-wall-framing.dxf")));
    bool ok = false;
    const QString report = runTool(
        SYSTEM_PYTHON3,
        {DXF_CHECK_SCRIPT, dir.filePath("out/dxf"), "10-front-wall-framing.dxf=144", "12-left-wall-framing.dxf=192"},
        ok);
    if (report.contains(QLatin1String("ezdxf is not installed")))
        QFAIL("ezdxf is not installed: scripts/deps.sh installs python3-ezdxf");
    QVERIFY2(ok && report.contains(QStringLiteral("%1 sheets, 0 failures").arg(sheets.size())), qPrintable(report));

    // Built again without the ramp into the same folder: the ramp's sheet and the old names
    // of the sheets after it go, one file a sheet numbered 1 to n; what the user keeps stays.
    QCOMPARE(sheets.filter("-ramp-detail.dxf").size(), 1);
    write(dir, "out/dxf/site-notes.txt", "mine");
    write(dir, "out/dxf/my-survey.dxf", "mine");
    ShedDesign noRamp = testing::workedExample();
    noRamp.RampLocation = "None";
    QCOMPARE(host({"--build", write(dir, "NoRamp.txt", testing::fileOf(noRamp)), "--out", dir.filePath("out")}).code,
             0);
    const QStringList after = QDir(dir.filePath("out/dxf")).entryList({"*-*.dxf"}, QDir::Files, QDir::Name);
    QVERIFY(after.filter("ramp").isEmpty());
    QVERIFY(after.size() < sheets.size() && after.contains(QStringLiteral("my-survey.dxf")));
    for (qsizetype i = 0; i + 1 < after.size(); ++i)
        QVERIFY2(after[i].startsWith(QStringLiteral("%1-").arg(i + 1, 2, 10, QLatin1Char('0'))), qPrintable(after[i]));
    QVERIFY(QFile::exists(dir.filePath("out/dxf/site-notes.txt")));
}

QTEST_GUILESS_MAIN(TestShedBuild)
#include "test_shed_build.moc"
