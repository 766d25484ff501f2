// Times every screen transition of the 3D path, in-process: Next (or the picture click)
// pressed to the next screen shown and painted, first showings (with Form_Load) and,
// after Back down the chain, showings again; and Finish to the data file written
// (launch to a recording host). For scale, the same run times showing a bare QDialog of
// the screens' size (6768 x 3984 twips) to its paint.
//
// Usage: QT_QPA_PLATFORM=offscreen bench_transitions [runs]   (offscreen is the default)
//        bench_transitions --first-pass    one first pass only, for callgrind
#include "app/Appearance.h"
#include "app/Twips.h"
#include "screens/screen1.h"
#include "screens/screen10.h"
#include "screens/screen12.h"
#include "screens/screen13.h"
#include "screens/screen3.h"
#include "screens/screen4.h"
#include "screens/screen5.h"
#include "screens/screen8.h"
#include "tests/support/TestHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

using namespace corvelle;
using corvelle::test::Harness;

namespace {

// Remembers which windows have had a paint event since the last reset.
class PaintWatch : public QObject {
public:
    PaintWatch() { qApp->installEventFilter(this); }
    void reset() { painted_.clear(); }
    // Runs the event loop until the window has painted; false after five seconds without.
    bool waitFor(QWidget *window)
    {
        QElapsedTimer limit;
        limit.start();
        while (!painted_.contains(window)) {
            if (limit.elapsed() > 5000)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        // The rest of the same flush: the window's controls.
        QCoreApplication::processEvents();
        return true;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            painted_.insert(static_cast<QWidget *>(watched)->window());
        return false;
    }

private:
    QSet<QWidget *> painted_;
};

struct Sample {
    QString name;
    double ms;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

void fail(const char *what)
{
    std::fprintf(stderr, "bench_transitions: %s\n", what);
    std::exit(1);
}

double msSince(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

// A fresh bare dialog of the screens' client size: milliseconds from show() to its first
// paint, and from its construction to that paint.
struct Bare {
    double show;
    double built;
};

Bare bareDialog(PaintWatch &paints)
{
    paints.reset();
    QElapsedTimer built;
    built.start();
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    dialog.setFixedSize(TwipsToPixels(6768), TwipsToPixels(3984));
    QElapsedTimer t;
    t.start();
    dialog.show();
    if (!paints.waitFor(&dialog))
        fail("the bare dialog never painted");
    return {msSince(t), msSince(built)};
}

// One whole 3D path on a fresh wizard (the worked example's choices, so that every
// screen on the way, the ramp screen included, is visited).
std::vector<Sample> onePath(PaintWatch &paints)
{
    Harness h;
    std::vector<Sample> samples;
    QElapsedTimer t;

    // Press, then wait for whichever screen the wizard shows.
    auto press = [&](QWidget *control, const char *from, const char *suffix = "") {
        paints.reset();
        t.start();
        QTest::mouseClick(control, Qt::LeftButton);
        WizardScreen *shown = h.visible();
        if (!shown)
            fail("no single screen shown after a press");
        if (!paints.waitFor(shown))
            fail("a screen never painted");
        samples.push_back({QStringLiteral("%1 -> screen%2%3")
                               .arg(QLatin1String(from))
                               .arg(int(shown->id()))
                               .arg(QLatin1String(suffix)),
                           msSince(t)});
        return shown;
    };

    paints.reset();
    t.start();
    h.wizard.start();
    if (!paints.waitFor(h.visible()))
        fail("screen1 never painted");
    samples.push_back({QStringLiteral("start -> screen1"), msSince(t)});

    press(h.screen<screen1>(ScreenId::Screen1)->Image3, "screen1 (3D picture)");
    auto *s3 = h.screen<screen3>(ScreenId::Screen3);
    s3->Text1->setText(QStringLiteral("12"));
    s3->Text2->setText(QStringLiteral("16"));
    press(s3->Command5, "screen3");
    auto *s4 = h.screen<screen4>(ScreenId::Screen4);
    s4->Option2->setChecked(true);
    s4->Combo1->setCurrentIndex(1);
    press(s4->Command5, "screen4");
    auto *s5 = h.screen<screen5>(ScreenId::Screen5);
    s5->Option3->setChecked(true);
    s5->Combo1->setCurrentIndex(2);
    press(s5->Command5, "screen5");
    press(h.screen<WizardScreen>(ScreenId::Screen6)->Command5, "screen6");
    press(h.screen<WizardScreen>(ScreenId::Screen7)->Command5, "screen7");
    auto *s8 = h.screen<screen8>(ScreenId::Screen8);
    s8->Text2->setText(QStringLiteral("4"));
    s8->Text1->setText(QStringLiteral("7"));
    press(s8->Command5, "screen8");
    press(h.screen<WizardScreen>(ScreenId::Screen9)->Command5, "screen9");
    h.screen<screen10>(ScreenId::Screen10)->Option1->setChecked(true);
    press(h.screen<WizardScreen>(ScreenId::Screen10)->Command5, "screen10");
    h.screen<screen12>(ScreenId::Screen12)->Option1->setChecked(true);
    press(h.screen<WizardScreen>(ScreenId::Screen12)->Command5, "screen12");

    auto *s13 = h.screen<screen13>(ScreenId::Screen13);
    if (!s13 || h.visible() != s13)
        fail("the path did not reach screen13");

    // Shown again: Back down to the size screen and Next up to the last one, every
    // screen now existing with its choices.
    for (WizardScreen *at = s13; at->id() != ScreenId::Screen3;)
        at = press(at->Command4, qPrintable(QStringLiteral("back from screen%1").arg(int(at->id()))), " (again)");
    for (WizardScreen *at = h.visible(); at->id() != ScreenId::Screen13;)
        at = press(at->Command5, qPrintable(QStringLiteral("screen%1").arg(int(at->id()))), " (again)");
    s13->Option3->setChecked(true);
    t.start();
    QTest::mouseClick(s13->Command5, Qt::LeftButton);
    samples.push_back({QStringLiteral("screen13 Finish -> file written"), msSince(t)});
    if (h.exitStatus() != 0 || h.shedData().count('\n') != 63)
        fail("Finish did not write the data file and end with status 0");
    return samples;
}

} // namespace

// Named outside the anonymous namespace, so callgrind can count it alone
// (--toggle-collect=FirstPass*).
[[gnu::noinline]] void FirstPass(PaintWatch &paints)
{
    onePath(paints);
}

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(WizardFont());
    PaintWatch paints;
    if (argc > 1 && QByteArray(argv[1]) == "--first-pass") {
        // For an instruction count: nothing but one whole first pass in a fresh process.
        FirstPass(paints);
        return 0;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    // One pass of each first: fonts, styles and resources load once per process.
    bareDialog(paints);
    onePath(paints);

    std::vector<QString> order;
    std::map<QString, std::vector<double>> times;
    std::vector<double> bareShow, bareBuilt;
    for (int run = 0; run < runs; ++run) {
        const Bare bare = bareDialog(paints);
        bareShow.push_back(bare.show);
        bareBuilt.push_back(bare.built);
        for (const Sample &s : onePath(paints)) {
            if (!times.count(s.name))
                order.push_back(s.name);
            times[s.name].push_back(s.ms);
        }
    }

    const double bareMedian = median(bareShow);
    std::printf("3D path screen transitions, %d runs, QT_QPA_PLATFORM=%s: press to the next screen painted.\n",
                runs, qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("First showings include creating the screen and its Form_Load; \"(again)\" rows show it again.\n");
    std::printf("Milliseconds; \"x bare\" is the median over the median of showing a bare QDialog of the same size.\n\n");
    std::printf("%-44s %8s %8s %8s\n", "transition", "median", "p90", "x bare");
    std::vector<double> firstShowings, shownAgain, perRunFirst(runs, 0.0);
    for (const QString &name : order) {
        const std::vector<double> &v = times[name];
        std::printf("%-44s %8.3f %8.3f %8.1f\n", qPrintable(name), median(v), percentile(v, 0.9), median(v) / bareMedian);
        if (name.startsWith(QLatin1String("screen13 Finish")))
            continue;
        if (name.endsWith(QLatin1String("(again)"))) {
            shownAgain.insert(shownAgain.end(), v.begin(), v.end());
        } else {
            firstShowings.insert(firstShowings.end(), v.begin(), v.end());
            for (int run = 0; run < runs; ++run)
                perRunFirst[run] += v[run];
        }
    }
    std::printf("\n%-44s %8.3f %8.3f %8.1f\n", "bare QDialog: show() -> painted", bareMedian, percentile(bareShow, 0.9), 1.0);
    std::printf("%-44s %8.3f %8.3f %8.1f\n", "bare QDialog: constructed -> painted", median(bareBuilt),
                percentile(bareBuilt, 0.9), median(bareBuilt) / bareMedian);
    std::printf("%-44s %8.3f %8.3f %8.1f\n", "any first showing", median(firstShowings), percentile(firstShowings, 0.9),
                median(firstShowings) / bareMedian);
    std::printf("%-44s %8.3f %8.3f %8.1f\n", "any showing again", median(shownAgain), percentile(shownAgain, 0.9),
                median(shownAgain) / bareMedian);
    std::printf("%-44s %8.3f %8.3f\n", "whole first pass, start to screen13", median(perRunFirst), percentile(perRunFirst, 0.9));
    std::printf("bare dialog: %d x %d pixels\n", TwipsToPixels(6768), TwipsToPixels(3984));
    return 0;
}
