// The 3D document of the largest design the wizard allows (50 x 50 ft, 20 ft walls, studs
// at 12 in, 8 ft doors and ramps at both ends, a gambrel roof): from the start macro to the
// first frame on screen, and orbiting it, against the same window showing a 4 x 4 ft shed,
// measured in the same run. Needs an X server with Mesa (xvfb-run).
// The start macro runs through the host's model and views as the bus adaptor calls
// them; the bus round trip itself is bench_host_launch's.
#include "refhost/model/Application.h"
#include "refhost/model/Document.h"
#include "refhost/shedview/ShedView.h"
#include "refhost/view3d/LinkedView3D.h"
#include "refhost/view3d/ModelView3D.h"
#include "refhost/views/DocumentView.h"
#include "refhost/views/HostWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

using namespace corvelle;
using namespace corvelle::refhost;

namespace {

// The wizard's 63 lines with the size and stud centres replaced (joist centres are fixed),
// and for the largest design also its walls, doors, ramps and roof.
QByteArray shedData(const QByteArray &sample, bool largest)
{
    QList<QByteArray> lines = sample.split('\n');
    auto set = [&](int line, const QByteArray &value) {
        QByteArray &l = lines[line - 1];
        l = value.leftJustified(12, ' ') + l.mid(12);
    };
    auto setLine = [&](int line, const QByteArray &text) { lines[line - 1] = text + '\r'; };
    set(1, largest ? "50" : "4");
    set(2, largest ? "50" : "4");
    set(24, largest ? "12" : "16");
    if (largest) {
        set(25, "20");         // inner height, feet
        setLine(45, "Both");   // main door
        set(47, "8");          // door width and height, feet
        set(48, "8");
        setLine(50, "Both");   // ramps
        setLine(53, "Barn");   // gambrel roof
    }
    return lines.join('\n');
}

struct Figures {
    double firstFrameMs = 0;
    double orbitFps[5] = {}; // by shading mode
    int members = 0;
};

Figures run(const QString &folder, const QByteArray &data)
{
    QFile f(folder + QStringLiteral("/Program Data/ShedData.txt"));
    f.open(QIODevice::WriteOnly);
    f.write(data);
    f.close();
    Application app(folder);
    HostWindow window(app);
    window.resize(1280, 760);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::exit(1);
    Document *doc = app.addDocument();
    QTest::qWait(50);

    Figures out;
    QElapsedTimer clock;
    clock.start();
    if (const HostOutcome failed = app.runMacro(*doc, QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq"))) {
        std::fprintf(stderr, "the start macro failed: %s\n", qPrintable(failed->message));
        std::exit(1);
    }
    ShedView *shed = window.activeView()->shedView();
    auto *view = qobject_cast<view3d::ModelView3D *>(shed->view3d());
    QSignalSpy shown(view, &view3d::ModelView3D::frameShown);
    if (!shown.wait(30000))
        std::exit(1);
    out.firstFrameMs = clock.nsecsElapsed() / 1e6;
    out.members = int(shed->model().members.size());

    constexpr int Frames = 60;
    auto orbit = [&](int frames) {
        for (int i = 0; i < frames; ++i) {
            const int before = int(shown.count());
            view->orbit(3, 0);
            while (shown.count() == before)
                // Sleeps until the frame's event: the timed overload of processEvents polls,
                // and a polling GUI thread takes a core from Mesa's rasteriser threads.
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    };
    const QByteArray only = qgetenv("BENCH_VIEW3D_MODES"); // e.g. "2": hidden line alone, to profile
    for (int mode = 1; mode <= 4; ++mode) {
        if (!only.isEmpty() && !only.contains(char('0' + mode)))
            continue;
        view->setShading(shed::Shading(mode));
        orbit(3); // the mode's first frames build its pipeline
        clock.restart();
        orbit(Frames);
        out.orbitFps[mode] = Frames / (clock.nsecsElapsed() / 1e9);
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    view3d::useLinkedView3D(); // the view's own types, to drive it; the plugin's load is not timed here
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SHEDDATA MACRO_DIR [RUNS]\n", argv[0]);
        return 2;
    }
    QFile sampleFile(QString::fromLocal8Bit(argv[1]));
    if (!sampleFile.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray sample = sampleFile.readAll();
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("Program Data")));
    QFile::copy(QString::fromLocal8Bit(argv[2]) + QStringLiteral("/Q&V_1_Start.mrq"),
                dir.filePath(QStringLiteral("Program Data/Q&V_1_Start.mrq")));

    const QByteArray small = shedData(sample, false), large = shedData(sample, true);
    run(dir.path(), large); // warm caches and the shader pipeline
    std::vector<double> sf, lf, so[5], lo[5];
    int smallMembers = 0, largeMembers = 0;
    for (int i = 0; i < runs; ++i) {
        const Figures s = run(dir.path(), small), l = run(dir.path(), large);
        sf.push_back(s.firstFrameMs);
        lf.push_back(l.firstFrameMs);
        for (int m = 1; m <= 4; ++m) {
            so[m].push_back(s.orbitFps[m]);
            lo[m].push_back(l.orbitFps[m]);
        }
        smallMembers = s.members;
        largeMembers = l.members;
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    };
    std::printf("start macro to first 3D frame, median of %d runs: 4 x 4 ft (%d members) %.0f ms, "
                "largest, 50 x 50 ft (%d members) %.0f ms (target < 500 ms); ratio %.2f\n",
                runs, smallMembers, median(sf), largeMembers, median(lf), median(lf) / median(sf));
    const char *names[] = {"", "wireframe", "hidden line", "flat", "smooth"};
    for (int m = 1; m <= 4; ++m)
        if (!lo[m].empty() && lo[m].front() > 0)
            std::printf("orbit in %s, median: 4 x 4 ft %.1f fps, 50 x 50 ft %.1f fps (target >= 30); ratio %.2f\n",
                        names[m], median(so[m]), median(lo[m]), median(lo[m]) / median(so[m]));
    return 0;
}
