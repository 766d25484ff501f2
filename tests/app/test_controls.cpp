#include "app/Controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace corvelle;

// The screens' shared rules where a screen test cannot reach them: options that
// are not exclusive, and boxes the step buttons must leave alone.
class ControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstSelectedWins()
    {
        QWidget window;
        QRadioButton first(&window), second(&window), third(&window);
        for (QRadioButton *option : {&first, &second, &third})
            option->setAutoExclusive(false);

        QString field = QStringLiteral("earlier");
        StoreFirstSelected(field, {{&first, u"1"}, {&second, u"2"}, {&third, u"3"}});
        QCOMPARE(field, QStringLiteral("earlier"));
        QVERIFY(!FirstSelected({{&first, u"1"}}));

        third.setChecked(true);
        second.setChecked(true);
        StoreFirstSelected(field, {{&first, u"1"}, {&second, u"2"}, {&third, u"3"}});
        QCOMPARE(field, QStringLiteral("2"));
        // The order given decides, not the order the options were selected in.
        QCOMPARE(FirstSelected({{&third, u"3"}, {&second, u"2"}}), QStringLiteral("3"));
    }

    void stepNumberBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("delta");
        QTest::addColumn<QString>("after");
        QTest::newRow("up") << "12" << 1.0 << "13";
        QTest::newRow("down through zero") << "0.5" << -1.0 << "-0.5";
        QTest::newRow("blanks around") << " 9 " << 1.0 << "10";
        QTest::newRow("a word stays") << "wide" << 1.0 << "wide";
        QTest::newRow("empty stays") << "" << -1.0 << "";
        QTest::newRow("number and word stays") << "9 ft" << 1.0 << "9 ft";
    }
    void stepNumberBox()
    {
        QFETCH(QString, text);
        QFETCH(double, delta);
        QFETCH(QString, after);
        QLineEdit box(text);
        StepNumberBox(&box, delta);
        QCOMPARE(box.text(), after);
    }
};

QTEST_MAIN(ControlsTest)
#include "test_controls.moc"
