// From an accepted edit of the design to the next frame on screen, and from the undo of
// one edit to its frame, for the worked example and the largest design the wizard allows,
// each against opening the same document afresh (start macro to first frame) in the same
// run. Needs an X server with Mesa (xvfb-run).
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
#include <functional>
#include <vector>

using namespace corvelle;
using namespace corvelle::refhost;

namespace {

// The largest design: 50 x 50 ft, 20 ft walls, studs at 12 in, 8 ft doors and ramps at
// both ends, a gambrel roof (as bench_view3d and bench_shed frame it).
QByteArray largest(const QByteArray &sample)
{
    QList<QByteArray> lines = sample.split('\n');
    auto set = [&](int line, const QByteArray &value) {
        QByteArray &l = lines[line - 1];
        l = value.leftJustified(12, ' ') + l.mid(12);
    };
    auto setLine = [&](int line, const QByteArray &text) { lines[line - 1] = text + '\r'; };
    set(1, "50");
    set(2, "50");
    set(24, "12");
    set(25, "20");
    setLine(45, "Both");
    set(47, "8");
    set(48, "8");
    setLine(50, "Both");
    setLine(53, "Barn");
    return lines.join('\n');
}

double elapsedMs(const QElapsedTimer &clock) { return clock.nsecsElapsed() / 1e6; }

// Waits for the view's next frame after `act`; the time from the act to it, in ms.
double toNextFrame(view3d::ModelView3D *view, const std::function<void()> &act)
{
    QSignalSpy shown(view, &view3d::ModelView3D::frameShown);
    QElapsedTimer clock;
    clock.start();
    act();
    if (!shown.wait(30000))
        std::exit(1);
    return elapsedMs(clock);
}

struct Figures {
    std::vector<double> open, edit, undo;
};

void run(const QString &folder, const QByteArray &data, const char *depths[2], Figures &out)
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

    QElapsedTimer clock;
    clock.start();
    if (const HostOutcome failed = app.runMacro(*doc, QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq"))) {
        std::fprintf(stderr, "the start macro failed: %s\n", qPrintable(failed->message));
        std::exit(1);
    }
    auto *view = qobject_cast<view3d::ModelView3D *>(window.activeView()->shedView()->view3d());
    QSignalSpy shown(view, &view3d::ModelView3D::frameShown);
    if (!shown.wait(30000))
        std::exit(1);
    out.open.push_back(elapsedMs(clock));
    QTest::qWait(20);

    for (int i = 0; i < 3; ++i) {
        out.edit.push_back(toNextFrame(view, [&] {
            if (!doc->setDesignField(QStringLiteral("ShedDepth"), QString::fromLatin1(depths[i % 2])).isEmpty())
                std::exit(1);
            doc->sealEdit();
        }));
        out.undo.push_back(toNextFrame(view, [&] { doc->undoStack()->undo(); }));
        doc->undoStack()->redo();
        if (!shown.wait(30000))
            std::exit(1);
    }
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    view3d::useLinkedView3D();
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

    const char *exampleDepths[2] = {"18", "20"}, *largestDepths[2] = {"48", "46"};
    const QByteArray large = largest(sample);
    {
        Figures warm; // caches and the shader pipeline
        run(dir.path(), large, largestDepths, warm);
    }
    Figures example, big;
    for (int i = 0; i < runs; ++i) {
        run(dir.path(), sample, exampleDepths, example);
        run(dir.path(), large, largestDepths, big);
    }
    const auto report = [](const char *name, const Figures &f, int target) {
        const double open = median(f.open), edit = median(f.edit), undo = median(f.undo);
        std::printf("%s: open afresh %.0f ms; edit to next frame %.0f ms (target < %d ms), ratio %.2f; "
                    "undo to next frame %.0f ms, ratio %.2f\n",
                    name, open, edit, target, edit / open, undo, undo / open);
    };
    report("worked example, 12 x 16 ft", example, 60);
    report("largest, 50 x 50 ft", big, 250);
    return 0;
}
