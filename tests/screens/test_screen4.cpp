#include "app/Twips.h"
#include "screens/screen3.h"
#include "screens/screen4.h"
#include "screens/screen5.h"
#include "tests/support/ScreenDriving.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

screen4 *open(Harness &h) { return activated(h.show<screen4>(ScreenId::Screen4)); }

QRadioButton *option(screen4 *s, int n)
{
    return std::array{s->Option1, s->Option2, s->Option3, s->Option4}[n - 1];
}

QStringList items(QComboBox *list)
{
    QStringList all;
    for (int i = 0; i < list->count(); ++i)
        all << list->itemText(i);
    return all;
}

} // namespace

class Screen4Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controls()
    {
        Harness h;
        screen4 *s = open(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (2 of 9)   Choose your Floor Type . . ."));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Shed Floor Type:"));
        QCOMPARE(s->Frame2->geometry(), TwipsRect(240, 120, 6465, 3255));
        QCOMPARE(s->Image2->parentWidget(), s->Frame2);
        QCOMPARE(s->Image4->geometry(), TwipsRect(4800, 216, 1176, 1824));
        for (QLabel *image : {s->Image1, s->Image2, s->Image3, s->Image4}) {
            QCOMPARE(image->pixmap().size(), QSize(96, 150));
            QVERIFY(image->hasScaledContents());
        }
        const QStringList captions{"Gravel", "Concrete", " Woodframe", "Blocks"};
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(option(s, n)->text(), captions[n - 1]);
            QCOMPARE(option(s, n)->parentWidget(), s);
            QCOMPARE(option(s, n)->isChecked(), n == 1);
        }
        QCOMPARE(s->Option3->geometry(), TwipsRect(3600, 2640, 1212, 372));
        QCOMPARE(s->Combo1->geometry(), TwipsRect(2280, 3000, 975, 315));
        QCOMPARE(s->Text1->geometry(), TwipsRect(5400, 3000, 972, 315));

        // Both lists are filled in order, hidden, and show their own text with no item chosen.
        QVERIFY(!s->Combo1->isVisible() && !s->Text1->isVisible());
        QCOMPARE(items(s->Combo1), QStringList({"4 inches", "6 inches", "8 inches", "10 inches", "12 inches"}));
        QCOMPARE(items(s->Text1), QStringList({"1 row", "2 rows", "3 rows"}));
        QCOMPARE(s->Combo1->currentText(), QStringLiteral("4 inches"));
        QCOMPARE(s->Text1->currentText(), QStringLiteral("2 rows"));
        QCOMPARE(s->Text1->currentIndex(), -1);
        QVERIFY(s->Combo1->isEditable() && s->Text1->isEditable());

        QCOMPARE(QApplication::focusWidget(), s->Option1);
        QVERIFY(s->Command5->isDefault());
    }

    void largeFontsMoveThePictures_data()
    {
        QTest::addColumn<int>("cellHeight");
        QTest::addColumn<QList<QPoint>>("positions");
        QTest::newRow("small fonts") << 16
                                     << QList<QPoint>{{120, 216}, {1668, 216}, {3228, 216}, {4800, 216}};
        QTest::newRow("large fonts") << 17
                                     << QList<QPoint>{{240, 600}, {1800, 600}, {3360, 600}, {4920, 600}};
    }
    void largeFontsMoveThePictures()
    {
        QFETCH(int, cellHeight);
        QFETCH(QList<QPoint>, positions);
        Harness h(cellHeight);
        screen4 *s = open(h);
        const QList<QLabel *> images{s->Image1, s->Image2, s->Image3, s->Image4};
        const QList<int> designLefts{120, 1668, 3228, 4800};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(images[i]->pos(), QPoint(TwipsToPixels(positions[i].x()), TwipsToPixels(positions[i].y())));
            QCOMPARE(images[i]->size(), TwipsRect(designLefts[i], 216, 1176, 1824).size());
        }
        QCOMPARE(s->Option4->geometry(), TwipsRect(5400, 2640, 1092, 372));
        QCOMPARE(s->Text1->geometry(), TwipsRect(5400, 3000, 972, 315));
    }

    void optionsShowTheirList()
    {
        Harness h;
        screen4 *s = open(h);
        QTest::mouseClick(s->Option2, Qt::LeftButton);
        QVERIFY(s->Combo1->isVisible() && !s->Text1->isVisible());
        type(s->Combo1, QStringLiteral("7 inches"));
        QTest::mouseClick(s->Option4, Qt::LeftButton);
        QVERIFY(!s->Combo1->isVisible() && s->Text1->isVisible());
        QVERIFY(s->Option4->isChecked() && !s->Option2->isChecked());
        QTest::mouseClick(s->Option3, Qt::LeftButton);
        QVERIFY(!s->Combo1->isVisible() && !s->Text1->isVisible());
        QTest::mouseClick(s->Option2, Qt::LeftButton);
        QTest::mouseClick(s->Option1, Qt::LeftButton);
        QVERIFY(!s->Combo1->isVisible() && !s->Text1->isVisible());
        // A hidden list comes back with its text.
        QTest::mouseClick(s->Option2, Qt::LeftButton);
        QCOMPARE(s->Combo1->currentText(), QStringLiteral("7 inches"));
        // The arrow keys move the choice within the group, and the lists follow.
        s->Option2->setFocus();
        QTest::keyClick(s->Option2, Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QVERIFY(s->Option4->isChecked());
        QVERIFY(!s->Combo1->isVisible() && s->Text1->isVisible());
    }

    void nextStores_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("picked"); // an item picked from the chosen floor's list
        QTest::addColumn<QString>("typed");  // or a text typed into it
        QTest::addColumn<QString>("floorType");
        QTest::addColumn<QString>("blockRows");
        QTest::addColumn<QString>("floorHeight");
        QTest::newRow("first showing") << 1 << "" << "" << "0" << "0" << "0";
        QTest::newRow("concrete, initial 4 inches") << 2 << "" << "" << "1" << "0" << "4 ";
        QTest::newRow("concrete, 10 inches") << 2 << "10 inches" << "" << "1" << "0" << "10";
        QTest::newRow("concrete, 6 inches") << 2 << "6 inches" << "" << "1" << "0" << "6 ";
        QTest::newRow("concrete, typed 5") << 2 << "" << "5" << "1" << "0" << "5";
        QTest::newRow("concrete, typed words") << 2 << "" << "thick" << "1" << "0" << "th";
        QTest::newRow("woodframe") << 3 << "" << "" << "2" << "0" << "0";
        QTest::newRow("blocks, initial 2 rows") << 4 << "" << "" << "3" << "2" << "0";
        QTest::newRow("blocks, 1 row") << 4 << "1 row" << "" << "3" << "1" << "0";
        QTest::newRow("blocks, 3 rows") << 4 << "3 rows" << "" << "3" << "3" << "0";
        QTest::newRow("blocks, leading blank") << 4 << "" << " 2 rows" << "3" << "" << "0";
        QTest::newRow("blocks, capital R") << 4 << "" << "2 Rows" << "3" << "" << "0";
        QTest::newRow("blocks, typed 3 rows") << 4 << "" << "3 rows" << "3" << "3" << "0";
    }
    void nextStores()
    {
        QFETCH(int, chosen);
        QFETCH(QString, picked);
        QFETCH(QString, typed);
        QFETCH(QString, floorType);
        QFETCH(QString, blockRows);
        QFETCH(QString, floorHeight);
        Harness h;
        screen4 *s = open(h);
        if (chosen != 1)
            QTest::mouseClick(option(s, chosen), Qt::LeftButton);
        QComboBox *list = chosen == 2 ? s->Combo1 : s->Text1;
        if (!picked.isEmpty())
            pick(list, picked);
        if (!typed.isEmpty())
            type(list, typed);
        next(s);
        QCOMPARE(h.design.FloorType, floorType);
        QCOMPARE(h.design.BlockRows, blockRows);
        QCOMPARE(h.design.FloorHeight, floorHeight);
        QCOMPARE(h.visible(), h.screen(ScreenId::Screen5));
        QVERIFY(h.messages.messages.empty());
        // Typing never adds an item.
        QCOMPARE(s->Combo1->count(), 5);
        QCOMPARE(s->Text1->count(), 3);
    }

    void listLeftBehindIsNotRead()
    {
        Harness h;
        screen4 *s = open(h);
        QTest::mouseClick(s->Option2, Qt::LeftButton);
        pick(s->Combo1, QStringLiteral("8 inches"));
        QCOMPARE(s->Combo1->currentText(), QStringLiteral("8 inches"));
        QTest::mouseClick(s->Option4, Qt::LeftButton);
        QVERIFY(!s->Combo1->isVisible() && s->Text1->isVisible());
        next(s);
        QCOMPARE(h.design.FloorHeight, QStringLiteral("0"));
        QCOMPARE(h.design.BlockRows, QStringLiteral("2"));
    }

    void laterPassesOverEarlierOnes()
    {
        Harness h;
        screen4 *s = open(h);
        QTest::mouseClick(s->Option4, Qt::LeftButton);
        next(s);
        QCOMPARE(h.design.BlockRows, QStringLiteral("2"));

        // Back and forward again: the choice, the visible list and its text survive.
        auto *studs = h.screen<screen5>(ScreenId::Screen5);
        QTest::mouseClick(studs->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QVERIFY(s->Option4->isChecked() && s->Text1->isVisible() && !s->Combo1->isVisible());

        // A rows text that is none of the items keeps the earlier pass's value.
        type(s->Text1, QStringLiteral("4 rows"));
        next(s);
        QCOMPARE(h.design.FloorType, QStringLiteral("3"));
        QCOMPARE(h.design.BlockRows, QStringLiteral("2"));

        // Any other floor resets the rows.
        QTest::mouseClick(studs->Command4, Qt::LeftButton);
        QTest::mouseClick(s->Option1, Qt::LeftButton);
        next(s);
        QCOMPARE(h.design.FloorType, QStringLiteral("0"));
        QCOMPARE(h.design.BlockRows, QStringLiteral("0"));
        QCOMPARE(h.design.FloorHeight, QStringLiteral("0"));
    }

    void backToScreen3AndReturn()
    {
        Harness h;
        h.wizard.show(ScreenId::Screen3);
        auto *size = h.screen<screen3>(ScreenId::Screen3);
        QTest::mouseClick(size->Command5, Qt::LeftButton);
        auto *s = h.screen<screen4>(ScreenId::Screen4);
        QTest::mouseClick(s->Option2, Qt::LeftButton);
        pick(s->Combo1, QStringLiteral("12 inches"));
        QTest::mouseClick(s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), size);
        QVERIFY(h.design.FloorType.isEmpty());
        QTest::mouseClick(size->Command5, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QVERIFY(s->Option2->isChecked() && s->Combo1->isVisible());
        QCOMPARE(s->Combo1->currentText(), QStringLiteral("12 inches"));
        next(s);
        QCOMPARE(h.design.FloorHeight, QStringLiteral("12"));
    }

    void tabOrder()
    {
        Harness h;
        screen4 *s = open(h);
        auto walk = [s](int stops) { return focusStops(s->Command3, Qt::Key_Tab, stops); };
        // One stop for the options, at the selected one; hidden lists are no stops.
        QCOMPARE(walk(5), QList<QWidget *>({s->Command3, s->Option1, s->Command4, s->Command5, s->Command3}));
        QTest::mouseClick(s->Option2, Qt::LeftButton);
        QCOMPARE(walk(6),
                 QList<QWidget *>({s->Command3, s->Option2, s->Command4, s->Command5, s->Combo1, s->Command3}));
        QTest::mouseClick(s->Option4, Qt::LeftButton);
        QCOMPARE(walk(6),
                 QList<QWidget *>({s->Command3, s->Option4, s->Command4, s->Command5, s->Text1, s->Command3}));
    }

    void rowsListSelectsItsTextOnFocus()
    {
        Harness h;
        screen4 *s = open(h);
        QTest::mouseClick(s->Option4, Qt::LeftButton);
        type(s->Text1, QStringLiteral("123456789012"));
        s->Option4->setFocus();
        QTest::keyClick(s->Option4, Qt::Key_Tab); // Back
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // Next
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->lineEdit()->selectedText(), QStringLiteral("1234567890"));
        s->Option4->setFocus();
        s->Text1->setFocus(); // a focus that is no Tab press: the handler alone selects
        QCOMPARE(s->Text1->lineEdit()->selectedText(), QStringLiteral("1234567890"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3 rows"));
        QCOMPARE(s->Text1->currentText(), QStringLiteral("3 rows12"));
    }

    void enterInAListPressesNext()
    {
        Harness h;
        screen4 *s = open(h);
        QTest::mouseClick(s->Option4, Qt::LeftButton);
        type(s->Text1, QStringLiteral("1 row"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(s->Text1->count(), 3);
        QCOMPARE(h.design.BlockRows, QStringLiteral("1"));
        QCOMPARE(h.visible(), h.screen(ScreenId::Screen5));
    }

    void waysOut_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Esc") << true;
    }
    void waysOut()
    {
        QFETCH(bool, escape);
        Harness h;
        screen4 *s = open(h);
        if (escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            QTest::mouseClick(s->Command3, Qt::LeftButton);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.design.FloorType.isEmpty());
    }
};

QTEST_MAIN(Screen4Test)
#include "test_screen4.moc"
