#include "app/Twips.h"
#include "screens/screen10.h"
#include "screens/screen11.h"
#include "tests/support/TestHarness.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

void choose(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

} // namespace

class Screen11Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        Harness h;
        h.wizard.show(ScreenId::Screen11);
        auto *s = h.screen<screen11>(ScreenId::Screen11);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (8 of 9)   Choose your Barn Roofing . . ."));
        QCOMPARE(s->Frame1->title(), QStringLiteral("Barn Roofing"));
        QCOMPARE(s->Option1->text(), QStringLiteral("Barn Trusses"));
        QCOMPARE(s->Option2->text(), QStringLiteral("Barn Supports"));
        QCOMPARE(s->Frame1->geometry(), TwipsRect(120, 120, 6375, 3135));
        QCOMPARE(s->Image1->geometry(), TwipsRect(240, 360, 2328, 1656));
        QCOMPARE(s->Image2->geometry(), TwipsRect(3240, 360, 2376, 1608));
        QCOMPARE(s->Image1->pixmap().size(), QSize(192, 136));
        QCOMPARE(s->Image2->pixmap().size(), QSize(196, 132));
        QCOMPARE(s->Option1->geometry(), TwipsRect(840, 2640, 1455, 375));
        QCOMPARE(s->Option2->geometry(), TwipsRect(3960, 2640, 1455, 375));
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
        h.wizard.show(ScreenId::Screen11);
        auto *s = h.screen<screen11>(ScreenId::Screen11);
        QCOMPARE(s->Image1->pos(), TwipsRect(360, 480, 0, 0).topLeft());
        QCOMPARE(s->Image1->size(), TwipsRect(240, 360, 2328, 1656).size());
        QCOMPARE(s->Image2->pos(), TwipsRect(3240, 480, 0, 0).topLeft());
        QCOMPARE(s->Option1->geometry(), TwipsRect(840, 2640, 1455, 375));
    }

    void nextStoresTheChoice_data()
    {
        QTest::addColumn<int>("option"); // 0 none, 1 trusses, 2 supports
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("trusses") << 1 << "0" << "1";
        QTest::newRow("supports") << 2 << "1" << "0";
        QTest::newRow("none keeps empty") << 0 << "" << "";
        QTest::newRow("none keeps earlier") << 0 << "1" << "1";
    }

    // Reached from the roof type screen as a user would, for a narrow Barn roof.
    void nextStoresTheChoice()
    {
        QFETCH(int, option);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        h.design.Trusses = before;
        h.wizard.show(ScreenId::Screen10);
        auto *roof = h.screen<screen10>(ScreenId::Screen10);
        choose(roof->Option2);
        QTest::mouseClick(roof->Command5, Qt::LeftButton);
        auto *s = h.screen<screen11>(ScreenId::Screen11);
        QVERIFY(s);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        QCOMPARE(h.design.RoofType, QStringLiteral("Barn"));
        QVERIFY(!s->Option1->isChecked() && !s->Option2->isChecked());

        if (option == 1)
            choose(s->Option1);
        else if (option == 2)
            choose(s->Option2);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.design.Trusses, after);
        QCOMPARE(h.visible()->id(), ScreenId::Screen13);
        QVERIFY(h.messages.messages.empty());
    }

    void backKeepsTheSelection()
    {
        Harness h;
        h.design.ShedWidth = QStringLiteral("12");
        h.design.Trusses = QStringLiteral("7");
        h.wizard.show(ScreenId::Screen11);
        auto *s = h.screen<screen11>(ScreenId::Screen11);
        choose(s->Option2);
        QTest::mouseClick(s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible()->id(), ScreenId::Screen10);
        QCOMPARE(h.design.Trusses, QStringLiteral("7"));
        h.wizard.moveTo(*h.visible(), ScreenId::Screen11);
        QVERIFY(s->Option2->isChecked());
        QVERIFY(!s->Option1->isChecked());
        choose(s->Option1);
        QVERIFY(!s->Option2->isChecked());
    }

    void escapeEnds()
    {
        Harness h;
        h.wizard.show(ScreenId::Screen11);
        auto *s = h.screen<screen11>(ScreenId::Screen11);
        QTest::keyClick(s->Command5, Qt::Key_Escape);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.shedData().isEmpty());
    }
};

QTEST_MAIN(Screen11Test)
#include "test_screen11.moc"
