#include "app/Twips.h"
#include "screens/screen10.h"
#include "screens/screen11.h"
#include "screens/screen12.h"
#include "screens/screen13.h"
#include "tests/support/ScreenDriving.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

screen10 *openRoofType(Harness &h) { return h.show<screen10>(ScreenId::Screen10); }

} // namespace

class Screen10Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        Harness h;
        auto *s = openRoofType(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (8 of 9)   Choose your Roof Type . . ."));
        QCOMPARE(s->Frame1->title(), QStringLiteral("Roof Types "));
        QCOMPARE(s->Option1->text(), QStringLiteral("Gable"));
        QCOMPARE(s->Option2->text(), QStringLiteral("Barn"));
        QCOMPARE(s->Frame1->geometry(), TwipsRect(120, 120, 6375, 3135));
        QCOMPARE(s->Image1->parentWidget(), s->Frame1);
        QCOMPARE(s->Image1->geometry(), TwipsRect(240, 216, 2328, 1656));
        QCOMPARE(s->Image2->geometry(), TwipsRect(3240, 240, 2328, 1656));
        QCOMPARE(s->Option1->geometry(), TwipsRect(1200, 2640, 1095, 375));
        QCOMPARE(s->Option2->geometry(), TwipsRect(4320, 2640, 975, 375));
        QCOMPARE(s->Image1->pixmap().size(), QSize(192, 136));
        QCOMPARE(s->Image2->pixmap().size(), QSize(192, 136));
        QVERIFY(s->Image1->hasScaledContents());
        QCOMPARE(s->Command5->geometry(), TwipsRect(4680, 3600, 1125, 345));
        QVERIFY(!s->Option1->isChecked());
        QVERIFY(!s->Option2->isChecked());

        QCOMPARE(s->Command3->nextInFocusChain(), static_cast<QWidget *>(s->Option1));
        QCOMPARE(s->Option1->nextInFocusChain(), static_cast<QWidget *>(s->Option2));
        QCOMPARE(s->Option2->nextInFocusChain(), static_cast<QWidget *>(s->Command4));
        QCOMPARE(s->Command4->nextInFocusChain(), static_cast<QWidget *>(s->Command5));
    }

    void largeFontsMoveOnlyThePictures()
    {
        Harness h(17);
        auto *s = openRoofType(h);
        QCOMPARE(s->Image1->pos(), TwipsRect(360, 480, 0, 0).topLeft());
        QCOMPARE(s->Image1->size(), TwipsRect(240, 216, 2328, 1656).size());
        QCOMPARE(s->Image2->pos(), TwipsRect(3240, 480, 0, 0).topLeft());
        QCOMPARE(s->Option1->geometry(), TwipsRect(1200, 2640, 1095, 375));
    }

    // Taking the focus is not a choice: the user must pick a roof type.
    void focusSelectsNothing()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        auto *s = openRoofType(h);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        QCOMPARE(s->focusWidget(), static_cast<QWidget *>(s->Option1));
        QVERIFY(!s->Option1->isChecked());
        // Enter there is Next, not the Cancel that would end the program.
        QTest::keyClick(s->Option1, Qt::Key_Return);
        QVERIFY(!h.ended());
        QCOMPARE(h.visible(), s);
        s->Command3->setFocus();
        QTest::keyClick(s->Command3, Qt::Key_Tab);
        QCOMPARE(s->focusWidget(), static_cast<QWidget *>(s->Option1));
        QVERIFY(!s->Option1->isChecked());
        QVERIFY(!s->Option2->isChecked());
    }

    void branches_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<int>("option"); // 0 none, 1 Gable, 2 Barn
        QTest::addColumn<QString>("roofBefore");
        QTest::addColumn<QString>("trussesBefore");
        QTest::addColumn<QString>("roofAfter");
        QTest::addColumn<QString>("trussesAfter");
        QTest::addColumn<int>("shown");

        QTest::newRow("15 gable") << "15" << 1 << "" << "" << "Gable" << "" << 12;
        QTest::newRow("15.5 gable") << "15.5" << 1 << "" << "" << "Gable" << "1" << 13;
        QTest::newRow("16 barn") << "16" << 2 << "" << "0" << "Barn" << "1" << 13;
        QTest::newRow("12 barn") << "12" << 2 << "Gable" << "0" << "Barn" << "0" << 11;
        QTest::newRow("12 none, nothing stored") << "12" << 0 << "" << "" << "" << "" << 10;
        QTest::newRow("12 none, barn stored") << "12" << 0 << "Barn" << "1" << "Barn" << "1" << 11;
        QTest::newRow("12 none, gable stored") << "12" << 0 << "Gable" << "" << "Gable" << "" << 12;
        QTest::newRow("20 none, nothing stored") << "20" << 0 << "" << "" << "" << "1" << 13;
        QTest::newRow("20 none, gable stored") << "20" << 0 << "Gable" << "0" << "Gable" << "1" << 13;
    }

    void branches()
    {
        QFETCH(QString, width);
        QFETCH(int, option);
        QFETCH(QString, roofBefore);
        QFETCH(QString, trussesBefore);
        QFETCH(QString, roofAfter);
        QFETCH(QString, trussesAfter);
        QFETCH(int, shown);

        Harness h;
        h.design.ShedWidth = width;
        h.design.RoofType = roofBefore;
        h.design.Trusses = trussesBefore;
        auto *s = openRoofType(h);
        if (option == 1)
            choose(s->Option1);
        else if (option == 2)
            choose(s->Option2);
        QCOMPARE(s->Option1->isChecked(), option == 1);
        QCOMPARE(s->Option2->isChecked(), option == 2);

        QTest::mouseClick(s->Command5, Qt::LeftButton);

        QCOMPARE(h.design.RoofType, roofAfter);
        QCOMPARE(h.design.Trusses, trussesAfter);
        QVERIFY(h.visible());
        QCOMPARE(h.visible()->id(), static_cast<ScreenId>(shown));
        // A wide shed never passes a roofing screen.
        if (shown == 13) {
            QVERIFY(!h.wizard.find(ScreenId::Screen11));
            QVERIFY(!h.wizard.find(ScreenId::Screen12));
        }
        QVERIFY(!h.ended());
        QVERIFY(h.messages.messages.empty());
    }

    void enterPressesNext()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("10");
        auto *s = openRoofType(h);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        choose(s->Option2);
        QCOMPARE(s->focusWidget(), static_cast<QWidget *>(s->Option2));
        QTest::keyClick(s->Option2, Qt::Key_Return);
        QCOMPARE(h.visible()->id(), ScreenId::Screen11);
    }

    // Back follows the fixed edge to the ramp screen, also after a gravel skip,
    // and the roof type chosen here is still selected on return.
    void backAndReturn()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("10");
        h.design.FloorType = QStringLiteral("0");
        auto *s = openRoofType(h);
        choose(s->Option1);
        QTest::mouseClick(s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible()->id(), ScreenId::Screen9);
        QVERIFY(h.design.RoofType.isEmpty());

        h.wizard.moveTo(*h.visible(), ScreenId::Screen10);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        QVERIFY(s->Option1->isChecked());
        QVERIFY(!s->Option2->isChecked());
    }

    void escapeEnds()
    {
        Harness h;
        auto *s = openRoofType(h);
        QTest::keyClick(s->Option1, Qt::Key_Escape);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.shedData().isEmpty());
    }
};

QTEST_MAIN(Screen10Test)
#include "test_screen10.moc"
