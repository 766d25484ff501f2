#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include "shed/Rules.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

// The cutting diagrams: every board to buy as a bar with its marked pieces, kerfs and
// offcut; every sheet with its pieces where they are cut. Alike boards and sheets are drawn
// once with their count.
namespace corvelle::shed::sheet {

namespace {

// The diagrams are laid out in a room every paper holds (Letter and A4 landscape beside the
// title block), so the number of sheets is known before any is painted.
constexpr double RoomWidth = 540;
constexpr double RoomHeight = 540;
constexpr double HeadHeight = 24;    // a stock's heading
constexpr double BarRowHeight = 22;  // a board, its marks above or in it
constexpr double BarLabelWidth = 96; // "16 ft  x 12" before the bar
constexpr int SheetsAcross = 4;
constexpr double SheetGap = 12;
constexpr double SheetCaption = 11;

QString percent(double share) { return QStringLiteral("%1 %").arg(share * 100, 0, 'f', 1); }

// One line of a diagram sheet: a stock's heading, a row of alike boards, a row of sheets,
// or the closing total.
struct Block {
    enum Kind { Heading, Bars, Sheets, Total } kind;
    int stock = 0;     // index into the plan's lumber or sheets
    QList<int> items;  // first bar or sheet of each alike group
    QList<int> counts; // and how many are alike
    double height = 0;
};

bool alike(const Bar &a, const Bar &b) { return a.stockLength == b.stockLength && a.marks == b.marks; }
bool alike(const QList<SheetPiece> &a, const QList<SheetPiece> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].mark != b[i].mark || (a[i].rect.topLeft() - b[i].rect.topLeft()).manhattanLength() > 0.01)
            return false;
    }
    return true;
}

// Groups of alike neighbours: (first index, count).
template <typename List>
QList<std::pair<int, int>> groups(const List &list)
{
    QList<std::pair<int, int>> out;
    for (int i = 0; i < int(list.size()); ++i) {
        if (!out.isEmpty() && alike(list[out.last().first], list[i]))
            ++out.last().second;
        else
            out.append({i, 1});
    }
    return out;
}

// Points a sheet inch is drawn at: the widest sheet of the plan fills a figure.
double sheetScale(const CuttingPlan &plan)
{
    double longest = 1;
    for (const SheetDiagram &d : plan.sheets)
        longest = std::max({longest, d.size.width(), d.size.height()});
    return (RoomWidth - (SheetsAcross - 1) * SheetGap) / SheetsAcross / longest;
}

QList<QList<Block>> pagesOf(const CuttingPlan &plan, bool lumber)
{
    QList<Block> blocks;
    if (lumber) {
        for (int s = 0; s < plan.lumber.size(); ++s) {
            blocks.append({Block::Heading, s, {}, {}, HeadHeight});
            for (const auto &[first, n] : groups(plan.lumber[s].bars))
                blocks.append({Block::Bars, s, {first}, {n}, BarRowHeight});
        }
    } else {
        const double k = sheetScale(plan);
        for (int s = 0; s < plan.sheets.size(); ++s) {
            blocks.append({Block::Heading, s, {}, {}, HeadHeight});
            const SheetDiagram &d = plan.sheets[s];
            // Drawn with the sheet's long side across the page.
            const double figure = std::min(d.size.width(), d.size.height()) * k + SheetCaption + SheetGap;
            Block row{Block::Sheets, s, {}, {}, figure};
            for (const auto &[first, n] : groups(d.sheets)) {
                if (row.items.size() == SheetsAcross) {
                    blocks.append(row);
                    row.items.clear();
                    row.counts.clear();
                }
                row.items.append(first);
                row.counts.append(n);
            }
            if (!row.items.isEmpty())
                blocks.append(row);
        }
    }
    blocks.append({Block::Total, 0, {}, {}, HeadHeight});
    QList<QList<Block>> pages{{}};
    double used = 0;
    for (const Block &b : blocks) {
        // A heading never ends a page.
        const bool headingAlone = b.kind == Block::Heading && used + b.height + BarRowHeight > RoomHeight;
        if (!pages.last().isEmpty() && (used + b.height > RoomHeight || headingAlone)) {
            pages.append(QList<Block>());
            used = 0;
        }
        pages.last().append(b);
        used += b.height;
    }
    return pages;
}

