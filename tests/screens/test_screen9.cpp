#include "app/Twips.h"
#include "core/ShedDesign.h"
#include "screens/screen8.h"
#include "screens/screen9.h"
#include "tests/support/ScreenDriving.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

void click(Harness &h, ScreenId id, QPushButton *WizardScreen::*button)
{
    QTest::mouseClick(h.wizard.find(id)->*button, Qt::LeftButton);
}

// Chooses the door on the main door screen (showing it first if need be) and
// presses its Next, which leads to the ramp screen on a built floor.
void passDoor(Harness &h, const char *door)
{
    if (!h.wizard.find(ScreenId::Screen8)) {
        h.design.ShedWidth = QStringLiteral("12");
        h.design.InnerHeight = QStringLiteral("8");
        h.wizard.show(ScreenId::Screen8);
    }
    auto *s = h.screen<screen8>(ScreenId::Screen8);
    QCOMPARE(h.visible(), s);
    choose(s->findChild<QRadioButton *>(QString::fromLatin1(door)));
    click(h, ScreenId::Screen8, &WizardScreen::Command5);
}

QString enabledSides(screen9 *s)
{
    QString sides;
    for (QRadioButton *option : {s->Option1, s->Option2, s->Option3, s->Option4})
        sides += option->isEnabled() ? option->text().left(1) : QStringLiteral("-");
    return sides;
}

} // namespace

