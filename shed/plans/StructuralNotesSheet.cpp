#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <algorithm>

namespace corvelle::shed::sheet {

namespace {

constexpr int StructureRowsPerPage = 12;

// The design loads, then the check table, each row with its rule and any change that
// passes beneath it, then the notes a permit office asks about.
class StructuralNotesSheet final : public Sheet {
public:
    StructuralNotesSheet(const PlanInputs &in, int part) : Sheet(in), part_(part) {}
    QString title() const override
    {
        return part_ == 0 ? QStringLiteral("Structural notes") : QStringLiteral("Structural notes (continued)");
    }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const OnLayer layer(canvas, sheetlayer::Text);
        QPainter &p = canvas.painter();
        const Design &d = in_.design;
        const Units u = in_.units;
        const int part = part_;
        const QRectF r = area.adjusted(8, 8, -8, -8);
        const double cols[] = {0, 0.12, 0.30, 0.58, 0.66, 0.74, 0.82, 0.89, 1.0};
        const char *heads[] = {"Check", "Member", "Size", "Spacing", "Has", "Allowed", "Ratio", "Result"};
        auto colX = [&](int i) { return r.left() + cols[i] * r.width(); };
        double y = r.top();
        p.save();
        p.setFont(font(9, true));
        const SiteLoads &l = in_.structure.loads;
        const QString loads =
            QStringLiteral(
                "Design loads: ground snow %1 psf (taken as the roof snow load), roof live %2 psf, floor live "
                "%3 psf, dead %4 psf roof and %5 psf floor. Lumber: %6.")
                .arg(l.groundSnow)
                .arg(l.roofLive)
                .arg(l.floorLive)
                .arg(l.roofDead)
                .arg(l.floorDead)
                .arg(speciesName(l.species));
        const QRectF loadsBox(r.left(), y, r.width(), 40);
        const QRectF used = p.boundingRect(loadsBox, Qt::TextWordWrap, loads);
        p.drawText(loadsBox, Qt::TextWordWrap, loads);
        y += used.height() + 8;
        p.setFont(font(8.5, true));
        for (int i = 0; i < 8; ++i)
            p.drawText(QRectF(colX(i) + 2, y, colX(i + 1) - colX(i) - 4, 14),
                       (i >= 3 && i <= 6 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       QString::fromLatin1(heads[i]));
        y += 16;
        p.setPen(QPen(Qt::black, 0.6));
        p.drawLine(QPointF(r.left(), y - 1), QPointF(r.right(), y - 1));
        const auto len = [u](double v) { return v > 0 ? u.length(v) : QString(); };
        const qsizetype from = qsizetype(part) * StructureRowsPerPage;
        for (qsizetype i = from; i < std::min<qsizetype>(in_.structure.rows.size(), from + StructureRowsPerPage); ++i) {
            const CheckRow &row = in_.structure.rows[i];
            const bool slope = row.check == u"roof slope";
            const QStringList cells = {row.check,
                                       row.member,
                                       row.size,
                                       len(row.spacing),
                                       slope ? QStringLiteral("%1:12").arg(row.span) : len(row.span),
                                       slope ? QStringLiteral("%1:12").arg(row.allowed) : len(row.allowed),
                                       row.ratio > 0 ? QString::number(row.ratio, 'f', 2) : QString(),
                                       verdictName(row.result)};
            p.setFont(font(8, row.result == Verdict::Fail));
            for (int k = 0; k < 8; ++k)
                p.drawText(QRectF(colX(k) + 2, y, colX(k + 1) - colX(k) - 4, 12),
                           (k >= 3 && k <= 6 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, cells[k]);
            y += 12;
            p.setFont(font(7));
            // The rule, and on a line of its own the change that passes a failure.
            QStringList under = {row.rule};
            if (row.result == Verdict::Fail && !row.suggestion.isEmpty())
                under << QStringLiteral("Change: ") + row.suggestion;
            else if (!row.suggestion.isEmpty())
                under[0] += QStringLiteral("  ") + row.suggestion;
            for (const QString &line : under) {
                p.drawText(QRectF(colX(1) + 2, y, r.right() - colX(1) - 4, 11), Qt::AlignLeft | Qt::AlignVCenter,
                           p.fontMetrics().elidedText(line, Qt::ElideRight, int(r.right() - colX(1) - 4)));
                y += 11;
            }
            y += 3;
        }
        if (from + StructureRowsPerPage >= in_.structure.rows.size()) {
            p.drawLine(QPointF(r.left(), y + 1), QPointF(r.right(), y + 1));
            QStringList notes = {
                QStringLiteral("%1 of %2 checks fail.").arg(in_.structure.failures()).arg(in_.structure.rows.size()),
                QStringLiteral("Permit: one-storey accessory buildings are exempt up to 200 sq ft under the "
                               "residential code, up to 120 sq ft under the building code and many local "
                               "amendments; ask the permit office which applies.")};
            if (d.trusses)
                notes << QStringLiteral(
                    "Trusses: site-built trusses need truss design drawings from their maker or an engineer.");
            p.setFont(font(8));
            y += 8;
            for (const QString &n : notes) {
                const QRectF box(r.left(), y, r.width(), 40);
                const QRectF needed = p.boundingRect(box, Qt::TextWordWrap, n);
                p.drawText(box, Qt::TextWordWrap, n);
                y += needed.height() + 4;
            }
        }
        p.restore();
        return {};
    }

private:
    int part_;
};

} // namespace

std::unique_ptr<Sheet> structuralNotesSheet(const PlanInputs &in, int part)
{
    return std::make_unique<StructuralNotesSheet>(in, part);
}

int structuralNotesParts(const PlanInputs &in)
{
    return int((in.structure.rows.size() + StructureRowsPerPage - 1) / StructureRowsPerPage);
}

} // namespace corvelle::shed::sheet