// A mark centred in a piece when it fits there, else above it.
void markText(QPainter &p, const QRectF &piece, const QString &mark, const QString &length)
{
    const QFontMetricsF inside(font(6, true));
    if (inside.horizontalAdvance(mark) + 2 <= piece.width() && piece.height() >= 7) {
        p.setFont(font(6, true));
        const QString both = mark + QLatin1Char(' ') + length;
        const bool room = inside.horizontalAdvance(both) + 4 <= piece.width();
        p.drawText(piece, Qt::AlignCenter, room ? both : mark);
        return;
    }
    p.setFont(font(4.5));
    p.drawText(QRectF(piece.center().x() - 20, piece.top() - 7, 40, 6), Qt::AlignCenter, mark);
}

class CuttingSheet final : public Sheet {
public:
    CuttingSheet(const PlanInputs &in, bool lumber, int part) : Sheet(in), lumber_(lumber), part_(part) {}

    QString title() const override
    {
        const QString name =
            lumber_ ? QStringLiteral("Cutting diagram: lumber") : QStringLiteral("Cutting diagram: sheets");
        return part_ == 0 ? name : name + QStringLiteral(" (continued)");
    }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const QList<QList<Block>> pages = pagesOf(in_.cutting, lumber_);
        QPainter &p = canvas.painter();
        p.save();
        double y = area.top() + 8;
        const double left = area.left() + 8, width = std::min(RoomWidth, area.width() - 16);
        for (const Block &b : pages.value(part_)) {
            switch (b.kind) {
            case Block::Heading:
                heading(canvas, b.stock, QRectF(left, y, width, b.height));
                break;
            case Block::Bars:
                bars(canvas, b, QRectF(left, y, width, b.height));
                break;
            case Block::Sheets:
                sheets(canvas, b, QRectF(left, y, width, b.height));
                break;
            case Block::Total:
                total(canvas, QRectF(left, y, width, b.height));
                break;
            }
            y += b.height;
        }
        p.restore();
        return {};
    }

