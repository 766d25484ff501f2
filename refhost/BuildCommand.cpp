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
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace corvelle::refhost {

namespace {

const QCommandLineOption
    BuildOpt(QStringLiteral("build"),
             QStringLiteral("Build the shed of the shed data or project (.shed) <file> (no window, no bus) and "
                            "write shed.glb, shed.obj, shed.mtl, shed.ifc, materials.csv, cutlist.csv and plans.pdf."),
             QStringLiteral("file"));
const QCommandLineOption OutOpt(QStringLiteral("out"), QStringLiteral("With --build: the folder to write into (made when missing)."),
                                QStringLiteral("dir"));
const QCommandLineOption
    PricesOpt(QStringLiteral("prices"),
              QStringLiteral("With --build: the price table (default: Program Data/prices.csv in the "
                             "program folder)."),
              QStringLiteral("file"));

int fail(const QString &text)
{
    std::fprintf(stderr, "corvelle-host: %s\n", qPrintable(text));
    return 1;
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
    parser.addOptions({BuildOpt, OutOpt, PricesOpt});
}

int runBuildCommand(int argc, char *argv[])
{
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvelle-host"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds a shed from its shed data file: every member, the material list "
                                                    "with costs, the cut list and the 3D model."));
    parser.addHelpOption();
    addBuildOptions(parser);
    parser.process(*app);
    if (!parser.isSet(OutOpt))
        return fail(QStringLiteral("--build needs --out DIR, the folder to write the outputs into."));

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
    }

    const QString prices = parser.isSet(PricesOpt) ? parser.value(PricesOpt)
                                                   : QDir(programFolder(QCoreApplication::applicationDirPath()))
                                                         .filePath(QStringLiteral("Program Data/prices.csv"));
    // The exports are formed first: the glTF scene is the most memory --build holds, and
    // once it is serialised its many small blocks go back to the system (glibc keeps freed
    // heap otherwise) before the plans load their fonts on top.
    shed::PriceTable table = shed::loadPrices(prices);
    if (project)
        shed::applyPriceEdits(table, project->prices);
    const shed::BuildResult result = shed::build(bytes, table, true);
    if (!result.outputs)
        return fail(result.error);
    shed::BuildOutputs outputs = *result.outputs;
    malloc_trim(0);
    const QString outDir = parser.value(OutOpt);
    {
        // The plans need fonts, so a GUI application, never a display; only once the file
        // was read, so a refusal stays the one line it is.
        app.reset();
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication gui(argc, argv);
        const shed::PlanSet plans(outputs.design, outputs.model, shed::materialTable(outputs.takeoff));
        outputs.files.append({QStringLiteral("plans.pdf"), plans.pdf(shed::planPaper())});
    }
    const QString problem = shed::writeOutputs(outputs, outDir);
    if (!problem.isEmpty())
        return fail(problem);
    std::fputs(qPrintable(shed::summary(outputs)), stdout);
    if (project && !project->windows.isEmpty())
        std::printf(
            "Windows are not framed yet: the %d window(s) of the project are not in the model, lists or plans.\n",
            int(project->windows.size()));
    return 0;
}

} // namespace corvelle::refhost
