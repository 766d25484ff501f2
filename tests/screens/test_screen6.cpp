#include "app/Twips.h"
#include "core/ShedDesign.h"
#include "screens/screen6.h"
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

screen6 *open(Harness &h) { return h.show<screen6>(ScreenId::Screen6); }

QList<QRadioButton *> thickness(screen6 *s) { return {s->Option1, s->Option4, s->Option5, s->Option7}; }

} // namespace

class Screen6Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        Harness h;
        auto *s = open(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (4 of 9)   Choose your Inner Wall Type . . ."));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Inner Walls:"));
        QCOMPARE(s->Frame1->title(), QStringLiteral("Inner Wall Material Thickness:"));
        QCOMPARE(s->Option6->text(), QStringLiteral("Wafer board / Plywood"));
        QCOMPARE(s->Option7->text(), QStringLiteral("5/8 inch thick"));
        // Materials live in their frame, thicknesses on the window over the other frame.
        for (QRadioButton *material : {s->Option2, s->Option6, s->Option3})
            QCOMPARE(material->parentWidget(), s->Frame2);
        for (QRadioButton *option : thickness(s))
            QCOMPARE(option->parentWidget(), static_cast<QWidget *>(s));
        QCOMPARE(s->Image1->geometry(), TwipsRect(120, 216, 2916, 2076));
        QCOMPARE(s->Image2->parentWidget(), s->Frame1);
        QCOMPARE(s->Image2->geometry(), TwipsRect(120, 216, 2328, 1656));
        QCOMPARE(s->Option7->geometry(), TwipsRect(5160, 2880, 1335, 252));
        QVERIFY(s->Image1->hasScaledContents());
        QCOMPARE(s->Image2->pixmap().size(), QSize(192, 136));
        QVERIFY(shows(s->Image1, 122));
        QVERIFY(s->Option2->isChecked());
        QVERIFY(s->Option4->isChecked());
        QVERIFY(s->Command5->isDefault());

        const QList<QWidget *> chain = focusChain(s);
        QCOMPARE(chain, (QList<QWidget *>{s->Command3, s->Command5, s->Command4, s->Option1, s->Option4, s->Option5,
                                          s->Option2, s->Option3, s->Option6, s->Option7}));
    }

    // The screen opens on Next; Tab stops once in each option group, at its selected
    // option, and passes over the thickness group while it is greyed.
    void focusAndTabStops()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        auto *s = open(h);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        QCOMPARE(QApplication::focusWidget(), s->Command5);

        QCOMPARE(walk(s->Command3, Qt::Key_Tab, 5),
                 (QList<QWidget *>{s->Command3, s->Command5, s->Command4, s->Option4, s->Option2, s->Command3}));
        QCOMPARE(walk(s->Command3, Qt::Key_Backtab, 2), (QList<QWidget *>{s->Command3, s->Option2, s->Option4}));

        choose(s->Option7);
        choose(s->Option3);
        QCOMPARE(walk(s->Command3, Qt::Key_Tab, 4),
                 (QList<QWidget *>{s->Command3, s->Command5, s->Command4, s->Option3, s->Command3}));
        // Enter on the focused option presses Next.
        walk(s->Command3, Qt::Key_Tab, 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(h.design.InWallType, QStringLiteral("0"));
        QCOMPARE(h.design.SheetrockThickness, QStringLiteral(".625"));
    }

    void nextStores_data()
    {
        QTest::addColumn<QString>("material");
        QTest::addColumn<QString>("thick");
        QTest::addColumn<QString>("inWallType");
        QTest::addColumn<QString>("thickness");
        QTest::newRow("untouched") << "" << "" << "1" << ".5";
        QTest::newRow("sheetrock 3/4") << "Option2" << "Option5" << "1" << ".75";
        QTest::newRow("wafer board 5/8") << "Option6" << "Option7" << "1" << ".625";
        QTest::newRow("wafer board 1/2") << "Option6" << "" << "1" << ".5";
        QTest::newRow("none, greyed 1/4") << "Option3" << "Option1" << "0" << ".25";
        QTest::newRow("none, greyed default") << "Option3" << "" << "0" << ".5";
    }
    void nextStores()
    {
        QFETCH(QString, material);
        QFETCH(QString, thick);
        QFETCH(QString, inWallType);
        QFETCH(QString, thickness);
        Harness h;
        h.design.ShedWidth = QStringLiteral("12"); // read by the door screen behind this one
        auto *s = open(h);
        // The thickness first: "None" greys the group.
        if (!thick.isEmpty())
            choose(s->findChild<QRadioButton *>(thick));
        if (!material.isEmpty())
            choose(s->findChild<QRadioButton *>(material));
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.design.InWallType, inWallType);
        QCOMPARE(h.design.SheetrockThickness, thickness);
        QCOMPARE(h.visible(), h.wizard.find(ScreenId::Screen7));
        QVERIFY(h.messages.messages.empty());
    }

    // "None" greys the thickness without losing it, through Back and forward too.
    void noneGreysAndKeepsThickness()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        auto *s = open(h);
        choose(s->Option7);
        choose(s->Option3);
        QVERIFY(s->Option3->isChecked());
        QVERIFY(shows(s->Image1, 123));
        for (QRadioButton *option : thickness(s)) {
            QVERIFY(!option->isEnabled());
            QCOMPARE(option->isChecked(), option == s->Option7);
        }
        // A click on a greyed option changes nothing.
        choose(s->Option1);
        QVERIFY(s->Option7->isChecked());

        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QTest::mouseClick(h.wizard.find(ScreenId::Screen7)->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QVERIFY(s->Option3->isChecked());
        QVERIFY(!s->Option4->isEnabled());
        QVERIFY(shows(s->Image1, 123));

        choose(s->Option6);
        QVERIFY(shows(s->Image1, 122));
        for (QRadioButton *option : thickness(s))
            QVERIFY(option->isEnabled());
        QVERIFY(s->Option7->isChecked());
        choose(s->Option2);
        QVERIFY(shows(s->Image1, 122));
        QVERIFY(s->Option1->isEnabled());
    }

    // The arrow keys move the choice inside the material group and run its handlers.
    void arrowKeysChooseMaterial()
    {
        Harness h;
        auto *s = open(h);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        s->Option2->setFocus();
        QTest::keyClick(s->Option2, Qt::Key_Down);
        QVERIFY(s->Option6->isChecked());
        QTest::keyClick(s->Option6, Qt::Key_Down);
        QVERIFY(s->Option3->isChecked());
        QVERIFY(s->Option4->isChecked());
        QVERIFY(!s->Option4->isEnabled());
        QVERIFY(shows(s->Image1, 123));
    }

    void largeFontsMoveOnlyThePictures()
    {
        Harness small;
        Harness large(17);
        auto *normal = open(small);
        auto *s = open(large);
        QCOMPARE(s->Image1->pos(), TwipsRect(360, 480, 0, 0).topLeft());
        QCOMPARE(s->Image2->pos(), TwipsRect(360, 480, 0, 0).topLeft());
        QCOMPARE(s->Image1->size(), normal->Image1->size());
        QCOMPARE(s->Image2->size(), normal->Image2->size());
        for (QWidget *w : s->findChildren<QWidget *>()) {
            if (w == s->Image1 || w == s->Image2 || w->objectName().isEmpty())
                continue;
            QCOMPARE(w->geometry(), normal->findChild<QWidget *>(w->objectName())->geometry());
        }
    }
};

QTEST_MAIN(Screen6Test)
#include "test_screen6.moc"
