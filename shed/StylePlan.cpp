#include "shed/PlanDrawing.h"
#include "shed/Plans.h"
#include "shed/plans/DxfDrawing.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace corvelle::shed {

namespace {

// The styles' proportions: only the width is typed, so depth, wall height and rise follow
// the kind of building the drawing shows.
constexpr double ShedDepthRatio = 4.0 / 3;     // 12 x 16, 10 x 13 4: the common shed plan
constexpr double LongDepthRatio = 2.0;         // the long gambrel (108)
constexpr double GarageDepthRatio = 1.5;       // a single garage, 14 x 21
constexpr double BarnDepthRatio = 1.25;        // the large barn (115)
constexpr double RunInDepthRatio = 2.0 / 3;    // run-ins are wide and shallow, 18 x 12
constexpr double ShedWall = 96;                // 8 ft, the wizard's wall
constexpr double GarageWall = 108;             // 9 ft clears an overhead door
constexpr double RunInWall = 108;              // headroom for a horse
constexpr double BarnWall = 120;
constexpr double GablePitch = 6.0 / 12;        // rise per run
constexpr double SteepPitch = 10.0 / 12;
// Gambrel: the lower slope rises 2 in 1 over the outer sixth of the width on each side,
// the upper slope 4 in 12 over the rest.
constexpr double GambrelKnee = 1.0 / 6;
constexpr double GambrelLower = 2.0;
constexpr double GambrelUpper = 4.0 / 12;
// Clerestory: a low roof rising 3 in 12 from the left wall to a glazed wall at 60 % of the
// width, 2 ft taller than that roof, and a high roof falling 3 in 12 to the right wall.
constexpr double ClerestoryAt = 0.6;
constexpr double ClerestoryPitch = 3.0 / 12;
constexpr double ClerestoryGlass = 24;

constexpr double PointsPerInch = 72;

QFont planFont(double size, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, int(std::lround(size))));
    f.setBold(bold);
    return f;
}

// The roof line of the front elevation, left eave to right eave, in inches above the ground.
QPolygonF roofLine(const StylePlan &s)
{
    const double w = s.width, h = s.wallHeight;
    switch (s.shape) {
    case RoofShape::Gambrel: {
        const double kx = w * GambrelKnee, ky = h + kx * GambrelLower;
        return {QPointF(0, h), QPointF(kx, ky), QPointF(w / 2, h + s.rise), QPointF(w - kx, ky), QPointF(w, h)};
    }
    case RoofShape::Clerestory: {
        const double cx = w * ClerestoryAt, low = h + cx * ClerestoryPitch, high = low + ClerestoryGlass;
        return {QPointF(0, h), QPointF(cx, low), QPointF(cx, high), QPointF(w, high - (w - cx) * ClerestoryPitch)};
    }
    default:
        return {QPointF(0, h), QPointF(w / 2, h + s.rise), QPointF(w, h)};
    }
}

QSizeF landscape(QPageSize::PageSizeId paper)
{
    const QSizeF s = QPageSize(paper).size(QPageSize::Point);
    return QSizeF(std::max(s.width(), s.height()), std::min(s.width(), s.height()));
}

} // namespace

QString roofShapeName(RoofShape shape)
{
    switch (shape) {
    case RoofShape::Gable: return QStringLiteral("gable");
    case RoofShape::SteepGable: return QStringLiteral("steep gable");
    case RoofShape::Gambrel: return QStringLiteral("gambrel");
    case RoofShape::Clerestory: return QStringLiteral("clerestory");
    case RoofShape::RunIn: return QStringLiteral("gable run-in, open front");
    }
    return {};
}

