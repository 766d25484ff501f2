// The 3D path from the first screen's picture to the host's start macro: the wizard
// in-process, driven through its widgets, against a corvelle-host on the test's bus.
#include "Driving.h"

#include "bus/BusContract.h"

#include "screens/screen1.h"
#include "screens/screen10.h"
#include "screens/screen11.h"
#include "screens/screen12.h"
#include "screens/screen13.h"
#include "screens/screen3.h"
#include "screens/screen4.h"
#include "screens/screen5.h"
#include "screens/screen6.h"
#include "screens/screen7.h"
#include "screens/screen8.h"
#include "screens/screen9.h"

#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QTimer>

using namespace corvelle;
using namespace corvelle::e2e;
using namespace corvelle::testing;

namespace {

#define RETURN_IF_FAILED()               \
    do {                                 \
        if (QTest::currentTestFailed())  \
            return;                      \
    } while (false)

const QStringList Calls3D{"BringToTop", "Get Documents", "Add", "Get ActiveDocument", "RunMorvish"};
const QString StartMacro = QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq");

QString shedDataPath(const Harness &h)
{
    return QDir(h.programFolder()).filePath(QStringLiteral("Program Data/ShedData.txt"));
}

// The worked example's file with some of its lines (numbered from 1) replaced.
QByteArray exampleWith(const QMap<int, QByteArray> &replaced)
{
    QList<QByteArray> lines = sampleShedDataLines();
    for (auto it = replaced.begin(); it != replaced.end(); ++it)
        lines[it.key() - 1] = it.value();
    return joinCrLf(lines);
}

// Compares line by line first, so a failure names the line rather than a blob.
void compareFiles(const QByteArray &actual, const QByteArray &expected)
{
    const QList<QByteArray> got = actual.split('\n');
    const QList<QByteArray> want = expected.split('\n');
    for (qsizetype i = 0; i < std::min(got.size(), want.size()); ++i)
        QVERIFY2(got[i] == want[i], qPrintable(QStringLiteral("line %1: \"%2\", expected \"%3\"")
                                                   .arg(i + 1)
                                                   .arg(QString::fromLatin1(got[i]).remove(u'\r'),
                                                        QString::fromLatin1(want[i]).remove(u'\r'))));
    QCOMPARE(actual, expected);
}

// From the first screen to screen3 through the 3D picture.
void open3D(Harness &h)
{
    h.wizard.start();
    auto *s1 = shown<screen1>(h, ScreenId::Screen1);
    QVERIFY(s1);
    click(s1->Image3);
}

void sizeScreen(Harness &h, const QString &width, const QString &depth)
{
    auto *s = shown<screen3>(h, ScreenId::Screen3);
    QVERIFY(s);
    retype(s->Text1, width);
    retype(s->Text2, depth);
    QCOMPARE(s->Text1->text(), width);
    QCOMPARE(s->Text2->text(), depth);
    QCOMPARE(s->Text3->text(), QStringLiteral("8"));
    click(s->Command5);
}

void choose(QRadioButton *option)
{
    click(option);
    QVERIFY2(option->isChecked(), qPrintable(option->text()));
}

// Picks on a screen's options, then Next.
template <typename Screen>
void options(Harness &h, ScreenId id, std::initializer_list<QRadioButton *Screen::*> picks)
{
    auto *s = shown<Screen>(h, id);
    QVERIFY(s);
    for (auto pick : picks) {
        choose(s->*pick);
        RETURN_IF_FAILED();
    }
    click(s->Command5);
}

void floorScreen(Harness &h, QRadioButton *screen4::*floor, QComboBox *screen4::*list = nullptr, const QString &item = {})
{
    auto *s = shown<screen4>(h, ScreenId::Screen4);
    QVERIFY(s);
    choose(s->*floor);
    RETURN_IF_FAILED();
    if (list) {
        QVERIFY((s->*list)->isVisible());
        pick(s->*list, item);
        QCOMPARE((s->*list)->currentText(), item);
    }
    click(s->Command5);
}

void studScreen(Harness &h, QRadioButton *screen5::*studs, QRadioButton *screen5::*spacing, const QString &height)
{
    auto *s = shown<screen5>(h, ScreenId::Screen5);
    QVERIFY(s);
    choose(s->*studs);
    choose(s->*spacing);
    RETURN_IF_FAILED();
    pick(s->Combo1, height);
    QCOMPARE(s->Combo1->currentText(), height);
    click(s->Command5);
}

void doorScreen(Harness &h, QRadioButton *screen8::*side, const QString &width, const QString &height)
{
    auto *s = shown<screen8>(h, ScreenId::Screen8);
    QVERIFY(s);
    choose(s->*side);
    RETURN_IF_FAILED();
    retype(s->Text2, width);
    retype(s->Text1, height);
    click(s->Command5);
}

void back(Harness &h, ScreenId id)
{
    auto *s = shown<WizardScreen>(h, id);
    QVERIFY(s);
    click(s->Command4);
}

// The worked example's choices, up to the last screen (Finish not pressed).
void workedExample(Harness &h)
{
    open3D(h);
    sizeScreen(h, QStringLiteral("12"), QStringLiteral("16"));
    RETURN_IF_FAILED();
    floorScreen(h, &screen4::Option2, &screen4::Combo1, QStringLiteral("6 inches"));
    RETURN_IF_FAILED();
    studScreen(h, &screen5::Option3, &screen5::Option4, QStringLiteral("10 feet high"));
    RETURN_IF_FAILED();
    options<screen6>(h, ScreenId::Screen6, {&screen6::Option2, &screen6::Option4}); // Sheetrock, 1/2 inch
    RETURN_IF_FAILED();
    options<screen7>(h, ScreenId::Screen7, {&screen7::Option1}); // Siding
    RETURN_IF_FAILED();
    doorScreen(h, &screen8::Option2, QStringLiteral("4"), QStringLiteral("7")); // Front
    RETURN_IF_FAILED();
    options<screen9>(h, ScreenId::Screen9, {&screen9::Option2}); // ramp Front
    RETURN_IF_FAILED();
    options<screen10>(h, ScreenId::Screen10, {&screen10::Option1}); // Gable
    RETURN_IF_FAILED();
    options<screen12>(h, ScreenId::Screen12, {&screen12::Option1}); // Gable Trusses
    RETURN_IF_FAILED();
    auto *s13 = shown<screen13>(h, ScreenId::Screen13);
    QVERIFY(s13);
    choose(s13->Option3); // QuickShade
}

// Owns the host's name on a connection of its own and never answers a call.
class SilentHost : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &, const QDBusConnection &) override { return true; }
};