class Screen9Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        Harness h;
        h.wizard.show(ScreenId::Screen9);
        auto *s = h.screen<screen9>(ScreenId::Screen9);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (7 of 9)   Choose your Ramp Location . . ."));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Ramp Location:"));
        QCOMPARE(s->Image3->geometry(), TwipsRect(3240, 216, 1176, 1848));
        QCOMPARE(s->Image4->geometry(), TwipsRect(4800, 240, 1176, 1848));
        QCOMPARE(s->Image4->pixmap().size(), QSize(96, 152));
        QCOMPARE(s->Option3->geometry(), TwipsRect(3600, 2760, 735, 372));
        QCOMPARE(s->Command5->geometry(), TwipsRect(4680, 3588, 1125, 345));
        QCOMPARE(s->Command4->geometry(), TwipsRect(3360, 3600, 1125, 345));

    }

    // The screen opens on the ramp choice, the first stop after Cancel; when
    // activation rules the choice out, the focus goes with it to "None".
    void opensOnTheRampChoice_data()
    {
        QTest::addColumn<QString>("door");
        QTest::addColumn<QString>("focus");
        QTest::newRow("door front") << "Front" << "Option2";
        QTest::newRow("doors both") << "Both" << "Option2";
        QTest::newRow("door rear") << "Rear" << "Option1";
        QTest::newRow("no door") << "None" << "Option1";
    }
    void opensOnTheRampChoice()
    {
        QFETCH(QString, door);
        QFETCH(QString, focus);
        Harness h;
        h.design.FloorType = QStringLiteral("2");
        h.design.MainDoorLocation = door;
        h.wizard.show(ScreenId::Screen9);
        auto *s = h.screen<screen9>(ScreenId::Screen9);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        QCOMPARE(s->focusWidget()->objectName(), focus);
        QVERIFY(static_cast<QRadioButton *>(s->focusWidget())->isChecked());
    }

    // Tab enters the ramp group at its selected option only, also after
    // activation has moved the selection to "None".
    void tabStopFollowsTheSelection()
    {
        Harness h;
        h.design.FloorType = QStringLiteral("1");
        passDoor(h, "Option4");
        auto *s = h.screen<screen9>(ScreenId::Screen9);
        QCOMPARE(tabWalk(s), (QList<QWidget *>{s->Option2, s->Command5, s->Command4, s->Command3}));
        choose(s->Option3);
        QCOMPARE(tabWalk(s), (QList<QWidget *>{s->Command5, s->Command4, s->Option3, s->Command3}));

        // The door moves to the front: the back ramp that had the focus is ruled out.
        click(h, ScreenId::Screen9, &WizardScreen::Command4);
        passDoor(h, "Option2");
        QCOMPARE(h.visible(), s);
        QVERIFY(s->Option1->isChecked());
        QCOMPARE(tabWalk(s), (QList<QWidget *>{s->Option1, s->Command5, s->Command4, s->Command3}));
    }

    // Which sides activation offers, and where the first showing's "Front" ends up.
    void enabling_data()
    {
        QTest::addColumn<QString>("floor");
        QTest::addColumn<QString>("door");
        QTest::addColumn<QString>("sides"); // N F B B, "-" for disabled
        QTest::addColumn<QString>("stored");
        QTest::newRow("gravel, door both") << "0" << "Both" << "N---" << "None";
        QTest::newRow("gravel, door front") << "0" << "Front" << "N---" << "None";
        QTest::newRow("no door") << "1" << "None" << "N---" << "None";
        QTest::newRow("door front") << "2" << "Front" << "NF--" << "Front";
        QTest::newRow("door rear") << "3" << "Rear" << "N-B-" << "None";
        QTest::newRow("doors both") << "1" << "Both" << "NFBB" << "Front";
    }
    void enabling()
    {
        QFETCH(QString, floor);
        QFETCH(QString, door);
        QFETCH(QString, sides);
        QFETCH(QString, stored);
        Harness h;
        h.design.FloorType = floor;
        h.design.MainDoorLocation = door;
        h.wizard.show(ScreenId::Screen9);
        auto *s = h.screen<screen9>(ScreenId::Screen9);
        QCOMPARE(enabledSides(s), sides);
        click(h, ScreenId::Screen9, &WizardScreen::Command5);
        QCOMPARE(h.design.RampLocation, stored);
        QCOMPARE(h.visible(), h.wizard.find(ScreenId::Screen10));
    }

    void nextStores_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("stored");
        QTest::newRow("none") << "Option1" << "None";
        QTest::newRow("front") << "Option2" << "Front";
        QTest::newRow("back") << "Option3" << "Rear";
        QTest::newRow("both") << "Option4" << "Both";
    }
    void nextStores()
    {
        QFETCH(QString, option);
        QFETCH(QString, stored);
        Harness h;
        h.design.FloorType = QStringLiteral("1");
        passDoor(h, "Option4");
        auto *s = h.screen<screen9>(ScreenId::Screen9);
        QCOMPARE(h.visible(), s);
        choose(s->findChild<QRadioButton *>(option));
        click(h, ScreenId::Screen9, &WizardScreen::Command5);
        QCOMPARE(h.design.RampLocation, stored);
    }

    // The rule follows the door at every showing; an enabled choice is kept, a
    // ruled-out one falls back to "None".
    void activationFollowsTheDoor()
    {
        Harness h;
        h.design.FloorType = QStringLiteral("2");
        passDoor(h, "Option2");
        auto *s = h.screen<screen9>(ScreenId::Screen9);
        QCOMPARE(enabledSides(s), QStringLiteral("NF--"));
        QVERIFY(s->Option2->isChecked());

        click(h, ScreenId::Screen9, &WizardScreen::Command4);
        passDoor(h, "Option4");
        QCOMPARE(h.visible(), s);
        QCOMPARE(enabledSides(s), QStringLiteral("NFBB"));
        choose(s->Option4);
        click(h, ScreenId::Screen9, &WizardScreen::Command5);
        QCOMPARE(h.design.RampLocation, QStringLiteral("Both"));

        click(h, ScreenId::Screen10, &WizardScreen::Command4);
        QCOMPARE(h.visible(), s);
        QVERIFY(s->Option4->isChecked());

        click(h, ScreenId::Screen9, &WizardScreen::Command4);
        passDoor(h, "Option3");
        QCOMPARE(enabledSides(s), QStringLiteral("N-B-"));
        QVERIFY(s->Option1->isChecked());
        choose(s->Option3);
        click(h, ScreenId::Screen9, &WizardScreen::Command5);
        QCOMPARE(h.design.RampLocation, QStringLiteral("Rear"));
    }

    // Skipped on gravel, reached through Back from the roof screen: only "None".
    void gravelReachedThroughBack()
    {
        Harness h;
        h.design.FloorType = QStringLiteral("0");
        passDoor(h, "Option4");
        QCOMPARE(h.visible(), h.wizard.find(ScreenId::Screen10));
        QCOMPARE(h.design.RampLocation, QStringLiteral("None"));
        click(h, ScreenId::Screen10, &WizardScreen::Command4);
        auto *s = h.screen<screen9>(ScreenId::Screen9);
        QCOMPARE(h.visible(), s);
        QCOMPARE(enabledSides(s), QStringLiteral("N---"));
        QVERIFY(s->Option1->isChecked());
        // A click on a ruled-out side changes nothing.
        choose(s->Option4);
        QVERIFY(s->Option1->isChecked());
        click(h, ScreenId::Screen9, &WizardScreen::Command5);
        QCOMPARE(h.design.RampLocation, QStringLiteral("None"));
    }

    void largeFontsMoveOnlyThePictures()
    {
        Harness small;
        Harness large(17);
        small.wizard.show(ScreenId::Screen9);
        large.wizard.show(ScreenId::Screen9);
        auto *normal = small.screen<screen9>(ScreenId::Screen9);
        auto *s = large.screen<screen9>(ScreenId::Screen9);
        const QList<QPair<QLabel *, QPoint>> moved{{s->Image1, {240, 600}}, {s->Image2, {1800, 600}},
                                                   {s->Image3, {3360, 600}}, {s->Image4, {4920, 600}}};
        compareLargeFontsLayout(normal, s, moved);
    }
};

QTEST_MAIN(Screen9Test)
#include "test_screen9.moc"
