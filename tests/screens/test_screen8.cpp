#include "app/Twips.h"
#include "core/ShedDesign.h"
#include "screens/screen8.h"
#include "tests/support/ScreenDriving.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

// A shed 12 feet wide with 8-foot inner walls on a built floor, unless a test says otherwise.
screen8 *open(Harness &h, const QString &shedWidth = QStringLiteral("12"))
{
    if (h.design.InnerHeight.isEmpty())
        h.design.InnerHeight = QStringLiteral("8");
    if (h.design.FloorType.isEmpty())
        h.design.FloorType = QStringLiteral("1");
    h.design.ShedWidth = shedWidth;
    return activated(h.show<screen8>(ScreenId::Screen8));
}

void next(Harness &h) { test::next(h.screen(ScreenId::Screen8)); }

} // namespace

class Screen8Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        Harness h;
        auto *s = open(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (6 of 9)   Choose your Main Door Type . . ."));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Main Door Location:"));
        QCOMPARE(s->Label2->text(), QStringLiteral("Door Width: "));
        QCOMPARE(s->Label1->text(), QStringLiteral("Door Height: "));
        QCOMPARE(s->Label3->text(), QStringLiteral(" Feet"));
        QCOMPARE(s->Label4->text(), QStringLiteral(" Feet"));
        QVERIFY(s->Label2->alignment() & Qt::AlignRight);
        QVERIFY(s->Label1->alignment() & Qt::AlignRight);
        QCOMPARE(s->Label2->parentWidget(), s->Frame2);
        QCOMPARE(s->Text2->parentWidget(), static_cast<QWidget *>(s));
        // The width box is the left one.
        QCOMPARE(s->Text2->geometry(), TwipsRect(1800, 3000, 495, 288));
        QCOMPARE(s->Text1->geometry(), TwipsRect(4320, 3000, 495, 288));
        QCOMPARE(s->Option3->text(), QStringLiteral("Back"));
        QVERIFY(s->Option2->isChecked());
        QCOMPARE(s->Text2->text(), QStringLiteral("8"));
        QCOMPARE(s->Text1->text(), QStringLiteral("6"));
        QCOMPARE(s->Image1->pixmap().size(), QSize(96, 152));
    }

    // The screen opens on the first stop after Cancel, the selected door; Enter
    // there presses Next.
    void opensOnTheDoorChoice()
    {
        Harness h;
        auto *s = open(h);
        QCOMPARE(s->focusWidget(), static_cast<QWidget *>(s->Option2));
        QTest::keyClick(s->Option2, Qt::Key_Return);
        QCOMPARE(h.visible(), h.wizard.find(ScreenId::Screen9));
        QCOMPARE(h.design.MainDoorLocation, QStringLiteral("Front"));
    }

    // Tab follows the table's order and enters the door group at its selected
    // option only, wherever that option stands in the order.
    void tabOrder()
    {
        Harness h;
        auto *s = open(h);
        QCOMPARE(tabWalk(s), (QList<QWidget *>{s->Option2, s->Command5, s->Command4, s->Text1, s->Text2, s->Command3}));
        choose(s->Option4);
        QCOMPARE(tabWalk(s), (QList<QWidget *>{s->Command5, s->Command4, s->Option4, s->Text1, s->Text2, s->Command3}));
        choose(s->Option1);
        QCOMPARE(tabWalk(s), (QList<QWidget *>{s->Option1, s->Command5, s->Command4, s->Text1, s->Text2, s->Command3}));
    }

    // Each check in its order, with its message, its form and where the focus goes.
    void checks_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("innerHeight");
        QTest::addColumn<QString>("shedHeight");
        QTest::addColumn<QString>("message"); // empty: passes
        QTest::addColumn<MessageForm>("form");
        QTest::addColumn<QString>("focus");

        const QString badWidth = QStringLiteral("Please enter a valid Door Width and try again.");
        const QString badHeight = QStringLiteral("Please enter a valid Door Height and try again.");
        const QString narrow = QStringLiteral("Please enter a Door Width greater than 3 feet and try again.");
        const QString low = QStringLiteral("Please enter a Door Height of more than 6 feet and try again.");
        const QString wide = QStringLiteral("Door width must be at least 1 foot less than shed width. Please try again.");
        const QString high =
            QStringLiteral("Door height must be at least 1 foot less than shed height. Please try again.");
        const auto wrong = MessageForm::WrongValue;
        const auto plain = MessageForm::Plain;

        QTest::newRow("defaults") << "8" << "6" << "8" << "8" << "" << plain << "";
        QTest::newRow("both empty: only the width") << "" << "" << "8" << "8" << badWidth << wrong << "Text2";
        QTest::newRow("width a word") << "wide" << "6" << "8" << "8" << badWidth << wrong << "Text2";
        QTest::newRow("height empty") << "8" << "" << "8" << "8" << badHeight << wrong << "Text1";
        QTest::newRow("width 2.9") << "2.9" << "6" << "8" << "8" << narrow << plain << "Command5";
        QTest::newRow("width 3") << "3" << "6" << "8" << "8" << "" << plain << "";
        QTest::newRow("height 5.5") << "8" << "5.5" << "8" << "8" << low << plain << "Command5";
        QTest::newRow("narrow before low") << "2" << "5" << "8" << "8" << narrow << plain << "Command5";
        QTest::newRow("width = shed width") << "12" << "6" << "8" << "8" << wide << wrong << "Text2";
        QTest::newRow("width half a foot less") << "11.5" << "6" << "8" << "8" << "" << plain << "";
        QTest::newRow("height = inner height") << "8" << "7" << "7" << "8" << high << wrong << "Text1";
        QTest::newRow("inner height, not shed height") << "8" << "8.5" << "9" << "8" << "" << plain << "";
        QTest::newRow("inner height a word") << "8" << "6" << "hi" << "8" << high << wrong << "Text1";
        QTest::newRow("wide before high") << "13" << "9" << "8" << "8" << wide << wrong << "Text2";
    }
    void checks()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, innerHeight);
        QFETCH(QString, shedHeight);
        QFETCH(QString, message);
        QFETCH(MessageForm, form);
        QFETCH(QString, focus);
        Harness h;
        h.design.InnerHeight = innerHeight;
        h.design.ShedHeight = shedHeight;
        auto *s = open(h);
        retype(s->Text2, width);
        retype(s->Text1, height);
        next(h);
        if (message.isEmpty()) {
            QVERIFY(h.messages.messages.empty());
            QCOMPARE(h.visible(), h.wizard.find(ScreenId::Screen9));
            return;
        }
        QCOMPARE(h.messages.messages.size(), size_t(1));
        QCOMPARE(h.messages.messages[0].text, message);
        QCOMPARE(h.messages.messages[0].form, form);
        QCOMPARE(h.visible(), s);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        if (auto *box = qobject_cast<QLineEdit *>(QApplication::focusWidget()))
            QCOMPARE(box->selectedText(), box->text());
        QVERIFY(!h.ended());
    }

    void nextStoresConvertedSizes()
    {
        Harness h;
        auto *s = open(h);
        choose(s->Option4);
        retype(s->Text2, QStringLiteral(" 7 "));
        retype(s->Text1, QStringLiteral("7.50"));
        next(h);
        QCOMPARE(h.design.MainDoorLocation, QStringLiteral("Both"));
        QCOMPARE(h.design.MainDoorWidth, QStringLiteral("7"));
        QCOMPARE(h.design.MainDoorHeight, QStringLiteral("7.5"));

        QTest::mouseClick(h.wizard.find(ScreenId::Screen9)->Command4, Qt::LeftButton);
        choose(s->Option3);
        next(h);
        QCOMPARE(h.design.MainDoorLocation, QStringLiteral("Rear"));
    }

    // The location is stored before any check, the sizes once both are numbers.
    void refusalsLeaveStagedStores()
    {
        Harness h;
        auto *s = open(h);
        choose(s->Option3);
        retype(s->Text2, QStringLiteral("abc"));
        next(h);
        QCOMPARE(h.design.MainDoorLocation, QStringLiteral("Rear"));
        QCOMPARE(h.design.MainDoorWidth, QString());
        QCOMPARE(h.design.MainDoorHeight, QString());

        choose(s->Option1);
        retype(s->Text2, QStringLiteral("2"));
        retype(s->Text1, QStringLiteral("6.5"));
        next(h);
        QCOMPARE(h.design.MainDoorLocation, QStringLiteral("None"));
        QCOMPARE(h.design.MainDoorWidth, QStringLiteral("2"));
        QCOMPARE(h.design.MainDoorHeight, QStringLiteral("6.5"));

        retype(s->Text2, QStringLiteral("12"));
        next(h);
        QCOMPARE(h.design.MainDoorWidth, QStringLiteral("12"));
        QCOMPARE(h.messages.messages.size(), size_t(3));
        QCOMPARE(h.visible(), s);

        retype(s->Text2, QStringLiteral("4"));
        next(h);
        QCOMPARE(h.messages.messages.size(), size_t(3));
        QCOMPARE(h.design.MainDoorLocation, QStringLiteral("None"));
        QCOMPARE(h.design.MainDoorWidth, QStringLiteral("4"));
        QCOMPARE(h.design.MainDoorHeight, QStringLiteral("6.5"));
    }

    // A shed narrower than 10 feet gets the narrow door at every showing.
    void narrowShedPreset_data()
    {
        QTest::addColumn<QString>("shedWidth");
        QTest::addColumn<QString>("firstWidth");
        QTest::addColumn<QString>("returnWidth");
        QTest::addColumn<QString>("returnHeight");
        QTest::newRow("8 feet") << "8" << "3" << "3" << "6";
        QTest::newRow("9.99 feet") << "9.99" << "3" << "3" << "6";
        QTest::newRow("10 feet") << "10" << "8" << "5" << "7";
        QTest::newRow("20 feet") << "20" << "8" << "5" << "7";
    }
    void narrowShedPreset()
    {
        QFETCH(QString, shedWidth);
        QFETCH(QString, firstWidth);
        QFETCH(QString, returnWidth);
        QFETCH(QString, returnHeight);
        Harness h;
        auto *s = open(h, shedWidth);
        QCOMPARE(s->Text2->text(), firstWidth);
        QCOMPARE(s->Text1->text(), QStringLiteral("6"));
        retype(s->Text2, QStringLiteral("5"));
        retype(s->Text1, QStringLiteral("7"));
        QTest::mouseClick(s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), h.wizard.find(ScreenId::Screen7));
        QTest::mouseClick(h.wizard.find(ScreenId::Screen7)->Command5, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QCOMPARE(s->Text2->text(), returnWidth);
        QCOMPARE(s->Text1->text(), returnHeight);
    }

    void gravelSkipsTheRamp()
    {
        Harness gravel;
        gravel.design.FloorType = QStringLiteral("0");
        gravel.design.RampLocation = QStringLiteral("Both");
        open(gravel);
        next(gravel);
        QCOMPARE(gravel.design.RampLocation, QStringLiteral("None"));
        QCOMPARE(gravel.visible(), gravel.wizard.find(ScreenId::Screen10));
        QCOMPARE(gravel.wizard.find(ScreenId::Screen9), nullptr);

        Harness blocks;
        blocks.design.FloorType = QStringLiteral("3");
        blocks.design.RampLocation = QStringLiteral("Both");
        open(blocks);
        next(blocks);
        QCOMPARE(blocks.design.RampLocation, QStringLiteral("Both"));
        QCOMPARE(blocks.visible(), blocks.wizard.find(ScreenId::Screen9));
    }

    // Tabbing into a box selects its first ten characters only.
    void tabSelectsTenCharacters()
    {
        Harness h;
        auto *s = open(h);
        retype(s->Text2, QStringLiteral("12345678901"));
        QTest::mouseClick(s->Text1, Qt::LeftButton);
        QTest::keyClick(s->Text1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->Text2);
        QCOMPARE(s->Text2->selectedText(), QStringLiteral("1234567890"));
        QTest::keyClicks(s->Text2, QStringLiteral("4"));
        QCOMPARE(s->Text2->text(), QStringLiteral("41"));
    }

    // A box that had the focus when the window lost the activation (to a refusal's
    // message box, or another program) gets it back without a GotFocus.
    void focusComingBackKeepsTheSelection()
    {
        Harness h;
        ModalMessages modal;
        h.useMessages(modal);
        h.design.InnerHeight = QStringLiteral("8");
        h.design.FloorType = QStringLiteral("1");
        h.design.ShedWidth = QStringLiteral("12");
        h.wizard.show(ScreenId::Screen8);
        auto *s = h.screen<screen8>(ScreenId::Screen8);
        activate(s);
        retype(s->Text2, QStringLiteral("abcdefghijklmn"));
        QTest::keyClick(s->Text2, Qt::Key_Return);
        QCOMPARE(modal.texts, QStringList{QStringLiteral("Please enter a valid Door Width and try again.")});
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text2);
        QVERIFY(!s->Text2->hasSelectedText());
        QCOMPARE(s->Text2->cursorPosition(), 14);

        // From the Next button the focus does move into the box, which selects.
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(modal.texts.size(), 2);
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text2);
        QCOMPARE(s->Text2->selectedText(), QStringLiteral("abcdefghij"));

        // Enter in the height box: the focus moves into the refused width box, and
        // the height box, which lost the focus to the message box, still selects
        // when the user comes back to it.
        retype(s->Text1, QStringLiteral("6.5"));
        QTest::keyClick(s->Text1, Qt::Key_Left);
        QTest::keyClick(s->Text1, Qt::Key_Return);
        QCOMPARE(modal.texts.size(), 3);
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text2);
        QCOMPARE(s->Text2->selectedText(), QStringLiteral("abcdefghij"));
        QTest::keyClick(s->Text2, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("6.5"));

        // A refusal that leaves the focus where it was leaves the selection too.
        retype(s->Text2, QStringLiteral("2.9"));
        retype(s->Text1, QStringLiteral("6.25"));
        QTest::keyClick(s->Text1, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(s->Text1, Qt::Key_Return);
        QCOMPARE(modal.texts.size(), 4);
        activate(s);
        QCOMPARE(QApplication::focusWidget(), s->Text1);
        QCOMPARE(s->Text1->selectedText(), QStringLiteral("5"));
    }

    void largeFontsMoveOnlyThePictures()
    {
        Harness small;
        Harness large(17);
        auto *normal = open(small);
        auto *s = open(large);
        const QList<QPair<QLabel *, QPoint>> moved{{s->Image1, {240, 600}}, {s->Image2, {1800, 600}},
                                                   {s->Image3, {3360, 600}}, {s->Image4, {4920, 600}}};
        compareLargeFontsLayout(normal, s, moved);
    }
};

QTEST_MAIN(Screen8Test)
#include "test_screen8.moc"
