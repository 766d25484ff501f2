#include "shed/plans/SheetDrawing.h"

#include "shed/Geometry.h"
#include "shed/Marks.h"
#include "shed/Palette.h"
#include "shed/PlanDrawing.h"
#include "shed/Wall.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace corvelle::shed {

namespace sheet {

namespace {

// Architectural scales, in paper inches to the foot, largest first.
constexpr Scale ImperialScales[] = {{1.5 / 12, "1 1/2\" = 1'-0\""},    {1.0 / 12, "1\" = 1'-0\""},
                                    {0.75 / 12, "3/4\" = 1'-0\""},     {0.5 / 12, "1/2\" = 1'-0\""},
                                    {0.375 / 12, "3/8\" = 1'-0\""},    {0.25 / 12, "1/4\" = 1'-0\""},
                                    {0.1875 / 12, "3/16\" = 1'-0\""},  {0.125 / 12, "1/8\" = 1'-0\""},
                                    {0.09375 / 12, "3/32\" = 1'-0\""}, {0.0625 / 12, "1/16\" = 1'-0\""}};
// The metric scales of building plans: details at 1:20, plans and elevations at 1:50 or 1:100.
constexpr Scale MetricScales[] = {{1.0 / 20, "1:20"}, {1.0 / 50, "1:50"}, {1.0 / 100, "1:100"}};


} // namespace

Scale scaleFor(QSizeF extent, QSizeF room, Units units, bool &fits)
{
    const auto pick = [&](const auto &scales) {
        for (const Scale &s : scales) {
            const double k = pointsPerModelInch(s);
            if (extent.width() * k <= room.width() && extent.height() * k <= room.height())
                return s;
        }
        fits = false;
        return std::end(scales)[-1];
    };
    return units.isMetric() ? pick(MetricScales) : pick(ImperialScales);
}

QFont font(double size, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, int(std::lround(size)))); // painter units are points
    f.setBold(bold);
    // No "fi" ligatures: a reader searching the PDF's text for "roofing" must find it.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QString sidesName(Sides s)
{
    switch (s) {
    case Sides::None:
        return QStringLiteral("none");
    case Sides::Front:
        return QStringLiteral("front");
    case Sides::Rear:
        return QStringLiteral("rear");
    case Sides::Both:
        return QStringLiteral("front and rear");
    }
    return {};
}

QString floorName(const Design &d, Units u)
{
    switch (d.floor) {
    case FloorType::Gravel:
        return QStringLiteral("gravel");
    case FloorType::Concrete:
        return QStringLiteral("concrete slab %1 thick").arg(u.length(d.slabThickness));
    case FloorType::Wood:
        return QStringLiteral("wood on skids");
    case FloorType::Blocks:
        return QStringLiteral("wood on %1 rows of blocks").arg(d.blockRows);
    }
    return {};
}

QString sidingName(Siding s)
{
    switch (s) {
    case Siding::Vinyl:
        return QStringLiteral("vinyl");
    case Siding::Vertical:
        return QStringLiteral("vertical boards");
    case Siding::Plywood:
        return QStringLiteral("plywood");
    case Siding::Tin:
        return QStringLiteral("tin");
    }
    return {};
}

Box3 bounds(const Member &m)
{
    const auto [lo, hi] = geometry::bounds(m);
    return {lo, hi};
}

Projection planView(double width)
{
    return [width](QVector3D p) { return QPointF(fromLeftEnd(Wall::Front, p, width, 0), p.z()); };
}

QPolygonF outline(const Member &m, const Projection &proj)
{
    // Seen face on, a profile keeps its notches (a rafter's birdsmouth).
    if (m.profile.size() >= 3) {
        const QQuaternion r = m.rotation.normalized();
        const QPointF depth = proj(m.position + r.rotatedVector(QVector3D(0, 0, m.size.z()))) - proj(m.position);
        if (std::hypot(depth.x(), depth.y()) < 1e-3) {
            QPolygonF face;
            for (const QPointF &q : m.profile)
                face.append(proj(m.position + r.rotatedVector(QVector3D(float(q.x()), float(q.y()), 0))));
            return face;
        }
    }
    QList<QPointF> pts;
    for (const QVector3D &c : geometry::corners(m))
        pts.append(proj(c));
    return geometry::convexHull(pts);
}

Extent extentOf(const QList<const Member *> &members, const Projection &proj)
{
    Extent e;
    for (const Member *m : members)
        for (const QVector3D &c : geometry::corners(*m))
            e.add(proj(c));
    return e;
}

