// The keyboard habits every screen shares: which button Enter presses, the arrow
// keys in option groups, and Esc while a drop-down list is open. Also run under
// Xvfb with the xcb platform, where focus and activation come from a real server.
#include "app/ChoiceFrame.h"
#include "screens/screen1.h"
#include "screens/screen10.h"
#include "screens/screen13.h"
#include "screens/screen2.h"
#include "screens/screen3.h"
#include "screens/screen4.h"
#include "screens/screen5.h"
#include "screens/screen7.h"
#include "screens/screen8.h"
#include "screens/screen9.h"
#include "tests/support/ScreenDriving.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

QList<QPushButton *> defaults(QWidget *screen)
{
    QList<QPushButton *> found;
    for (QPushButton *button : screen->findChildren<QPushButton *>()) {
        if (button->isDefault())
            found << button;
    }
    return found;
}

template <typename Screen>
Screen *showActive(Harness &h, ScreenId id)
{
    return activated(h.show<Screen>(id));
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The last screen has no default button, ever: Qt must not elect one when the
    // screen shows again, nor when a button loses the focus.
    void enterOnTheLastScreenPressesOnlyAFocusedButton()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("20"); // roof type goes straight to shading
        auto *roofType = showActive<screen10>(h, ScreenId::Screen10);
        choose(roofType->Option1);
        next(roofType);
        auto *s = shown<screen13>(h, ScreenId::Screen13);
        QVERIFY(s);
        activate(s);
        QVERIFY(defaults(s).isEmpty());

        // A whole round of Tab, through Back, Finish and Cancel, back to the options.
        const QList<QWidget *> stops = walk(s->Option1, Qt::Key_Tab, 4);
        QVERIFY(stops.contains(s->Command4) && stops.contains(s->Command5));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(s->Option1));
        QVERIFY(defaults(s).isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));

        // Back and Next again.
        click(s->Command4);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(roofType));
        next(roofType);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        activate(s);
        QVERIFY(defaults(s).isEmpty());
        s->Option2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s->Option2, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        QVERIFY(!h.ended());

        s->Command5->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s->Command5, Qt::Key_Return);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(!h.shedData().isEmpty());
    }

    void defaultButtonsAreTheScreensOwn()
    {
        Harness h;
        auto *s1 = showActive<screen1>(h, ScreenId::Screen1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(s1->Command1));
        QVERIFY(defaults(s1).isEmpty()); // focused, still not the default

        auto *s2 = showActive<screen2>(h, ScreenId::Screen2);
        QCOMPARE(defaults(s2), QList<QPushButton *>{s2->Command5});
        // A focused button takes Enter for itself, and Finish stays the default.
        const QPixmap first = s2->Picture1->pixmap();
        s2->Command2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s2->Command2, Qt::Key_Return);
        QVERIFY(s2->Picture1->pixmap().toImage() != first.toImage());
        QCOMPARE(defaults(s2), QList<QPushButton *>{s2->Command5});
        QVERIFY(!h.ended());

        // Enter on the focused Cancel of the first screen presses it.
        activate(s1);
        s1->Command1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s1->Command1, Qt::Key_Return);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
    }

    // The first screen without a mouse: the focus starts on Cancel, Tab goes on to
    // the 2D frame, the 3D frame and round to Cancel; Enter or the space bar on a
    // frame opens its path, and Back returns to the frame the user left from.
    void firstScreenByKeyboardAlone()
    {
        Harness h;
        h.wizard.start();
        auto *s = activated(h.screen<screen1>(ScreenId::Screen1));
        const auto focused = [] { return QApplication::focusWidget(); };
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(focused(), key, modifiers);
        };
        QCOMPARE(focused(), static_cast<QWidget *>(s->Command1));
        // A click on a frame's own area gives it no focus.
        QTest::mouseClick(s->Frame1, Qt::LeftButton, {}, QPoint(20, 6));
        QCOMPARE(focused(), static_cast<QWidget *>(s->Command1));

        // The frame with the focus shows it; mouse users, whose clicks never focus
        // a frame, see the frames as before.
        const QImage unfocused = s->Frame1->grab().toImage();
        press(Qt::Key_Tab);
        QCOMPARE(focused(), static_cast<QWidget *>(s->Frame1));
        QVERIFY(s->Frame1->grab().toImage() != unfocused);
        press(Qt::Key_Backtab);
        QCOMPARE(s->Frame1->grab().toImage(), unfocused);

        QCOMPARE(walk(s->Command1, Qt::Key_Tab, 3), (QList<QWidget *>{s->Command1, s->Frame1, s->Frame2, s->Command1}));
        QCOMPARE(walk(s->Command1, Qt::Key_Backtab, 3),
                 (QList<QWidget *>{s->Command1, s->Frame2, s->Frame1, s->Command1}));
        // Keys a frame does not take change nothing.
        press(Qt::Key_Tab);
        press(Qt::Key_A);
        press(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));

        press(Qt::Key_Tab);
        QCOMPARE(focused(), static_cast<QWidget *>(s->Frame2));
        press(Qt::Key_Space);
        auto *size = shown<screen3>(h, ScreenId::Screen3);
        QVERIFY(size);
        activate(size);
        QCOMPARE(focused(), static_cast<QWidget *>(size->Text1)); // typing goes to the width
        size->Command4->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space); // Back
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        activate(s);
        QCOMPARE(focused(), static_cast<QWidget *>(s->Frame2));

        press(Qt::Key_Backtab);
        press(Qt::Key_Return);
        QVERIFY(shown<screen2>(h, ScreenId::Screen2));
        QVERIFY(!h.ended());

        // Esc still ends the program with a frame focused.
        h.screen(ScreenId::Screen2)->Command4->click();
        activate(s);
        QCOMPARE(focused(), static_cast<QWidget *>(s->Frame1));
        press(Qt::Key_Escape);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
    }

    void arrowsMoveThroughTheGroupAndWrap_data()
    {
        QTest::addColumn<int>("screen");
        QTest::newRow("floor, in a row") << 4;
        QTest::newRow("outer walls, in a row") << 7;
        QTest::newRow("main door, in a row") << 8;
        QTest::newRow("shading, in a row") << 13;
    }
    void arrowsMoveThroughTheGroupAndWrap()
    {
        QFETCH(int, screen);
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        h.design.InnerHeight = QStringLiteral("8");
        h.design.FloorType = QStringLiteral("1");
        WizardScreen *s = showActive<WizardScreen>(h, ScreenId(screen));
        const auto group = [s] {
            QList<QRadioButton *> options;
            for (const char *name : {"Option1", "Option2", "Option3", "Option4"})
                options << s->findChild<QRadioButton *>(QLatin1String(name));
            return options;
        }();
        QVERIFY(!group.contains(nullptr));
        group[0]->click();
        group[0]->setFocus(Qt::TabFocusReason);

        const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        press(Qt::Key_Down);
        QVERIFY(group[1]->isChecked() && group[1]->hasFocus());
        press(Qt::Key_Right);
        QVERIFY(group[2]->isChecked());
        press(Qt::Key_Up);
        QVERIFY(group[1]->isChecked());
        press(Qt::Key_Left);
        press(Qt::Key_Left); // from the first, round to the last
        QVERIFY(group[3]->isChecked() && group[3]->hasFocus());
        press(Qt::Key_Down); // and from the last to the first
        QVERIFY(group[0]->isChecked() && group[0]->hasFocus());
    }

    // Where no option starts chosen, the arrows choose as they move; an option
    // that is ruled out is passed over.
    void arrowsChooseOnTheRoofScreenAndSkipRuledOut()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        auto *roof = showActive<screen10>(h, ScreenId::Screen10);
        QVERIFY(!roof->Option1->isChecked() && !roof->Option2->isChecked());
        roof->Option1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(roof->Option1, Qt::Key_Down);
        QVERIFY(roof->Option2->isChecked() && roof->Option2->hasFocus());
        QTest::keyClick(roof->Option2, Qt::Key_Down);
        QVERIFY(roof->Option1->isChecked() && roof->Option1->hasFocus());

        // A front door only: the ramp can go nowhere but the front.
        h.design.FloorType = QStringLiteral("1");
        h.design.MainDoorLocation = QStringLiteral("Front");
        auto *s9 = showActive<screen9>(h, ScreenId::Screen9);
        s9->Option2->click();
        s9->Option2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s9->Option2, Qt::Key_Right);
        QVERIFY(s9->Option1->isChecked() && s9->Option1->hasFocus());
    }

    void escapeEndsTheProgramWithAListOpen()
    {
        Harness h;
        auto *s = showActive<screen5>(h, ScreenId::Screen5);
        s->Combo1->setFocus(Qt::TabFocusReason);
        s->Combo1->showPopup();
        QAbstractItemView *list = s->Combo1->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