class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget *watched) { watched->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Finish, with the host journal and the data file read at the moment screen13 hides.
struct FinishSeen {
    QStringList callsAtHide;
    QByteArray fileAtHide;
    int hides = 0;
};

FinishSeen finish(Harness &h, const HostProcess &host)
{
    FinishSeen seen;
    auto *s13 = h.screen<screen13>(ScreenId::Screen13);
    HideWitness witness(s13, [&] {
        seen.callsAtHide = journalCalls(host.journalFile());
        seen.fileAtHide = ReadFile(shedDataPath(h));
    });
    click(s13->Command5);
    seen.hides = witness.hides;
    return seen;
}

// A finished 3D run: launched once, no report, status 0, nothing left on screen,
// the file byte for byte and the host's calls exactly.
void expectLaunched(Harness &h, const HostProcess &host, const FinishSeen &seen, const QByteArray &expected)
{
    QVERIFY2(h.messages.failures.isEmpty(), qPrintable(h.messages.failures.join(u"\n")));
    QVERIFY(h.messages.messages.empty());
    QCOMPARE(h.exit.statuses, std::vector<int>{0});
    QCOMPARE(VisibleWindows(), QStringList());
    compareFiles(ReadFile(shedDataPath(h)), expected);
    RETURN_IF_FAILED();

    const QList<QJsonObject> journal = readJournal(host.journalFile());
    QStringList calls;
    for (const QJsonObject &entry : journal) {
        calls << callName(entry);
        QVERIFY2(!entry.contains(QStringLiteral("error")), qPrintable(entry.value(QStringLiteral("error")).toString()));
    }
    QCOMPARE(calls, Calls3D);
    QCOMPARE(journal.last().value(QStringLiteral("args")).toArray(), QJsonArray{StartMacro});

    // screen13 went away once, after the document was there and before the macro was sent,
    // with the whole file already on disk for the macro to read.
    QCOMPARE(seen.hides, 1);
    QCOMPARE(seen.callsAtHide, Calls3D.mid(0, 4));
    QCOMPARE(seen.fileAtHide, expected);
}

} // namespace