QPolygonF Drawing::at(const QPolygonF &poly) const
{
    QPolygonF out;
    for (const QPointF &q : poly)
        out.append(at(q));
    return out;
}

Drawing fit(SheetCanvas &canvas, const Extent &e, QRectF room, Units units, Scale &scale)
{
    const QRectF inner = room.adjusted(DimensionRoom, DimensionRoom * 0.6, -DimensionRoom * 0.6, -DimensionRoom);
    bool fits = true;
    scale = scaleFor(e.size(), inner.size(), units, fits);
    if (!fits)
        canvas.missedFit();
    const double k = pointsPerModelInch(scale);
    const QPointF centre = inner.center();
    const double u = (e.u0 + e.u1) / 2, v = (e.v0 + e.v1) / 2;
    return Drawing{canvas, k, QPointF(centre.x() - u * k, centre.y() + v * k), units};
}

QList<const Member *> select(const Model &model, const std::function<bool(const Member &)> &keep)
{
    QList<const Member *> out;
    for (const Member &m : model.members)
        if (keep(m))
            out.append(&m);
    return out;
}

bool hasTrusses(const Model &m)
{
    return std::any_of(m.members.begin(), m.members.end(),
                       [](const Member &x) { return x.kind == MemberKind::TrussChord; });
}

void markMembers(const Drawing &d, const PlanInputs &in, const QList<const Member *> &members, const Projection &proj)
{
    if (in.marks.isEmpty())
        return;
    const OnLayer text(d.canvas, sheetlayer::Text);
    QPainter &p = d.p();
    p.save();
    const QFont small = font(4);
    const QFontMetricsF metrics(small);
    p.setFont(small);
    p.setPen(QColor(20, 60, 150));
    // Members seen one over another (a header's plies and spacer) share one label.
    struct Label {
        QRectF box;
        QStringList marks;
    };
    QList<Label> labels;
    for (const Member *m : members) {
        const QString mark = in.marks.value(m - in.model.members.constData());
        if (mark.isEmpty())
            continue;
        const QRectF box = d.at(outline(*m, proj)).boundingRect();
        const auto same = std::find_if(labels.begin(), labels.end(), [&](const Label &l) {
            return QLineF(l.box.center(), box.center()).length() < 1.5
                   && (l.box.height() > l.box.width()) == (box.height() > box.width());
        });
        if (same != labels.end())
            same->marks << mark;
        else
            labels.append({box, {mark}});
    }
    for (const Label &l : labels) {
        QStringList distinct = l.marks;
        distinct.removeDuplicates();
        const QString mark = distinct.size() <= 3 ? citedMarks(l.marks) : distinct.join(QStringLiteral(", "));
        const bool upright = l.box.height() > l.box.width();
        // Only where the member is long enough to carry it: a member seen end on has no room.
        if (std::max(l.box.width(), l.box.height()) < metrics.horizontalAdvance(mark) + 2)
            continue;
        p.save();
        p.translate(l.box.center());
        if (upright)
            p.rotate(-90);
        p.drawText(QRectF(-40, -3, 80, 6), Qt::AlignCenter, mark);
        p.restore();
    }
    p.restore();
}

void drawMembers(const Drawing &d, const QList<const Member *> &members, const Projection &proj, bool light)
{
    QPainter &p = d.p();
    const QString before = d.canvas.layer();
    p.save();
    p.setPen(QPen(light ? paperBackgroundLine() : Qt::black, light ? 0.35 : 0.6));
    for (const Member *m : members) {
        d.canvas.setLayer(layerName(m->layer));
        p.setBrush(light ? Qt::NoBrush : QBrush(paperFill(*m)));
        p.drawPolygon(d.at(outline(*m, proj)));
    }
    p.restore();
    d.canvas.setLayer(before);
}

void dimension(const Drawing &d, QPointF a, QPointF b, bool horizontal, double offset, const QString &label)
{
    const OnLayer layer(d.canvas, sheetlayer::Dimensions);
    const double len = horizontal ? std::abs(b.x() - a.x()) : std::abs(b.y() - a.y());
    dimensionLine(d.p(), d.at(a), d.at(b), horizontal, offset, label.isEmpty() ? d.units.length(len) : label);
}

