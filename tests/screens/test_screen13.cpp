#include "app/Twips.h"
#include "core/Failure.h"
#include "screens/screen10.h"
#include "screens/screen11.h"
#include "screens/screen12.h"
#include "screens/screen13.h"
#include "tests/support/ScreenDriving.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace corvelle;
using namespace corvelle::test;

namespace {

// At each host call: whether the data file is on disk and the screen visible.
QString dataFileAndScreen(const Harness &h)
{
    return QStringLiteral("[file %1, screen %2]")
        .arg(h.shedData().isEmpty() ? u"absent" : u"present")
        .arg(h.wizard.find(ScreenId::Screen13)->isVisible() ? u"shown" : u"hidden");
}

screen13 *openShading(Harness &h) { return h.show<screen13>(ScreenId::Screen13); }

// Line 63 of the data file carries the shading code.
QByteArray shadingLine(const Harness &h)
{
    const QList<QByteArray> lines = h.shedData().split('\n');
    return lines.size() > 62 ? lines.at(62).left(12).trimmed() : QByteArray();
}

} // namespace

class Screen13Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        Harness h;
        auto *s = openShading(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (9 of 9)   Choose your Shading Type. . ."));
        QCOMPARE(s->size(), QSize(TwipsToPixels(6732), TwipsToPixels(3960)));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Shading Options "));
        QCOMPARE(s->Frame2->geometry(), TwipsRect(120, 120, 6465, 3255));
        const QList<QLabel *> images{s->Image1, s->Image2, s->Image3, s->Image4};
        const int imageLefts[] = {120, 1680, 3240, 4800};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(images[i]->parentWidget(), s->Frame2);
            QCOMPARE(images[i]->geometry(), TwipsRect(imageLefts[i], 216, 1176, 1848));
            QCOMPARE(images[i]->pixmap().size(), QSize(96, 152));
            QVERIFY(images[i]->hasScaledContents());
        }
        QCOMPARE(s->Option1->text(), QStringLiteral("None"));
        QCOMPARE(s->Option2->text(), QStringLiteral("Hidden Line"));
        QCOMPARE(s->Option3->text(), QStringLiteral("QuickShade"));
        QCOMPARE(s->Option4->text(), QStringLiteral("Best"));
        QCOMPARE(s->Option1->geometry(), TwipsRect(480, 2640, 855, 372));
        QCOMPARE(s->Option2->geometry(), TwipsRect(1850, 2640, 1335, 372));
        QCOMPARE(s->Option3->geometry(), TwipsRect(3480, 2640, 1212, 372));
        QCOMPARE(s->Option4->geometry(), TwipsRect(5160, 2640, 855, 372));
        QVERIFY(s->Option1->isChecked());
        QCOMPARE(s->Command5->text(), QStringLiteral("&Finish >>"));
        QCOMPARE(s->Command5->geometry(), TwipsRect(4680, 3588, 1125, 345));
        QVERIFY(!s->Command5->isDefault());

        // Tab order: the options, Back, Finish, then Cancel.
        const QList<QWidget *> order{s->Option1, s->Option2, s->Option3, s->Option4,
                                     s->Command4, s->Command5, s->Command3};
        for (int i = 0; i + 1 < order.size(); ++i)
            QCOMPARE(order[i]->nextInFocusChain(), order[i + 1]);
    }

    void largeFontsMoveThePictures()
    {
        Harness h(17);
        auto *s = openShading(h);
        QCOMPARE(s->Image1->pos(), TwipsRect(240, 600, 0, 0).topLeft());
        QCOMPARE(s->Image1->size(), TwipsRect(120, 216, 1176, 1848).size());
        QCOMPARE(s->Image2->pos(), TwipsRect(1800, 600, 0, 0).topLeft());
        QCOMPARE(s->Image3->pos(), TwipsRect(3360, 600, 0, 0).topLeft());
        QCOMPARE(s->Image4->pos(), TwipsRect(4920, 600, 0, 0).topLeft());
        QCOMPARE(s->Option1->geometry(), TwipsRect(480, 2640, 855, 372));
    }

    void finishStoresTheShading_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("code");
        QTest::newRow("untouched") << 0 << "1";
        QTest::newRow("None") << 1 << "1";
        QTest::newRow("Hidden Line") << 2 << "2";
        QTest::newRow("QuickShade") << 3 << "3";
        QTest::newRow("Best") << 4 << "4";
    }

    void finishStoresTheShading()
    {
        QFETCH(int, option);
        QFETCH(QString, code);
        Harness h;
        h.design.ShadingMode = QStringLiteral("9");
        auto *s = openShading(h);
        const QList<QRadioButton *> options{s->Option1, s->Option2, s->Option3, s->Option4};
        if (option > 0)
            choose(options[option - 1]);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.design.ShadingMode, code);
        QCOMPARE(shadingLine(h), code.toLatin1());
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.messages.failures.isEmpty());
    }

    // The file is on disk before the host is attached; the screen stays up while
    // it is written and is hidden before the start macro runs.
    void finishWritesThenLaunches()
    {
        Harness h;
        h.context->connectHost = [&h] {
            return std::make_unique<RecordingHost>(h.hostJournal, [&h] { return dataFileAndScreen(h); });
        };
        auto *s = openShading(h);
        choose(s->Option4);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        const QStringList expected{
            QStringLiteral("[file present, screen shown]"), QStringLiteral("attach"),
            QStringLiteral("[file present, screen shown]"), QStringLiteral("BringToTop"),
            QStringLiteral("[file present, screen shown]"), QStringLiteral("Documents"),
            QStringLiteral("[file present, screen shown]"), QStringLiteral("Add"),
            QStringLiteral("[file present, screen shown]"), QStringLiteral("ActiveDocument"),
            QStringLiteral("[file present, screen hidden]"),
            QStringLiteral("RunMorvish *\\Program Data\\Q&V_1_Start.mrq"),
        };
        QCOMPARE(h.hostJournal, expected);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(!h.visible());
    }

    // No host: the data file is written all the same, the failure is reported
    // and the program ends with status 1.
    void finishWithoutHost()
    {
        Harness h;
        h.context->connectHost = [&h] { return std::make_unique<RecordingHost>(h.hostJournal, nullptr, false); };
        auto *s = openShading(h);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(h.messages.failures.size(), 1);
        QCOMPARE(h.exit.statuses, std::vector<int>{1});
        QCOMPARE(shadingLine(h), QByteArray("1"));
        QVERIFY(s->isVisible());
    }

    // Back leads to the roof type screen whichever screen came before.
    void backGoesToRoofType_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<int>("roof"); // the option chosen on screen10
        QTest::addColumn<int>("before");
        QTest::newRow("through the gable roofing") << "12" << 1 << 12;
        QTest::newRow("through the barn roofing") << "12" << 2 << 11;
        QTest::newRow("wide shed, no roofing") << "20" << 1 << 10;
    }
    void backGoesToRoofType()
    {
        QFETCH(QString, width);
        QFETCH(int, roof);
        QFETCH(int, before);
        Harness h;
        h.design.ShedWidth = width;
        h.wizard.show(ScreenId::Screen10);
        auto *roofType = h.screen<screen10>(ScreenId::Screen10);
        choose(roof == 1 ? roofType->Option1 : roofType->Option2);
        QTest::mouseClick(roofType->Command5, Qt::LeftButton);
        QCOMPARE(h.visible()->id(), ScreenId(before == 10 ? 13 : before));
        if (before != 10)
            QTest::mouseClick(h.visible()->Command5, Qt::LeftButton);
        auto *s = h.screen<screen13>(ScreenId::Screen13);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        choose(s->Option3);

        QTest::mouseClick(s->Command4, Qt::LeftButton);
        QCOMPARE(h.visible()->id(), ScreenId::Screen10);
        QVERIFY(h.design.ShadingMode.isEmpty());

        // A wide shed now: Next goes straight back, and the choice is still there.
        h.design.ShedWidth = QStringLiteral("20");
        QTest::mouseClick(roofType->Command5, Qt::LeftButton);
        QCOMPARE(h.visible(), static_cast<WizardScreen *>(s));
        QVERIFY(s->Option3->isChecked());
        QVERIFY(!s->Option1->isChecked());
    }

    void escapeDoesNothingCancelEnds()
    {
        Harness h;
        auto *s = openShading(h);
        QTest::keyClick(s->Option1, Qt::Key_Escape);
        QTest::keyClick(s, Qt::Key_Escape);
        QVERIFY(!h.ended());
        QVERIFY(s->isVisible());

        QTest::mouseClick(s->Command3, Qt::LeftButton);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(h.shedData().isEmpty());
        QVERIFY(h.hostJournal.isEmpty());
    }

    // No default button: Enter presses Finish only while Finish has the focus.
    void enterOnlyOnFinish()
    {
        Harness h;
        auto *s = openShading(h);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        QCOMPARE(s->focusWidget(), static_cast<QWidget *>(s->Option1));
        QTest::keyClick(s->Option1, Qt::Key_Return);
        QVERIFY(!h.ended());
        QVERIFY(h.shedData().isEmpty());

        s->Command5->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s->Command5, Qt::Key_Return);
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QVERIFY(!h.shedData().isEmpty());
    }
};

QTEST_MAIN(Screen13Test)
#include "test_screen13.moc"