class EndToEnd3D : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        // A host left over from an earlier case would answer for the next one.
        QVERIFY(waitForOwner(QDBusConnection::sessionBus(), false));
    }

    void workedExampleReachesTheHost()
    {
        Harness h;
        UseRealHost(h);
        HostProcess host;
        QVERIFY2(host.start(h.programFolder()), qPrintable(host.errorText()));

        workedExample(h);
        RETURN_IF_FAILED();
        const FinishSeen seen = finish(h, host);
        expectLaunched(h, host, seen, sampleShedData());
        // The host read the file and is still there, now holding the model.
        QCOMPARE(host.process().state(), QProcess::Running);
    }

    // Gravel floor: the ramp screen is passed over and the ramp is "None"; a barn roof
    // with supports through its own roofing screen.
    void gravelSkipsTheRamp()
    {
        Harness h;
        UseRealHost(h);
        HostProcess host;
        QVERIFY2(host.start(h.programFolder()), qPrintable(host.errorText()));

        open3D(h);
        sizeScreen(h, QStringLiteral("14"), QStringLiteral("10"));
        RETURN_IF_FAILED();
        floorScreen(h, &screen4::Option1); // Gravel
        RETURN_IF_FAILED();
        studScreen(h, &screen5::Option2, &screen5::Option1, QStringLiteral("9 feet high")); // 2 x 4, 12 inches
        RETURN_IF_FAILED();
        options<screen6>(h, ScreenId::Screen6, {&screen6::Option6, &screen6::Option5}); // Wafer board, 3/4 inch
        RETURN_IF_FAILED();
        options<screen7>(h, ScreenId::Screen7, {&screen7::Option2}); // Vertical Siding
        RETURN_IF_FAILED();
        doorScreen(h, &screen8::Option3, QStringLiteral("5"), QStringLiteral("7")); // Back
        RETURN_IF_FAILED();
        options<screen10>(h, ScreenId::Screen10, {&screen10::Option2}); // Barn
        RETURN_IF_FAILED();
        QVERIFY(!h.screen<screen9>(ScreenId::Screen9));
        options<screen11>(h, ScreenId::Screen11, {&screen11::Option2}); // Barn Supports
        RETURN_IF_FAILED();
        auto *s13 = shown<screen13>(h, ScreenId::Screen13);
        QVERIFY(s13);
        QVERIFY(!h.screen<screen9>(ScreenId::Screen9) && !h.screen<screen12>(ScreenId::Screen12));
        choose(s13->Option2); // Hidden Line

        // clang-format off
        const QByteArray expected = exampleWith({
            {1,  "14          ' X, Feet,         Shed Width"},
            {2,  "10          ' Z, Feet,         Shed Depth"},
            {4,  "0           ' N, Floor Type,   0 = None, 1 = Concrete, 2 = Wood, 3 = Blocks"},
            {5,  "1           ' N, Joist Type,   1 = 2x4, 2 = 2x6"},
            {8,  "3.5         ' Y, Inches,       Joist Height"},
            {10, "0           ' Y, Inches,       Floor Height"},
            {14, "0           ' N, Block Rows,   Number of Block Rows"},
            {21, "3.5         ' X, Inches,       Stud Width"},
            {24, "12          'N, Inches,        Stud Centers along floor"},
            {25, "9           ' Y, Feet,         Inner Height of Shed"},
            {26, "2x4 Studs for walls"},
            {31, "1          ' N, InWallType,   0 = None, 1 = Thin"},
            {34, ".75         ' Z, Inches,       Sheetrock Thickness"},
            {40, ".5          ' X, Feet,         Siding Width"},
            {41, "8           ' Y, Feet,         Siding Height"},
            {43, "Pieces of Vertical Siding"},
            {44, "Steel"},
            {45, "Rear"},
            {47, "5           ' X, Feet,         Main Door Width"},
            {48, "7           ' Y, Feet,         Main Door Height"},
            {50, "None"},
            {53, "Barn"},
            {61, "0           "},
            {63, "2           ' N, Shading,      1 = Wireframe, 2 = Hide, 3 = Flatshade, 4 = SmoothShade"},
        });
        // clang-format on
        const FinishSeen seen = finish(h, host);
        expectLaunched(h, host, seen, expected);
    }

    // Wider than 15 feet: the roof type goes straight to the last screen with trusses.
    void wideShedSkipsRoofing()
    {
        Harness h;
        UseRealHost(h);
        HostProcess host;
        QVERIFY2(host.start(h.programFolder()), qPrintable(host.errorText()));

        open3D(h);
        sizeScreen(h, QStringLiteral("20"), QStringLiteral("24"));
        RETURN_IF_FAILED();
        floorScreen(h, &screen4::Option4, &screen4::Text1, QStringLiteral("3 rows")); // Blocks
        RETURN_IF_FAILED();
        studScreen(h, &screen5::Option3, &screen5::Option5, QStringLiteral("20 feet high")); // 2 x 6, 24 inches
        RETURN_IF_FAILED();
        options<screen6>(h, ScreenId::Screen6, {&screen6::Option3}); // None
        RETURN_IF_FAILED();
        options<screen7>(h, ScreenId::Screen7, {&screen7::Option4}); // Tin
        RETURN_IF_FAILED();
        doorScreen(h, &screen8::Option4, QStringLiteral("10"), QStringLiteral("8")); // Both
        RETURN_IF_FAILED();
        options<screen9>(h, ScreenId::Screen9, {&screen9::Option4}); // ramp Both
        RETURN_IF_FAILED();
        options<screen10>(h, ScreenId::Screen10, {&screen10::Option1}); // Gable
        RETURN_IF_FAILED();
        auto *s13 = shown<screen13>(h, ScreenId::Screen13);
        QVERIFY(s13);
        QVERIFY(!h.screen<screen11>(ScreenId::Screen11) && !h.screen<screen12>(ScreenId::Screen12));
        choose(s13->Option4); // Best

        // clang-format off
        const QByteArray expected = exampleWith({
            {1,  "20          ' X, Feet,         Shed Width"},
            {2,  "24          ' Z, Feet,         Shed Depth"},
            {4,  "3           ' N, Floor Type,   0 = None, 1 = Concrete, 2 = Wood, 3 = Blocks"},
            {10, "0           ' Y, Inches,       Floor Height"},
            {14, "3           ' N, Block Rows,   Number of Block Rows"},
            {24, "24          'N, Inches,        Stud Centers along floor"},
            {25, "20          ' Y, Feet,         Inner Height of Shed"},
            {31, "0          ' N, InWallType,   0 = None, 1 = Thin"},
            {34, ".5          ' Z, Inches,       Sheetrock Thickness"},
            {41, "2.5         ' Y, Feet,         Siding Height"},
            {43, "Pieces of Tin Siding"},
            {44, "Aluminum"},
            {45, "Both"},
            {47, "10          ' X, Feet,         Main Door Width"},
            {48, "8           ' Y, Feet,         Main Door Height"},
            {50, "Both"},
            {61, "1           "},
            {63, "4           ' N, Shading,      1 = Wireframe, 2 = Hide, 3 = Flatshade, 4 = SmoothShade"},
        });
        // clang-format on
        const FinishSeen seen = finish(h, host);
        expectLaunched(h, host, seen, expected);
    }

    // A wide first pass stores trusses; Back to the size screen, width 12, and the gable
    // roofing screen's supports replace them.
    void backToNarrowerWidthEndsWithSupports()
    {
        Harness h;
        UseRealHost(h);
        HostProcess host;
        QVERIFY2(host.start(h.programFolder()), qPrintable(host.errorText()));

        open3D(h);
        sizeScreen(h, QStringLiteral("20"), QStringLiteral("16"));
        RETURN_IF_FAILED();
        floorScreen(h, &screen4::Option3); // Woodframe
        RETURN_IF_FAILED();
        studScreen(h, &screen5::Option2, &screen5::Option4, QStringLiteral("8 feet high")); // 2 x 4, 16 inches
        RETURN_IF_FAILED();
        options<screen6>(h, ScreenId::Screen6, {&screen6::Option2, &screen6::Option1}); // Sheetrock, 1/4 inch
        RETURN_IF_FAILED();
        options<screen7>(h, ScreenId::Screen7, {&screen7::Option3}); // Plywood
        RETURN_IF_FAILED();
        doorScreen(h, &screen8::Option2, QStringLiteral("4"), QStringLiteral("7")); // Front
        RETURN_IF_FAILED();
        options<screen9>(h, ScreenId::Screen9, {&screen9::Option2}); // ramp Front
        RETURN_IF_FAILED();
        options<screen10>(h, ScreenId::Screen10, {&screen10::Option1}); // Gable, 20 feet: no roofing screen
        RETURN_IF_FAILED();
        QVERIFY(shown<screen13>(h, ScreenId::Screen13));
        QCOMPARE(h.design.Trusses, QStringLiteral("1"));

        for (ScreenId id : {ScreenId::Screen13, ScreenId::Screen10, ScreenId::Screen9, ScreenId::Screen8,
                            ScreenId::Screen7, ScreenId::Screen6, ScreenId::Screen5, ScreenId::Screen4}) {
            back(h, id);
            RETURN_IF_FAILED();
        }
        sizeScreen(h, QStringLiteral("12"), QStringLiteral("16"));
        RETURN_IF_FAILED();
        // The later screens kept their choices; Next through them as they stand.
        for (ScreenId id : {ScreenId::Screen4, ScreenId::Screen5, ScreenId::Screen6, ScreenId::Screen7,
                            ScreenId::Screen8, ScreenId::Screen9, ScreenId::Screen10}) {
            auto *s = shown<WizardScreen>(h, id);
            QVERIFY(s);
            click(s->Command5);
        }
        options<screen12>(h, ScreenId::Screen12, {&screen12::Option2}); // Gable Supports
        RETURN_IF_FAILED();
        QVERIFY(shown<screen13>(h, ScreenId::Screen13)); // shading left at None

        // clang-format off
        const QByteArray expected = exampleWith({
            {4,  "2           ' N, Floor Type,   0 = None, 1 = Concrete, 2 = Wood, 3 = Blocks"},
            {5,  "1           ' N, Joist Type,   1 = 2x4, 2 = 2x6"},
            {8,  "3.5         ' Y, Inches,       Joist Height"},
            {10, "0           ' Y, Inches,       Floor Height"},
            {21, "3.5         ' X, Inches,       Stud Width"},
            {25, "8           ' Y, Feet,         Inner Height of Shed"},
            {26, "2x4 Studs for walls"},
            {34, ".25         ' Z, Inches,       Sheetrock Thickness"},
            {41, "4           ' Y, Feet,         Siding Height"},
            {43, "Pieces of Plywood Siding"},
            {44, "Oak"},
            {61, "0           "},
            {63, "1           ' N, Shading,      1 = Wireframe, 2 = Hide, 3 = Flatshade, 4 = SmoothShade"},
        });
        // clang-format on
        const FinishSeen seen = finish(h, host);
        expectLaunched(h, host, seen, expected);
    }

    // No host on the bus: the file is written, then the attach fails and is reported.
    void noHostReportsAfterWritingTheFile()
    {
        Harness h;
        UseRealHost(h);
        workedExample(h);
        RETURN_IF_FAILED();
        click(h.screen<screen13>(ScreenId::Screen13)->Command5);

        QCOMPARE(h.messages.failures.size(), 1);
        QVERIFY2(h.messages.failures[0].contains(QStringLiteral("not running")), qPrintable(h.messages.failures[0]));
        QCOMPARE(h.exit.statuses, std::vector<int>{1});
        compareFiles(ReadFile(shedDataPath(h)), sampleShedData());
        // The launch never got as far as hiding the last screen.
        QVERIFY(h.screen<screen13>(ScreenId::Screen13)->isVisible());
    }

    // A host that takes the first call and never answers: the last screen keeps painting
    // and the silence is reported once the injected timeout has passed.
    void silentHostIsReportedWhileTheScreenPaints()
    {
        QDBusConnection hostBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("silent"));
        SilentHost silent;
        QVERIFY(hostBus.registerVirtualObject(QStringLiteral("/Brasswick"), &silent, QDBusConnection::SubPath));
        QVERIFY(hostBus.registerService(bus::Service));
        Harness h;
        h.context->connectHost = [] { return std::make_unique<DBusHost>(QDBusConnection::sessionBus(), std::chrono::milliseconds(1000)); };
        workedExample(h);
        RETURN_IF_FAILED();
        auto *s13 = h.screen<screen13>(ScreenId::Screen13);
        PaintCount count(s13);
        QTimer repaint;
        connect(&repaint, &QTimer::timeout, s13, qOverload<>(&QWidget::update));
        repaint.start(50);
        click(s13->Command5);

        QCOMPARE(h.messages.failures.size(), 1);
        QVERIFY2(h.messages.failures[0].contains(QStringLiteral("did not answer: no reply to BringToTop after 1.")),
                 qPrintable(h.messages.failures[0]));
        QCOMPARE(h.exit.statuses, std::vector<int>{1});
        QVERIFY2(count.paints >= 5, qPrintable(QString::number(count.paints)));
        compareFiles(ReadFile(shedDataPath(h)), sampleShedData());
        hostBus.unregisterService(bus::Service);
    }

    void refusedMacroIsReported()
    {
        Harness h;
        UseRealHost(h);
        HostProcess host;
        QVERIFY2(host.start(h.programFolder(), {QStringLiteral("--refuse"), QStringLiteral("RunMorvish")}),
                 qPrintable(host.errorText()));
        workedExample(h);
        RETURN_IF_FAILED();
        click(h.screen<screen13>(ScreenId::Screen13)->Command5);

        QCOMPARE(h.messages.failures.size(), 1);
        QVERIFY2(h.messages.failures[0].contains(QStringLiteral("RunMorvish")), qPrintable(h.messages.failures[0]));
        QCOMPARE(h.exit.statuses, std::vector<int>{1});
        QCOMPARE(journalCalls(host.journalFile()), Calls3D);
        compareFiles(ReadFile(shedDataPath(h)), sampleShedData());
    }
};

QTEST_MAIN(EndToEnd3D)
#include "test_e2e_3d.moc"