QList<double> spreadLabels(const QList<double> &wanted, double gap)
{
    // Groups merged while they overlap, each spread evenly about the mean of its marks.
    struct Group {
        qsizetype count;
        double sum;
    };
    const auto start = [gap](const Group &g) { return g.sum / double(g.count) - double(g.count - 1) * 0.5 * gap; };
    QList<Group> groups;
    for (double w : wanted) {
        groups.append({1, w});
        while (groups.size() > 1) {
            const Group b = groups.last();
            Group &a = groups[groups.size() - 2];
            if (start(a) + double(a.count) * gap <= start(b) + 1e-9)
                break;
            a.count += b.count;
            a.sum += b.sum;
            groups.removeLast();
        }
    }
    QList<double> out;
    out.reserve(wanted.size());
    for (const Group &g : groups) {
        for (qsizetype k = 0; k < g.count; ++k)
            out.append(start(g) + double(k) * gap);
    }
    return out;
}

void runningDimension(const Drawing &d, QList<double> at, double fixed, bool horizontal, double offset, bool fromLast)
{
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end(), [](double a, double b) { return std::abs(a - b) < 0.05; }), at.end());
    if (at.size() < 2)
        return;
    const OnLayer layer(d.canvas, sheetlayer::Dimensions);
    QPainter &p = d.p();
    p.save();
    p.setPen(QPen(Qt::black, 0.45));
    p.setFont(font(6));
    const auto page = [&](double v) { return horizontal ? d.at({v, fixed}) : d.at({fixed, v}); };
    const double corner = fromLast ? at.last() : at.first();
    const QPointF a = page(at.first()), b = page(at.last());
    const QPointF shift = horizontal ? QPointF(0, offset) : QPointF(-offset, 0);
    p.drawLine(a + shift, b + shift);
    // Figures of marks closer than a figure is tall are spread apart, each led to its tick;
    // a string with any led figure sets all its figures a little further off the line.
    const auto along = [&](QPointF q) { return horizontal ? q.x() : q.y(); };
    QList<qsizetype> order(at.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](qsizetype i, qsizetype j) { return along(page(at[i])) < along(page(at[j])); });
    QList<double> wanted;
    for (qsizetype i : order)
        wanted.append(along(page(at[i])));
    const QList<double> placed = spreadLabels(wanted, RunningFigurePitch);
    bool led = false;
    for (qsizetype k = 0; k < placed.size(); ++k)
        led = led || std::abs(placed[k] - wanted[k]) > 0.1;
    const double off = led ? RunningLeaderRoom : 0;
    const QPointF away = horizontal ? QPointF(0, offset < 0 ? -1 : 1) : QPointF(-1, 0);
    const QPointF alongUnit = horizontal ? QPointF(1, 0) : QPointF(0, 1);
    const double textMiddle = horizontal ? -4 : -6; // the figure's middle from its anchor, along the string
    for (qsizetype k = 0; k < order.size(); ++k) {
        const double v = at[order[k]];
        const QPointF q = page(v) + shift;
        const QPointF tick = horizontal ? QPointF(0, 3) : QPointF(3, 0);
        p.drawLine(q - tick, q + tick);
        const double moved = placed[k] - wanted[k];
        if (std::abs(moved) > 0.1)
            p.drawLine(q + away * 3, q + alongUnit * (moved + textMiddle) + away * (3 + off));
        p.save();
        p.translate(q + alongUnit * moved);
        if (horizontal)
            p.rotate(-90);
        const QString text = v == corner ? QStringLiteral("0") : d.units.length(std::abs(v - corner));
        // Each figure reads away from the drawing: up from a string above it, down from one below.
        if (horizontal && offset < 0)
            p.drawText(QRectF(4 + off, -8, RunningFigureRoom, 8), Qt::AlignLeft | Qt::AlignVCenter, text);
        else
            p.drawText(QRectF(horizontal ? -4 - off - RunningFigureRoom : -40 - off, horizontal ? -8 : -10,
                              RunningFigureRoom, 8),
                       Qt::AlignRight | Qt::AlignVCenter, text);
        p.restore();
    }
    p.restore();
}

void groundLine(const Drawing &d, double left, double right)
{
    constexpr double Past = 24; // inches beyond each end
    const OnLayer layer(d.canvas, layerName(Layer::Foundation));
    QPainter &p = d.p();
    p.save();
    p.setPen(QPen(Qt::black, 1.2));
    p.drawLine(d.at({left - Past, 0}), d.at({right + Past, 0}));
    p.restore();
}

QStringList wrapped(const QStringList &lines, double width)
{
    const QFontMetricsF metrics(font(8));
    QStringList out;
    for (const QString &line : lines) {
        QString current;
        for (const QString &word : line.split(QLatin1Char(' '))) {
            const QString next = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(next) > width - 12) {
                out << current;
                current = QStringLiteral("    ") + word;
            } else {
                current = next;
            }
        }
        out << current;
    }
    return out;
}

