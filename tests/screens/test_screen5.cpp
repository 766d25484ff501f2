#include "app/Twips.h"
#include "screens/screen4.h"
#include "screens/screen5.h"
#include "screens/screen6.h"
#include "tests/support/ScreenDriving.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

screen5 *open(Harness &h) { return activated(h.show<screen5>(ScreenId::Screen5)); }

// Which spacing bitmap the picture shows, or 0 when it is none of them.
int spacingPicture(const screen5 *s)
{
    for (int id : {124, 125, 126}) {
        if (shows(s->Image2, id))
            return id;
    }
    return 0;
}

} // namespace

class Screen5Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controls()
    {
        Harness h;
        screen5 *s = open(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (3 of 9)   Choose your Stud Type . . ."));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Stud Type:"));
        QCOMPARE(s->Frame1->title(), QStringLiteral("Stud Centers:"));
        QCOMPARE(s->Frame3->title(), QStringLiteral("Inner Height:"));
        QCOMPARE(s->Frame1->geometry(), TwipsRect(2400, 120, 2025, 3255));
        QCOMPARE(s->Frame3->geometry(), TwipsRect(4560, 120, 2025, 3255));

        // Two groups: the stud type inside its frame, the spacing on the window.
        QCOMPARE(s->Option2->parentWidget(), s->Frame2);
        QCOMPARE(s->Option3->parentWidget(), s->Frame2);
        for (QRadioButton *spacing : {s->Option1, s->Option4, s->Option5})
            QCOMPARE(spacing->parentWidget(), s);
        QCOMPARE(s->Combo1->parentWidget(), s->Frame3);
        QCOMPARE(s->Option3->geometry(), TwipsRect(120, 2640, 1092, 252));
        QCOMPARE(s->Option5->geometry(), TwipsRect(2520, 3000, 1692, 252));
        QCOMPARE(s->Combo1->geometry(), TwipsRect(480, 2470, 1212, 315));
        QCOMPARE(s->Option2->text(), QStringLiteral("2 x 4 Studs"));
        QCOMPARE(s->Option3->text(), QStringLiteral("2 x 6 Studs"));
        QCOMPARE(s->Option1->text(), QStringLiteral("12 inches-center"));
        QCOMPARE(s->Option4->text(), QStringLiteral("16 inches-center"));
        QCOMPARE(s->Option5->text(), QStringLiteral("24 inches-center"));
        QVERIFY(s->Option2->isChecked() && !s->Option3->isChecked());
        QVERIFY(s->Option4->isChecked() && !s->Option1->isChecked() && !s->Option5->isChecked());

        QStringList heights;
        for (int i = 0; i < s->Combo1->count(); ++i)
            heights << s->Combo1->itemText(i);
        QCOMPARE(heights, QStringList({"8 feet high", "9 feet high", "10 feet high", "11 feet high", "12 feet high",
                                       "13 feet high", "14 feet high", "15 feet high", "16 feet high",
                                       "17 feet high", "18 feet high", "19 feet high", "20 feet high"}));
        QCOMPARE(s->Combo1->currentText(), QStringLiteral("8 feet high"));
        QVERIFY(s->Combo1->isEditable());

        QCOMPARE(s->Image1->pixmap().size(), QSize(118, 130));
        QCOMPARE(s->Image3->pixmap().size(), QSize(118, 136));
        QCOMPARE(s->Image2->pixmap().size(), QSize(118, 132));
        QCOMPARE(spacingPicture(s), 125);
        for (QLabel *image : {s->Image1, s->Image2, s->Image3})
            QVERIFY(image->hasScaledContents());
        QVERIFY(s->Command5->isDefault());
    }

    void largeFontsMoveThePictures_data()
    {
        QTest::addColumn<int>("cellHeight");
        QTest::addColumn<bool>("large");
        QTest::newRow("small fonts") << 16 << false;
        QTest::newRow("large fonts") << 17 << true;
    }
    void largeFontsMoveThePictures()
    {
        QFETCH(int, cellHeight);
        QFETCH(bool, large);
        Harness h(cellHeight);
        screen5 *s = open(h);
        const QPoint moved(TwipsToPixels(240), TwipsToPixels(480));
        QCOMPARE(s->Image1->pos(), large ? moved : QPoint(TwipsToPixels(120), TwipsToPixels(216)));
        QCOMPARE(s->Image2->pos(), large ? moved : QPoint(TwipsToPixels(120), TwipsToPixels(210)));
        QCOMPARE(s->Image3->pos(), large ? moved : QPoint(TwipsToPixels(120), TwipsToPixels(216)));
        QCOMPARE(s->Image1->size(), TwipsRect(120, 216, 1440, 1584).size());
        QCOMPARE(s->Image2->size(), TwipsRect(120, 210, 1800, 2010).size());
        QCOMPARE(s->Image3->size(), TwipsRect(120, 216, 1440, 1656).size());
        QCOMPARE(s->Option1->geometry(), TwipsRect(2520, 2520, 1692, 252));
        QCOMPARE(s->Combo1->geometry(), TwipsRect(480, 2470, 1212, 315));
    }

    void spacingPictureFollowsTheOption()
    {
        Harness h;
        screen5 *s = open(h);
        QTest::mouseClick(s->Option1, Qt::LeftButton);
        QCOMPARE(spacingPicture(s), 124);
        QTest::mouseClick(s->Option5, Qt::LeftButton);
        QCOMPARE(spacingPicture(s), 126);
        QTest::mouseClick(s->Option4, Qt::LeftButton);
        QCOMPARE(spacingPicture(s), 125);
        // Arrow keys within the group choose too.
        s->Option4->setFocus();
        QTest::keyClick(s->Option4, Qt::Key_Up);
        QVERIFY(s->Option1->isChecked());
        QCOMPARE(spacingPicture(s), 124);
        // The stud type changes no picture.
        const QImage lumber = s->Image1->pixmap().toImage();
        QTest::mouseClick(s->Option3, Qt::LeftButton);
        QCOMPARE(spacingPicture(s), 124);
        QCOMPARE(s->Image1->pixmap().toImage(), lumber);
        QVERIFY(h.design.StudCenters.isEmpty());
    }

    void nextStores_data()
    {
        QTest::addColumn<bool>("twoBySix");
        QTest::addColumn<int>("spacing"); // 12, 16 or 24
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("studCenters");
        QTest::addColumn<QString>("innerHeight");
        QTest::newRow("first showing") << false << 16 << "" << "" << "16" << "8 ";
        QTest::newRow("2 x 6 at 24") << true << 24 << "" << "" << "24" << "8 ";
        QTest::newRow("12 inches") << false << 12 << "" << "" << "12" << "8 ";
        QTest::newRow("9 feet high") << false << 16 << "9 feet high" << "" << "16" << "9 ";
        QTest::newRow("12 feet high") << true << 12 << "12 feet high" << "" << "12" << "12";
        QTest::newRow("20 feet high") << false << 16 << "20 feet high" << "" << "16" << "20";
        QTest::newRow("typed 14") << false << 16 << "" << "14" << "16" << "14";
        QTest::newRow("typed 7") << false << 16 << "" << "7" << "16" << "7";
        QTest::newRow("typed word") << false << 16 << "" << "Tall" << "16" << "Ta";
    }
    void nextStores()
    {
        QFETCH(bool, twoBySix);
        QFETCH(int, spacing);
        QFETCH(QString, picked);
        QFETCH(QString, typed);
        QFETCH(QString, studCenters);
        QFETCH(QString, innerHeight);
        Harness h;
        screen5 *s = open(h);
        if (twoBySix)
            QTest::mouseClick(s->Option3, Qt::LeftButton);
        if (spacing == 12)
            QTest::mouseClick(s->Option1, Qt::LeftButton);
        if (spacing == 24)
            QTest::mouseClick(s->Option5, Qt::LeftButton);
        if (!picked.isEmpty())
            pick(s->Combo1, picked);
        if (!typed.isEmpty())
            type(s->Combo1, typed);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.design.JoistType, twoBySix ? QStringLiteral("2") : QStringLiteral("1"));
        QCOMPARE(h.design.StudCenters, studCenters);
        QCOMPARE(h.design.InnerHeight, innerHeight);
        QCOMPARE(h.design.StudMaterialLine,
                 twoBySix ? QStringLiteral("2x6 Studs for walls") : QStringLiteral("2x4 Studs for walls"));
        QCOMPARE(h.visible(), h.screen(ScreenId::Screen6));
        QCOMPARE(s->Combo1->count(), 13);
        QVERIFY(h.messages.messages.empty());
    }

    void choicesSurviveBackAndReturn()
    {
        Harness h;
        h.wizard.show(ScreenId::Screen4);
        auto *floor = h.screen<screen4>(ScreenId::Screen4);
        QTest::mouseClick(floor->Command5, Qt::LeftButton);
        screen5 *s = h.screen<screen5>(ScreenId::Screen5);
        QTest::mouseClick(s->Option1, Qt::LeftButton);
        QTest::mouseClick(s->Option3, Qt::LeftButton);
        pick(s->Combo1, QStringLiteral("15 feet high"));

        QTest::mouseClick(s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), floor);
        QVERIFY(h.design.StudCenters.isEmpty());
        QTest::mouseClick(floor->Command5, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        // Not loaded again: the list is not refilled nor reset to its first item.
        QVERIFY(s->Option1->isChecked() && s->Option3->isChecked());
        QCOMPARE(spacingPicture(s), 124);
        QCOMPARE(s->Combo1->currentText(), QStringLiteral("15 feet high"));
        QCOMPARE(s->Combo1->count(), 13);

        QTest::mouseClick(s->Command5, Qt::LeftButton);
        auto *walls = h.screen<screen6>(ScreenId::Screen6);
        QCOMPARE(h.visible(), walls);
        QCOMPARE(h.design.InnerHeight, QStringLiteral("15"));
        QTest::mouseClick(walls->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QCOMPARE(spacingPicture(s), 124);
    }

    void focusAndTabOrder()
    {
        Harness h;
        screen5 *s = open(h);
        QCOMPARE(QApplication::focusWidget(), s->Command5);
        // Enter presses Next.
        QTest::keyClick(s->Command5, Qt::Key_Return);
        QCOMPARE(h.visible(), h.screen(ScreenId::Screen6));
        QCOMPARE(h.design.StudCenters, QStringLiteral("16"));
    }

    void tabOrder()
    {
        Harness h;
        screen5 *s = open(h);
        const QList<QWidget *> visited = focusStops(s->Command3, Qt::Key_Tab, 6);
        // One stop per option group: its selected option.
        const QList<QWidget *> expected{s->Command3, s->Command5, s->Command4, s->Option4, s->Option2, s->Combo1};
        QCOMPARE(visited, expected);
        QCOMPARE(QApplication::focusWidget(), s->Command3);

        // After choosing with the mouse, the group's stop is the new choice.
        QTest::mouseClick(s->Option5, Qt::LeftButton);
        QTest::mouseClick(s->Option3, Qt::LeftButton);
        s->Command4->setFocus();
        QTest::keyClick(s->Command4, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->Option5);
        QTest::keyClick(s->Option5, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->Option3);
    }

    void waysOut_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Esc in the list") << true;
    }
    void waysOut()
    {
        QFETCH(bool, escape);
        Harness h;
        screen5 *s = open(h);
        if (escape) {
            s->Combo1->setFocus();
            QTest::keyClick(s->Combo1, Qt::Key_Escape);
        } else {
            QTest::mouseClick(s->Command3, Qt::LeftButton);
        }
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.design.JoistType.isEmpty());
    }
};

QTEST_MAIN(Screen5Test)
#include "test_screen5.moc"
