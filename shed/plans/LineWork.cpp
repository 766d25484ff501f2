#include "shed/plans/LineWork.h"
#include "shed/BuildSteps.h"
#include "shed/Framing.h"
#include "shed/Geometry.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>
#include <QPainterPath>

#include <map>

namespace corvelle::shed::sheet {

namespace {
constexpr double MinLinePoints = 0.3;
}

LineWork::~LineWork()
{
    pictorial_.job.waitForFinished();
    for (View &v : elevations_)
        v.job.waitForFinished();
}

void LineWork::start(const Model &model) const
{
    // The order first: the pictorial's job reads it, and the sheets read it meanwhile.
    order(model);
    const auto launch = [](View &v, std::function<HiddenLines()> compute) {
        // started first: once a job runs, only it touches `lines` until it is waited for.
        if (v.started || v.lines)
            return;
        v.started = true;
        v.job = QtConcurrent::run([&v, compute = std::move(compute)] { v.lines.emplace(compute()); });
    };
    // The pictorial is the largest and the cover needs it first.
    launch(pictorial_, [this, &model] { return computePictorial(model); });
    for (const Wall side : {Wall::Front, Wall::Rear, Wall::Left, Wall::Right})
        launch(elevations_[int(side)], [&model, side] { return HiddenLines(model, elevationView(side)); });
}

const BuildOrder &LineWork::order(const Model &model) const
{
    if (!order_)
        order_ = buildOrder(model);
    return *order_;
}

const HiddenLines &LineWork::view(View &v, const std::function<HiddenLines()> &compute) const
{
    v.job.waitForFinished();
    if (!v.lines)
        v.lines.emplace(compute());
    return *v.lines;
}

HiddenLines LineWork::computePictorial(const Model &model) const
{
    QList<int> stages;
    for (BuildStage s : order_->memberStages)
        stages.append(int(s));
    return HiddenLines(model, ViewDirection::threeQuarter(), stages);
}

const HiddenLines &LineWork::pictorial(const Model &model) const
{
    order(model);
    return view(pictorial_, [&] { return computePictorial(model); });
}

ViewDirection LineWork::elevationView(Wall side)
{
    switch (side) {
    case Wall::Front:
        return ViewDirection::front();
    case Wall::Rear:
        return ViewDirection::rear();
    case Wall::Left:
        return ViewDirection::left();
    case Wall::Right:
        return ViewDirection::right();
    }
    return ViewDirection::front();
}

const HiddenLines &LineWork::elevation(const Model &model, Wall side) const
{
    return view(elevations_[int(side)], [&] { return HiddenLines(model, elevationView(side)); });
}

const LineWork &lineWork(const PlanInputs &in)
{
    if (!in.lineWork)
        in.lineWork = std::make_shared<LineWork>();
    return *in.lineWork;
}

void drawStrokes(const Drawing &d, const HiddenLines &lines, int stage, const std::function<QPen(const Stroke &)> &pen)
{
    // Grouped by layer, then pen: one path each, a stroke's polyline as one run of lines.
    std::map<std::pair<int, int>, QPainterPath> groups;
    QList<QPen> pens;
    lines.forEachStroke(stage, [&](const Stroke &s) {
        const QPen p = pen(s);
        if (p.style() == Qt::NoPen || s.points.size() < 2)
            return;
        qsizetype k = pens.indexOf(p);
        if (k < 0) {
            pens.append(p);
            k = pens.size() - 1;
        }
        QPainterPath &path = groups[{int(s.layer), int(k)}];
        QPointF last = d.at(s.points.first());
        path.moveTo(last);
        for (qsizetype i = 1; i < s.points.size(); ++i) {
            const QPointF next = d.at(s.points[i]);
            // A line shorter than a fine pen is wide is a dot on paper: a large shed at a
            // small scale has thousands (siding seen edge on), and the PDF would carry them.
            if (std::abs(next.x() - last.x()) + std::abs(next.y() - last.y()) < MinLinePoints && i + 1 < s.points.size())
                continue;
            path.lineTo(next);
            last = next;
        }
    });
    QPainter &p = d.p();
    const QString before = d.canvas.layer();
    p.save();
    p.setBrush(Qt::NoBrush);
    for (const auto &[key, path] : groups) {
        d.canvas.setLayer(layerName(Layer(key.first)));
        p.setPen(pens[key.second]);
        p.drawPath(path);
    }
    p.restore();
    d.canvas.setLayer(before);
}

Heights heightsOf(const PlanInputs &in)
{
    Heights h;
    h.floor = floorTop(in.design);
    h.eaves = 1e30;
    for (const Member &m : in.model.members) {
        const auto [lo, hi] = geometry::bounds(m);
        h.ridge = std::max(h.ridge, double(hi.y()));
        if (m.kind == MemberKind::RoofSheet)
            h.eaves = std::min(h.eaves, double(lo.y()));
    }
    if (h.eaves > 1e29)
        h.eaves = h.floor + in.design.innerHeight;
    return h;
}

double paragraph(QPainter &p, const QRectF &column, double y, const QString &text, double size, bool bold)
{
    p.setFont(font(size, bold));
    const QRectF box(column.left(), y, column.width(), column.bottom() - y);
    const QRectF used = p.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    p.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return y + used.height() + size * 0.3;
}

Extent extentOf(const QRectF &r)
{
    Extent e;
    if (!r.isNull()) {
        e.add(r.topLeft());
        e.add(r.bottomRight());
    }
    return e;
}

Drawing fitPictorial(SheetCanvas &canvas, const QRectF &extent, QRectF room, Units units, Scale &scale)
{
    const QRectF inner = room.adjusted(10, 10, -10, -10);
    const QSizeF size = extent.isNull() ? QSizeF(1, 1) : extent.size();
    bool fits = true;
    scale = scaleFor(size, inner.size(), units, fits);
    if (!fits) // no standard scale fits: the ratio that does, named as none
        scale = {std::min(inner.width() / size.width(), inner.height() / size.height()) / PointsPerInch, ""};
    const double k = pointsPerModelInch(scale);
    const QPointF c = extent.center(), centre = inner.center();
    return Drawing{canvas, k, QPointF(centre.x() - c.x() * k, centre.y() + c.y() * k), units};
}

} // namespace corvelle::shed::sheet
