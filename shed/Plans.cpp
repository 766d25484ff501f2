#include "shed/Plans.h"
#include "shed/plans/DxfDrawing.h"
#include "shed/plans/LineWork.h"
#include "shed/plans/Sheet.h"
#include "shed/plans/SheetCanvas.h"
#include "shed/plans/SheetDrawing.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QSvgGenerator>

#include <algorithm>

namespace corvelle::shed {

QPageSize::PageSizeId planPaper(const QLocale &locale, Units units)
{
    if (units.isMetric())
        return QPageSize::A4;
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

PlanSet::PlanSet(Design design, Model model, MaterialTable materials, StructureReport structure, Units units,
                 CuttingPlan cutting)
{
    QStringList marks = partMarks(model).ofMember;
    in_ = std::make_shared<const PlanInputs>(PlanInputs{std::move(design), std::move(model), std::move(materials),
                                                        std::move(structure), units, std::move(cutting),
                                                        std::move(marks), {}});
}

Units PlanSet::units() const { return in_->units; }

namespace {

// A whole page: border, the sheet's drawing, its title block.
DrawingScale paintSheet(SheetCanvas &canvas, const Sheet &sheet, const PlanInputs &in, QSizeF page, int number,
                        int count)
{
    QPainter &p = canvas.painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    sheet::pageBorder(canvas, page);
    const DrawingScale scale = sheet.paint(canvas, sheet::drawingArea(page));
    sheet::titleBlock(canvas, page, in, sheet.title(), QString::fromLatin1(scale.label), number, count);
    p.restore();
    return scale;
}

QSizeF landscapePoints(QPageSize::PageSizeId paper)
{
    const QSizeF s = QPageSize(paper).size(QPageSize::Point);
    return QSizeF(std::max(s.width(), s.height()), std::min(s.width(), s.height()));
}

constexpr double SvgPageGap = 24;

} // namespace

QStringList PlanSet::pageTitles() const
{
    QStringList out;
    for (const auto &sheet : sheetsFor(*in_))
        out.append(sheet->title());
    return out;
}

void PlanSet::paintPage(QPainter &painter, int index, QSizeF pageSize) const
{
    const SheetList sheets = sheetsFor(*in_);
    if (index < 0 || index >= int(sheets.size()))
        return;
    SheetCanvas canvas(painter);
    paintSheet(canvas, *sheets[size_t(index)], *in_, pageSize, index + 1, int(sheets.size()));
}

QPageSize::PageSizeId PlanSet::paper(const QLocale &locale) const
{
    if (!in_->units.isMetric())
        return planPaper(locale, in_->units);
    // A4 unless a drawing would need a scale below 1:100 there: painted once to find out.
    startLineWork();
    const QSizeF a4 = landscapePoints(QPageSize::A4);
    QPicture picture;
    QPainter painter(&picture);
    const SheetList sheets = sheetsFor(*in_);
    for (size_t i = 0; i < sheets.size(); ++i) {
        SheetCanvas canvas(painter);
        paintSheet(canvas, *sheets[i], *in_, a4, int(i + 1), int(sheets.size()));
        if (!canvas.fitted())
            return QPageSize::A3;
    }
    return QPageSize::A4;
}

void PlanSet::startLineWork() const { sheet::lineWork(*in_).start(in_->model); }

void PlanSet::print(QPagedPaintDevice &device) const
{
    startLineWork();
    device.setPageOrientation(QPageLayout::Landscape);
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&device);
    const QRectF full = device.pageLayout().fullRectPoints();
    // Work in points whatever the device's resolution.
    const double k = painter.device()->logicalDpiX() / sheet::PointsPerInch;
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        painter.save();
        painter.scale(k, k);
        paintPage(painter, i, full.size());
        painter.restore();
    }
}

QByteArray PlanSet::pdf(QPageSize::PageSizeId paper) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Shed plans %1 x %2")
                            .arg(in_->units.length(in_->design.width), in_->units.length(in_->design.depth)));
        writer.setCreator(QStringLiteral("Corvelle"));
        writer.setResolution(600);
        writer.setPageSize(QPageSize(paper));
        print(writer);
    }
    return buffer.data();
}

QByteArray PlanSet::svg(QPageSize::PageSizeId paper) const
{
    const QSizeF page = landscapePoints(paper);
    const int n = pageCount();
    const QSizeF total(page.width(), n * page.height() + (n - 1) * SvgPageGap);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator gen;
    gen.setOutputDevice(&buffer);
    gen.setTitle(QStringLiteral("Shed plans"));
    gen.setResolution(int(sheet::PointsPerInch));
    gen.setSize(total.toSize());
    gen.setViewBox(QRectF(QPointF(0, 0), total));
    QPainter painter(&gen);
    startLineWork();
    for (int i = 0; i < n; ++i) {
        painter.save();
        painter.translate(0, i * (page.height() + SvgPageGap));
        paintPage(painter, i, page);
        painter.restore();
    }
    painter.end();
    return buffer.data();
}

QByteArray PlanSet::dxf(int index, QPageSize::PageSizeId paper) const
{
    const SheetList sheets = sheetsFor(*in_);
    if (index < 0 || index >= int(sheets.size()))
        return {};
    const QSizeF page = landscapePoints(paper);
    DxfRecorder recorder(page);
    DrawingScale scale;
    {
        QPainter painter(&recorder);
        SheetCanvas canvas(painter, &recorder);
        scale = paintSheet(canvas, *sheets[size_t(index)], *in_, page, index + 1, int(sheets.size()));
    }
    const double pointsPerInch = sheet::PointsPerInch * (scale.ratio > 0 ? scale.ratio : 1);
    return recorder.dxf(pointsPerInch, in_->design.outerWallMaterial);
}

QString PlanSet::dxfFileName(int index) const
{
    const QStringList titles = pageTitles();
    if (index < 0 || index >= titles.size())
        return {};
    QString safe;
    for (const QChar c : titles[index].toLower()) {
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            safe += c;
        else if (!safe.isEmpty() && !safe.endsWith(QLatin1Char('-')))
            safe += QLatin1Char('-');
    }
    while (safe.endsWith(QLatin1Char('-')))
        safe.chop(1);
    return QStringLiteral("%1-%2.dxf").arg(index + 1, 2, 10, QLatin1Char('0')).arg(safe);
}

} // namespace corvelle::shed
