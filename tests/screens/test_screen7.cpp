#include "app/Twips.h"
#include "core/ShedDesign.h"
#include "screens/screen7.h"
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

screen7 *open(Harness &h)
{
    h.design.ShedWidth = QStringLiteral("12"); // read by the door screen behind this one
    return h.show<screen7>(ScreenId::Screen7);
}

QStringList stored(const ShedDesign &d)
{
    return {d.SidingName, d.OuterWallType, d.OuterWallMaterial, d.SidingWidth, d.SidingHeight};
}

} // namespace

class Screen7Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        Harness h;
        auto *s = open(h);
        QCOMPARE(s->windowTitle(), QStringLiteral("Corvelle    (5 of 9)   Choose your Outer Wall Type . . ."));
        QCOMPARE(s->Frame2->title(), QStringLiteral("Outer Wall Type:"));
        QCOMPARE(s->Option2->text(), QStringLiteral("Vertical Siding"));
        for (QLabel *image : {s->Image1, s->Image2, s->Image3, s->Image4}) {
            QCOMPARE(image->parentWidget(), s->Frame2);
            QCOMPARE(image->pixmap().size(), QSize(96, 152));
            QVERIFY(image->hasScaledContents());
        }
        QCOMPARE(s->Image4->geometry(), TwipsRect(4800, 216, 1176, 1848));
        QCOMPARE(s->Option1->parentWidget(), static_cast<QWidget *>(s));
        QCOMPARE(s->Option4->geometry(), TwipsRect(5280, 2760, 720, 372));
        QVERIFY(s->Option1->isChecked());

        const QList<QWidget *> chain = focusChain(s);
        QCOMPARE(chain, (QList<QWidget *>{s->Command3, s->Option1, s->Option2, s->Command5, s->Command4, s->Option4,
                                          s->Option3}));
    }

    // The screen opens on the covering choice; Tab and Shift+Tab stop once in the
    // option group, at its selected option, wherever that lies in the order.
    void focusAndTabStops()
    {
        Harness h;
        auto *s = open(h);
        QApplication::setActiveWindow(s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        QCOMPARE(QApplication::focusWidget(), s->Option1);

        QCOMPARE(walk(s->Command3, Qt::Key_Tab, 4),
                 (QList<QWidget *>{s->Command3, s->Option1, s->Command5, s->Command4, s->Command3}));
        QCOMPARE(walk(s->Command3, Qt::Key_Backtab, 4),
                 (QList<QWidget *>{s->Command3, s->Command4, s->Command5, s->Option1, s->Command3}));

        // The arrow keys move the choice; the stop follows it to its place in the order.
        s->Option1->setFocus();
        QTest::keyClick(s->Option1, Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QVERIFY(s->Option4->isChecked());
        QCOMPARE(walk(s->Command3, Qt::Key_Tab, 4),
                 (QList<QWidget *>{s->Command3, s->Command5, s->Command4, s->Option4, s->Command3}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(h.design.SidingName, QStringLiteral("Tin"));
    }

    void nextStores_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("untouched") << "" << QStringList{"Vinyl", "1", "Cobalt", "8", ".5"};
        QTest::newRow("siding") << "Option1" << QStringList{"Vinyl", "1", "Cobalt", "8", ".5"};
        QTest::newRow("vertical") << "Option2" << QStringList{"Vertical", "2", "Steel", ".5", "8"};
        QTest::newRow("plywood") << "Option3" << QStringList{"Plywood", "3", "Oak", "8", "4"};
        QTest::newRow("tin") << "Option4" << QStringList{"Tin", "4", "Aluminum", "8", "2.5"};
    }
    void nextStores()
    {
        QFETCH(QString, option);
        QFETCH(QStringList, fields);
        Harness h;
        auto *s = open(h);
        if (!option.isEmpty())
            choose(s->findChild<QRadioButton *>(option));
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(stored(h.design), fields);
        QCOMPARE(h.visible(), h.wizard.find(ScreenId::Screen8));
    }

    // Back keeps the choice; a new choice rewrites all five fields.
    void backKeepsChoiceAndNextOverwrites()
    {
        Harness h;
        auto *s = open(h);
        choose(s->Option4);
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QTest::mouseClick(h.wizard.find(ScreenId::Screen8)->Command4, Qt::LeftButton);
        QCOMPARE(h.visible(), s);
        QVERIFY(s->Option4->isChecked());
        QCOMPARE(stored(h.design), (QStringList{"Tin", "4", "Aluminum", "8", "2.5"}));

        choose(s->Option2);
        QVERIFY(!s->Option4->isChecked());
        QTest::mouseClick(s->Command5, Qt::LeftButton);
        QCOMPARE(stored(h.design), (QStringList{"Vertical", "2", "Steel", ".5", "8"}));
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

QTEST_MAIN(Screen7Test)
#include "test_screen7.moc"
