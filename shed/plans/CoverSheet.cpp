#include "shed/Framing.h"
#include "shed/Rules.h"
#include "shed/plans/LineWork.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

namespace corvelle::shed::sheet {

namespace {

// The shed as it will stand, the sheets of the set, what it was designed for and the
// notes that hold for every sheet.
class CoverSheet final : public Sheet {
public:
    using Sheet::Sheet;

    QString title() const override { return QStringLiteral("Cover"); }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const double split = area.left() + area.width() * 0.6;
        const QRectF picture(area.left(), area.top(), split - area.left(), area.height() - 150);
        const HiddenLines &lines = lineWork(in_).pictorial(in_.model);
        Scale scale;
        const Drawing drawing = fitPictorial(canvas, lines.bounds(), picture, u, scale);
        drawStrokes(drawing, lines, INT_MAX,
                    [](const Stroke &s) { return s.visible ? QPen(Qt::black, 0.4) : QPen(Qt::NoPen); });

        const OnLayer text(canvas, sheetlayer::Text);
        QPainter &p = canvas.painter();
        p.save();
        p.setPen(Qt::black);
        // The design's values under the picture, in two columns.
        const Heights h = heightsOf(in_);
        const double pitch = d.roof == RoofType::Barn ? rules::GambrelUpperPitch : rules::GablePitch;
        const QStringList values = {
            QStringLiteral("Size %1 wide x %2 deep (framing)").arg(u.length(d.width), u.length(d.depth)),
            QStringLiteral("Floor area %1").arg(u.area(d.width * d.depth)),
            QStringLiteral("Walls %1 high, studs %2 at %3")
                .arg(u.length(d.innerHeight), u.stock(nominalSection(d.studThickness, d.studDepth)),
                     u.length(d.studCenters)),
            QStringLiteral("Floor: %1, its top %2 above the ground").arg(floorName(d, u), u.length(h.floor)),
            QStringLiteral("Roof: %1 %2, %3")
                .arg(d.roof == RoofType::Barn ? QStringLiteral("gambrel") : QStringLiteral("gable"),
                     d.roof == RoofType::Barn
                         ? QStringLiteral("%1 and %2 in 12").arg(rules::GambrelLowerPitch * 12).arg(pitch * 12)
                         : QStringLiteral("%1 in 12").arg(pitch * 12),
                     d.trusses ? QStringLiteral("trusses") : QStringLiteral("rafters")),
            QStringLiteral("Eaves %1, ridge %2 above the ground").arg(u.length(h.eaves), u.length(h.ridge)),
            QStringLiteral("Siding: %1, %2").arg(sidingName(d.siding), d.outerWallMaterial),
            QStringLiteral("Door: %1")
                .arg(d.door == Sides::None
                         ? QStringLiteral("none")
                         : QStringLiteral("%1, %2").arg(sidesName(d.door), u.size(d.doorWidth, d.doorHeight))),
            QStringLiteral("Ramp: %1")
                .arg(d.ramp == Sides::None
                         ? QStringLiteral("none")
                         : QStringLiteral("%1, %2 long").arg(sidesName(d.ramp), u.length(d.rampLength))),
            QStringLiteral("Overhangs %1 at the eaves, %2 at the gables")
                .arg(u.length(d.overhangX), u.length(d.overhangZ)),
        };
        const QRectF below(area.left() + 6, picture.bottom() + 4, picture.width() - 12,
                           area.bottom() - picture.bottom() - 4);
        double y = paragraph(p, below, below.top(), QStringLiteral("The design"), 9, true);
        const double rowY = y;
        for (qsizetype i = 0; i < values.size(); ++i) {
            const bool second = i >= (values.size() + 1) / 2;
            const QRectF col(second ? below.center().x() + 4 : below.left(), 0, below.width() / 2 - 4, below.bottom());
            if (i == (values.size() + 1) / 2)
                y = rowY;
            y = paragraph(p, col, y, values[i], 7.5);
        }

        // The index, the loads and the notes beside the picture.
        const QRectF side(split + 8, area.top() + 4, area.right() - split - 14, area.height() - 8);
        y = paragraph(p, side, side.top(), QStringLiteral("Sheets"), 9, true);
        const QStringList titles = [&] {
            QStringList t;
            for (const auto &sheet : sheetsFor(in_))
                t << sheet->title();
            return t;
        }();
        // One line a sheet, closer together when the set is long.
        const double step = std::clamp((side.height() * 0.5) / std::max<qsizetype>(1, titles.size()), 6.5, 9.0);
        p.setFont(font(std::min(7.0, step - 1)));
        for (qsizetype i = 0; i < titles.size(); ++i) {
            p.drawText(QRectF(side.left(), y, side.width(), step), Qt::AlignLeft | Qt::AlignVCenter,
                       p.fontMetrics().elidedText(QStringLiteral("%1  %2").arg(i + 1).arg(titles[i]), Qt::ElideRight,
                                                  int(side.width())));
            y += step;
        }
        const double bottom = y;
        y = bottom + 6;
        y = paragraph(p, side, y, QStringLiteral("Design loads and structure"), 9, true);
        const StructureReport &st = in_.structure;
        if (st.rows.isEmpty()) {
            y = paragraph(p, side, y, QStringLiteral("No structural check goes with this set."), 7.5);
        } else {
            const SiteLoads &l = st.loads;
            y = paragraph(p, side, y,
                          QStringLiteral("Ground snow %1 psf, roof live %2 psf, floor live %3 psf; dead %4 psf roof, "
                                         "%5 psf floor. Lumber %6.")
                              .arg(l.groundSnow)
                              .arg(l.roofLive)
                              .arg(l.floorLive)
                              .arg(l.roofDead)
                              .arg(l.floorDead)
                              .arg(speciesName(l.species)),
                          7.5);
            const int fails = st.failures();
            QString summary = fails == 0
                                  ? QStringLiteral("All %1 checks pass (see the structural notes).").arg(st.rows.size())
                                  : QStringLiteral("%1 of %2 checks fail:").arg(fails).arg(st.rows.size());
            y = paragraph(p, side, y, summary, 7.5, fails > 0);
            int listed = 0;
            for (const CheckRow &row : st.rows) {
                if (row.result != Verdict::Fail || listed == 4)
                    continue;
                ++listed;
                y = paragraph(p, side, y, QStringLiteral("- %1, %2: %3").arg(row.check, row.member, row.suggestion), 7);
            }
        }
        y += 4;
        y = paragraph(p, side, y, QStringLiteral("General notes"), 9, true);
        const QStringList notes = {
            QStringLiteral("1. Lumber %1 or better, dry. Skids, sills, ramp stringers and anything in contact "
                           "with concrete or the ground pressure-treated for ground contact.")
                .arg(speciesName(st.loads.species)),
            QStringLiteral("2. Nailing to the residential code's fastening schedule (IRC Table R602.3(1)); nails, "
                           "screws, bolts and connectors in treated lumber hot-dip galvanized or stainless."),
            QStringLiteral("3. Connectors (hurricane ties, hangers) nailed in every hole with the maker's nails."),
            QStringLiteral("4. Lengths are to the framing unless noted; check them on site before cutting."),
        };
        for (const QString &n : notes)
            y = paragraph(p, side, y, n, 7.5);
        p.restore();
        return scale;
    }
};

} // namespace

std::unique_ptr<Sheet> coverSheet(const PlanInputs &in) { return std::make_unique<CoverSheet>(in); }

} // namespace corvelle::shed::sheet
