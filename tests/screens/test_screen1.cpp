#include "app/Twips.h"
#include "screens/screen1.h"
#include "screens/screen3.h"
#include "tests/support/ScreenDriving.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

screen1 *start(Harness &h)
{
    h.wizard.start();
    return activated(h.screen<screen1>(ScreenId::Screen1));
}

// The pointer the user sees: the program-wide one when set, else the default arrow.
bool handShows()
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::BitmapCursor;
}

QPoint centreOf(QWidget *control, QWidget *window)
{
    return control->mapTo(window, control->rect().center());
}

} // namespace

class Screen1Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void picturesSitInTheirFrames_data()
    {
        QTest::addColumn<int>("cellHeight");
        QTest::addColumn<QPoint>("image2");
        QTest::addColumn<QPoint>("image3");
        QTest::newRow("small fonts, 16 pixels") << 16 << QPoint(168, 240) << QPoint(180, 240);
        QTest::newRow("large fonts, 17 pixels") << 17 << QPoint(300, 450) << QPoint(350, 450);
    }
    void picturesSitInTheirFrames()
    {
        QFETCH(int, cellHeight);
        QFETCH(QPoint, image2);
        QFETCH(QPoint, image3);
        Harness h(cellHeight);
        screen1 *s = start(h);
        QCOMPARE(s->Image2->parentWidget(), s->Frame1);
        QCOMPARE(s->Image3->parentWidget(), s->Frame2);
        QCOMPARE(s->Image2->pos(), QPoint(TwipsToPixels(image2.x()), TwipsToPixels(image2.y())));
        QCOMPARE(s->Image3->pos(), QPoint(TwipsToPixels(image3.x()), TwipsToPixels(image3.y())));
        QCOMPARE(s->Image2->size(), TwipsRect(168, 240, 2184, 2268).size());
        QCOMPARE(s->Image3->size(), TwipsRect(180, 240, 2184, 2268).size());

        // Back from the 3D path shows the same layout; the load does not run again.
        h.cellHeight = cellHeight == 17 ? 16 : 17;
        QTest::mouseClick(s->Image3, Qt::LeftButton);
        QTest::mouseClick(h.screen<screen3>(ScreenId::Screen3)->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QCOMPARE(s->Image2->pos(), QPoint(TwipsToPixels(image2.x()), TwipsToPixels(image2.y())));
        QCOMPARE(s->Image3->pos(), QPoint(TwipsToPixels(image3.x()), TwipsToPixels(image3.y())));
        QCOMPARE(s->Image2->size(), TwipsRect(168, 240, 2184, 2268).size());
        QCOMPARE(s->Image3->size(), TwipsRect(180, 240, 2184, 2268).size());
    }

    void controls()
    {
        Harness h;
        screen1 *s = start(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Choose Your Building Type"));
        QCOMPARE(s->Frame1->title(), QStringLiteral("2D Shed "));
        QCOMPARE(s->Frame2->title(), QStringLiteral("3D Shed "));
        QCOMPARE(s->Frame1->geometry(), TwipsRect(240, 120, 3105, 3255));
        QCOMPARE(s->Frame2->geometry(), TwipsRect(3480, 120, 3105, 3255));
        QCOMPARE(s->Command1->text(), QStringLiteral("Cancel"));
        QCOMPARE(s->Command1->geometry(), TwipsRect(120, 3600, 1125, 345));
        QVERIFY(!s->Command3 && !s->Command4 && !s->Command5);
        // The pictures are stretched over their controls.
        QVERIFY(s->Image2->hasScaledContents() && s->Image3->hasScaledContents());
        QCOMPARE(s->Image2->pixmap().size(), QSize(180, 187));
        QCOMPARE(s->Image3->pixmap().size(), QSize(180, 187));
        QCOMPARE(s->focusWidget(), s->Command1);
    }

    void handOverPicturesOnly()
    {
        Harness h;
        screen1 *s = start(h);
        QVERIFY(!handShows());

        QTest::mouseMove(s, centreOf(s->Image2, s));
        QVERIFY(handShows());
        const QCursor *hand = QApplication::overrideCursor();
        QCOMPARE(hand->hotSpot(), QPoint(6, 0));
        QCOMPARE(hand->bitmap().size(), QSize(32, 32));
        QVERIFY(!hand->mask().isNull());

        // The frame's own area, below its picture.
        QTest::mouseMove(s, s->Frame1->mapTo(s, QPoint(s->Frame1->width() / 2, s->Frame1->height() - 8)));
        QVERIFY(!handShows());

        QTest::mouseMove(s, centreOf(s->Image3, s));
        QVERIFY(handShows());
        // The background between the frames.
        QTest::mouseMove(s, QPoint(TwipsToPixels(3410), TwipsToPixels(1500)));
        QVERIFY(!handShows());

        // Straight from a picture onto Cancel: the button reports no move, the hand stays.
        QTest::mouseMove(s, centreOf(s->Image2, s));
        QTest::mouseMove(s, centreOf(s->Command1, s));
        QVERIFY(handShows());
        // The program-wide pointer: one setting, however many moves.
        QTest::mouseMove(s, centreOf(s->Image3, s));
        QTest::mouseMove(s, centreOf(s->Image2, s));
        QTest::mouseMove(s, s->Frame2->mapTo(s, QPoint(4, s->Frame2->height() / 2)));
        QVERIFY(!handShows());
        QVERIFY(!h.ended());
    }

    void pictureClicksOpenTheirPath_data()
    {
        QTest::addColumn<bool>("threeD");
        QTest::newRow("2D picture") << false;
        QTest::newRow("3D picture") << true;
    }
    void pictureClicksOpenTheirPath()
    {
        QFETCH(bool, threeD);
        Harness h;
        screen1 *s = start(h);
        QLabel *picture = threeD ? s->Image3 : s->Image2;
        QTest::mouseMove(s, centreOf(picture, s));
        QVERIFY(handShows());
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(!handShows());
        QVERIFY(!s->isVisible());
        WizardScreen *shown = h.visible();
        QVERIFY(shown);
        QCOMPARE(shown->id(), threeD ? ScreenId::Screen3 : ScreenId::Screen2);

        // Back shows the same screen1 again, with the default pointer.
        QTest::mouseClick(shown->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QVERIFY(!handShows());
        QVERIFY(!h.ended());
    }

    void frameClicksDoNothing()
    {
        Harness h;
        screen1 *s = start(h);
        QTest::mouseClick(s->Frame1, Qt::LeftButton, {}, QPoint(20, 6));
        QTest::mouseClick(s->Frame2, Qt::LeftButton, {}, QPoint(s->Frame2->width() / 2, s->Frame2->height() - 6));
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(TwipsToPixels(3410), TwipsToPixels(1500)));
        QCOMPARE(h.visible(), s);
        QVERIFY(!h.wizard.find(ScreenId::Screen2) && !h.wizard.find(ScreenId::Screen3));
    }

    void waysOut_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Cancel clicked") << 0;
        QTest::newRow("Enter on the focused Cancel") << 1;
        QTest::newRow("space bar on the focused Cancel") << 2;
        QTest::newRow("Esc") << 3;
    }
    void waysOut()
    {
        QFETCH(int, way);
        Harness h;
        screen1 *s = start(h);
        QCOMPARE(QApplication::focusWidget(), s->Command1);
        switch (way) {
        case 0:
            QTest::mouseClick(s->Command1, Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            break;
        case 2:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            break;
        case 3:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            break;
        }
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.messages.failures.isEmpty());
        QVERIFY(h.shedData().isEmpty());
    }

    void otherKeysDoNothing()
    {
        Harness h;
        screen1 *s = start(h);
        QTest::keyClick(s, Qt::Key_A);
        QTest::keyClick(s, Qt::Key_Tab);
        QVERIFY(!h.ended());
        QCOMPARE(h.visible(), s);
    }
};

QTEST_MAIN(Screen1Test)
#include "test_screen1.moc"
