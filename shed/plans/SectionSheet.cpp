#include "shed/Framing.h"
#include "shed/Geometry.h"
#include "shed/Palette.h"
#include "shed/Rules.h"
#include "shed/Section.h"
#include "shed/plans/LineWork.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <functional>
#include <optional>

#include <cmath>

namespace corvelle::shed::sheet {

namespace {

// A cut across the width through the middle, looking at the rear: every member the cut
// passes through in section, what stands beyond in light lines, each layer from the
// ground up named with its size, and the heights.
class SectionSheet final : public Sheet {
public:
    using Sheet::Sheet;

    QString title() const override { return QStringLiteral("Building section"); }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const Model &model = in_.model;
        const ViewDirection view = ViewDirection::front();
        // Through the frame nearest the middle, so a truss or rafter pair is cut along its
        // length; else through the middle itself.
        double z = d.depth / 2, best = 1e30;
        for (const Member &m : model.members) {
            if (m.kind != MemberKind::TrussChord && m.kind != MemberKind::Rafter)
                continue;
            const auto [lo, hi] = geometry::bounds(m);
            if (hi.z() - lo.z() > 12)
                continue;
            // A quarter of its thickness off its middle: sheet and siding joints fall on the
            // middle of the stud under a frame, and a cut along a joint would miss both pieces.
            const double c = (lo.z() + hi.z()) / 2;
            if (std::abs(c - d.depth / 2) < best) {
                best = std::abs(c - d.depth / 2);
                z = c + (hi.z() - lo.z()) / 4;
            }
        }
        const QList<SectionCut> cuts = sectionAt(model, z, view);
        // Beyond the cut: members wholly behind it, drawn light.
        QList<int> beyond;
        beyond.reserve(model.members.size());
        for (const Member &m : model.members)
            beyond.append(geometry::bounds(m).first.z() >= z ? 0 : -1);
        const HiddenLines far(model, view, beyond);
        QRectF extent;
        for (const SectionCut &c : cuts)
            extent = extent.isNull() ? c.shape.boundingRect() : extent.united(c.shape.boundingRect());
        // Room on the right for the callouts.
        const QRectF room(area.left(), area.top(), area.width() * 0.66, area.height() - 30);
        Scale scale;
        const Drawing drawing = fit(canvas, extentOf(extent), room, u, scale);
        drawStrokes(drawing, far, INT_MAX,
                    [](const Stroke &s) { return s.visible ? QPen(paperBackgroundLine(), 0.3) : QPen(Qt::NoPen); });
        QPainter &p = canvas.painter();
        p.save();
        p.setPen(QPen(Qt::black, 0.7));
        for (const SectionCut &c : cuts) {
            const Member &m = model.members[c.member];
            canvas.setLayer(layerName(m.layer));
            p.setBrush(paperFill(m));
            p.drawPolygon(drawing.at(c.shape));
        }
        p.restore();
        groundLine(drawing, extent.left(), extent.right());

