// Plans as a builder gets them: every page present, dimensions readable as text.
#include "TestData.h"
#include "shed/Framing.h"
#include "shed/Marks.h"
#include "shed/Palette.h"
#include "shed/PlanDrawing.h"
#include "shed/Plans.h"
#include "shed/Reader.h"
#include "shed/Structure.h"
#include "shed/Takeoff.h"
#include "shed/plans/SheetDrawing.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace corvelle::shed;

namespace {

// pdftotext's text of a PDF, or an empty string when poppler is missing; laid out as on
// the page, or in reading order (a wrapped title reads as one).
QString pdfText(const QByteArray &pdf, int *pages = nullptr, bool layout = true)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plans.pdf"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(pdf);
    f.close();
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), layout ? QStringList{QStringLiteral("-layout"), file, QStringLiteral("-")}
                                                   : QStringList{file, QStringLiteral("-")});
    tool.waitForFinished(30000);
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());
    if (pages)
        *pages = int(text.count(QLatin1Char('\f')));
    const QString keep = qEnvironmentVariable("PLANS_PDF");
    if (!keep.isEmpty())
        QFile::copy(file, keep);
    return text;
}

// The polylines of a DXF drawing on one layer, as boxes.
QList<QRectF> dxfBoxes(const QByteArray &dxf, const QString &layer)
{
    const QList<QByteArray> lines = dxf.split('\n');
    QList<QRectF> out;
    QPolygonF poly;
    QString entity, entityLayer;
    double x = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        const int code = lines[i].trimmed().toInt();
        const QByteArray value = lines[i + 1].trimmed();
        if (code == 0) {
            if (entity == u"LWPOLYLINE" && entityLayer == layer)
                out.append(poly.boundingRect());
            entity = QString::fromUtf8(value);
            entityLayer.clear();
            poly.clear();
        } else if (code == 8) {
            entityLayer = QString::fromUtf8(value);
        } else if (code == 10) {
            x = value.toDouble();
        } else if (code == 20) {
            poly.append({x, value.toDouble()});
        }
    }
    return out;
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

    // Seen from above, the left wall (X = width) is on the page's left, as the front
    // elevation shows it: on every plan view a post by the left wall is drawn left of one
    // by the right wall, in the drawing files as on paper.
    void crowdedRunningFiguresSpreadApart()
    {
        using sheet::spreadLabels;
        // A lone figure stays on its tick; a king and jack 1-1/2 in apart at a small scale spread
        // evenly about their ticks, and a spread that reaches the next figure takes it in.
        QCOMPARE(spreadLabels({0, 20, 40}, 7.5), QList<double>({0, 20, 40}));
        QCOMPARE(spreadLabels({10, 11, 12, 40}, 7.5), QList<double>({3.5, 11, 18.5, 40}));
        const QList<double> cascade = spreadLabels({0, 5, 10.5, 30}, 7.5);
        QCOMPARE(cascade.size(), 4);
        QVERIFY(std::abs(cascade[0] + cascade[1] + cascade[2] - 15.5) < 1e-9);
        for (qsizetype i = 1; i < cascade.size(); ++i)
            QVERIFY(cascade[i] - cascade[i - 1] >= 7.5 - 1e-9);
        QCOMPARE(cascade[3], 30.0);
    }

    void planViewsShowTheLeftWallOnTheLeft()
    {
        const Design d = *readDesign(corvelle::testing::sampleShedData()).design; // has a ramp
        Model model = buildModel(d);
        model.members.clear();
        const auto post = [&](MemberKind kind, Layer layer, double x, double side, double height) {
            Member m;
            m.kind = kind;
            m.layer = layer;
            m.stock = QStringLiteral("post %1").arg(side);
            m.position = QVector3D(float(x - side / 2), 0, float(d.depth / 2 - side / 2));
            m.size = QVector3D(float(side), float(height), float(side));
            m.length = side;
            model.members.append(m);
        };
        // Square from above, low so that the ramp's side view draws them oblong.
        const std::pair<QString, std::pair<MemberKind, Layer>> views[] = {
            {QStringLiteral("Foundation plan"), {MemberKind::Block, Layer::Foundation}},
            {QStringLiteral("Floor framing plan"), {MemberKind::Joist, Layer::Floor}},
            {QStringLiteral("Floor plan"), {MemberKind::SidingPiece, Layer::Siding}},
            {QStringLiteral("Roof framing plan"), {MemberKind::Blocking, Layer::Roof}},
            {QStringLiteral("Ramp detail"), {MemberKind::RampDeck, Layer::Ramps}}};
        for (const auto &[title, what] : views) {
            const double height = what.second == Layer::Siding ? 200 : 3; // the floor plan cuts at 4 ft
            post(what.first, what.second, d.width - 12, 12, height);
            post(what.first, what.second, 12, 6, height);
        }
        const PlanSet plans(d, model, {});
        for (const auto &[title, what] : views) {
            const qsizetype index = plans.pageTitles().indexOf(title);
            QVERIFY2(index >= 0, qPrintable(title));
            QList<QRectF> squares;
            for (const QRectF &r : dxfBoxes(plans.dxf(int(index), QPageSize::Letter), layerName(what.second)))
                if (std::abs(r.width() - r.height()) < 0.01 * r.width())
                    squares.append(r);
            QVERIFY2(squares.size() == 2, qPrintable(title));
            std::sort(squares.begin(), squares.end(),
                      [](const QRectF &a, const QRectF &b) { return a.width() > b.width(); });
            QVERIFY2(squares[0].center().x() < squares[1].center().x(), qPrintable(title));
        }
    }

    // Metric: every dimension in millimetres, metric scales, A4 unless a drawing would need
    // a scale below 1:100 there.
    // Left and right as a person facing the front sees them: a window on the left wall,
    // 60 in from that wall's left end, is on the left wall's sheet with its rough opening
    // 47 3/4 in from the left corner, and nowhere else.
    void windowOnItsSheet()
    {
        Design d;
        d.windows = {{Wall::Left, 60, 24, 36, 40}};
        const PlanSet plans(d, buildModel(d), {});
        const QString text = pdfText(plans.pdf(QPageSize::Letter));
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        int sheets = 0;
        for (const QString &page : text.split(QLatin1Char('\f'))) {
            if (!page.contains(QLatin1String("Window rough opening")))
                continue;
            ++sheets;
            QVERIFY(page.contains(QLatin1String("Left wall framing")));
            QVERIFY2(page.contains(QLatin1String("Window rough opening 2' 0-1/2\" wide x 3' 0-1/2\" high"))
                         && page.contains(QLatin1String("3' 11-3/4\" from the left corner")),
                     qPrintable(page));
        }
        QCOMPARE(sheets, 1);
    }

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
        // The stringer is cut to the ledger under the floor: 94-5/8 in long point.
        QVERIFY(text.contains(QLatin1String("Stringer 2x6 PT (38 x 140 mm) cut 2403 mm long point")));

        // 72 ft wide (beyond the wizard's sizes) the plans would need 1:200 on A4: A3 at 1:100.
        d.width = 72 * 12;
        const PlanSet wide(d, buildModel(d), {}, {}, metric);
        QCOMPARE(wide.paper(), QPageSize::A3);
        QCOMPARE(PlanSet(d, buildModel(d), {}).paper(QLocale(QLocale::German, QLocale::Germany)), QPageSize::A4);
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
                cut << row.mark + QLatin1Char(' ') + row.member + QLatin1Char(' ') + row.stock + QLatin1Char(' ')
                           + Units().length(row.lengthIn);
            const PlanSet plans(d, model, materialTable(takeoff), {}, {}, takeoff.cutting);
            const QString text = pdfText(plans.pdf(QPageSize::Letter));
            if (text.isEmpty())
                QSKIP("pdftotext is not installed");
            // The cutting diagrams follow the material list, and every mark of the cut list
            // is written on some sheet.
            const QStringList titles = plans.pageTitles();
            const qsizetype lumber = titles.indexOf(QStringLiteral("Cutting diagram: lumber"));
            QVERIFY(lumber > titles.indexOf(QStringLiteral("Material list")));
            QVERIFY(titles.indexOf(QStringLiteral("Cutting diagram: sheets")) > lumber);
            QVERIFY(text.contains(QLatin1String("All lumber: yield"))
                    && text.contains(QLatin1String("All sheets: yield")));
            const QStringList pages = text.split(QLatin1Char('\f'));
            QString diagrams;
            for (qsizetype i = 0; i < titles.size(); ++i)
                diagrams += titles[i].startsWith(QLatin1String("Cutting diagram: lumber")) ? pages[i] : QString();
            for (const CutRow &row : takeoff.cuts)
                QVERIFY2(diagrams.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(row.mark))),
                         qPrintable(row.mark));
            // The framing sheets name their members by mark too.
            static const QRegularExpression wallMark(QStringLiteral("\\bW\\d+\\b"));
            QVERIFY(pages[titles.indexOf(QStringLiteral("Front wall framing"))].count(wallMark) >= 5);
            // The frame's schedule: every piece by its mark, a web by its foot and head cuts.
            static const QRegularExpression piece(QStringLiteral(
                "\\d+\\s+(R\\d+ [a-z ]+?) (\\d+x\\d+(?: PT)?) cut (.+?)(, ends|: foot)[^(\\n]*\\((\\d+)\\)"));
            int pieces = 0, webs = 0;
            for (auto it = piece.globalMatch(text); it.hasNext(); ++pieces) {
                const auto match = it.next();
                const QString listed =
                    match.captured(1) + QLatin1Char(' ') + match.captured(2) + QLatin1Char(' ') + match.captured(3);
                QVERIFY2(cut.contains(listed), qPrintable(listed));
                webs += match.captured(4) == QLatin1String(": foot") ? match.captured(5).toInt() : 0;
            }
            // Every web of one truss: the webs of all the trusses over the trusses with webs.
            QSet<int> webbed;
            for (const Member &mb : model.members) {
                if (mb.kind == MemberKind::TrussWeb)
                    webbed.insert(qRound(mb.position.z()));
            }
            QVERIFY2(pieces >= 3 && webs * std::max(1, int(webbed.size())) == model.count(MemberKind::TrussWeb),
                     qPrintable(text.right(3000)));
            static const QRegularExpression stringer(QStringLiteral("Stringer (\\S+ PT) cut (.+?) long point"));
            const auto s = stringer.match(text);
            QVERIFY(s.hasMatch());
            QVERIFY2(std::any_of(cut.begin(), cut.end(),
                                 [&](const QString &c) {
                                     return c.endsWith(QStringLiteral(" ramp stringer ") + s.captured(1)
                                                       + QLatin1Char(' ') + s.captured(2));
                                 }),
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
        StylePlan metric = stylePlan(QStringLiteral("107"), 14);
        metric.units = Units(UnitSystem::Metric);
        QVERIFY(pdfText(stylePlanPdf(metric, QPageSize::A4)).contains(QLatin1String("4267 mm")));
    }
    // The permit and build sheets of the worked example and of a gambrel with doors both
    // ends and no ramp: every title in the PDF's text, the cover's index naming every
    // sheet in order, one page a sheet; the steps follow the design.
    void permitAndAssemblySheets()
    {
        const Design example = *readDesign(corvelle::testing::sampleShedData()).design; // slab, ramp in front
        Design gambrel = example;
        gambrel.roof = RoofType::Barn;
        gambrel.door = Sides::Both;
        gambrel.ramp = Sides::None;
        gambrel.floor = FloorType::Wood;
        const QStringList permit = {QStringLiteral("Cover"),           QStringLiteral("Floor plan"),
                                    QStringLiteral("Front elevation"), QStringLiteral("Rear elevation"),
                                    QStringLiteral("Left elevation"),  QStringLiteral("Right elevation"),
                                    QStringLiteral("Building section")};
        const QStringList walls = {QStringLiteral("Foundation"),      QStringLiteral("Front wall"),
                                   QStringLiteral("Rear wall"),       QStringLiteral("Left wall"),
                                   QStringLiteral("Right wall"),      QStringLiteral("Raise and brace the walls"),
                                   QStringLiteral("Roof framing"),    QStringLiteral("Sheathing and roofing"),
                                   QStringLiteral("Siding and trim"), QStringLiteral("Doors and windows")};
        for (const Design &d : {example, gambrel}) {
            const Model model = buildModel(d);
            const Takeoff list = takeoff(model, defaultPrices());
            const PlanSet plans(d, model, materialTable(list), checkStructure(model, defaultPrices()));
            const QStringList titles = plans.pageTitles();
            QCOMPARE(titles.mid(0, permit.size()), permit);
            // A slab needs no floor step; a ramp its own step and sheet.
            QStringList stages = walls;
            if (d.floor != FloorType::Concrete)
                stages.insert(1, QStringLiteral("Floor"));
            if (d.ramp != Sides::None)
                stages << QStringLiteral("Ramp");
            QStringList steps;
            for (const QString &t : titles)
                if (t.startsWith(u"Assembly step "))
                    steps << t;
            QCOMPARE(steps.size(), stages.size());
            for (qsizetype i = 0; i < steps.size(); ++i)
                QCOMPARE(steps[i], QStringLiteral("Assembly step %1: %2").arg(i + 1).arg(stages[i]));
            QCOMPARE(titles.contains(QStringLiteral("Ramp detail")), d.ramp != Sides::None);

            int pages = 0;
            const QString text = pdfText(plans.pdf(QPageSize::Letter), &pages, false);
            if (text.isEmpty())
                QSKIP("pdftotext is not installed");
            QCOMPARE(pages, titles.size());
            const QStringList pageTexts = text.split(QLatin1Char('\f'));
            // The slab's foundation plan places every anchor bolt the material list buys.
            if (d.floor == FloorType::Concrete) {
                static const QRegularExpression placed(QStringLiteral("Anchor bolts \\((\\d+) in all"));
                const auto bolts = std::find_if(list.materials.begin(), list.materials.end(),
                                                [](const MaterialRow &r) { return r.item.contains(u"anchor bolt"); });
                QVERIFY(bolts != list.materials.end());
                QCOMPARE(placed.match(pageTexts[titles.indexOf(QStringLiteral("Foundation plan"))].simplified())
                             .captured(1)
                             .toDouble(),
                         bolts->quantity);
            }
            for (qsizetype i = 0; i < titles.size(); ++i) {
                // Each title on its own page, and in the cover's index with its number.
                QVERIFY2(pageTexts[i].simplified().contains(titles[i]), qPrintable(titles[i]));
                QVERIFY2(pageTexts[0].simplified().contains(QStringLiteral("%1 %2").arg(i + 1).arg(titles[i])),
                         qPrintable(titles[i]));
            }
            // The steps name the pieces by the marks of the cut list and the sheets' cutting
            // diagrams (and the door leaves'), every wall's studs among them.
            QStringList marks;
            for (const CutRow &row : list.cuts)
                marks << row.mark;
            for (const SheetDiagram &stock : list.cutting.sheets)
                for (const QList<SheetPiece> &sheet : stock.sheets)
                    for (const SheetPiece &piece : sheet)
                        marks << piece.mark;
            for (const MarkedPiece &piece : partMarks(model).pieces)
                if (piece.kind == MemberKind::DoorLeaf)
                    marks << piece.mark;
            static const QRegularExpression cited(QStringLiteral("\\b[FWRSDP]\\d+\\b"));
            for (qsizetype i = 0; i < titles.size(); ++i) {
                if (!titles[i].startsWith(u"Assembly step "))
                    continue;
                for (auto it = cited.globalMatch(pageTexts[i]); it.hasNext();) {
                    const QString mark = it.next().captured();
                    QVERIFY2(marks.contains(mark), qPrintable(titles[i] + QLatin1Char(' ') + mark));
                }
                if (!titles[i].endsWith(u" wall"))
                    continue;
                // "12 studs 2x6 (W9)": the mark is the cut list's stud.
                static const QRegularExpression studs(QStringLiteral("\\d+ studs\\s+\\S+\\s+\\((W\\d+)"));
                const QRegularExpressionMatch stud = studs.match(pageTexts[i]);
                QVERIFY2(stud.hasMatch(), qPrintable(pageTexts[i]));
                QCOMPARE(list.cuts.value(marks.indexOf(stud.captured(1))).member, QStringLiteral("stud"));
            }
        }
    }
};

QTEST_MAIN(TestPlans)
#include "test_plans.moc"
