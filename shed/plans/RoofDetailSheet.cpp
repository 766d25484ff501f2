#include "shed/Rules.h"
#include "shed/Wall.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

#include <algorithm>
#include <map>

namespace corvelle::shed::sheet {

namespace {

// One rafter pair or truss as it stands, each piece numbered with its cut, and what a
// builder needs to assemble it: panel points, gussets and their nailing, the seat cut.
class RoofDetailSheet final : public Sheet {
public:
    using Sheet::Sheet;
    QString title() const override
    {
        return hasTrusses(in_.model) ? QStringLiteral("Truss detail") : QStringLiteral("Rafter detail");
    }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const Design &d = in_.design;
        const Units u = in_.units;
        const bool trusses = hasTrusses(in_.model);
        // The one nearest mid-depth: the end ones are gable frames without webs or ties.
        const Member *first = nullptr;
        double bestOff = 0;
        for (const Member &m : in_.model.members) {
            if (m.kind != (trusses ? MemberKind::TrussChord : MemberKind::Rafter))
                continue;
            const Box3 b = bounds(m);
            const double off = std::abs((b.lo.z() + b.hi.z()) / 2 - d.depth / 2);
            if (!first || off < bestOff - 0.01) {
                first = &m;
                bestOff = off;
            }
        }
        if (!first) {
            note(canvas, area, {QStringLiteral("This design has no rafters or trusses.")});
            return {};
        }
        const Box3 fb = bounds(*first);
        const auto inFrame = [&](const Box3 &b) { return b.lo.z() < fb.hi.z() + 2 && b.hi.z() > fb.lo.z() - 2; };
        const QList<const Member *> set = select(in_.model, [&](const Member &m) {
            if (m.layer != Layer::Roof || m.kind == MemberKind::RoofSheet || m.kind == MemberKind::PanelClip)
                return false;
            const Box3 b = bounds(m);
            return inFrame(b) && (b.hi.z() - b.lo.z()) < 12;
        });
        // What a rafter pair bears on, in section: the ridge board and the side walls' plates.
        const QList<const Member *> context = select(in_.model, [&](const Member &m) {
            if (m.kind != MemberKind::RidgeBoard && m.kind != MemberKind::TopPlate)
                return false;
            const Box3 b = bounds(m);
            return inFrame(b) && b.hi.z() - b.lo.z() >= 12 && b.hi.x() - b.lo.x() < 12;
        });
        // Seen from the front, as the section is: the left wall on the page's left.
        const double W = d.width;
        const Projection side = [W](QVector3D p) { return QPointF(fromLeftEnd(Wall::Front, p, W, 0), p.y()); };

        // Identical pieces share a number; the schedule gives each its part mark. A web's
        // first end is its foot on the bottom chord, its second its head at the top chord.
        const auto markOf = [&](const Member *m) { return in_.marks.value(m - in_.model.members.constData()); };
        QList<const Member *> pieces;
        QList<int> numberOf;
        QStringList lines;
        QList<int> counts;
        for (const Member *m : set) {
            if (!isLumber(*m) || m->length <= 0)
                continue;
            const QString what = QStringLiteral("%1 %2 %3 cut %4")
                                     .arg(markOf(m), kindName(m->kind), u.stock(m->stock), u.length(m->length));
            const QString line = (m->kind == MemberKind::TrussWeb ? QStringLiteral("%1: foot %2\u00b0, head %3\u00b0")
                                                                  : QStringLiteral("%1, ends %2\u00b0 and %3\u00b0"))
                                     .arg(what)
                                     .arg(m->angle1, 0, 'f', 1)
                                     .arg(m->angle2, 0, 'f', 1);
            qsizetype k = lines.indexOf(line);
            if (k < 0) {
                lines.append(line);
                counts.append(0);
                k = lines.size() - 1;
            }
            ++counts[k];
            pieces.append(m);
            numberOf.append(int(k) + 1);
        }
        QStringList notes;
        const QString pitch = d.roof == RoofType::Barn
                                  ? QStringLiteral("Pitch %1 in 12 below the knee, %2 in 12 above; ")
                                        .arg(rules::GambrelLowerPitch * 12, 0, 'f', 1)
                                        .arg(rules::GambrelUpperPitch * 12, 0, 'f', 1)
                                  : QStringLiteral("Pitch %1 in 12; ").arg(rules::GablePitch * 12, 0, 'f', 1);
        notes << pitch
                     + QStringLiteral("lengths are long point to long point, as cut; an angle is between the end cut "
                                      "and the piece's edge.");
        for (qsizetype k = 0; k < lines.size(); ++k)
            notes << QStringLiteral("%1  %2 (%3)").arg(k + 1).arg(lines[k]).arg(counts[k]);
        if (std::any_of(set.begin(), set.end(), [](const Member *m) { return m->kind == MemberKind::TrussWeb; }))
            notes << QStringLiteral("Web end cuts: the foot bears on the bottom chord, the head under the top chord; "
                                    "webs that share a panel point are also cut on the line halving the angle "
                                    "between them (at the peak, plumb), so their ends meet and do not overlap.");
        if (trusses) {
            QStringList at;
            const double bcTop = fb.lo.y() + d.roofSupportHeight;
            // The frame's points run from the right wall; the page's left heel is the left wall's.
            QList<QPointF> points;
            for (const QPointF &q : in_.model.frame.panelPoints)
                points.append({W - q.x(), q.y() - bcTop});
            std::sort(points.begin(), points.end(), [](const QPointF &a, const QPointF &b) {
                return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
            });
            for (const QPointF &q : points)
                at << QStringLiteral("%1 / %2").arg(u.length(q.x()), u.length(q.y()));
            if (!at.isEmpty())
                notes << QStringLiteral("Panel points, from the left heel / above the bottom chord: %1.")
                             .arg(at.join(QStringLiteral(", ")));
        }
        // In mark order by number: R7 before R10.
        std::map<std::pair<int, QString>, int> gussets;
        for (const Member *m : set) {
            if (m->kind == MemberKind::Gusset) {
                const QString mark = markOf(m);
                ++gussets[{mark.mid(1).toInt(),
                           QStringLiteral("%1 %2 x %3").arg(mark, u.length(m->size.x()), u.length(m->size.y()))}];
            }
        }
        if (!gussets.empty()) {
            QStringList sizes;
            for (const auto &[key, count] : gussets)
                sizes << QStringLiteral("%1 (%2)").arg(key.second).arg(count);
            notes << QStringLiteral("Gussets %1 plywood on both faces, cut to the outline shown (%2)%3.")
                         .arg(u.length(rules::GussetThickness), sizes.join(QStringLiteral(", ")),
                              trusses ? QStringLiteral("; the gable trusses' on their inner face only") : QString());
            notes << QStringLiteral("Glue each gusset with exterior construction adhesive and nail it with %1 nails at "
                                    "%2 on centre, "
                                    "staggered, %3 from the edges.")
                         .arg(u.length(rules::GussetNailLength), u.length(rules::GussetNailSpacing),
                              u.length(rules::GussetNailEdge));
        }
        if (!trusses && in_.model.frame.seatLength > 0)
            notes << QStringLiteral("Birdsmouth: level seat %1, heel cut plumb %2 deep; ties in the lower third of the "
                                    "rise at every "
                                    "pair, nailed to both rafters' faces; ridge board and plates in section.")
                         .arg(u.length(in_.model.frame.seatLength), u.length(in_.model.frame.seatDepth));