        // Callouts: each layer, from the ground up, pointed at on the page's right-hand wall.
        struct Callout {
            QString text;
            QPointF at; // model (u, v)
        };
        QList<Callout> callouts;
        const auto cutOf = [&](const std::function<bool(const Member &)> &keep) -> std::optional<QPointF> {
            // The cut piece furthest right on the page, at its middle.
            std::optional<QPointF> found;
            for (const SectionCut &c : cuts) {
                if (!keep(model.members[c.member]))
                    continue;
                const QPointF centre = c.shape.boundingRect().center();
                if (!found || centre.x() > found->x() + 0.01)
                    found = centre;
            }
            return found;
        };
        const auto kindStock = [&](MemberKind kind) {
            for (const Member &m : model.members)
                if (m.kind == kind)
                    return u.stock(m.stock);
            return QString();
        };
        const auto add = [&](MemberKind kind, const QString &text) {
            if (auto at = cutOf([&](const Member &m) { return m.kind == kind; }))
                callouts.append({text, *at});
        };
        switch (d.floor) {
        case FloorType::Gravel:
            add(MemberKind::GravelPad, QStringLiteral("Gravel pad %1 compacted").arg(u.length(rules::GravelDepth)));
            break;
        case FloorType::Concrete:
            add(MemberKind::Slab, QStringLiteral("Concrete slab %1").arg(u.length(d.slabThickness)));
            break;
        case FloorType::Blocks:
            add(MemberKind::Block, QStringLiteral("Blocks %1").arg(u.size(d.blockWidth, d.blockHeight, d.blockLength)));
            [[fallthrough]];
        case FloorType::Wood: {
            const QString skids = QStringLiteral("Skids %1").arg(kindStock(MemberKind::Skid));
            if (auto at = cutOf([](const Member &m) { return m.kind == MemberKind::Skid; })) {
                callouts.append({skids, *at});
                break;
            }
            // Skids along the width lie beside the cut, not through it: named on the nearest
            // one beyond, at its right-hand end.
            const Member *nearest = nullptr;
            double nearestZ = 1e30;
            for (const Member &m : model.members) {
                const auto [lo, hi] = geometry::bounds(m);
                if (m.kind == MemberKind::Skid && lo.z() >= z && lo.z() < nearestZ) {
                    nearest = &m;
                    nearestZ = lo.z();
                }
            }
            if (nearest) {
                const auto [lo, hi] = geometry::bounds(*nearest);
                const QPointF a = view.project(lo), b = view.project(hi);
                callouts.append({skids, QPointF(std::max(a.x(), b.x()) - 2, (a.y() + b.y()) / 2)});
            }
            break;
        }
        }
        add(MemberKind::RimJoist, QStringLiteral("Floor frame: joists %1 at %2, rims")
                                      .arg(kindStock(MemberKind::Joist), u.length(d.joistCenters)));
        add(MemberKind::DeckSheet, QStringLiteral("Deck %1").arg(kindStock(MemberKind::DeckSheet)));
        add(MemberKind::BottomPlate, QStringLiteral("Bottom plate %1").arg(kindStock(MemberKind::BottomPlate)));
        if (auto at =
                cutOf([](const Member &m) { return m.kind == MemberKind::Stud || m.kind == MemberKind::TopPlate; })) {
            // Studs stand in the side wall whether or not the cut meets one.
            const Heights h = heightsOf(in_);
            callouts.append({QStringLiteral("Studs %1 at %2").arg(kindStock(MemberKind::Stud), u.length(d.studCenters)),
                             QPointF(at->x(), (h.floor + h.floor + d.innerHeight) / 2)});
        }
        add(MemberKind::LiningSheet, QStringLiteral("Lining %1").arg(kindStock(MemberKind::LiningSheet)));
        add(MemberKind::WallSheathing, QStringLiteral("Wall sheathing %1").arg(kindStock(MemberKind::WallSheathing)));
        add(MemberKind::SidingPiece, QStringLiteral("Siding: %1").arg(kindStock(MemberKind::SidingPiece)));
        add(MemberKind::TopPlate, QStringLiteral("Double top plate %1").arg(kindStock(MemberKind::TopPlate)));
        if (d.trusses)
            add(MemberKind::TrussChord, QStringLiteral("Trusses %1 at %2")
                                            .arg(kindStock(MemberKind::TrussChord), u.length(d.roofSupportSpacing)));
        else
            add(MemberKind::Rafter,
                QStringLiteral("Rafters %1 at %2").arg(kindStock(MemberKind::Rafter), u.length(d.roofSupportSpacing)));
        if (auto roof = cutOf([](const Member &m) { return m.kind == MemberKind::RoofSheet; })) {
            callouts.append({QStringLiteral("Roof sheathing %1").arg(kindStock(MemberKind::RoofSheet)), *roof});
            callouts.append({d.roof == RoofType::Gable && rules::GablePitch < rules::DoubleUnderlaymentBelow
                                 ? QStringLiteral("Underlayment, two layers of No. 15 felt")
                                 : QStringLiteral("Underlayment, No. 15 felt"),
                             *roof + QPointF(0, 1)});
            callouts.append({QStringLiteral("Asphalt shingles"), *roof + QPointF(0, 2)});
        }
        // The overhang: the lowest, outermost roof edge on the page's right.
        if (auto eave = cutOf([](const Member &m) { return m.kind == MemberKind::RoofSheet; })) {
            double ue = -1e30, ve = 0;
            for (const SectionCut &c : cuts)
                if (model.members[c.member].kind == MemberKind::RoofSheet)
                    for (const QPointF &q : c.shape)
                        if (q.x() > ue + 0.01) {
                            ue = q.x();
                            ve = q.y();
                        }
            if (ue > -1e29)
                callouts.append({QStringLiteral("Overhang %1, drip edge").arg(u.length(d.overhangX)), QPointF(ue, ve)});
        }
        {
            // Each callout level with what it names where it can be, pushed up clear of the
            // one below; the leaders run from the text to the piece.
            const OnLayer layer(canvas, sheetlayer::Text);
            p.save();
            p.setFont(font(7.5));
            const double x = drawing.at({extent.right(), 0}).x() + 40;
            const double spacing = 11;
            double y = room.bottom() + spacing;
            QList<std::pair<double, Callout>> placed;
            for (const Callout &c : callouts) {
                y = std::min(drawing.at(c.at).y(), y - spacing);
                placed.append({y, c});
            }
            // Too high for the room: the column moves down as a whole.
            const double over = room.top() + 6 - y;
            for (auto &[py, c] : placed) {
                if (over > 0)
                    py += over;
                const QPointF target = drawing.at(c.at);
                p.setPen(QPen(Qt::black, 0.4));
                p.drawLine(target, QPointF(x - 3, py));
                p.setBrush(Qt::black);
                p.drawEllipse(target, 1.2, 1.2);
                p.drawText(QRectF(x, py - 6, area.right() - x, 12), Qt::AlignLeft | Qt::AlignVCenter,
                           p.fontMetrics().elidedText(c.text, Qt::ElideRight, int(area.right() - x)));
            }
            p.restore();
        }
        // Heights on the left.
        const Heights h = heightsOf(in_);
        const double left = extent.left();
        dimension(drawing, {left, 0}, {left, h.floor}, false, 14, QStringLiteral("floor %1").arg(u.length(h.floor)));
        dimension(drawing, {left, 0}, {left, h.floor + d.innerHeight}, false, 30,
                  QStringLiteral("plates %1").arg(u.length(h.floor + d.innerHeight)));
        dimension(drawing, {left, 0}, {left, h.ridge}, false, 46, QStringLiteral("ridge %1").arg(u.length(h.ridge)));
        dimension(drawing, {0 - d.width, 0}, {0, 0}, true, 24);
        note(canvas, area,
             {QStringLiteral("Section %1 from the front wall, looking at the rear; members cut are filled, those "
                             "beyond in light lines.")
                  .arg(u.length(z))});
        return scale;
    }
};

} // namespace

std::unique_ptr<Sheet> sectionSheet(const PlanInputs &in) { return std::make_unique<SectionSheet>(in); }

} // namespace corvelle::shed::sheet
