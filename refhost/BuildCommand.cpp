#include "BuildCommand.h"

#include "core/ProgramFolder.h"
#include "shed/Build.h"
#include "shed/Plans.h"
#include "shed/Project.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QFile>

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace corvelle::refhost {

namespace {

const QCommandLineOption
    BuildOpt(QStringLiteral("build"),
             QStringLiteral("Build the shed of the shed data or project (.shed) <file> (no window, no bus) and "
                            "write shed.glb, shed.obj, shed.mtl, shed.ifc, materials.csv, cutlist.csv, "
                            "structure.csv and plans.pdf."),
             QStringLiteral("file"));
const QCommandLineOption OutOpt(QStringLiteral("out"), QStringLiteral("With --build: the folder to write into (made when missing)."),
                                QStringLiteral("dir"));
const QCommandLineOption
    PricesOpt(QStringLiteral("prices"),
              QStringLiteral("With --build: the price table (default: Program Data/prices.csv in the "
                             "program folder)."),
              QStringLiteral("file"));

const QCommandLineOption SnowOpt(QStringLiteral("snow"),
                                 QStringLiteral("With --build: the ground snow load in psf, 0 to 150 (default 30)."),
                                 QStringLiteral("psf"));
const QCommandLineOption FloorLiveOpt(QStringLiteral("floor-live"),
                                      QStringLiteral("With --build: the floor live load in psf, 40 to 250 (default 40; "
                                                     "heavier for storage)."),
                                      QStringLiteral("psf"));
const QCommandLineOption SpeciesOpt(QStringLiteral("species"),
                                    QStringLiteral("With --build: the lumber, No.2 spf (default), dfl or sp."),
                                    QStringLiteral("spf|dfl|sp"));

const QCommandLineOption
    UnitsOpt(QStringLiteral("units"),
             QStringLiteral("With --build: write the cut list and plans in <units>, metric or imperial "
                            "(default: imperial)."),
             QStringLiteral("units"));

// Exit status 2 is a misused command line, as the shells have it; 1 a file that failed.
int fail(const QString &text, int status = 1)
{
    std::fprintf(stderr, "corvelle-host: %s\n", qPrintable(text));
    return status;
}

// A load in psf from an option, within its bounds; else the sentence refusing it.
bool readPsf(const QCommandLineParser &parser, const QCommandLineOption &option, const QString &what, double min,
             double max, double *psf, QString *error)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < min || value > max) {
        *error = QStringLiteral("--%1 takes the %2 in psf, from %3 to %4, not \"%5\".")
                     .arg(option.names().constFirst(), what)
                     .arg(min)
                     .arg(max)
                     .arg(parser.value(option));
        return false;
    }
    *psf = value;
    return true;
}

// The design loads from the options; a bad value is refused with one sentence.
bool readLoads(const QCommandLineParser &parser, shed::SiteLoads *loads, QString *error)
{
    if (!readPsf(parser, SnowOpt, QStringLiteral("ground snow load"), shed::MinGroundSnow, shed::MaxGroundSnow,
                 &loads->groundSnow, error)
        || !readPsf(parser, FloorLiveOpt, QStringLiteral("floor live load"), shed::MinFloorLive, shed::MaxFloorLive,
                    &loads->floorLive, error))
        return false;
    if (parser.isSet(SpeciesOpt) && !shed::speciesFromCode(parser.value(SpeciesOpt), &loads->species)) {
        *error = QStringLiteral("--species takes spf, dfl or sp, not \"%1\".").arg(parser.value(SpeciesOpt));
        return false;
    }
    return true;
}

} // namespace

bool isBuildCommand(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--build") == 0 || std::strncmp(argv[i], "--build=", 8) == 0)
            return true;
    }
    return false;
}

void addBuildOptions(QCommandLineParser &parser)
{
    parser.addOptions({BuildOpt, OutOpt, PricesOpt, SnowOpt, FloorLiveOpt, SpeciesOpt, UnitsOpt});
}

