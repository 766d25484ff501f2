#include "app/Twips.h"
#include "screens/screen10.h"
#include "screens/screen11.h"
#include "screens/screen12.h"
#include "tests/support/ScreenDriving.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

// The two roofing screens, barn (screen11) and gable (screen12), share their rules;
// every case runs on both.
namespace {

struct Roofing {
    WizardScreen *s;
    template <typename T>
    T *at(const char *name) const { return s->findChild<T *>(QLatin1String(name)); }
    QGroupBox *frame() const { return at<QGroupBox>("Frame1"); }
    QLabel *image(int n) const { return n == 1 ? at<QLabel>("Image1") : at<QLabel>("Image2"); }
    QRadioButton *option(int n) const { return n == 1 ? at<QRadioButton>("Option1") : at<QRadioButton>("Option2"); }
};

Roofing open(Harness &h, ScreenId id)
{
    return Roofing{h.show(id)};
}

void addScreens()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("kind");
    QTest::newRow("barn") << 11 << "Barn";
    QTest::newRow("gable") << 12 << "Gable";
}

} // namespace

class RoofingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data() { addScreens(); }
    void layout()
    {
        QFETCH(int, screen);
        QFETCH(QString, kind);
        Harness h;
        const Roofing r = open(h, ScreenId(screen));
        const bool barn = screen == 11;
        QCOMPARE(r.s->windowTitle(), QStringLiteral("Corvelle    (8 of 9)   Choose your %1 Roofing . . .").arg(kind));
        QCOMPARE(r.frame()->title(), barn ? QStringLiteral("Barn Roofing") : QStringLiteral("Gable Roofing "));
        QCOMPARE(r.option(1)->text(), kind + QStringLiteral(" Trusses"));
        QCOMPARE(r.option(2)->text(), kind + QStringLiteral(" Supports"));
        QCOMPARE(r.frame()->geometry(), TwipsRect(120, 120, 6375, 3135));
        QCOMPARE(r.image(1)->parentWidget(), r.frame());
        QCOMPARE(r.image(1)->geometry(), TwipsRect(240, 360, 2328, 1656));
        QCOMPARE(r.image(2)->geometry(), TwipsRect(3240, 360, 2376, 1608));
        QCOMPARE(r.image(1)->pixmap().size(), QSize(192, 136));
        QCOMPARE(r.image(2)->pixmap().size(), QSize(196, 132));
        QCOMPARE(r.option(1)->geometry(), TwipsRect(barn ? 840 : 960, 2640, 1455, 375));
        QCOMPARE(r.option(2)->geometry(), TwipsRect(3960, 2640, 1455, 375));
        QCOMPARE(r.s->Command5->geometry(), TwipsRect(barn ? 4680 : 4800, 3600, 1125, 345));
        QVERIFY(!r.option(1)->isChecked());
        QVERIFY(!r.option(2)->isChecked());
        QCOMPARE(r.s->Command3->nextInFocusChain(), static_cast<QWidget *>(r.option(1)));
        QCOMPARE(r.option(1)->nextInFocusChain(), static_cast<QWidget *>(r.option(2)));
        QCOMPARE(r.option(2)->nextInFocusChain(), static_cast<QWidget *>(r.s->Command4));
        QCOMPARE(r.s->Command4->nextInFocusChain(), static_cast<QWidget *>(r.s->Command5));
    }

    void largeFontsMoveOnlyThePictures_data() { addScreens(); }
    void largeFontsMoveOnlyThePictures()
    {
        QFETCH(int, screen);
        Harness h(17);
        const Roofing r = open(h, ScreenId(screen));
        QCOMPARE(r.image(1)->pos(), TwipsRect(360, 480, 0, 0).topLeft());
        QCOMPARE(r.image(2)->pos(), TwipsRect(3240, 480, 0, 0).topLeft());
        QCOMPARE(r.image(1)->size(), TwipsRect(240, 360, 2328, 1656).size());
        QCOMPARE(r.option(1)->geometry(), TwipsRect(screen == 11 ? 840 : 960, 2640, 1455, 375));
    }

    // The screens open on the first option, and taking the focus is not a choice.
    void focusSelectsNothing_data() { addScreens(); }
    void focusSelectsNothing()
    {
        QFETCH(int, screen);
        Harness h;
        const Roofing r = open(h, ScreenId(screen));
        QApplication::setActiveWindow(r.s);
        QVERIFY(QTest::qWaitForWindowActive(r.s));
        QCOMPARE(r.s->focusWidget(), static_cast<QWidget *>(r.option(1)));
        QVERIFY(!r.option(1)->isChecked());
        r.s->Command3->setFocus(Qt::TabFocusReason);
        QTest::keyClick(r.s->Command3, Qt::Key_Tab);
        QCOMPARE(r.s->focusWidget(), static_cast<QWidget *>(r.option(1)));
        QVERIFY(!r.option(1)->isChecked());
        QVERIFY(!r.option(2)->isChecked());
    }

    void nextStoresTheChoice_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("option"); // 0 none, 1 trusses, 2 supports
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        for (int screen : {11, 12}) {
            const char *kind = screen == 11 ? "barn" : "gable";
            QTest::addRow("%s trusses", kind) << screen << 1 << "0" << "1";
            QTest::addRow("%s supports", kind) << screen << 2 << "1" << "0";
            QTest::addRow("%s none keeps empty", kind) << screen << 0 << "" << "";
            QTest::addRow("%s none keeps earlier", kind) << screen << 0 << "1" << "1";
        }
    }

    // Reached from the roof type screen as a user would, for a narrow shed.
    void nextStoresTheChoice()
    {
        QFETCH(int, screen);
        QFETCH(int, option);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        h.design.Trusses = before;
        h.wizard.show(ScreenId::Screen10);
        auto *roof = h.screen<screen10>(ScreenId::Screen10);
        choose(screen == 11 ? roof->Option2 : roof->Option1);
        QTest::mouseClick(roof->Command5, Qt::LeftButton);
        const Roofing r{h.wizard.find(ScreenId(screen))};
        QVERIFY(r.s);
        QCOMPARE(h.visible(), r.s);
        QCOMPARE(h.design.RoofType, screen == 11 ? QStringLiteral("Barn") : QStringLiteral("Gable"));
        QVERIFY(!r.option(1)->isChecked() && !r.option(2)->isChecked());

        if (option > 0)
            choose(r.option(option));
        QTest::mouseClick(r.s->Command5, Qt::LeftButton);
        QCOMPARE(h.design.Trusses, after);
        QCOMPARE(h.visible()->id(), ScreenId::Screen13);
        QVERIFY(h.messages.messages.empty());
    }

    void backKeepsTheSelection_data() { addScreens(); }
    void backKeepsTheSelection()
    {
        QFETCH(int, screen);
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        h.design.Trusses = QStringLiteral("7");
        const Roofing r = open(h, ScreenId(screen));
        choose(r.option(2));
        QTest::mouseClick(r.s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible()->id(), ScreenId::Screen10);
        QCOMPARE(h.design.Trusses, QStringLiteral("7"));
        h.wizard.moveTo(*h.visible(), ScreenId(screen));
        QVERIFY(r.option(2)->isChecked());
        QVERIFY(!r.option(1)->isChecked());
        choose(r.option(1));
        QVERIFY(!r.option(2)->isChecked());
    }

    void escapeEnds_data() { addScreens(); }
    void escapeEnds()
    {
        QFETCH(int, screen);
        Harness h;
        const Roofing r = open(h, ScreenId(screen));
        QTest::keyClick(r.s->Command5, Qt::Key_Escape);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.shedData().isEmpty());
    }
};

QTEST_MAIN(RoofingTest)
#include "test_screen11.moc"
