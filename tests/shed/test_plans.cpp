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
    void paper()
    {
        QCOMPARE(planPaper(QLocale(QLocale::English, QLocale::UnitedStates)), QPageSize::Letter);
        QCOMPARE(planPaper(QLocale(QLocale::German, QLocale::Germany)), QPageSize::A4);
        QCOMPARE(planPaper(QLocale(QLocale::English, QLocale::UnitedStates), Units(UnitSystem::Metric)), QPageSize::A4);
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

    // Metric: every dimension in millimetres, metric scales, A4 unless a drawing would need
    // a scale below 1:100 there.
    void metricPlans()
    {
        Design d = *readDesign(corvelle::testing::sampleShedData()).design;
        const Units metric(UnitSystem::Metric);
        const PlanSet plans(d, buildModel(d), {}, {}, metric);
        QCOMPARE(plans.paper(QLocale(QLocale::English, QLocale::UnitedStates)), QPageSize::A4);
        int pages = 0;
        const QString text = pdfText(plans.pdf(plans.paper()), &pages);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QCOMPARE(pages, plans.pageCount());
        QVERIFY(text.count(QStringLiteral("4877 mm")) >= 1 + 6); // 16 ft: title blocks and the plans' dimensions
        QVERIFY(text.count(QStringLiteral("3658 mm")) >= 1 + 6); // 12 ft
        static const QRegularExpression scale(QStringLiteral("Scale (\\S+)"));
        QStringList scales;
        for (auto it = scale.globalMatch(text); it.hasNext();)
            scales << it.next().captured(1);
        QVERIFY2(scales.size() >= 8, qPrintable(scales.join(' ')));
        for (const QString &s : scales)
            QVERIFY2(s == u"1:20" || s == u"1:50" || s == u"1:100", qPrintable(s));
        // No feet and inches left anywhere (stock trade names aside).
        static const QRegularExpression imperial(QStringLiteral("\\d+' \\d|\\d\"|\\bsq ft\\b"));
        QVERIFY2(!imperial.match(text).hasMatch(), qPrintable(imperial.match(text).captured()));
        QVERIFY(text.contains(QLatin1String("Stringer 2x6 PT (38 x 140 mm) cut 2441 mm")));

        // 72 ft wide (beyond the wizard's sizes) the plans would need 1:200 on A4: A3 at 1:100.
        d.width = 72 * 12;
        const PlanSet wide(d, buildModel(d), {}, {}, metric);
        QCOMPARE(wide.paper(), QPageSize::A3);
        QCOMPARE(PlanSet(d, buildModel(d), {}).paper(QLocale(QLocale::German, QLocale::Germany)), QPageSize::A4);
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
        StylePlan metric = stylePlan(QStringLiteral("107"), 14);
        metric.units = Units(UnitSystem::Metric);
        QVERIFY(pdfText(stylePlanPdf(metric, QPageSize::A4)).contains(QLatin1String("4267 mm")));
    }
};

QTEST_MAIN(TestPlans)
#include "test_plans.moc"