void note(SheetCanvas &canvas, QRectF area, const QStringList &text)
{
    const OnLayer layer(canvas, sheetlayer::Text);
    const QStringList lines = wrapped(text, area.width());
    QPainter &p = canvas.painter();
    p.save();
    p.setFont(font(8));
    double y = area.bottom() - 12 * lines.size();
    for (const QString &line : lines) {
        p.drawText(QPointF(area.left() + 6, y + 9), line);
        y += 12;
    }
    p.restore();
}

QRectF drawingArea(QSizeF page)
{
    return QRectF(Margin, Margin, page.width() - 2 * Margin - TitleBlockWidth - 8, page.height() - 2 * Margin);
}

void pageBorder(SheetCanvas &canvas, QSizeF page)
{
    const OnLayer layer(canvas, sheetlayer::TitleBlock);
    QPainter &p = canvas.painter();
    p.fillRect(QRectF(QPointF(0, 0), page), Qt::white);
    p.setPen(QPen(Qt::black, 1.2));
    p.drawRect(QRectF(Margin - 6, Margin - 6, page.width() - 2 * Margin + 12, page.height() - 2 * Margin + 12));
}

void titleBlock(SheetCanvas &canvas, QSizeF page, const PlanInputs &in, const QString &title, const QString &scale,
                int number, int count)
{
    const OnLayer layer(canvas, sheetlayer::TitleBlock);
    QPainter &p = canvas.painter();
    const Design &d = in.design;
    const Units u = in.units;
    const MaterialTable &t = in.materials;
    const QRectF r(page.width() - Margin - TitleBlockWidth, Margin, TitleBlockWidth, page.height() - 2 * Margin);
    p.save();
    p.setPen(QPen(Qt::black, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    double y = r.top() + 6;
    auto line = [&](const QString &text, double size, bool bold = false) {
        p.setFont(font(size, bold));
        const QRectF box(r.left() + 6, y, r.width() - 12, size * 1.35);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
        y += size * 1.45;
    };
    line(QStringLiteral("Corvelle shed plans"), 11, true);
    {
        // A long title ("Assembly step 6: Raise and brace the walls") wraps.
        p.setFont(font(10, true));
        const QRectF box(r.left() + 6, y, r.width() - 12, 40);
        const QRectF used = p.boundingRect(box, Qt::AlignLeft | Qt::TextWordWrap, title);
        p.drawText(box, Qt::AlignLeft | Qt::TextWordWrap, title);
        y += std::max(used.height(), 10 * 1.35) + 10 * 0.1;
    }
    line(QStringLiteral("Sheet %1 of %2").arg(number).arg(count), 8);
    line(scale.isEmpty() ? QStringLiteral("Not to scale") : QStringLiteral("Scale %1").arg(scale), 8);
    y += 4;
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    y += 6;
    line(QStringLiteral("The design"), 9, true);
    const QString doorText = d.door == Sides::None
                                 ? QStringLiteral("none")
                                 : QStringLiteral("%1, %2").arg(sidesName(d.door), u.size(d.doorWidth, d.doorHeight));
    const QStringList values = {
        QStringLiteral("Width %1").arg(u.length(d.width)),
        QStringLiteral("Depth %1").arg(u.length(d.depth)),
        QStringLiteral("Wall height %1").arg(u.length(d.innerHeight)),
        QStringLiteral("Floor: %1").arg(floorName(d, u)),
        QStringLiteral("Joists %1 at %2").arg(u.size(d.joistWidth, d.joistHeight), u.length(d.joistCenters)),
        QStringLiteral("Studs %1 at %2").arg(u.size(d.studThickness, d.studDepth), u.length(d.studCenters)),
        QStringLiteral("Lining: %1").arg(d.lining ? u.length(d.liningThickness) : QStringLiteral("none")),
        QStringLiteral("Siding: %1, %2").arg(sidingName(d.siding), d.outerWallMaterial),
        QStringLiteral("Door: %1").arg(doorText),
        QStringLiteral("Ramp: %1")
            .arg(d.ramp == Sides::None ? QStringLiteral("none")
                                       : QStringLiteral("%1, %2").arg(sidesName(d.ramp), u.length(d.rampLength))),
        QStringLiteral("Roof: %1, %2")
            .arg(d.roof == RoofType::Barn ? QStringLiteral("barn") : QStringLiteral("gable"),
                 d.trusses ? QStringLiteral("trusses") : QStringLiteral("rafters")),
        QStringLiteral("Roof supports %1 at %2")
            .arg(u.size(d.roofSupportDepth, d.roofSupportHeight), u.length(d.roofSupportSpacing)),
        QStringLiteral("Overhangs %1 / %2").arg(u.length(d.overhangX), u.length(d.overhangZ)),
        QStringLiteral("Roof sheathing %1").arg(u.length(d.roofThickness)),
    };
    for (const QString &v : values)
        line(v, 7.5);
    if (!t.total.isEmpty()) {
        y += 4;
        line(t.total, 8, true);
    }
    p.restore();
}

LayerPlan layerPlan(SheetCanvas &canvas, QRectF area, const PlanInputs &in, Layer layer)
{
    const Design &d = in.design;
    const QList<const Member *> members = select(in.model, [&](const Member &m) { return m.layer == layer; });
    const Projection plan = planView(d.width);
    Extent e = extentOf(members, plan);
    e.add({0, 0});
    e.add({d.width, d.depth});
    Scale s;
    const Drawing drawing = fit(canvas, e, area, in.units, s);
    drawMembers(drawing, members, plan);
    markMembers(drawing, in, members, plan);
    {
        const OnLayer walls(canvas, layerName(Layer::Framing));
        QPainter &p = canvas.painter();
        p.save();
        p.setPen(QPen(Qt::black, 0.9, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(drawing.at({0, d.depth}), drawing.at({d.width, 0})));
        p.restore();
    }
    dimension(drawing, {0, e.v0}, {d.width, e.v0}, true, 22);
    dimension(drawing, {e.u0, 0}, {e.u0, d.depth}, false, 22);
    return {members, e, s, drawing};
}

} // namespace sheet

void dimensionLine(QPainter &p, QPointF pa, QPointF pb, bool horizontal, double offset, const QString &text)
{
    p.save();
    p.setPen(QPen(Qt::black, 0.5));
    p.setFont(sheet::font(7.5));
    const double dir = offset >= 0 ? 1 : -1;
    if (horizontal) {
        const double y = (offset >= 0 ? std::max(pa.y(), pb.y()) : std::min(pa.y(), pb.y())) + offset;
        for (const QPointF &q : {pa, pb}) {
            p.drawLine(QPointF(q.x(), q.y() + 2 * dir), QPointF(q.x(), y + 3 * dir));
            p.drawLine(QPointF(q.x() - 2.5, y + 2.5), QPointF(q.x() + 2.5, y - 2.5));
        }
        p.drawLine(QPointF(pa.x(), y), QPointF(pb.x(), y));
        // A figure longer than its dimension stands past the right-hand end, as drafters place it.
        if (QFontMetricsF(p.font()).horizontalAdvance(text) > std::abs(pb.x() - pa.x()) - 4)
            p.drawText(QRectF(std::max(pa.x(), pb.x()) + 4, y - 11, 200, 10), Qt::AlignLeft | Qt::AlignVCenter, text);
        else
            p.drawText(QRectF(std::min(pa.x(), pb.x()) - 20, y - 11, std::abs(pb.x() - pa.x()) + 40, 10),
                       Qt::AlignCenter, text);
    } else {
        const double x = (offset >= 0 ? std::min(pa.x(), pb.x()) : std::max(pa.x(), pb.x())) - offset;
        for (const QPointF &q : {pa, pb}) {
            p.drawLine(QPointF(q.x() - 2 * dir, q.y()), QPointF(x - 3 * dir, q.y()));
            p.drawLine(QPointF(x - 2.5, q.y() + 2.5), QPointF(x + 2.5, q.y() - 2.5));
        }
        p.drawLine(QPointF(x, pa.y()), QPointF(x, pb.y()));
        // Past the upper end when longer than the dimension.
        if (QFontMetricsF(p.font()).horizontalAdvance(text) > std::abs(pb.y() - pa.y()) - 4) {
            p.translate(x - 2, std::min(pa.y(), pb.y()));
            p.rotate(-90);
            p.drawText(QRectF(4, -10, 200, 10), Qt::AlignLeft | Qt::AlignVCenter, text);
        } else {
            p.translate(x - 2, (pa.y() + pb.y()) / 2);
            p.rotate(-90);
            p.drawText(QRectF(-60, -10, 120, 10), Qt::AlignCenter, text);
        }
    }
    p.restore();
}

} // namespace corvelle::shed
