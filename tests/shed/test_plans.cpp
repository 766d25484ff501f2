// Plans as a builder gets them: every page present, dimensions readable as text.
#include "TestData.h"
#include "shed/Framing.h"
#include "shed/PlanDrawing.h"
#include "shed/Plans.h"
#include "shed/Reader.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace corvelle::shed;

namespace {

// pdftotext's text of a PDF, or an empty string when poppler is missing.
QString pdfText(const QByteArray &pdf, int *pages = nullptr)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plans.pdf"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(pdf);
    f.close();
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    tool.waitForFinished(30000);
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());
    if (pages)
        *pages = int(text.count(QLatin1Char('\f')));
    const QString keep = qEnvironmentVariable("PLANS_PDF");
    if (!keep.isEmpty())
        QFile::copy(file, keep);
    return text;
}

} // namespace

class TestPlans : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paperAndLengths()
    {
        QCOMPARE(lengthText(16), QStringLiteral("16\""));
        QCOMPARE(lengthText(5.5), QStringLiteral("5-1/2\""));
        QCOMPARE(lengthText(0.5), QStringLiteral("1/2\""));
        QCOMPARE(lengthText(23.99), QStringLiteral("24\""));
        QCOMPARE(lengthText(144), QStringLiteral("12' 0\""));
        QCOMPARE(planPaper(QLocale(QLocale::English, QLocale::UnitedStates)), QPageSize::Letter);
        QCOMPARE(planPaper(QLocale(QLocale::German, QLocale::Germany)), QPageSize::A4);
    }

    void everyPageWithItsDimensions()
    {
        const Design d = *readDesign(corvelle::testing::sampleShedData()).design; // the worked example
        MaterialTable t;
        for (int i = 0; i < 40; ++i) // two pages of materials
            t.rows.append({QStringLiteral("Item %1").arg(i), QStringLiteral("2"), QStringLiteral("each"),
                           QStringLiteral("3.50"), QStringLiteral("7.00")});
        t.total = QStringLiteral("Total 280.00");
        const PlanSet plans(d, buildModel(d), t);
        const QStringList titles = plans.pageTitles();
        for (const char *name : {"Foundation plan", "Floor framing plan", "Front wall framing", "Rear wall framing",
                                 "Left wall framing", "Right wall framing", "Roof framing plan", "Truss detail",
                                 "Ramp detail", "Material list", "Material list (continued)"})
            QVERIFY2(titles.contains(QLatin1String(name)), name);

        int pages = 0;
        const QString text = pdfText(plans.pdf(QPageSize::Letter), &pages);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QCOMPARE(pages, titles.size());
        for (const QString &title : titles)
            QVERIFY2(text.contains(title), qPrintable(title));
        // Width and depth as dimension lines on the plans, not just in the title block.
        QVERIFY(text.count(QStringLiteral("16' 0\"")) >= 1 + titles.size());
        QVERIFY(text.count(QStringLiteral("12' 0\"")) >= 1 + titles.size());
        QVERIFY(text.contains(QLatin1String("Total 280.00")));

        const QByteArray svg = plans.svg(QPageSize::A4);
        QVERIFY(svg.startsWith("<?xml") && svg.contains("</svg>"));
    }

    void stylePlanAtItsWidth()
    {
        const StylePlan gambrel = stylePlan(QStringLiteral("102"), 12);
        QCOMPARE(gambrel.shape, RoofShape::Gambrel);
        QCOMPARE(gambrel.width, 144.0);
        QCOMPARE(stylePlan(QStringLiteral("118"), 18).shape, RoofShape::RunIn);
        const QString text = pdfText(stylePlanPdf(stylePlan(QStringLiteral("107"), 14), QPageSize::A4));
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(text.contains(QLatin1String("14' 0\"")));
        QVERIFY(text.contains(QLatin1String("18' 8\""))); // 14 ft x 4/3
        QVERIFY(text.contains(QLatin1String("clerestory")));
    }
};

QTEST_MAIN(TestPlans)
#include "test_plans.moc"
