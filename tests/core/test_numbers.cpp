#include "core/Failure.h"
#include "core/Numbers.h"

#include <QTest>

#include <cfloat>

using namespace corvelle;

class NumbersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numericTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        for (const char *yes : {"12", " 12 ", "12.50", "+3", "-10", ".5", "5.", "1e3", "\t7\t", "2E-2", "0"})
            QTest::newRow(yes) << QString::fromLatin1(yes) << true;
        for (const char *no : {"", " ", "abc", "12abc", "1,000", "1 000", "0x10", "inf", "nan", "1e999", ".",
                               "-", "+", "e5", "1e", "1e+", "12\n", "--1", "1.2.3"})
            QTest::newRow(no) << QString::fromLatin1(no) << false;
        QTest::newRow("arabic-indic digit") << QStringLiteral("\u0661\u0662") << false;
    }
    void numericTest()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(IsNumeric(text), numeric);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("words after") << "12 feet high" << 12.0;
        QTest::newRow("blanks around") << " 7 " << 7.0;
        QTest::newRow("fraction") << "7.50" << 7.5;
        QTest::newRow("trailing blank") << "8 " << 8.0;
        QTest::newRow("letters") << "ab" << 0.0;
        QTest::newRow("inner blank skipped") << "1 2" << 12.0;
        QTest::newRow("exponent then junk") << "1e3x" << 1000.0;
        QTest::newRow("bare e ignored") << "3e" << 3.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("line feed skipped") << "\n4\n2" << 42.0;
        QTest::newRow("negative") << "-10" << -10.0;
        QTest::newRow("thousands comma stops") << "1,000" << 1.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("point then digits") << ".25in" << 0.25;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(LeadingNumber(text), value);
    }

    // Whatever passes the numeric test converts strictly to its leading number.
    void strictAgreesWithLeading()
    {
        const QStringList texts{"12", " 12 ", "12.50", "+3", "-10", ".5", "5.", "1e3", "1e-3", "0.1", "-0",
                                "123456789012345", "2.5e+2", "\t8"};
        for (const QString &text : texts) {
            QVERIFY2(IsNumeric(text), qPrintable(text));
            QCOMPARE(StrictNumber(text), LeadingNumber(text));
        }
    }

    void strictRefusesNonNumbers()
    {
        for (const char *text : {"", "abc", "12abc", "1 2"}) {
            try {
                StrictNumber(QString::fromLatin1(text));
                QFAIL(text);
            } catch (const Failure &failure) {
                QVERIFY(failure.target().contains(QString::fromLatin1(text)));
            }
        }
    }

    void numberToText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 16.0 << "16";
        QTest::newRow("ten") << 10.0 << "10";
        QTest::newRow("half") << 2.5 << "2.5";
        QTest::newRow("negative") << -1.0 << "-1";
        QTest::newRow("below one") << 0.5 << "0.5";
        QTest::newRow("negative zero") << -0.0 << "0";
        // Binary noise beyond 15 significant digits never shows.
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << "0.3";
        QTest::newRow("8.2 - 1") << 8.2 - 1 << "7.2";
        QTest::newRow("8.8 - 1") << 8.8 - 1 << "7.8";
        QTest::newRow("1.1 - 1") << 1.1 - 1 << "0.1";
        QTest::newRow("15 digits kept") << 123456789012345.0 << "123456789012345";
        QTest::newRow("16th digit rounds") << 0.1234567890123456 << "0.123456789012346";
        QTest::newRow("small plain") << 0.0001 << "0.0001";
        QTest::newRow("small scientific") << 0.000015 << "1.5E-05";
        QTest::newRow("1e15") << 1e15 << "1E+15";
        QTest::newRow("1e16") << 1e16 << "1E+16";
        QTest::newRow("negative scientific") << -2.5e20 << "-2.5E+20";
        QTest::newRow("three-digit exponent") << 1e300 << "1E+300";
        QTest::newRow("largest, cut to read back") << DBL_MAX << "1.79769313486231E+308";
    }
    void numberToText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(NumberToText(value), text);
        // What the writer and the steps store reads back as the number shown.
        QCOMPARE(NumberToText(LeadingNumber(text)), text);
    }

    void stepping()
    {
        QCOMPARE(StepNumberText(u"10", 1), QStringLiteral("11"));
        QCOMPARE(StepNumberText(u"10.5", 1), QStringLiteral("11.5"));
        QCOMPARE(StepNumberText(u"12.50", 1), QStringLiteral("13.5"));
        QCOMPARE(StepNumberText(u"0", -1), QStringLiteral("-1"));
        QCOMPARE(StepNumberText(u" 8 ", -1), QStringLiteral("7"));
        QCOMPARE(StepNumberText(u"8.2", -1), QStringLiteral("7.2"));
        QCOMPARE(StepNumberText(u"8.8", -1), QStringLiteral("7.8"));
        QCOMPARE(StepNumberText(u"1.1", -1), QStringLiteral("0.1"));
        QVERIFY_THROWS_EXCEPTION(Failure, StepNumberText(u"", 1));
    }
};

QTEST_GUILESS_MAIN(NumbersTest)
#include "test_numbers.moc"
