#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <algorithm>

namespace corvelle::shed::sheet {

namespace {

// As many 13 pt rows as the drawing area holds under the header with the total below.
constexpr int MaterialRowsPerPage = 38;

// The material list as a table, continued over as many sheets as it needs.
class MaterialListSheet final : public Sheet {
public:
    MaterialListSheet(const PlanInputs &in, int part) : Sheet(in), part_(part) {}
    QString title() const override
    {
        return part_ == 0 ? QStringLiteral("Material list") : QStringLiteral("Material list (continued)");
    }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const OnLayer layer(canvas, sheetlayer::Text);
        QPainter &p = canvas.painter();
        const int part = part_;
        const QRectF r = area.adjusted(8, 8, -8, -8);
        const double cols[] = {0, 0.52, 0.64, 0.76, 0.88, 1.0};
        const char *heads[] = {"Item", "Quantity", "Unit", "Unit price", "Cost"};
        auto colX = [&](int i) { return r.left() + cols[i] * r.width(); };
        double y = r.top();
        p.save();
        p.setFont(font(8.5, true));
        for (int i = 0; i < 5; ++i)
            p.drawText(QRectF(colX(i) + 2, y, colX(i + 1) - colX(i) - 4, 14),
                       (i == 0 || i == 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                       QString::fromLatin1(heads[i]));
        y += 16;
        p.setPen(QPen(Qt::black, 0.6));
        p.drawLine(QPointF(r.left(), y - 1), QPointF(r.right(), y - 1));
        p.setFont(font(8));
        const qsizetype from = qsizetype(part) * MaterialRowsPerPage;
        for (qsizetype i = from; i < std::min<qsizetype>(in_.materials.rows.size(), from + MaterialRowsPerPage); ++i) {
            const QStringList &row = in_.materials.rows[i];
            for (int k = 0; k < 5 && k < row.size(); ++k)
                p.drawText(QRectF(colX(k) + 2, y, colX(k + 1) - colX(k) - 4, 13),
                           (k == 0 || k == 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, row[k]);
            y += 13;
        }
        if (from + MaterialRowsPerPage >= in_.materials.rows.size()) {
            p.drawLine(QPointF(r.left(), y + 1), QPointF(r.right(), y + 1));
            p.setFont(font(9, true));
            p.drawText(QRectF(colX(2), y + 3, colX(5) - colX(2) - 2, 15), Qt::AlignRight | Qt::AlignVCenter,
                       in_.materials.total);
        }
        if (in_.materials.rows.isEmpty())
            p.drawText(QPointF(r.left(), y + 14), QStringLiteral("Nothing to buy."));
        p.restore();
        return {};
    }

private:
    int part_;
};

} // namespace

std::unique_ptr<Sheet> materialListSheet(const PlanInputs &in, int part)
{
    return std::make_unique<MaterialListSheet>(in, part);
}

int materialListParts(const PlanInputs &in)
{
    return std::max(1, int((in.materials.rows.size() + MaterialRowsPerPage - 1) / MaterialRowsPerPage));
}

} // namespace corvelle::shed::sheet