StylePlan stylePlan(const QString &style, double widthFeet)
{
    StylePlan s;
    s.style = style;
    s.width = widthFeet * 12;
    double depthRatio = ShedDepthRatio;
    s.wallHeight = ShedWall;
    const int n = style.toInt();
    switch (n) {
    case 102: case 111: case 112: s.shape = RoofShape::Gambrel; break;
    case 108: s.shape = RoofShape::Gambrel; depthRatio = LongDepthRatio; break;
    case 114: s.shape = RoofShape::Gambrel; depthRatio = GarageDepthRatio; s.wallHeight = GarageWall; break;
    case 115: s.shape = RoofShape::Gambrel; depthRatio = BarnDepthRatio; s.wallHeight = BarnWall; break;
    case 103: s.shape = RoofShape::SteepGable; break;
    case 107: s.shape = RoofShape::Clerestory; break;
    case 113: case 117: depthRatio = GarageDepthRatio; s.wallHeight = GarageWall; break;
    case 118: s.shape = RoofShape::RunIn; depthRatio = RunInDepthRatio; s.wallHeight = RunInWall; break;
    default: break;
    }
    s.depth = s.width * depthRatio;
    switch (s.shape) {
    case RoofShape::Gambrel:
        s.rise = s.width * GambrelKnee * GambrelLower + s.width * (0.5 - GambrelKnee) * GambrelUpper;
        break;
    case RoofShape::SteepGable: s.rise = s.width / 2 * SteepPitch; break;
    case RoofShape::Clerestory: s.rise = s.width * ClerestoryAt * ClerestoryPitch + ClerestoryGlass; break;
    default: s.rise = s.width / 2 * GablePitch; break;
    }
    return s;
}

void paintStylePlan(QPainter &p, const StylePlan &s, QRectF area, bool titleBlock)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF drawArea = area;
    if (titleBlock) {
        const QRectF block(area.right() - 180, area.top(), 180, area.height());
        drawArea.setRight(block.left() - 10);
        p.setPen(QPen(Qt::black, 0.9));
        p.drawRect(block);
        double y = block.top() + 6;
        auto line = [&](const QString &t, double size, bool bold = false) {
            p.setFont(planFont(size, bold));
            p.drawText(QRectF(block.left() + 6, y, block.width() - 12, size * 1.4), Qt::AlignLeft | Qt::AlignVCenter, t);
            y += size * 1.5;
        };
        line(QStringLiteral("Corvelle shed plan"), 11, true);
        line(QStringLiteral("Style %1").arg(s.style), 10, true);
        line(QStringLiteral("Roof: %1").arg(roofShapeName(s.shape)), 8);
        line(QStringLiteral("Width %1").arg(s.units.length(s.width)), 8);
        line(QStringLiteral("Depth %1").arg(s.units.length(s.depth)), 8);
        line(QStringLiteral("Wall height %1").arg(s.units.length(s.wallHeight)), 8);
        line(QStringLiteral("Ridge height %1").arg(s.units.length(s.wallHeight + s.rise)), 8);
        y += 6;
        line(QStringLiteral("Width as typed; depth, walls and"), 7);
        line(QStringLiteral("roof from the style's proportions."), 7);
    }
    if (s.width <= 0) {
        p.drawText(drawArea, Qt::AlignCenter, QStringLiteral("No width to draw the plan at."));
        p.restore();
        return;
    }
    // Front elevation on the left, floor outline on the right, one scale for both.
    const double gap = 100, room = 56; // the ridge dimension sits in the gap
    const double totalW = s.width * 2 + 0; // both views are one width across
    const double k = std::min((drawArea.width() - 2 * room - gap) / totalW,
                              (drawArea.height() - 2 * room) / std::max(s.wallHeight + s.rise, s.depth));
    const double x0 = drawArea.left() + room, base = drawArea.top() + room + (s.wallHeight + s.rise) * k;
    auto front = [&](QPointF q) { return QPointF(x0 + q.x() * k, base - q.y() * k); };
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(front({0, s.wallHeight}), front({s.width, 0})));
    // A roof line that ends above an eave (clerestory, lean-to) closes down the end wall.
    QPolygonF roof;
    const QPolygonF outline = roofLine(s);
    if (outline.first().y() > s.wallHeight)
        roof.append(front({outline.first().x(), s.wallHeight}));
    for (const QPointF &q : outline)
        roof.append(front(q));
    if (outline.last().y() > s.wallHeight)
        roof.append(front({outline.last().x(), s.wallHeight}));
    p.drawPolyline(roof);
    p.setPen(QPen(Qt::black, 0.6));
    p.drawLine(front({-12, 0}), front({s.width + 12, 0}));
    p.setFont(planFont(9, true));
    p.drawText(QRectF(front({0, 0}).x(), base + 34, s.width * k, 14), Qt::AlignCenter, QStringLiteral("Front elevation"));
    dimensionLine(p, front({0, 0}), front({s.width, 0}), true, 18, s.units.length(s.width));
    dimensionLine(p, front({0, 0}), front({0, s.wallHeight}), false, 16, s.units.length(s.wallHeight));
    const QPolygonF line = roofLine(s);
    double top = 0;
    for (const QPointF &q : line)
        top = std::max(top, q.y());
    dimensionLine(p, front({s.width, 0}), front({s.width, top}), false, -(16 + 0), s.units.length(top));

    // Floor outline, front at the bottom.
    const double px0 = x0 + s.width * k + gap, pbase = drawArea.top() + room + s.depth * k;
    auto plan = [&](QPointF q) { return QPointF(px0 + q.x() * k, pbase - q.y() * k); };
    p.setPen(QPen(Qt::black, 1.2));
    if (s.shape == RoofShape::RunIn) {
        p.drawPolyline(QPolygonF{plan({0, 0}), plan({0, s.depth}), plan({s.width, s.depth}), plan({s.width, 0})});
        p.setPen(QPen(Qt::black, 0.8, Qt::DashLine));
        p.drawLine(plan({0, 0}), plan({s.width, 0}));
        p.setFont(planFont(7.5));
        p.drawText(QRectF(plan({0, 0}).x(), plan({0, 0}).y() - 14, s.width * k, 12), Qt::AlignCenter,
                   QStringLiteral("open front"));
    } else {
        p.drawRect(QRectF(plan({0, s.depth}), plan({s.width, 0})));
    }
    p.setFont(planFont(9, true));
    p.drawText(QRectF(plan({0, 0}).x(), pbase + 34, s.width * k, 14), Qt::AlignCenter, QStringLiteral("Floor outline"));
    dimensionLine(p, plan({0, 0}), plan({s.width, 0}), true, 18, s.units.length(s.width));
    dimensionLine(p, plan({0, 0}), plan({0, s.depth}), false, 16, s.units.length(s.depth));
    p.restore();
}