private:
    void heading(SheetCanvas &canvas, int stock, QRectF r) const
    {
        const OnLayer text(canvas, sheetlayer::Text);
        QPainter &p = canvas.painter();
        const Units &u = in_.units;
        QString line;
        if (lumber_) {
            const LumberDiagram &d = in_.cutting.lumber[stock];
            line = QStringLiteral("%1: %2 boards, %3 bought, %4 cut, yield %5")
                       .arg(u.stock(d.stock))
                       .arg(d.bars.size())
                       .arg(u.length(d.bought()), u.length(d.cut()), percent(d.yield()));
        } else {
            const SheetDiagram &d = in_.cutting.sheets[stock];
            line = QStringLiteral("%1, %2: %3 sheets, yield %4")
                       .arg(u.stock(d.stock), u.size(d.size.width(), d.size.height()))
                       .arg(d.sheets.size())
                       .arg(percent(d.yield()));
        }
        p.setFont(font(9, true));
        p.drawText(r.adjusted(0, 6, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, line);
    }

    void total(SheetCanvas &canvas, QRectF r) const
    {
        const OnLayer text(canvas, sheetlayer::Text);
        QPainter &p = canvas.painter();
        const CuttingPlan &plan = in_.cutting;
        p.setFont(font(9, true));
        const QString line =
            lumber_
                ? QStringLiteral("All lumber: yield %1 (length cut over length bought)")
                      .arg(percent(plan.lumberYield()))
                : QStringLiteral("All sheets: yield %1 (area cut over area bought)").arg(percent(plan.sheetYield()));
        p.drawText(r.adjusted(0, 6, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, line);
    }

    // One board: end trim, pieces with a kerf between, offcut hatched; its length and count
    // before it.
    void bars(SheetCanvas &canvas, const Block &b, QRectF r) const
    {
        const LumberDiagram &d = in_.cutting.lumber[b.stock];
        const Bar &bar = d.bars[b.items.first()];
        double longest = 1;
        for (const LumberDiagram &l : in_.cutting.lumber)
            for (const Bar &x : l.bars)
                longest = std::max(longest, x.stockLength);
        const double k = (r.width() - BarLabelWidth) / longest;
        QPainter &p = canvas.painter();
        const Units &u = in_.units;
        {
            const OnLayer text(canvas, sheetlayer::Text);
            p.setFont(font(7.5));
            const QString count =
                b.counts.first() > 1 ? QStringLiteral("  \u00d7 %1").arg(b.counts.first()) : QString();
            p.drawText(QRectF(r.left(), r.top() + 8, BarLabelWidth - 6, 12), Qt::AlignLeft | Qt::AlignVCenter,
                       u.length(bar.stockLength) + count);
        }
        const double top = r.top() + 8, h = 12;
        double x = r.left() + BarLabelWidth;
        const OnLayer shapes(canvas, layerName(Layer::Framing));
        p.setPen(QPen(Qt::black, 0.5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(x, top, rules::EndTrim * k, h));
        x += rules::EndTrim * k;
        for (qsizetype i = 0; i < bar.pieces.size(); ++i) {
            if (i > 0) {
                p.setPen(QPen(QColor(200, 30, 30), 0.8)); // the saw kerf
                p.drawLine(QPointF(x + rules::SawKerf * k / 2, top - 1),
                           QPointF(x + rules::SawKerf * k / 2, top + h + 1));
                x += rules::SawKerf * k;
            }
            const QRectF piece(x, top, bar.pieces[i] * k, h);
            p.setPen(QPen(Qt::black, 0.5));
            p.setBrush(QColor(250, 236, 206));
            p.drawRect(piece);
            {
                const OnLayer text(canvas, sheetlayer::Text);
                markText(p, piece, bar.marks[i], u.length(bar.pieces[i]));
            }
            x += bar.pieces[i] * k;
        }
        const double offcut = std::max(0.0, bar.offcut());
        if (offcut > 0.01) {
            const QRectF rest(x, top, offcut * k, h);
            p.setPen(QPen(Qt::black, 0.5));
            p.setBrush(QBrush(QColor(120, 120, 120), Qt::BDiagPattern));
            p.drawRect(rest);
            const OnLayer text(canvas, sheetlayer::Text);
            p.setFont(font(5.5));
            const QString label = QStringLiteral("offcut %1").arg(u.length(offcut));
            if (QFontMetricsF(font(5.5)).horizontalAdvance(label) + 4 <= rest.width())
                p.drawText(rest, Qt::AlignCenter, label);
        }
    }

    // Up to four sheets across, each with its pieces and marks, the count of alike sheets
    // beneath.
    void sheets(SheetCanvas &canvas, const Block &b, QRectF r) const
    {
        const SheetDiagram &d = in_.cutting.sheets[b.stock];
        const double k = sheetScale(in_.cutting);
        const bool turn = d.size.height() > d.size.width(); // the long side across
        const QSizeF drawn = turn ? d.size.transposed() * k : d.size * k;
        QPainter &p = canvas.painter();
        const Units &u = in_.units;
        for (qsizetype g = 0; g < b.items.size(); ++g) {
            const QList<SheetPiece> &sheet = d.sheets[b.items[g]];
            const QRectF frame(QPointF(r.left() + double(g) * (drawn.width() + SheetGap), r.top() + 2), drawn);
            const auto onPage = [&](const QRectF &q) {
                const QRectF t = turn ? QRectF(q.y(), q.x(), q.height(), q.width()) : q;
                return QRectF(frame.left() + t.left() * k, frame.top() + t.top() * k, t.width() * k, t.height() * k);
            };
            {
                const OnLayer shapes(canvas, layerName(Layer::Lining));
                p.setPen(QPen(Qt::black, 0.7));
                p.setBrush(QBrush(QColor(120, 120, 120), Qt::BDiagPattern)); // what is left over
                p.drawRect(frame);
                p.setPen(QPen(Qt::black, 0.4));
                p.setBrush(QColor(246, 240, 226));
                for (const SheetPiece &piece : sheet)
                    p.drawRect(onPage(piece.rect));
            }
            const OnLayer text(canvas, sheetlayer::Text);
            for (const SheetPiece &piece : sheet) {
                const QRectF q = onPage(piece.rect);
                p.setFont(font(q.height() >= 8 && q.width() >= 14 ? 5.5 : 4));
                p.drawText(q, Qt::AlignCenter, piece.mark);
            }
            p.setFont(font(7));
            const QString caption = b.counts[g] > 1 ? QStringLiteral("\u00d7 %1").arg(b.counts[g]) : QString();
            p.drawText(QRectF(frame.left(), frame.bottom() + 1, frame.width(), SheetCaption - 1),
                       Qt::AlignLeft | Qt::AlignVCenter, caption);
            (void)u;
        }
    }

    bool lumber_;
    int part_;
};

} // namespace

std::unique_ptr<Sheet> cuttingSheet(const PlanInputs &in, bool lumber, int part)
{
    return std::make_unique<CuttingSheet>(in, lumber, part);
}

int cuttingParts(const PlanInputs &in, bool lumber) { return int(pagesOf(in.cutting, lumber).size()); }

} // namespace corvelle::shed::sheet
