// Plans as a builder gets them: every page present, dimensions readable as text.
#include "TestData.h"
#include "shed/Framing.h"
#include "shed/PlanDrawing.h"
#include "shed/Plans.h"
#include "shed/Reader.h"
#include "shed/Takeoff.h"

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

    // Each length a sheet gives is a length the cut list gives for that piece, for a
    // truss and a rafter roof; the floor note counts what the material list buys.
    void sheetsAgreeWithTheCutList()
    {
        for (bool trusses : {true, false}) {
            Design d = *readDesign(corvelle::testing::sampleShedData()).design;
            d.trusses = trusses;
            d.roof = trusses ? RoofType::Gable : RoofType::Barn;
            d.floor = FloorType::Blocks;
            d.blockRows = 2;
            d.ramp = d.door = Sides::Both;
            const Model model = buildModel(d);
            const Takeoff takeoff = corvelle::shed::takeoff(model, defaultPrices());
            QStringList cut;
            for (const CutRow &row : takeoff.cuts)
                cut << row.member + QLatin1Char(' ') + row.stock + QLatin1Char(' ') + lengthText(row.lengthIn);
            const QString text = pdfText(PlanSet(d, model, materialTable(takeoff)).pdf(QPageSize::Letter));
            if (text.isEmpty())
                QSKIP("pdftotext is not installed");
            static const QRegularExpression piece(
                QStringLiteral("\\d+\\s+([a-z ]+?) (\\d+x\\d+(?: PT)?) cut (.+?), ends"));
            int pieces = 0;
            for (auto it = piece.globalMatch(text); it.hasNext(); ++pieces) {
                const auto match = it.next();
                const QString listed =
                    match.captured(1) + QLatin1Char(' ') + match.captured(2) + QLatin1Char(' ') + match.captured(3);
                QVERIFY2(cut.contains(listed), qPrintable(listed));
            }
            QVERIFY2(pieces >= 3, qPrintable(text.right(3000)));
            static const QRegularExpression stringer(QStringLiteral("Stringer (\\S+ PT) cut (.+?) long point"));
            const auto s = stringer.match(text);
            QVERIFY(s.hasMatch());
            QVERIFY2(cut.contains(QStringLiteral("ramp stringer ") + s.captured(1) + QLatin1Char(' ') + s.captured(2)),
                     qPrintable(s.captured(0)));
            static const QRegularExpression deck(QStringLiteral("pieces cut from (\\d+) sheets"));
            const auto dk = deck.match(text);
            QVERIFY(dk.hasMatch());
            const auto row = std::find_if(takeoff.materials.begin(), takeoff.materials.end(), [](const MaterialRow &r) {
                return r.item.startsWith(QLatin1String("1/4 in plywood"));
            });
            QVERIFY(row != takeoff.materials.end());
            QCOMPARE(dk.captured(1).toDouble(), row->quantity);
        }
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