        Extent e = extentOf(set + context, side);
        Scale s;
        QRectF room = area;
        room.setBottom(area.bottom() - 12 * wrapped(notes, area.width()).size() - 6);
        const Drawing dr = fit(canvas, e, room, u, s);
        drawMembers(dr, context, side);
        // The numbers mark the pieces and the schedule gives their marks: a mark drawn on a
        // piece would sit under, or on, a gusset.
        drawMembers(dr, set, side);
        {
            // What the frame bears on, named beside it: the ridge board over the peak, the
            // plates under the heels.
            const OnLayer names(canvas, sheetlayer::Text);
            QPainter &p = canvas.painter();
            p.save();
            p.setFont(font(6));
            QList<QRectF> named;
            for (const Member *m : context) {
                const QRectF box = dr.at(outline(*m, side)).boundingRect();
                if (std::any_of(named.begin(), named.end(),
                                [&](const QRectF &r) { return r.intersects(box.adjusted(-2, -2, 2, 2)); }))
                    continue;
                named.append(box);
                const bool ridge = m->kind == MemberKind::RidgeBoard;
                const QString text = ridge ? QStringLiteral("ridge board %1").arg(u.stock(m->stock))
                                           : QStringLiteral("top plates %1").arg(u.stock(m->stock));
                // The plates' names inside the frame, clear of the rafters crossing them.
                const bool leftHalf = box.center().x() < dr.at(QPointF(d.width / 2, 0)).x();
                if (ridge)
                    p.drawText(QRectF(box.center().x() - 60, box.top() - 12, 120, 10), Qt::AlignCenter, text);
                else if (leftHalf)
                    p.drawText(QRectF(box.right() + 3, box.center().y() - 5, 120, 10), Qt::AlignLeft | Qt::AlignVCenter,
                               text);
                else
                    p.drawText(QRectF(box.left() - 123, box.center().y() - 5, 120, 10),
                               Qt::AlignRight | Qt::AlignVCenter, text);
            }
            p.restore();
        }
        dimension(dr, {e.u0, e.v0}, {e.u1, e.v0}, true, 22);
        dimension(dr, {e.u0, e.v0}, {e.u0, e.v1}, false, 22);
        // Each number inside its piece, clear of the gussets over it.
        QList<QPolygonF> plates;
        for (const Member *m : set) {
            if (m->kind == MemberKind::Gusset)
                plates.append(outline(*m, side));
        }
        const OnLayer numbers(canvas, sheetlayer::Text);
        QPainter &p = canvas.painter();
        p.save();
        p.setFont(font(7.5, true));
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            const QPolygonF poly = outline(*pieces[i], side);
            QPointF c;
            for (const QPointF &q : poly)
                c += q / double(poly.size());
            QList<QPointF> tries = {c};
            for (double f : {0.35, 0.6, 0.8}) {
                for (const QPointF &q : poly)
                    tries.append(c + (q - c) * f);
            }
            QPointF spot = c;
            for (const QPointF &t : tries) {
                if (std::none_of(plates.begin(), plates.end(),
                                 [&](const QPolygonF &g) { return g.containsPoint(t, Qt::OddEvenFill); })) {
                    spot = t;
                    break;
                }
            }
            p.drawText(dr.at(spot) + QPointF(-3, 3), QString::number(numberOf[i]));
        }
        p.restore();
        note(canvas, area, notes);
        return s;
    }
};

} // namespace

std::unique_ptr<Sheet> roofDetailSheet(const PlanInputs &in) { return std::make_unique<RoofDetailSheet>(in); }

} // namespace corvelle::shed::sheet