int runBuildCommand(int argc, char *argv[])
{
    // Large blocks (a file's bytes, a view's lines) mapped on their own go back to the
    // system when freed; glibc would otherwise raise this threshold at the first such free
    // and keep every later one in a heap that does not shrink.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvelle-host"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds a shed from its shed data file: every member, the material list "
                                                    "with costs, the cut list and the 3D model."));
    parser.addHelpOption();
    addBuildOptions(parser);
    parser.process(*app);
    const std::optional<shed::Units> units =
        parser.isSet(UnitsOpt) ? shed::Units::fromName(parser.value(UnitsOpt)) : shed::Units();
    if (!units)
        return fail(QStringLiteral("--units takes metric or imperial, not \"%1\".").arg(parser.value(UnitsOpt)), 2);
    if (!parser.isSet(OutOpt))
        return fail(QStringLiteral("--build needs --out DIR, the folder to write the outputs into."));
    shed::SiteLoads loads;
    QString refused;
    if (!readLoads(parser, &loads, &refused))
        return fail(refused, 2);

    const QString path = parser.value(BuildOpt);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1 cannot be read: %2.").arg(QDir::toNativeSeparators(path), file.errorString()));
    // One byte past the largest project file, so the readers can refuse a huge one.
    const qint64 limit = shed::MaxProjectBytes + 1;
    QByteArray bytes = file.read(file.size() > 0 ? std::min(file.size(), limit) : limit);
    // A project goes in as the data file of its design, its price edits over the table.
    std::optional<shed::Project> project;
    if (shed::isProjectFile(bytes)) {
        shed::ProjectRead read = shed::readProject(bytes);
        if (!read.project)
            return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), read.error));
        project = std::move(read.project);
        bytes = shed::formDataFile(*project);
        // The project's design loads, unless the command line gives others.
        const shed::SiteLoads saved = shed::siteLoads(project->loads);
        if (!parser.isSet(SnowOpt))
            loads.groundSnow = saved.groundSnow;
        if (!parser.isSet(FloorLiveOpt))
            loads.floorLive = saved.floorLive;
        if (!parser.isSet(SpeciesOpt))
            loads.species = saved.species;
    }

    const QString prices = parser.isSet(PricesOpt) ? parser.value(PricesOpt)
                                                   : QDir(programFolder(QCoreApplication::applicationDirPath()))
                                                         .filePath(QStringLiteral("Program Data/prices.csv"));
    shed::PriceTable table = shed::loadPrices(prices);
    if (project)
        shed::applyPriceEdits(table, project->prices);
    shed::BuildResult result =
        shed::build(bytes, table, false, loads, *units, project ? project->windows : QList<shed::Window>{});
    if (!result.outputs)
        return fail(result.error);
    const shed::BuildOutputs outputs = std::move(*result.outputs);
    result.outputs.reset();
    const QString outDir = parser.value(OutOpt);
    // The plans need fonts, so a GUI application, never a display; only once the file was
    // read, so a refusal stays the one line it is.
    app.reset();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication gui(argc, argv);
    // Every file is formed as it is written and let go: the exports first, then the plans,
    // whose fonts and hidden-line views are loaded and computed only as they paint.
    const shed::PlanSet plans(outputs.design, outputs.model, shed::materialTable(outputs.takeoff), outputs.structure,
                              *units, outputs.takeoff.cutting);
    const QPageSize::PageSizeId paper = plans.paper();
    QList<shed::LaterOutput> later{{QStringLiteral("plans.pdf"), [&] { return plans.pdf(paper); }}};
    for (int i = 0; i < plans.pageCount(); ++i)
        later.append({QStringLiteral("dxf/") + plans.dxfFileName(i), [&plans, i, paper] { return plans.dxf(i, paper); }});
    const QString problem = shed::writeOutputs(outputs, outDir, later);
    if (!problem.isEmpty())
        return fail(problem);
    std::fputs(qPrintable(shed::summary(outputs)), stdout);
    return 0;
}

} // namespace corvelle::refhost
