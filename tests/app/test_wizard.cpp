#include "app/Twips.h"
#include "app/Wizard.h"
#include "core/Failure.h"
#include "screens/ScreenFactory.h"
#include "tests/support/TestHarness.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

// A bare screen that counts its loads and activations and notes what was visible
// when it was shown, so the shell's mechanics can be seen without any screen's own rules.
class CountingScreen : public WizardScreen {
public:
    CountingScreen(ScreenId id, ScreenContext &context, QStringList &log)
        : WizardScreen(id, context, QStringLiteral("Screen %1").arg(static_cast<int>(id))), log_(log)
    {
        makeButtonBar();
    }
    void Form_Load() override { log_ << QStringLiteral("load %1").arg(static_cast<int>(id())); }
    void Form_Activate() override
    {
        QStringList visible;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && qobject_cast<WizardScreen *>(w))
                visible << w->objectName();
        visible.sort();
        log_ << QStringLiteral("activate %1 with %2").arg(static_cast<int>(id())).arg(visible.join(u','));
    }
    std::function<void()> next = [this] { goNext(); };

protected:
    void Command5_Click() override { next(); }

private:
    QStringList &log_;
};

struct CountingWizard {
    CountingWizard()
    {
        h.wizard.setFactory([this](ScreenId id) {
            return std::make_unique<CountingScreen>(id, *h.context, log);
        });
    }
    CountingScreen *at(ScreenId id) { return static_cast<CountingScreen *>(h.wizard.find(id)); }
    void clickNext(ScreenId id) { QTest::mouseClick(at(id)->Command5, Qt::LeftButton); }
    void clickBack(ScreenId id) { QTest::mouseClick(at(id)->Command4, Qt::LeftButton); }
    Harness h;
    QStringList log;
};

ScreenId S(int n) { return static_cast<ScreenId>(n); }

} // namespace

class WizardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nextEdges()
    {
        ShedDesign d;
        d.FloorType = QStringLiteral("1");
        for (int n = 3; n <= 7; ++n)
            QCOMPARE(NextOf(S(n), d), S(n + 1));
        QCOMPARE(NextOf(S(8), d), S(9));
        QCOMPARE(NextOf(S(9), d), S(10));
        QCOMPARE(NextOf(S(11), d), S(13));
        QCOMPARE(NextOf(S(12), d), S(13));
        QVERIFY(d.RampLocation.isEmpty());
        for (int n : {1, 2, 13})
            QVERIFY(!NextOf(S(n), d));
    }

    void gravelSkipsTheRampScreen()
    {
        ShedDesign d;
        d.FloorType = QStringLiteral("0");
        d.RampLocation = QStringLiteral("Both");
        QCOMPARE(NextOf(S(8), d), S(10));
        QCOMPARE(d.RampLocation, QStringLiteral("None"));
    }

    void roofBranch_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("roof");
        QTest::addColumn<int>("target"); // 0: stays
        QTest::addColumn<QString>("trusses");
        QTest::newRow("15 gable") << "15" << "Gable" << 12 << "0";
        QTest::newRow("15 barn") << "15" << "Barn" << 11 << "0";
        QTest::newRow("15.5 wide") << "15.5" << "Gable" << 13 << "1";
        QTest::newRow("16 barn wide") << "16" << "Barn" << 13 << "1";
        QTest::newRow("no roof type") << "12" << "" << 0 << "0";
        QTest::newRow("lower case is no roof type") << "12" << "gable" << 0 << "0";
        QTest::newRow("wide without roof type") << "20" << "" << 13 << "1";
    }
    void roofBranch()
    {
        QFETCH(QString, width);
        QFETCH(QString, roof);
        QFETCH(int, target);
        QFETCH(QString, trusses);
        ShedDesign d;
        d.ShedWidth = width;
        d.RoofType = roof;
        d.Trusses = QStringLiteral("0");
        const auto next = NextOf(S(10), d);
        QCOMPARE(next ? static_cast<int>(*next) : 0, target);
        QCOMPARE(d.Trusses, trusses);
    }

    void roofBranchOnANonNumberIsAFailure()
    {
        ShedDesign d;
        d.ShedWidth = QStringLiteral("wide");
        QVERIFY_THROWS_EXCEPTION(Failure, NextOf(S(10), d));
    }

    void backEdges()
    {
        QVERIFY(!BackOf(S(1)));
        QCOMPARE(BackOf(S(2)), S(1));
        QCOMPARE(BackOf(S(3)), S(1));
        for (int n = 4; n <= 10; ++n)
            QCOMPARE(BackOf(S(n)), S(n - 1));
        for (int n : {11, 12, 13})
            QCOMPARE(BackOf(S(n)), S(10));
    }

    void showCreatesOnceShowsBeforeHidingAndActivatesEveryTime()
    {
        CountingWizard w;
        w.h.wizard.start();
        QCOMPARE(w.log, QStringList({"load 1", "activate 1 with screen1"}));
        w.log.clear();
        w.h.wizard.moveTo(*w.at(S(1)), S(3));
        // The target is visible before the current screen hides.
        QCOMPARE(w.log, QStringList({"load 3", "activate 3 with screen1,screen3"}));
        QVERIFY(!w.at(S(1))->isVisible());
        w.log.clear();
        w.clickBack(S(3));
        w.clickNext(S(1)); // screen1's counting stand-in has no Next edge: it stays
        w.h.wizard.moveTo(*w.at(S(1)), S(3));
        QCOMPARE(w.log, QStringList({"activate 1 with screen1,screen3", "activate 3 with screen1,screen3"}));
        QCOMPARE(w.h.visible(), w.at(S(3)));
    }

    void nextWalksTheWholeChainAndBackFollowsFixedEdges()
    {
        CountingWizard w;
        w.h.design.FloorType = QStringLiteral("0");
        w.h.design.ShedWidth = QStringLiteral("20");
        w.h.wizard.start();
        w.h.wizard.moveTo(*w.at(S(1)), S(3));
        for (int n = 3; n <= 8; ++n)
            w.clickNext(S(n));
        // Gravel skipped screen9; a wide shed skipped the roofing screens.
        QCOMPARE(w.h.visible(), w.at(S(10)));
        QVERIFY(!w.h.wizard.find(S(9)));
        QCOMPARE(w.h.design.RampLocation, QStringLiteral("None"));
        w.clickNext(S(10));
        QCOMPARE(w.h.visible(), w.at(S(13)));
        QCOMPARE(w.h.design.Trusses, QStringLiteral("1"));
        w.clickBack(S(13));
        QCOMPARE(w.h.visible(), w.at(S(10)));
        w.clickBack(S(10));
        // Back creates the never-shown ramp screen.
        QCOMPARE(w.h.visible(), w.at(S(9)));
        QVERIFY(w.log.contains("load 9"));
        for (int n = 9; n >= 4; --n)
            w.clickBack(S(n));
        QCOMPARE(w.h.visible(), w.at(S(3)));
        w.clickBack(S(3));
        QCOMPARE(w.h.visible(), w.at(S(1)));
        QCOMPARE(w.log.filter(QStringLiteral("load")).size(), 10); // 1, 3..10, 13: each once
        QVERIFY(!w.h.ended());
    }

    void screenKeepsItsPositionAfterTheFirstShow()
    {
        CountingWizard w;
        w.h.wizard.start();
        WizardScreen *first = w.at(S(1));
        const QRect desktop = first->screen()->availableGeometry();
        QVERIFY((first->frameGeometry().center() - desktop.center()).manhattanLength() <= 4);
        w.h.wizard.moveTo(*first, S(3));
        first->move(12, 34);
        w.h.wizard.moveTo(*w.at(S(3)), S(1));
        QCOMPARE(first->pos(), QPoint(12, 34));
    }

    // The whole frame is centred: a title bar taller than the other edges moves the
    // client area down by half their difference, not the frame by half the bar.
    void firstShowCentresTheWholeFrame()
    {
        const QRect available(0, 30, 1280, 770); // a panel across the top
        const QSize client(451, 266);
        const QPoint framed = CentredFramePosition(available, client, QMargins(4, 24, 4, 4));
        const QRect frame(framed, client.grownBy(QMargins(4, 24, 4, 4)));
        QVERIFY((frame.center() - available.center()).manhattanLength() <= 1);
        QCOMPARE(framed, QPoint(410, 268));
        QCOMPARE(CentredFramePosition(available, client, QMargins()), QPoint(414, 282));
    }

    void cancelEscAndCloseBoxEndWithoutWriting()
    {
        for (const QString how : {"cancel", "esc", "close"}) {
            CountingWizard w;
            w.h.wizard.start();
            w.h.wizard.moveTo(*w.at(S(1)), S(3));
            WizardScreen *screen = w.at(S(3));
            if (how == u"cancel")
                QTest::mouseClick(screen->Command3, Qt::LeftButton);
            else if (how == u"esc")
                QTest::keyClick(screen->Command5, Qt::Key_Escape);
            else
                screen->close();
            QCOMPARE(w.h.exit.statuses, std::vector<int>{0});
            // Nothing runs once the program has ended.
            QTest::mouseClick(screen->Command5, Qt::LeftButton);
            QCOMPARE(w.h.visible(), screen->isVisible() ? screen : nullptr);
            QVERIFY(w.h.shedData().isEmpty());
        }
    }

    void escapeIsIgnoredOnTheLastScreenOnly()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        WizardScreen &last = h.wizard.show(S(13));
        QTest::keyClick(last.Command4, Qt::Key_Escape);
        QTest::keyClick(&last, Qt::Key_Escape);
        QVERIFY(!h.ended());
        QVERIFY(last.isVisible());
    }

    void enterPressesTheDefaultButtonButNotFinish()
    {
        CountingWizard w;
        w.h.wizard.start();
        w.h.wizard.moveTo(*w.at(S(1)), S(3));
        QVERIFY(w.at(S(3))->Command5->isDefault());
        QTest::keyClick(w.at(S(3)), Qt::Key_Return);
        QCOMPARE(w.h.visible(), w.at(S(4)));

        Harness h;
        WizardScreen &last = h.wizard.show(S(13));
        QVERIFY(!last.Command5->isDefault());
        // Enter outside the command buttons presses nothing: no button stands in as default.
        QApplication::setActiveWindow(&last);
        auto *option = last.findChild<QRadioButton *>();
        QVERIFY(option);
        option->setFocus();
        QCOMPARE(QApplication::focusWidget(), option);
        QTest::keyClick(option, Qt::Key_Return);
        for (QPushButton *button : last.findChildren<QPushButton *>())
            QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
        QVERIFY(!h.ended());
        QVERIFY(h.shedData().isEmpty());
    }

    void failureEscapingAHandlerIsReportedAndEndsWithStatusOne()
    {
        CountingWizard w;
        w.h.wizard.start();
        w.h.wizard.moveTo(*w.at(S(1)), S(3));
        int after = 0;
        w.at(S(3))->next = [&] {
            throw Failure(QStringLiteral("Writing the file"), QStringLiteral("/x/ShedData.txt"),
                          QStringLiteral("No such file or directory"));
        };
        w.clickNext(S(3));
        QCOMPARE(w.h.messages.failures.size(), 1);
        QVERIFY(w.h.messages.failures.front().contains(u"Writing the file"));
        QVERIFY(w.h.messages.failures.front().contains(u"No such file or directory"));
        QCOMPARE(w.h.exit.statuses, std::vector<int>{1});
        w.at(S(3))->next = [&] { ++after; };
        w.clickNext(S(3));
        QCOMPARE(after, 0);
    }

    void fontProbeThreshold()
    {
        QCOMPARE(FontProbe([] { return 16; }).GetFontMode(), QStringLiteral("Small fonts are enabled"));
        QCOMPARE(FontProbe([] { return 17; }).GetFontMode(), QStringLiteral("Large Fonts"));
        QCOMPARE(FontProbe([] { return 0; }).GetFontMode(), QStringLiteral("Small fonts are enabled"));
        // The real source is the desktop font's cell height, whatever font the screens use.
        QApplication::setFont(QFont(QStringLiteral("Nimbus Sans"), 30));
        const int height = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height();
        QCOMPARE(FontProbe().GetFontMode() == LargeFonts, height > 16);
    }

    // Every screen: its caption, the fixed window and the wizard button bar with its deviations.
    void commonWindowOfEveryScreen()
    {
        const QStringList captions{
            "Choose Your Building Type",
            "Corvelle . . . Choose Your Building Width.",
            "Corvelle    (1 of 9)   Choose your Shed Size . . .",
            "Corvelle    (2 of 9)   Choose your Floor Type . . .",
            "Corvelle    (3 of 9)   Choose your Stud Type . . .",
            "Corvelle    (4 of 9)   Choose your Inner Wall Type . . .",
            "Corvelle    (5 of 9)   Choose your Outer Wall Type . . .",
            "Corvelle    (6 of 9)   Choose your Main Door Type . . .",
            "Corvelle    (7 of 9)   Choose your Ramp Location . . .",
            "Corvelle    (8 of 9)   Choose your Roof Type . . .",
            "Corvelle    (8 of 9)   Choose your Barn Roofing . . .",
            "Corvelle    (8 of 9)   Choose your Gable Roofing . . .",
            "Corvelle    (9 of 9)   Choose your Shading Type. . .",
        };
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        h.design.InnerHeight = QStringLiteral("8 ");
        h.design.FloorType = QStringLiteral("1");
        h.design.MainDoorLocation = QStringLiteral("Front");
        for (int n = 1; n <= 13; ++n) {
            auto screen = MakeScreen(S(n), *h.context);
            QCOMPARE(screen->windowTitle(), captions[n - 1]);
            const QSize client = n == 13 ? QSize(6732, 3960) : QSize(6768, 3984);
            QCOMPARE(screen->size(), QSize(TwipsToPixels(client.width()), TwipsToPixels(client.height())));
            QCOMPARE(screen->minimumSize(), screen->maximumSize());
            QVERIFY(!(screen->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QCOMPARE(screen->keyPreview(), n != 13);
            QCOMPARE(screen->Line1->geometry().width(), TwipsToPixels(6720));
            if (n == 1) {
                QVERIFY(!screen->Command3);
                auto *cancel = screen->findChild<QPushButton *>(QStringLiteral("Command1"));
                QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
                QCOMPARE(cancel->geometry(), TwipsRect(120, 3600, 1125, 345));
                QVERIFY(!cancel->isDefault());
                continue;
            }
            QCOMPARE(screen->Command3->text(), QStringLiteral("&Cancel"));
            QCOMPARE(screen->Command4->text(), QStringLiteral("<<  &Back"));
            QCOMPARE(screen->Command3->geometry(), TwipsRect(120, 3600, 1125, 345));
            QCOMPARE(screen->Command4->geometry(), TwipsRect(3360, 3600, 1125, 345));
            const QString next = n == 2 ? "&Finish" : n == 13 ? "&Finish >>" : "&Next   >>";
            QCOMPARE(screen->Command5->text(), next);
            const int left = n == 12 ? 4800 : 4680;
            const int top = (n == 9 || n == 13) ? 3588 : 3600;
            QCOMPARE(screen->Command5->geometry(), TwipsRect(left, top, 1125, 345));
            QCOMPARE(screen->Command5->isDefault(), n != 13);
        }
    }
};

QTEST_MAIN(WizardTest)
#include "test_wizard.moc"
