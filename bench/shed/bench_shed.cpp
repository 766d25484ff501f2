// The largest design the wizard allows (50 x 50 ft, 20 ft walls, studs at 12 in, doors
// and ramps both ends, gambrel trusses) against an 8 x 10 ft shed measured in the same run.
#include "BenchDesigns.h"
#include "core/ShedDataFormat.h"
#include "core/ShedDesign.h"
#include "shed/Export.h"
#include "shed/Framing.h"
#include "shed/HiddenLine.h"
#include "shed/Plans.h"
#include "shed/Reader.h"
#include "shed/Structure.h"
#include "shed/Takeoff.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

using namespace corvelle;

namespace {

// Median milliseconds of `runs` calls.
double median(int runs, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// A process forked while the bench is still small spawns the --build runs: a child
// spawned from the bench itself would count the bench's own peak in its ru_maxrss (exec
// keeps the high-water mark of the memory it replaces), once the bench holds a large model.
struct Launcher {
    int request = -1, reply = -1;
} launcher;

// Peak resident memory (kB) of one run of `exe --build file --out out`, or -1 when it failed.
long spawnPeakKb(const char *exe, const char *file, const char *out)
{
    char *argv[] = {const_cast<char *>(exe), const_cast<char *>("--build"), const_cast<char *>(file),
                    const_cast<char *>("--out"), const_cast<char *>(out), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, exe, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        return -1;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? usage.ru_maxrss : -1;
}

// Reads requests (three strings, each ending in a NUL) and answers each with the peak.
[[noreturn]] void serve(int in, int out)
{
    std::string buffer;
    char c = 0;
    std::vector<std::string> parts;
    while (read(in, &c, 1) == 1) {
        if (c != 0) {
            buffer += c;
            continue;
        }
        parts.push_back(std::move(buffer));
        buffer.clear();
        if (parts.size() == 3) {
            const long kb = spawnPeakKb(parts[0].c_str(), parts[1].c_str(), parts[2].c_str());
            if (write(out, &kb, sizeof kb) != sizeof kb)
                break;
            parts.clear();
        }
    }
    _exit(0);
}

void startLauncher()
{
    int toChild[2], toParent[2];
    if (pipe(toChild) != 0 || pipe(toParent) != 0)
        return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(toChild[1]);
        close(toParent[0]);
        serve(toChild[0], toParent[1]);
    }
    close(toChild[0]);
    close(toParent[1]);
    if (pid > 0)
        launcher = {toChild[1], toParent[0]};
}

// Peak resident memory (kB) of one corvelle-host --build run.
long peakKb(const QByteArray &exe, const QString &file, const QString &out)
{
    if (launcher.request < 0)
        return -1;
    QByteArray request = exe + '\0' + file.toLocal8Bit() + '\0' + out.toLocal8Bit() + '\0';
    long kb = -1;
    if (write(launcher.request, request.constData(), size_t(request.size())) != request.size()
        || read(launcher.reply, &kb, sizeof kb) != sizeof kb)
        return -1;
    return kb;
}

struct Figures {
    qsizetype members = 0, checks = 0;
    double model = 0, exports = 0, structure = 0, ifc = 0, glb = 0, hidden = 0;
    qsizetype edges = 0, strokes = 0;
    double plans = 0; // the whole plan set as a PDF
    int pages = 0;
    long peak = 0, basePeak = 0;
};

Figures measure(bool largest, int runs, const QTemporaryDir &dir)
{
    ShedDesign r = benchDesign(largest);
    const QByteArray bytes = shedfile::form(r);
    const shed::Design design = *shed::readDesign(bytes).design;
    const shed::PriceTable prices = shed::defaultPrices();
    Figures f;
    shed::Model model;
    shed::Takeoff takeoff;
    f.model = median(runs, [&] {
        model = shed::buildModel(design);
        takeoff = shed::takeoff(model, prices);
    });
    f.members = model.members.size();
    // The structural check on top of the model and takeoff.
    shed::StructureReport report;
    f.structure = median(runs, [&] { report = shed::checkStructure(model, prices); });
    f.checks = report.rows.size();
    qsizetype bytesOut = 0;
    f.exports = median(runs, [&] {
        bytesOut = shed::exportGlb(model).size() + shed::exportObj(model).size() + shed::exportMtl(model).size() +
                   shed::materialsCsv(takeoff).size() + shed::cutListCsv(takeoff).size();
    });
    qsizetype ifcBytes = 0;
    f.ifc = median(runs, [&] { ifcBytes = shed::exportIfc(model).size(); });
    f.glb = median(runs, [&] { (void)shed::exportGlb(model); });
    // Hidden-line drawings as the plans draw them: the three-quarter view once for every
    // stage, and the four elevations.
    f.hidden = median(runs, [&] {
        f.edges = f.strokes = 0;
        for (const shed::ViewDirection &v :
             {shed::ViewDirection::threeQuarter(), shed::ViewDirection::front(), shed::ViewDirection::rear(),
              shed::ViewDirection::left(), shed::ViewDirection::right()}) {
            const shed::HiddenLines lines(model, v);
            f.edges += lines.edgeCount();
            f.strokes += lines.strokes().size();
        }
    });
    f.plans = median(std::max(3, runs / 5), [&] {
        // The whole set as --build writes it, cutting diagrams included.
        const shed::PlanSet set(design, model, shed::materialTable(takeoff), report, {}, takeoff.cutting);
        (void)set.pdf(QPageSize::Letter);
        f.pages = set.pageCount();
    });
    const QString file = dir.filePath(largest ? "largest.txt" : "small.txt");
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
    out.close();
    // With CORVELLE_BASELINE_HOST (an earlier build's corvelle-host), its --build peak is
    // measured alternately in the same run.
    const QByteArray baseline = qgetenv("CORVELLE_BASELINE_HOST");
    std::vector<long> peaks, basePeaks;
    for (int i = 0; i < std::max(3, runs / 5); ++i) {
        peaks.push_back(peakKb(CORVELLE_HOST, file, dir.filePath(largest ? "out-largest" : "out-small")));
        if (!baseline.isEmpty())
            basePeaks.push_back(peakKb(baseline, file, dir.filePath(largest ? "base-largest" : "base-small")));
    }
    std::sort(peaks.begin(), peaks.end());
    f.peak = peaks[peaks.size() / 2];
    if (!basePeaks.empty()) {
        std::sort(basePeaks.begin(), basePeaks.end());
        f.basePeak = basePeaks[basePeaks.size() / 2];
    }
    std::printf("  %-16s %6lld members  model+takeoff %7.2f ms  structure check %6.3f ms (%lld rows)  exports %7.2f ms "
                "(%lld bytes)  --build peak %ld kB\n",
                largest ? "50 x 50 ft" : "8 x 10 ft", static_cast<long long>(f.members), f.model, f.structure,
                static_cast<long long>(f.checks), f.exports, static_cast<long long>(bytesOut), f.peak);
    std::printf("  %-16s IFC export %7.2f ms (%lld bytes), glTF export %7.2f ms%s\n", "", f.ifc,
                static_cast<long long>(ifcBytes), f.glb,
                f.basePeak ? qPrintable(QStringLiteral(", baseline host's --build peak %1 kB").arg(f.basePeak)) : "");
    std::printf("  %-16s hidden lines, five views %7.2f ms (%lld edges, %lld strokes); plan set PDF %7.2f ms "
                "(%d sheets)\n",
                "", f.hidden, static_cast<long long>(f.edges), static_cast<long long>(f.strokes), f.plans, f.pages);
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    // Before anything large or any thread.
    startLauncher();
    // The plans paint text: fonts need a GUI application, which needs no display offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    QTemporaryDir dir;
    std::printf("Shed model, median of %d runs:\n", runs);
    const Figures small = measure(false, runs, dir);
    const Figures large = measure(true, runs, dir);
    std::printf("Largest against the 8 x 10 ft shed: members x%.1f, model+takeoff x%.1f, exports x%.1f, "
                "--build peak memory x%.2f (target under x1.5)\n",
                double(large.members) / small.members, large.model / small.model, large.exports / small.exports,
                double(large.peak) / small.peak);
    std::printf(
        "Largest against its targets: model+takeoff %.2f ms of 10 ms, exports %.2f ms of 100 ms, structure check "
        "%.3f ms of 1 ms (x%.3f of model+takeoff, %lld rows)\n",
        large.model, large.exports, large.structure, large.structure / large.model,
        static_cast<long long>(large.checks));
    std::printf("Largest IFC export %.2f ms of 200 ms (x%.2f the glTF export)\n", large.ifc, large.ifc / large.glb);
    std::printf("Largest hidden lines, five views: %.2f ms (x%.1f the 8 x 10 ft shed's, x%.2f model+takeoff)\n",
                large.hidden, large.hidden / small.hidden, large.hidden / large.model);
    std::printf("Largest plan set PDF %.2f ms of 1000 ms (x%.1f the 8 x 10 ft shed's; hidden lines x%.2f of it)\n",
                large.plans, large.plans / small.plans, large.hidden / large.plans);
    if (large.basePeak)
        std::printf("Largest --build peak memory against the baseline host: x%.2f (target under x1.5)\n",
                    double(large.peak) / large.basePeak);
    return 0;
}