void printStylePlan(const StylePlan &plan, QPagedPaintDevice &device)
{
    device.setPageOrientation(QPageLayout::Landscape);
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p(&device);
    const double k = p.device()->logicalDpiX() / PointsPerInch;
    p.scale(k, k);
    const QSizeF page = device.pageLayout().fullRectPoints().size();
    paintStylePlan(p, plan, QRectF(24, 24, page.width() - 48, page.height() - 48), true);
}

QByteArray stylePlanPdf(const StylePlan &plan, QPageSize::PageSizeId paper)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Corvelle"));
        writer.setTitle(QStringLiteral("Style %1 plan").arg(plan.style));
        writer.setResolution(600);
        writer.setPageSize(QPageSize(paper));
        printStylePlan(plan, writer);
    }
    return buffer.data();
}

QByteArray stylePlanSvg(const StylePlan &plan, QPageSize::PageSizeId paper)
{
    const QSizeF page = landscape(paper);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator gen;
    gen.setOutputDevice(&buffer);
    gen.setResolution(int(PointsPerInch));
    gen.setSize(page.toSize());
    gen.setViewBox(QRectF(QPointF(0, 0), page));
    QPainter p(&gen);
    p.fillRect(QRectF(QPointF(0, 0), page), Qt::white);
    paintStylePlan(p, plan, QRectF(24, 24, page.width() - 48, page.height() - 48), true);
    p.end();
    return buffer.data();
}

QByteArray stylePlanDxf(const StylePlan &plan, QPageSize::PageSizeId paper)
{
    const QSizeF page = landscape(paper);
    DxfRecorder recorder(page);
    {
        QPainter p(&recorder);
        paintStylePlan(p, plan, QRectF(24, 24, page.width() - 48, page.height() - 48), true);
    }
    return recorder.dxf(PointsPerInch, QString());
}

} // namespace corvelle::shed
