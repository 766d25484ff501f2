#include "app/Twips.h"
#include "screens/screen1.h"
#include "screens/screen3.h"
#include "screens/screen4.h"
#include "tests/support/ScreenDriving.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

screen3 *open(Harness &h) { return activated(h.show<screen3>(ScreenId::Screen3)); }

const QString ValidWidth = QStringLiteral("Please enter a valid Shed Width and try again.");
const QString ValidDepth = QStringLiteral("Please enter a valid Shed Depth and try again.");
const QString WidthAtMost50 = QStringLiteral("Please enter a Shed Width of 50 feet or less and try again.");
const QString DepthAtMost50 = QStringLiteral("Please enter a Shed depth of 50 feet or less and try again.");
const QString WidthAtLeast8 = QStringLiteral("Please enter a Shed Width of 8 feet or greater and try again.");
const QString DepthAtLeast8 = QStringLiteral("Please enter a Shed depth of 8 feet or greater and try again.");

} // namespace

class Screen3Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controls()
    {
        Harness h;
        screen3 *s = open(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (1 of 9)   Choose your Shed Size . . ."));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Building Size in Feet:"));
        QCOMPARE(s->Frame2->geometry(), TwipsRect(240, 120, 6345, 3255));
        for (QWidget *inFrame : {static_cast<QWidget *>(s->Image1), static_cast<QWidget *>(s->Label1),
                                 static_cast<QWidget *>(s->Text1), static_cast<QWidget *>(s->Text3)})
            QCOMPARE(inFrame->parentWidget(), s->Frame2);
        QCOMPARE(s->Text1->geometry(), TwipsRect(4560, 708, 972, 288));
        QCOMPARE(s->Label2->geometry(), TwipsRect(4560, 1440, 975, 255));
        QCOMPARE(s->Text3->geometry(), TwipsRect(4560, 2640, 972, 288));
        // The step buttons belong to the window, level with their boxes.
        QCOMPARE(s->Command2->parentWidget(), s);
        QCOMPARE(s->Command2->geometry(), TwipsRect(4440, 840, 252, 252));
        QCOMPARE(s->Command6->geometry(), TwipsRect(5880, 1800, 252, 252));
        QCOMPARE(s->Command7->geometry(), TwipsRect(5880, 2760, 252, 252));
        QCOMPARE(s->Command1->text(), QStringLiteral("+"));
        QCOMPARE(s->Command8->text(), QStringLiteral("-"));

        QCOMPARE(s->Text1->text(), QStringLiteral("10"));
        QCOMPARE(s->Text2->text(), QStringLiteral("20"));
        QCOMPARE(s->Text3->text(), QStringLiteral("8"));
        QCOMPARE(s->Label1->palette().color(QPalette::Active, QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(s->Label2->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(s->Label3->palette().color(QPalette::Active, QPalette::WindowText), QColor(128, 0, 0));
        QVERIFY(s->Label1->alignment() & Qt::AlignHCenter);

        // The inside-height row is inactive and drawn greyed.
        for (QWidget *inactive : {static_cast<QWidget *>(s->Label3), static_cast<QWidget *>(s->Text3),
                                  static_cast<QWidget *>(s->Command9), static_cast<QWidget *>(s->Command7)})
            QVERIFY(!inactive->isEnabled());
        QVERIFY(s->Label3->palette().color(QPalette::Disabled, QPalette::WindowText) != QColor(128, 0, 0));
        QVERIFY(s->Text1->isEnabled() && s->Command1->isEnabled() && s->Command8->isEnabled());

        QVERIFY(s->Command5->isDefault());
        QCOMPARE(s->Image1->pixmap().size(), QSize(240, 192));
        QVERIFY(s->Image1->hasScaledContents());
    }

    void opensWithTheWidthSelected()
    {
        Harness h;
        screen3 *s = open(h);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("10"));
        QTest::keyClicks(s->Text1, QStringLiteral("14"));
        QCOMPARE(s->Text1->text(), QStringLiteral("14"));
    }

    void tabOrder()
    {
        Harness h;
        screen3 *s = open(h);
        const QList<QWidget *> visited = focusStops(s->Command3, Qt::Key_Tab, 9);
        const QList<QWidget *> expected{s->Command3, s->Text1, s->Text2, s->Command5, s->Command4,
                                        s->Command1, s->Command2, s->Command6, s->Command8};
        QCOMPARE(visited, expected);
        QCOMPARE(QApplication::focusWidget(), s->Command3);
        QVERIFY(!h.ended());
    }

    void largeFontsMoveOnlyThePicture_data()
    {
        QTest::addColumn<int>("cellHeight");
        QTest::addColumn<QPoint>("image1");
        QTest::newRow("small fonts") << 16 << QPoint(132, 216);
        QTest::newRow("large fonts") << 17 << QPoint(600, 600);
    }
    void largeFontsMoveOnlyThePicture()
    {
        QFETCH(int, cellHeight);
        QFETCH(QPoint, image1);
        Harness h(cellHeight);
        screen3 *s = open(h);
        QCOMPARE(s->Image1->pos(), QPoint(TwipsToPixels(image1.x()), TwipsToPixels(image1.y())));
        QCOMPARE(s->Image1->size(), TwipsRect(132, 216, 2904, 2328).size());
        QCOMPARE(s->Label1->geometry(), TwipsRect(4560, 480, 975, 255));
        QCOMPARE(s->Text2->geometry(), TwipsRect(4560, 1680, 972, 288));
        QCOMPARE(s->Command1->geometry(), TwipsRect(5880, 840, 252, 252));
    }

    void nextStoresTheTextsAsTyped_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("depth");
        QTest::newRow("initial texts") << "10" << "20";
        QTest::newRow("inclusive limits") << "50" << "8";
        QTest::newRow("blanks kept") << " 12 " << "16";
        QTest::newRow("trailing zero kept") << "12.50" << "8.0";
        QTest::newRow("sign and exponent kept") << "+9" << "1.6e1";
    }
    void nextStoresTheTextsAsTyped()
    {
        QFETCH(QString, width);
        QFETCH(QString, depth);
        Harness h;
        screen3 *s = open(h);
        type(s->Text1, width);
        type(s->Text2, depth);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QVERIFY(h.messages.messages.empty());
        QCOMPARE(h.design.ShedWidth, width);
        QCOMPARE(h.design.ShedDepth, depth);
        QCOMPARE(h.design.ShedHeight, QStringLiteral("8"));
        QCOMPARE(h.visible(), h.screen(ScreenId::Screen4));
    }

    void nineChecksInOrder_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("box"); // 1 width, 2 depth
        QTest::newRow("empty width") << "" << "20" << ValidWidth << 1;
        QTest::newRow("width in words") << "twelve" << "20" << ValidWidth << 1;
        QTest::newRow("width with unit") << "12 ft" << "20" << ValidWidth << 1;
        QTest::newRow("thousands separator") << "1,000" << "20" << ValidWidth << 1;
        QTest::newRow("letters in depth beat a width of 60") << "60" << "abc" << ValidDepth << 2;
        QTest::newRow("width over 50") << "60" << "30" << WidthAtMost50 << 1;
        QTest::newRow("width 50.5") << "50.5" << "20" << WidthAtMost50 << 1;
        QTest::newRow("depth over 50 before width under 8") << "5" << "60" << DepthAtMost50 << 2;
        QTest::newRow("width under 8") << "5" << "20" << WidthAtLeast8 << 1;
        QTest::newRow("width 7.99") << "7.99" << "20" << WidthAtLeast8 << 1;
        QTest::newRow("width -10") << "-10" << "20" << WidthAtLeast8 << 1;
        QTest::newRow("depth under 8") << "8" << "7.5" << DepthAtLeast8 << 2;
    }
    void nineChecksInOrder()
    {
        QFETCH(QString, width);
        QFETCH(QString, depth);
        QFETCH(QString, message);
        QFETCH(int, box);
        Harness h;
        screen3 *s = open(h);
        type(s->Text1, width);
        type(s->Text2, depth);
        QTest::mouseClick(s->Command5, Qt::LeftButton);

        QCOMPARE(h.messages.messages.size(), size_t(1));
        QCOMPARE(h.messages.messages[0].text, message);
        QCOMPARE(h.messages.messages[0].form, MessageForm::WrongValue);
        QLineEdit *offending = box == 1 ? s->Text1 : s->Text2;
        QCOMPARE(QApplication::focusWidget(), offending);
        // The focus came from the Next button: the box's first ten characters are selected.
        QCOMPARE(offending->selectedText(), offending->text().left(10));
        QCOMPARE(offending->selectionStart(), offending->text().isEmpty() ? -1 : 0);
        QVERIFY(h.design.ShedWidth.isEmpty() && h.design.ShedDepth.isEmpty() && h.design.ShedHeight.isEmpty());
        QCOMPARE(h.visible(), s);
        QVERIFY(!h.wizard.find(ScreenId::Screen4));
        QVERIFY(!h.ended());
    }

    void correctingOneRefusalRevealsTheNext()
    {
        Harness h;
        screen3 *s = open(h);
        type(s->Text1, QStringLiteral("5"));
        type(s->Text2, QStringLiteral("60"));
        QTest::keyClick(s->Text2, Qt::Key_Return);
        QCOMPARE(h.messages.messages.back().text, DepthAtMost50);
        type(s->Text2, QStringLiteral("16"));
        QTest::keyClick(s->Text2, Qt::Key_Return);
        QCOMPARE(h.messages.messages.back().text, WidthAtLeast8);
        type(s->Text1, QStringLiteral("12"));
        QTest::keyClick(s->Text1, Qt::Key_Return);
        QCOMPARE(h.messages.messages.size(), size_t(2));
        QCOMPARE(h.design.ShedWidth, QStringLiteral("12"));
        QCOMPARE(h.design.ShedDepth, QStringLiteral("16"));
        QCOMPARE(h.visible(), h.screen(ScreenId::Screen4));
    }

    void refusalFocusAndSelection()
    {
        Harness h;
        screen3 *s = open(h);
        // Enter in the offending box itself: it keeps the focus and its selection stays as it was.
        type(s->Text1, QStringLiteral("abcdefghijklmn"));
        QCOMPARE(s->Text1->cursorPosition(), 14);
        QTest::keyClick(s->Text1, Qt::Key_Return);
        QCOMPARE(h.messages.messages.back().text, ValidWidth);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QVERIFY(!s->Text1->hasSelectedText());

        // Enter in another box: the focus moves in and the first ten characters are selected.
        s->Text2->setFocus();
        QTest::keyClick(s->Text2, Qt::Key_Return);
        QCOMPARE(h.messages.messages.size(), size_t(2));
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("abcdefghij"));
        QTest::keyClicks(s->Text1, QStringLiteral("9"));
        QCOMPARE(s->Text1->text(), QStringLiteral("9klmn"));
    }

    // A box that had the focus when its window lost the activation gets it back
    // without a GotFocus: the message box of a refusal, or another program.
    void focusComingBackKeepsTheSelection()
    {
        Harness h;
        ModalMessages modal;
        h.useMessages(modal);
        screen3 *s = open(h);
        type(s->Text1, QStringLiteral("abcdefghijklmn"));
        QTest::keyClick(s->Text1, Qt::Key_Return);
        QCOMPARE(modal.texts, QStringList{ValidWidth});
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QVERIFY(!s->Text1->hasSelectedText());
        QCOMPARE(s->Text1->cursorPosition(), 14);

        // From the Next button the focus does move into the box, which selects.
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(modal.texts.size(), qsizetype(2));
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("abcdefghij"));

        // Enter in the other box: the focus moves into the refused one, and the box
        // that lost it to the message box still selects when the user comes back to it.
        s->Text2->setFocus();
        QTest::keyClick(s->Text2, Qt::Key_Return);
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("abcdefghij"));
        s->Text2->setFocus();
        QCOMPARE(s->Text2->selectedText(), QStringLiteral("20"));

        // Another program takes the activation and gives it back.
        QTest::keyClick(s->Text2, Qt::Key_End);
        QTest::keyClick(s->Text2, Qt::Key_Left, Qt::ShiftModifier);
        QApplication::setActiveWindow(nullptr);
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text2);
        QCOMPARE(s->Text2->selectedText(), QStringLiteral("0"));
    }

    void stepButtons_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("after");
        QTest::newRow("10 up") << "10" << true << "11";
        QTest::newRow("10.5 up") << "10.5" << true << "11.5";
        QTest::newRow("12.50 up") << "12.50" << true << "13.5";
        QTest::newRow("50 up, no limit") << "50" << true << "51";
        QTest::newRow("8 down, no limit") << "8" << false << "7";
        QTest::newRow("0.5 down past zero") << "0.5" << false << "-0.5";
        QTest::newRow("-3 down") << "-3" << false << "-4";
        QTest::newRow("blanks around") << " 12 " << false << "11";
    }
    void stepButtons()
    {
        QFETCH(QString, before);
        QFETCH(bool, up);
        QFETCH(QString, after);
        Harness h;
        screen3 *s = open(h);
        type(s->Text1, before);
        type(s->Text2, before);
        QTest::mouseClick(up ? s->Command1 : s->Command2, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), after);
        QCOMPARE(s->Text2->text(), before);
        QTest::mouseClick(up ? s->Command6 : s->Command8, Qt::LeftButton);
        QCOMPARE(s->Text2->text(), after);
        QCOMPARE(s->Text1->text(), after);
        QVERIFY(h.design.ShedWidth.isEmpty() && h.design.ShedDepth.isEmpty());
        QVERIFY(h.messages.messages.empty());
    }

    void stepsGoOnPastZero()
    {
        Harness h;
        screen3 *s = open(h);
        type(s->Text2, QStringLiteral("2"));
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            QTest::mouseClick(s->Command8, Qt::LeftButton);
            seen << s->Text2->text();
        }
        QCOMPARE(seen, QStringList({"1", "0", "-1", "-2"}));
    }

    void stepsLeaveANonNumberAlone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("cleared box") << "";
        QTest::newRow("words") << "ten feet";
    }
    void stepsLeaveANonNumberAlone()
    {
        QFETCH(QString, text);
        Harness h;
        screen3 *s = open(h);
        type(s->Text1, text);
        type(s->Text2, text);
        for (QPushButton *button : {s->Command1, s->Command2, s->Command6, s->Command8})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), text);
        QCOMPARE(s->Text2->text(), text);
        QVERIFY(!h.ended());
        QVERIFY(h.messages.failures.isEmpty());
        QCOMPARE(h.visible(), s);
    }

    void stepDownBelowTheLimitThenNext()
    {
        Harness h;
        screen3 *s = open(h);
        QTest::mouseClick(s->Command2, Qt::LeftButton);
        QTest::mouseClick(s->Command2, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), QStringLiteral("8"));
        QTest::mouseClick(s->Command2, Qt::LeftButton);
        QCOMPARE(s->Text1->text(), QStringLiteral("7"));
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.messages.messages.back().text, WidthAtLeast8);
        QVERIFY(h.design.ShedWidth.isEmpty());
    }

    void heightRowCannotChange()
    {
        Harness h;
        screen3 *s = open(h);
        QTest::mouseClick(s->Command7, Qt::LeftButton);
        QTest::mouseClick(s->Command9, Qt::LeftButton);
        QTest::mouseClick(s->Text3, Qt::LeftButton);
        QTest::keyClicks(s->Text3, QStringLiteral("12"));
        QCOMPARE(s->Text3->text(), QStringLiteral("8"));
        QVERIFY(QApplication::focusWidget() != s->Text3);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.design.ShedHeight, QStringLiteral("8"));
    }

    void textsSurviveBackAndReturn()
    {
        Harness h;
        h.wizard.start();
        auto *first = h.screen<screen1>(ScreenId::Screen1);
        QTest::mouseClick(first->Image3, Qt::LeftButton);
        screen3 *s = h.screen<screen3>(ScreenId::Screen3);
        type(s->Text1, QStringLiteral("12"));
        type(s->Text2, QStringLiteral("xyz"));

        // Back stores and checks nothing.
        QTest::mouseClick(s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), first);
        QVERIFY(h.messages.messages.empty());
        QVERIFY(h.design.ShedWidth.isEmpty());
        QTest::mouseClick(first->Image3, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QCOMPARE(s->Text1->text(), QStringLiteral("12"));
        QCOMPARE(s->Text2->text(), QStringLiteral("xyz"));

        type(s->Text2, QStringLiteral("16"));
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        auto *floor = h.screen<screen4>(ScreenId::Screen4);
        QCOMPARE(h.visible(), floor);
        QTest::mouseClick(floor->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QCOMPARE(s->Text1->text(), QStringLiteral("12"));

        // A refused second pass leaves the first pass's values in the record.
        type(s->Text1, QStringLiteral("99"));
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.messages.messages.back().text, WidthAtMost50);
        QCOMPARE(h.design.ShedWidth, QStringLiteral("12"));
        QCOMPARE(h.design.ShedDepth, QStringLiteral("16"));
    }

    void waysOut_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Esc in a box") << true;
    }
    void waysOut()
    {
        QFETCH(bool, escape);
        Harness h;
        screen3 *s = open(h);
        if (escape)
            QTest::keyClick(s->Text1, Qt::Key_Escape);
        else
            QTest::mouseClick(s->Command3, Qt::LeftButton);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.design.ShedWidth.isEmpty());
    }
};

QTEST_MAIN(Screen3Test)
#include "test_screen3.moc"
