#include "shed/Plans.h"
#include "shed/Framing.h"
#include "shed/PlanDrawing.h"
#include "shed/Rules.h"
#include "shed/Takeoff.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPicture>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace corvelle::shed {

namespace {

constexpr double PointsPerInch = 72;
constexpr double Margin = 24;          // page edge to the border, points
constexpr double TitleBlockWidth = 190;
constexpr double DimensionRoom = 54;   // around a drawing for its dimension lines

// Drawing scales, largest first: paper length per model length, and the scale's name.
struct Scale {
    double ratio;
    const char *label;
};
// Architectural scales, in paper inches to the foot.
constexpr Scale ImperialScales[] = {
    {1.5 / 12, "1 1/2\" = 1'-0\""}, {1.0 / 12, "1\" = 1'-0\""},      {0.75 / 12, "3/4\" = 1'-0\""},
    {0.5 / 12, "1/2\" = 1'-0\""},   {0.375 / 12, "3/8\" = 1'-0\""},  {0.25 / 12, "1/4\" = 1'-0\""},
    {0.1875 / 12, "3/16\" = 1'-0\""}, {0.125 / 12, "1/8\" = 1'-0\""}, {0.09375 / 12, "3/32\" = 1'-0\""},
    {0.0625 / 12, "1/16\" = 1'-0\""}};
// The metric scales of building plans: details at 1:20, plans and elevations at 1:50 or 1:100.
constexpr Scale MetricScales[] = {{1.0 / 20, "1:20"}, {1.0 / 50, "1:50"}, {1.0 / 100, "1:100"}};

double pointsPerModelInch(const Scale &s) { return s.ratio * PointsPerInch; }

// The largest scale at which an extent (model inches) fits the room (points); the
// smallest, with `fits` false, when none does.
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

QFont font(double size, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, int(std::lround(size)))); // painter units are points
    f.setBold(bold);
    return f;
}

QString sidesName(Sides s)
{
    switch (s) {
    case Sides::None: return QStringLiteral("none");
    case Sides::Front: return QStringLiteral("front");
    case Sides::Rear: return QStringLiteral("rear");
    case Sides::Both: return QStringLiteral("front and rear");
    }
    return {};
}

QString floorName(const Design &d, Units u)
{
    switch (d.floor) {
    case FloorType::Gravel: return QStringLiteral("gravel");
    case FloorType::Concrete: return QStringLiteral("concrete slab %1 thick").arg(u.length(d.slabThickness));
    case FloorType::Wood: return QStringLiteral("wood on skids");
    case FloorType::Blocks: return QStringLiteral("wood on %1 rows of blocks").arg(d.blockRows);
    }
    return {};
}

QString sidingName(Siding s)
{
    switch (s) {
    case Siding::Vinyl: return QStringLiteral("vinyl");
    case Siding::Vertical: return QStringLiteral("vertical boards");
    case Siding::Plywood: return QStringLiteral("plywood");
    case Siding::Tin: return QStringLiteral("tin");
    }
    return {};
}

// --- geometry ---------------------------------------------------------------

QList<QVector3D> corners(const Member &m)
{
    QList<QPointF> poly = m.profile;
    if (poly.size() < 3)
        poly = {QPointF(0, 0), QPointF(m.size.x(), 0), QPointF(m.size.x(), m.size.y()), QPointF(0, m.size.y())};
    const QQuaternion r = m.rotation.normalized();
    QList<QVector3D> out;
    for (const QPointF &p : poly)
        for (float z : {0.0f, m.size.z()})
            out.append(m.position + r.rotatedVector(QVector3D(float(p.x()), float(p.y()), z)));
    return out;
}

struct Box3 {
    QVector3D lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    bool empty() const { return lo.x() > hi.x(); }
    void add(QVector3D p)
    {
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], p[i]);
            hi[i] = std::max(hi[i], p[i]);
        }
    }
};

Box3 bounds(const Member &m)
{
    Box3 b;
    for (const QVector3D &p : corners(m))
        b.add(p);
    return b;
}

QPolygonF convexHull(QList<QPointF> pts)
{
    std::sort(pts.begin(), pts.end(), [](QPointF a, QPointF b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
    if (pts.size() < 3)
        return QPolygonF(pts);
    auto cross = [](QPointF o, QPointF a, QPointF b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QList<QPointF> h(2 * pts.size());
    qsizetype k = 0;
    for (qsizetype i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    for (qsizetype i = pts.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], pts[i - 1]) <= 0)
            --k;
        h[k++] = pts[i - 1];
    }
    h.resize(k - 1);
    return QPolygonF(h);
}

// A view onto a plane: model point to (u, v) in inches, v up the page.
using Projection = std::function<QPointF(QVector3D)>;

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
    for (const QVector3D &c : corners(m))
        pts.append(proj(c));
    return convexHull(pts);
}

// --- drawing ----------------------------------------------------------------

// Maps projected model inches onto the page at a scale, centred in an area.
struct Drawing {
    QPainter &p;
    double k;            // points per model inch
    QPointF origin;      // page point of (u, v) = (0, 0)
    Units units;         // what its dimensions are written in

    QPointF at(QPointF uv) const { return {origin.x() + uv.x() * k, origin.y() - uv.y() * k}; }
    QPolygonF at(const QPolygonF &poly) const
    {
        QPolygonF out;
        for (const QPointF &q : poly)
            out.append(at(q));
        return out;
    }
};

} // namespace

void dimensionLine(QPainter &p, QPointF pa, QPointF pb, bool horizontal, double offset, const QString &text)
{
    p.save();
    p.setPen(QPen(Qt::black, 0.5));
    p.setFont(font(7.5));
    const double dir = offset >= 0 ? 1 : -1;
    if (horizontal) {
        const double y = (offset >= 0 ? std::max(pa.y(), pb.y()) : std::min(pa.y(), pb.y())) + offset;
        for (const QPointF &q : {pa, pb}) {
            p.drawLine(QPointF(q.x(), q.y() + 2 * dir), QPointF(q.x(), y + 3 * dir));
            p.drawLine(QPointF(q.x() - 2.5, y + 2.5), QPointF(q.x() + 2.5, y - 2.5));
        }
        p.drawLine(QPointF(pa.x(), y), QPointF(pb.x(), y));
        p.drawText(QRectF(std::min(pa.x(), pb.x()) - 20, y - 11, std::abs(pb.x() - pa.x()) + 40, 10), Qt::AlignCenter, text);
    } else {
        const double x = (offset >= 0 ? std::min(pa.x(), pb.x()) : std::max(pa.x(), pb.x())) - offset;
        for (const QPointF &q : {pa, pb}) {
            p.drawLine(QPointF(q.x() - 2 * dir, q.y()), QPointF(x - 3 * dir, q.y()));
            p.drawLine(QPointF(x - 2.5, q.y() + 2.5), QPointF(x + 2.5, q.y() - 2.5));
        }
        p.drawLine(QPointF(x, pa.y()), QPointF(x, pb.y()));
        p.translate(x - 2, (pa.y() + pb.y()) / 2);
        p.rotate(-90);
        p.drawText(QRectF(-60, -10, 120, 10), Qt::AlignCenter, text);
    }
    p.restore();
}

namespace {

void dimension(const Drawing &d, QPointF a, QPointF b, bool horizontal, double offset, const QString &label = {})
{
    const double len = horizontal ? std::abs(b.x() - a.x()) : std::abs(b.y() - a.y());
    dimensionLine(d.p, d.at(a), d.at(b), horizontal, offset, label.isEmpty() ? d.units.length(len) : label);
}

// A running dimension string for layout: every mark measured from the first (the named
// corner), as a builder hooks the tape there and marks the plate.
void runningDimension(const Drawing &d, QList<double> at, double fixed, bool horizontal, double offset)
{
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end(), [](double a, double b) { return std::abs(a - b) < 0.05; }), at.end());
    if (at.size() < 2)
        return;
    QPainter &p = d.p;
    p.save();
    p.setPen(QPen(Qt::black, 0.45));
    p.setFont(font(6));
    const auto page = [&](double v) { return horizontal ? d.at({v, fixed}) : d.at({fixed, v}); };
    const QPointF a = page(at.first()), b = page(at.last());
    const QPointF shift = horizontal ? QPointF(0, offset) : QPointF(-offset, 0);
    p.drawLine(a + shift, b + shift);
    for (double v : at) {
        const QPointF q = page(v) + shift;
        const QPointF tick = horizontal ? QPointF(0, 3) : QPointF(3, 0);
        p.drawLine(q - tick, q + tick);
        p.save();
        p.translate(q);
        if (horizontal)
            p.rotate(-90);
        const QString text = v == at.first() ? QStringLiteral("0") : d.units.length(v - at.first());
        p.drawText(QRectF(horizontal ? -44 : -40, horizontal ? -8 : -10, 40, 8), Qt::AlignRight | Qt::AlignVCenter,
                   text);
        p.restore();
    }
    p.restore();
}

QColor fillFor(const Member &m)
{
    switch (m.kind) {
    case MemberKind::Slab:
    case MemberKind::GravelPad:
    case MemberKind::Block: return QColor(225, 225, 222);
    case MemberKind::DeckSheet:
    case MemberKind::LiningSheet:
    case MemberKind::SidingPiece:
    case MemberKind::RoofSheet:
    case MemberKind::Gusset: return QColor(246, 240, 226);
    case MemberKind::DoorLeaf: return QColor(232, 240, 230);
    default: return QColor(250, 236, 206);
    }
}

void drawMembers(const Drawing &d, const QList<const Member *> &members, const Projection &proj, bool light = false)
{
    d.p.save();
    d.p.setPen(QPen(light ? QColor(150, 150, 150) : Qt::black, light ? 0.35 : 0.6));
    for (const Member *m : members) {
        d.p.setBrush(light ? Qt::NoBrush : QBrush(fillFor(*m)));
        d.p.drawPolygon(d.at(outline(*m, proj)));
    }
    d.p.restore();
}

struct Extent {
    double u0 = 1e30, v0 = 1e30, u1 = -1e30, v1 = -1e30;
    bool empty() const { return u0 > u1; }
    void add(QPointF q)
    {
        u0 = std::min(u0, q.x());
        u1 = std::max(u1, q.x());
        v0 = std::min(v0, q.y());
        v1 = std::max(v1, q.y());
    }
    QSizeF size() const { return empty() ? QSizeF(1, 1) : QSizeF(u1 - u0, v1 - v0); }
};

Extent extentOf(const QList<const Member *> &members, const Projection &proj)
{
    Extent e;
    for (const Member *m : members)
        for (const QVector3D &c : corners(*m))
            e.add(proj(c));
    return e;
}

// Note lines broken at blanks to the drawing's width.
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

void note(QPainter &p, QRectF area, const QStringList &text)
{
    const QStringList lines = wrapped(text, area.width());
    p.save();
    p.setFont(font(8));
    double y = area.bottom() - 12 * lines.size();
    for (const QString &line : lines) {
        p.drawText(QPointF(area.left() + 6, y + 9), line);
        y += 12;
    }
    p.restore();
}

} // namespace

QPageSize::PageSizeId planPaper(const QLocale &locale, Units units)
{
    if (units.isMetric())
        return QPageSize::A4;
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

MaterialTable materialTable(const Takeoff &takeoff)
{
    const QLocale c = QLocale::c();
    MaterialTable t;
    for (const MaterialRow &row : takeoff.materials) {
        const QString item = row.inTotal ? row.item : QStringLiteral("%1 (alternative, not in the total)").arg(row.item);
        t.rows.append({item, c.toString(row.quantity, 'g', 6), row.unit, c.toString(row.unitPrice, 'f', 2),
                       c.toString(row.cost, 'f', 2)});
    }
    t.total = QStringLiteral("Total %1").arg(c.toString(takeoff.total, 'f', 2));
    return t;
}

PlanSet::PlanSet(Design design, Model model, MaterialTable materials, StructureReport structure, Units units)
    : design_(std::move(design)), model_(std::move(model)), materials_(std::move(materials)),
      structure_(std::move(structure)), units_(units)
{
}

namespace {

// As many 13 pt rows as the drawing area holds under the header with the total below.
constexpr int MaterialRowsPerPage = 38;
constexpr int StructureRowsPerPage = 12;

enum class Page {
    Foundation,
    Floor,
    FrontWall,
    BackWall,
    LeftWall,
    RightWall,
    Roof,
    RoofDetail,
    Ramp,
    Materials,
    Structure
};

struct PageRef {
    Page page;
    int part = 0; // material list or structural notes continuation
};

QList<PageRef> pagesOf(const MaterialTable &t, const StructureReport &structure)
{
    QList<PageRef> pages = {{Page::Foundation}, {Page::Floor},    {Page::FrontWall},  {Page::BackWall},
                            {Page::LeftWall},   {Page::RightWall}, {Page::Roof},      {Page::RoofDetail},
                            {Page::Ramp}};
    const int parts = std::max(1, int((t.rows.size() + MaterialRowsPerPage - 1) / MaterialRowsPerPage));
    for (int i = 0; i < parts; ++i)
        pages.append({Page::Materials, i});
    const int notes = int((structure.rows.size() + StructureRowsPerPage - 1) / StructureRowsPerPage);
    for (int i = 0; i < notes; ++i)
        pages.append({Page::Structure, i});
    return pages;
}

bool hasTrusses(const Model &m)
{
    return std::any_of(m.members.begin(), m.members.end(), [](const Member &x) { return x.kind == MemberKind::TrussChord; });
}

QString titleOf(const PageRef &r, const Model &model)
{
    switch (r.page) {
    case Page::Foundation: return QStringLiteral("Foundation plan");
    case Page::Floor: return QStringLiteral("Floor framing plan");
    case Page::FrontWall: return QStringLiteral("Front wall framing");
    case Page::BackWall: return QStringLiteral("Rear wall framing");
    case Page::LeftWall: return QStringLiteral("Left wall framing");
    case Page::RightWall: return QStringLiteral("Right wall framing");
    case Page::Roof: return QStringLiteral("Roof framing plan");
    case Page::RoofDetail: return hasTrusses(model) ? QStringLiteral("Truss detail") : QStringLiteral("Rafter detail");
    case Page::Ramp: return QStringLiteral("Ramp detail");
    case Page::Materials:
        return r.part == 0 ? QStringLiteral("Material list") : QStringLiteral("Material list (continued)");
    case Page::Structure:
        return r.part == 0 ? QStringLiteral("Structural notes") : QStringLiteral("Structural notes (continued)");
    }
    return {};
}

QList<const Member *> select(const Model &model, const std::function<bool(const Member &)> &keep)
{
    QList<const Member *> out;
    for (const Member &m : model.members)
        if (keep(m))
            out.append(&m);
    return out;
}

class PagePainter {
public:
    PagePainter(QPainter &p, QSizeF page, const Design &d, const Model &m, const MaterialTable &t,
                const StructureReport &st, Units units)
        : p_(p), page_(page), d_(d), m_(m), t_(t), st_(st), u_(units)
    {
        area_ = QRectF(Margin, Margin, page.width() - 2 * Margin - TitleBlockWidth - 8, page.height() - 2 * Margin);
    }

    void paint(const PageRef &ref, int number, int count)
    {
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing);
        p_.fillRect(QRectF(QPointF(0, 0), page_), Qt::white);
        p_.setPen(QPen(Qt::black, 1.2));
        p_.drawRect(QRectF(Margin - 6, Margin - 6, page_.width() - 2 * Margin + 12, page_.height() - 2 * Margin + 12));
        QString scale;
        switch (ref.page) {
        case Page::Foundation: scale = planView(Layer::Foundation, {}); break;
        case Page::Floor: scale = floorPlan(); break;
        case Page::FrontWall:
        case Page::BackWall:
        case Page::LeftWall:
        case Page::RightWall: scale = wall(ref.page); break;
        case Page::Roof: scale = roofPlan(); break;
        case Page::RoofDetail: scale = roofDetail(); break;
        case Page::Ramp: scale = ramp(); break;
        case Page::Materials: materials(ref.part); break;
        case Page::Structure:
            structure(ref.part);
            break;
        }
        titleBlock(titleOf(ref, m_), scale, number, count);
        p_.restore();
    }

private:
    // Fits an extent into the drawing area at the largest scale and returns the drawing.
    Drawing fit(const Extent &e, QRectF room, Scale &scale) const
    {
        const QRectF inner = room.adjusted(DimensionRoom, DimensionRoom * 0.6, -DimensionRoom * 0.6, -DimensionRoom);
        scale = scaleFor(e.size(), inner.size(), u_, fits_);
        const double k = pointsPerModelInch(scale);
        const QPointF centre = inner.center();
        const double u = (e.u0 + e.u1) / 2, v = (e.v0 + e.v1) / 2;
        return Drawing{p_, k, QPointF(centre.x() - u * k, centre.y() + v * k), u_};
    }

    static QPointF plan(QVector3D p) { return {p.x(), p.z()}; } // from above, front at the bottom

    QString planView(Layer layer, QStringList notes)
    {
        const QList<const Member *> members = select(m_, [&](const Member &m) { return m.layer == layer; });
        Extent e = extentOf(members, plan);
        e.add({0, 0});
        e.add({d_.width, d_.depth});
        Scale s;
        const Drawing d = fit(e, area_, s);
        drawMembers(d, members, plan);
        p_.save();
        p_.setPen(QPen(Qt::black, 0.9, Qt::DashLine));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(QRectF(d.at({0, d_.depth}), d.at({d_.width, 0})));
        p_.restore();
        dimension(d, {0, e.v0}, {d_.width, e.v0}, true, 22);
        dimension(d, {e.u0, 0}, {e.u0, d_.depth}, false, 22);
        if (layer == Layer::Foundation) {
            // Pier and skid centres from the front left corner.
            QList<double> piers{0}, skids{0};
            for (const Member *m : members) {
                const Box3 b = bounds(*m);
                if (m->kind == MemberKind::Block && b.lo.y() < 0.01 && b.lo.z() < 12)
                    piers.append((b.lo.x() + b.hi.x()) / 2);
                if (m->kind == MemberKind::Skid)
                    skids.append((b.lo.z() + b.hi.z()) / 2);
            }
            if (piers.size() > 1) {
                runningDimension(d, piers, e.v1, true, -14);
                notes << QStringLiteral("Piers: centres from the left corner along each skid (top string).");
            }
            if (skids.size() > 1) {
                runningDimension(d, skids, e.u0, false, 44);
                notes << QStringLiteral("Skids: centres from the front (left string).");
            }
            switch (d_.floor) {
            case FloorType::Gravel: notes << QStringLiteral("Gravel pad, level and compacted, under the whole shed."); break;
            case FloorType::Concrete:
                notes << QStringLiteral("Concrete slab %1 thick; anchor bolts for the bottom plates.").arg(u_.length(d_.slabThickness));
                break;
            case FloorType::Wood: notes << QStringLiteral("Treated skids on a level bed."); break;
            case FloorType::Blocks:
                notes << QStringLiteral("%1 rows of blocks %2 under the joists.")
                             .arg(d_.blockRows)
                             .arg(u_.size(d_.blockWidth, d_.blockHeight, d_.blockLength));
                break;
            }
            notes << QStringLiteral("Front wall at the bottom of the page.");
        }
        note(p_, area_, notes);
        return QString::fromLatin1(s.label);
    }

    QString floorPlan()
    {
        const QList<const Member *> joists =
            select(m_, [](const Member &m) { return m.layer == Layer::Floor && isLumber(m); });
        if (joists.isEmpty())
            return planView(Layer::Floor, {QStringLiteral("No floor framing: the walls stand on the %1.")
                                               .arg(d_.floor == FloorType::Gravel ? QStringLiteral("gravel")
                                                                                  : QStringLiteral("slab"))});
        const QList<const Member *> sheets =
            select(m_, [](const Member &m) { return m.layer == Layer::Floor && !isLumber(m); });
        Extent e = extentOf(joists, plan);
        Scale s;
        const Drawing d = fit(e, area_, s);
        drawMembers(d, sheets, plan, true);
        drawMembers(d, joists, plan);
        dimension(d, {e.u0, e.v0}, {e.u1, e.v0}, true, 22);
        dimension(d, {e.u0, e.v0}, {e.u0, e.v1}, false, 22);
        QList<double> layoutMarks{0};
        for (const Member *m : joists) {
            const Box3 b = bounds(*m);
            if (m->kind == MemberKind::Joist)
                layoutMarks.append(b.lo.x());
        }
        runningDimension(d, layoutMarks, e.v1, true, -14);
        const QString stock = joists.first()->stock;
        // The count the material list buys, and the pieces they are cut into.
        const QString deckStock = sheets.isEmpty() ? QString() : sheets.first()->stock;
        QString bought;
        for (const QStringList &row : t_.rows) {
            if (!deckStock.isEmpty() && row.value(0).startsWith(deckStock + QLatin1Char(' ')))
                bought = row.value(1);
        }
        note(p_, area_,
             {QStringLiteral("Joists %1 at %2 on centre; deck %3 thick laid across them, %4 pieces cut from %5 sheets.")
                  .arg(u_.stock(stock), u_.length(d_.joistCenters), u_.length(d_.deckThickness))
                  .arg(sheets.size())
                  .arg(bought.isEmpty() ? QStringLiteral("?") : bought),
              QStringLiteral("Joist layout from the left corner (top string); front at the bottom of the page.")});
        return QString::fromLatin1(s.label);
    }

    QString wall(Page which)
    {
        const double band = d_.studDepth + 0.75;
        const double w = d_.width, dp = d_.depth;
        std::function<bool(const Box3 &)> inWall;
        Projection proj;
        double length = w;
        // Each wall seen from outside, from its left end.
        const Wall seen = which == Page::FrontWall  ? Wall::Front
                          : which == Page::BackWall ? Wall::Rear
                          : which == Page::LeftWall ? Wall::Left
                                                    : Wall::Right;
        proj = [=](QVector3D p) { return QPointF(fromLeftEnd(seen, p, w, dp), p.y()); };
        switch (seen) {
        case Wall::Front: inWall = [=](const Box3 &b) { return b.hi.z() <= band && b.lo.z() >= -band; }; break;
        case Wall::Rear: inWall = [=](const Box3 &b) { return b.lo.z() >= dp - band && b.hi.z() <= dp + band; }; break;
        case Wall::Left:
            inWall = [=](const Box3 &b) { return b.lo.x() >= w - band && b.hi.x() <= w + band; };
            length = dp;
            break;
        case Wall::Right:
            inWall = [=](const Box3 &b) { return b.hi.x() <= band && b.lo.x() >= -band; };
            length = dp;
            break;
        }
        // The end truss or rafter pair belongs on the elevation: the gable studs stand on it.
        const auto endFrame = [](const Member &m) {
            return m.layer == Layer::Roof && m.kind != MemberKind::RoofSheet && m.kind != MemberKind::Gusset;
        };
        const QList<const Member *> framing = select(m_, [&](const Member &m) {
            return (m.layer == Layer::Framing || endFrame(m)) && inWall(bounds(m));
        });
        const QList<const Member *> doors = select(m_, [&](const Member &m) {
            return m.layer == Layer::Doors && inWall(bounds(m));
        });
        Extent e = extentOf(framing, proj);
        e.add({0, 0});
        e.add({length, 0});
        Scale s;
        const Drawing d = fit(e, area_.adjusted(0, 0, 0, -60), s); // room for the layout string over the notes
        drawMembers(d, framing, proj);
        // The wall's own height, from the bottom plate's underside to the top plate's top.
        const double base = floorTop(d_), top = base + d_.innerHeight;
        dimension(d, {0, base}, {length, base}, true, 22);
        if (!framing.isEmpty())
            dimension(d, {e.u0, base}, {e.u0, top}, false, 22, u_.length(d_.innerHeight) + QStringLiteral(" wall"));
        // Stud layout: every upright's near edge from the left corner.
        QList<double> marks{0};
        QList<Extent> jacks;
        Extent header;
        int headerPlies = 0;
        QString headerStock;
        for (const Member *m : framing) {
            const Box3 b = bounds(*m);
            const Extent x = extentOf({m}, proj);
            const bool upright =
                m->kind == MemberKind::Stud || m->kind == MemberKind::KingStud || m->kind == MemberKind::JackStud;
            if (upright && b.hi.y() <= top + 0.01 && x.u0 > 0.01)
                marks.append(x.u0);
            if (m->kind == MemberKind::JackStud)
                jacks.append(x);
            if (m->kind == MemberKind::Header) {
                header.add({x.u0, x.v0});
                header.add({x.u1, x.v1});
                ++headerPlies;
                headerStock = m->stock;
            }
        }
        runningDimension(d, marks, base, true, 44);
        QStringList notes{
            QStringLiteral("Studs %1 x %2 at %3 on centre, laid out from the left corner (the running figures); "
                           "%4 members in this wall.")
                .arg(u_.length(d_.studThickness), u_.length(d_.studDepth), u_.length(d_.studCenters))
                .arg(framing.size())};
        std::sort(jacks.begin(), jacks.end(), [](const Extent &a, const Extent &b) { return a.u0 < b.u0; });
        if (jacks.size() >= 2) {
            // The rough opening as framed: between the jacks, from the floor to the header.
            const double u0 = jacks.first().u1, u1 = jacks.last().u0, v1 = jacks.first().v1;
            p_.save();
            p_.setPen(QPen(Qt::black, 0.8, Qt::DashLine));
            p_.setBrush(Qt::NoBrush);
            const QPolygonF opening =
                d.at(QPolygonF{QPointF(u0, base), QPointF(u1, base), QPointF(u1, v1), QPointF(u0, v1)});
            p_.drawPolygon(opening);
            p_.drawLine(opening[0], opening[2]);
            p_.drawLine(opening[1], opening[3]);
            p_.restore();
            // Inside the opening, on white: outside, the figures would sit on the header and studs.
            dimension(d, {u0, v1}, {u1, v1}, true, 16);
            dimension(d, {u1, base}, {u1, v1}, false, 16);
            notes << QStringLiteral(
                         "Rough opening %1 wide x %2 high from the floor, %3 from the left corner; header %4 x %5 "
                         "on the jacks, its top %6 from the floor%7.")
                         .arg(u_.length(u1 - u0), u_.length(v1 - base), u_.length(u0))
                         .arg(headerPlies)
                         .arg(headerStock, u_.length(header.v1 - base),
                              doors.size() > 1 ? QStringLiteral("; the door hangs as %1 leaves").arg(doors.size())
                                               : QString());
        } else {
            notes << QStringLiteral("No door in this wall.");
        }
        note(p_, area_, notes);
        return QString::fromLatin1(s.label);
    }

    QString roofPlan()
    {
        const QList<const Member *> lumber =
            select(m_, [](const Member &m) { return m.layer == Layer::Roof && isLumber(m); });
        const QList<const Member *> sheets =
            select(m_, [](const Member &m) { return m.layer == Layer::Roof && !isLumber(m); });
        Extent e = extentOf(lumber, plan);
        const Extent all = extentOf(sheets, plan);
        if (!all.empty()) {
            e.add({all.u0, all.v0});
            e.add({all.u1, all.v1});
        }
        e.add({0, 0});
        e.add({d_.width, d_.depth});
        Scale s;
        const Drawing d = fit(e, area_, s);
        drawMembers(d, sheets, plan, true);
        drawMembers(d, lumber, plan);
        p_.save();
        p_.setPen(QPen(Qt::black, 0.8, Qt::DashLine));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(QRectF(d.at({0, d_.depth}), d.at({d_.width, 0})));
        p_.restore();
        dimension(d, {0, e.v0}, {d_.width, e.v0}, true, 22);
        dimension(d, {e.u0, 0}, {e.u0, d_.depth}, false, 22);
        if (!all.empty()) {
            dimension(d, {all.u0, all.v1}, {all.u1, all.v1}, true, -16);
            dimension(d, {all.u1, all.v0}, {all.u1, all.v1}, false, -16);
        }
        // Frame layout: each frame's front face from the front wall.
        QList<double> frames{0};
        for (const Member *m : lumber) {
            const Box3 b = bounds(*m);
            if ((m->kind == MemberKind::TrussChord || m->kind == MemberKind::Rafter) && b.lo.z() >= -0.01
                && b.hi.z() <= d_.depth + 0.01 && b.hi.z() - b.lo.z() < 12)
                frames.append(b.lo.z());
        }
        runningDimension(d, frames, e.u0, false, 44);
        note(p_, area_,
             {QStringLiteral("%1 at %2 on centre; overhang %3 at the eaves, %4 at the gables.")
                  .arg(hasTrusses(m_) ? QStringLiteral("Trusses") : QStringLiteral("Rafters"),
                       u_.length(d_.roofSupportSpacing), u_.length(d_.overhangX), u_.length(d_.overhangZ)),
              QStringLiteral("Frame layout from the front wall (left string); walls dashed; roof sheets in grey; front "
                             "at the bottom.")});
        return QString::fromLatin1(s.label);
    }

    // One rafter pair or truss as it stands, each piece numbered with its cut, and what a
    // builder needs to assemble it: panel points, gussets and their nailing, the seat cut.
    QString roofDetail()
    {
        const bool trusses = hasTrusses(m_);
        // The one nearest mid-depth: the end ones are gable frames without webs or ties.
        const Member *first = nullptr;
        double bestOff = 0;
        for (const Member &m : m_.members) {
            if (m.kind != (trusses ? MemberKind::TrussChord : MemberKind::Rafter))
                continue;
            const Box3 b = bounds(m);
            const double off = std::abs((b.lo.z() + b.hi.z()) / 2 - d_.depth / 2);
            if (!first || off < bestOff - 0.01) {
                first = &m;
                bestOff = off;
            }
        }
        if (!first) {
            note(p_, area_, {QStringLiteral("This design has no rafters or trusses.")});
            return {};
        }
        const Box3 fb = bounds(*first);
        const auto inFrame = [&](const Box3 &b) { return b.lo.z() < fb.hi.z() + 2 && b.hi.z() > fb.lo.z() - 2; };
        const QList<const Member *> set = select(m_, [&](const Member &m) {
            if (m.layer != Layer::Roof || m.kind == MemberKind::RoofSheet || m.kind == MemberKind::PanelClip)
                return false;
            const Box3 b = bounds(m);
            return inFrame(b) && (b.hi.z() - b.lo.z()) < 12;
        });
        // What a rafter pair bears on, in section: the ridge board and the side walls' plates.
        const QList<const Member *> context = select(m_, [&](const Member &m) {
            if (m.kind != MemberKind::RidgeBoard && m.kind != MemberKind::TopPlate)
                return false;
            const Box3 b = bounds(m);
            return inFrame(b) && b.hi.z() - b.lo.z() >= 12 && b.hi.x() - b.lo.x() < 12;
        });
        const Projection side = [](QVector3D p) { return QPointF(p.x(), p.y()); };

        // Identical pieces share a number.
        QList<const Member *> pieces;
        QList<int> numberOf;
        QStringList lines;
        QList<int> counts;
        for (const Member *m : set) {
            if (!isLumber(*m) || m->length <= 0)
                continue;
            const QString line = QStringLiteral("%1 %2 cut %3, ends %4\u00b0 and %5\u00b0")
                                     .arg(kindName(m->kind), u_.stock(m->stock), u_.length(m->length))
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
        const QString pitch = d_.roof == RoofType::Barn
                                  ? QStringLiteral("Pitch %1 in 12 below the knee, %2 in 12 above; ")
                                        .arg(rules::GambrelLowerPitch * 12, 0, 'f', 1)
                                        .arg(rules::GambrelUpperPitch * 12, 0, 'f', 1)
                                  : QStringLiteral("Pitch %1 in 12; ").arg(rules::GablePitch * 12, 0, 'f', 1);
        notes << pitch
                     + QStringLiteral("lengths are long point to long point, as cut; an angle is between the end cut "
                                      "and the piece's edge.");
        for (qsizetype k = 0; k < lines.size(); ++k)
            notes << QStringLiteral("%1  %2 (%3)").arg(k + 1).arg(lines[k]).arg(counts[k]);
        if (trusses) {
            QStringList at;
            const double bcTop = fb.lo.y() + d_.roofSupportHeight;
            for (const QPointF &q : m_.frame.panelPoints)
                at << QStringLiteral("%1 / %2").arg(u_.length(q.x()), u_.length(q.y() - bcTop));
            if (!at.isEmpty())
                notes << QStringLiteral("Panel points, from the left heel / above the bottom chord: %1.")
                             .arg(at.join(QStringLiteral(", ")));
        }
        QMap<QString, int> gussets;
        for (const Member *m : set) {
            if (m->kind == MemberKind::Gusset)
                ++gussets[QStringLiteral("%1 x %2").arg(u_.length(m->size.x()), u_.length(m->size.y()))];
        }
        if (!gussets.isEmpty()) {
            QStringList sizes;
            for (auto it = gussets.begin(); it != gussets.end(); ++it)
                sizes << QStringLiteral("%1 at %2").arg(it.value()).arg(it.key());
            notes << QStringLiteral("Gussets %1 plywood on both faces, cut to the outline shown (%2)%3.")
                         .arg(u_.length(rules::GussetThickness), sizes.join(QStringLiteral(", ")),
                              trusses ? QStringLiteral("; the gable trusses' on their inner face only") : QString());
            notes << QStringLiteral("Glue each gusset with exterior construction adhesive and nail it with %1 nails at "
                                    "%2 on centre, "
                                    "staggered, %3 from the edges.")
                         .arg(u_.length(rules::GussetNailLength), u_.length(rules::GussetNailSpacing),
                              u_.length(rules::GussetNailEdge));
        }
        if (!trusses && m_.frame.seatLength > 0)
            notes << QStringLiteral("Birdsmouth: level seat %1, heel cut plumb %2 deep; ties in the lower third of the "
                                    "rise at every "
                                    "pair, nailed to both rafters' faces; ridge board and plates in section.")
                         .arg(u_.length(m_.frame.seatLength), u_.length(m_.frame.seatDepth));

        Extent e = extentOf(set + context, side);
        Scale s;
        QRectF room = area_;
        room.setBottom(area_.bottom() - 12 * wrapped(notes, area_.width()).size() - 6);
        const Drawing d = fit(e, room, s);
        drawMembers(d, context, side);
        drawMembers(d, set, side);
        dimension(d, {e.u0, e.v0}, {e.u1, e.v0}, true, 22);
        dimension(d, {e.u0, e.v0}, {e.u0, e.v1}, false, 22);
        // Each number inside its piece, clear of the gussets over it.
        QList<QPolygonF> plates;
        for (const Member *m : set) {
            if (m->kind == MemberKind::Gusset)
                plates.append(outline(*m, side));
        }
        p_.save();
        p_.setFont(font(7.5, true));
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
            p_.drawText(d.at(spot) + QPointF(-3, 3), QString::number(numberOf[i]));
        }
        p_.restore();
        note(p_, area_, notes);
        return QString::fromLatin1(s.label);
    }

    QString ramp()
    {
        const QList<const Member *> members = select(m_, [](const Member &m) { return m.layer == Layer::Ramps; });
        if (members.isEmpty()) {
            note(p_, area_, {QStringLiteral("This design has no ramp.")});
            return {};
        }
        // Side view on the left half, plan on the right.
        const Projection side = [](QVector3D p) { return QPointF(p.z(), p.y()); };
        const QRectF left(area_.left(), area_.top(), area_.width() / 2, area_.height() - 40);
        const QRectF right(area_.center().x(), area_.top(), area_.width() / 2, area_.height() - 40);
        Extent es = extentOf(members, side);
        Extent ep = extentOf(members, plan);
        Scale s1, s2;
        Drawing ds = fit(es, left, s1);
        const Drawing dp = fit(ep, right, s2);
        const Scale &s = s1.ratio < s2.ratio ? s1 : s2;
        const double k = pointsPerModelInch(s);
        ds.origin = QPointF(left.center().x() - (es.u0 + es.u1) / 2 * k, left.center().y() + (es.v0 + es.v1) / 2 * k);
        const Drawing dp2{p_, k, QPointF(right.center().x() - (ep.u0 + ep.u1) / 2 * k, right.center().y() + (ep.v0 + ep.v1) / 2 * k), u_};
        Q_UNUSED(dp);
        drawMembers(ds, members, side);
        drawMembers(dp2, members, plan);
        dimension(ds, {es.u0, es.v0}, {es.u1, es.v0}, true, 22);
        dimension(ds, {es.u0, es.v0}, {es.u0, es.v1}, false, 22);
        dimension(dp2, {ep.u0, ep.v0}, {ep.u1, ep.v0}, true, 22);
        dimension(dp2, {ep.u0, ep.v0}, {ep.u0, ep.v1}, false, 22);
        QStringList notes{QStringLiteral("Side view (left) and plan (right); ramp on the %1.").arg(sidesName(d_.ramp))};
        for (const Member *m : members)
            if (m->kind == MemberKind::RampStringer) {
                // The taper rip is the level edge the stringer stands on at the toe.
                double rip = 0;
                for (qsizetype i = 0; i < m->profile.size(); ++i) {
                    const QPointF a = m->profile[i], b = m->profile[(i + 1) % m->profile.size()];
                    if (std::abs(a.y()) < 1e-6 && std::abs(b.y()) < 1e-6)
                        rip = std::abs(b.x() - a.x());
                }
                notes << QStringLiteral("Stringer %1 cut %2 long point, top end %3\u00b0 (plumb against the ledger); "
                                        "taper rip from the full depth to nothing at the toe, %4 long (%5\u00b0).")
                             .arg(u_.stock(m->stock), u_.length(m->length))
                             .arg(m->angle1, 0, 'f', 1)
                             .arg(u_.length(rip))
                             .arg(m->angle2, 0, 'f', 1);
                notes << QStringLiteral(
                             "Ledger bolted through the siding to the %1; the deck runs over it to the wall, "
                             "its last board ripped to fit, flush with the floor.")
                             .arg(d_.floor == FloorType::Concrete ? QStringLiteral("slab's edge")
                                                                  : QStringLiteral("rim joist"));
                break;
            }
        note(p_, area_, notes);
        return QString::fromLatin1(s.label);
    }

    void materials(int part)
    {
        const QRectF r = area_.adjusted(8, 8, -8, -8);
        const double cols[] = {0, 0.52, 0.64, 0.76, 0.88, 1.0};
        const char *heads[] = {"Item", "Quantity", "Unit", "Unit price", "Cost"};
        auto colX = [&](int i) { return r.left() + cols[i] * r.width(); };
        double y = r.top();
        p_.save();
        p_.setFont(font(8.5, true));
        for (int i = 0; i < 5; ++i)
            p_.drawText(QRectF(colX(i) + 2, y, colX(i + 1) - colX(i) - 4, 14),
                        (i == 0 || i == 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, QString::fromLatin1(heads[i]));
        y += 16;
        p_.setPen(QPen(Qt::black, 0.6));
        p_.drawLine(QPointF(r.left(), y - 1), QPointF(r.right(), y - 1));
        p_.setFont(font(8));
        const qsizetype from = qsizetype(part) * MaterialRowsPerPage;
        for (qsizetype i = from; i < std::min<qsizetype>(t_.rows.size(), from + MaterialRowsPerPage); ++i) {
            const QStringList &row = t_.rows[i];
            for (int k = 0; k < 5 && k < row.size(); ++k)
                p_.drawText(QRectF(colX(k) + 2, y, colX(k + 1) - colX(k) - 4, 13),
                            (k == 0 || k == 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, row[k]);
            y += 13;
        }
        if (from + MaterialRowsPerPage >= t_.rows.size()) {
            p_.drawLine(QPointF(r.left(), y + 1), QPointF(r.right(), y + 1));
            p_.setFont(font(9, true));
            p_.drawText(QRectF(colX(2), y + 3, colX(5) - colX(2) - 2, 15), Qt::AlignRight | Qt::AlignVCenter, t_.total);
        }
        if (t_.rows.isEmpty())
            p_.drawText(QPointF(r.left(), y + 14), QStringLiteral("Nothing to buy."));
        p_.restore();
    }

    // The design loads, then the check table, each row with its rule and any change
    // that passes beneath it, then the notes a permit office asks about.
    void structure(int part)
    {
        const QRectF r = area_.adjusted(8, 8, -8, -8);
        const double cols[] = {0, 0.12, 0.27, 0.58, 0.66, 0.74, 0.82, 0.89, 1.0};
        const char *heads[] = {"Check", "Member", "Size", "Spacing", "Has", "Allowed", "Ratio", "Result"};
        auto colX = [&](int i) { return r.left() + cols[i] * r.width(); };
        double y = r.top();
        p_.save();
        p_.setFont(font(9, true));
        const SiteLoads &l = st_.loads;
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
        const QRectF used = p_.boundingRect(loadsBox, Qt::TextWordWrap, loads);
        p_.drawText(loadsBox, Qt::TextWordWrap, loads);
        y += used.height() + 8;
        p_.setFont(font(8.5, true));
        for (int i = 0; i < 8; ++i)
            p_.drawText(QRectF(colX(i) + 2, y, colX(i + 1) - colX(i) - 4, 14),
                        (i >= 3 && i <= 6 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                        QString::fromLatin1(heads[i]));
        y += 16;
        p_.setPen(QPen(Qt::black, 0.6));
        p_.drawLine(QPointF(r.left(), y - 1), QPointF(r.right(), y - 1));
        const auto len = [this](double v) { return v > 0 ? u_.length(v) : QString(); };
        const qsizetype from = qsizetype(part) * StructureRowsPerPage;
        for (qsizetype i = from; i < std::min<qsizetype>(st_.rows.size(), from + StructureRowsPerPage); ++i) {
            const CheckRow &row = st_.rows[i];
            const bool slope = row.check == u"roof slope";
            const QStringList cells = {row.check,
                                       row.member,
                                       row.size,
                                       len(row.spacing),
                                       slope ? QStringLiteral("%1:12").arg(row.span) : len(row.span),
                                       slope ? QStringLiteral("%1:12").arg(row.allowed) : len(row.allowed),
                                       row.ratio > 0 ? QString::number(row.ratio, 'f', 2) : QString(),
                                       verdictName(row.result)};
            p_.setFont(font(8, row.result == Verdict::Fail));
            for (int k = 0; k < 8; ++k)
                p_.drawText(QRectF(colX(k) + 2, y, colX(k + 1) - colX(k) - 4, 12),
                            (k >= 3 && k <= 6 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, cells[k]);
            y += 12;
            p_.setFont(font(7));
            // The rule, and on a line of its own the change that passes a failure.
            QStringList under = {row.rule};
            if (row.result == Verdict::Fail && !row.suggestion.isEmpty())
                under << QStringLiteral("Change: ") + row.suggestion;
            else if (!row.suggestion.isEmpty())
                under[0] += QStringLiteral("  ") + row.suggestion;
            for (const QString &line : under) {
                p_.drawText(QRectF(colX(1) + 2, y, r.right() - colX(1) - 4, 11), Qt::AlignLeft | Qt::AlignVCenter,
                            p_.fontMetrics().elidedText(line, Qt::ElideRight, int(r.right() - colX(1) - 4)));
                y += 11;
            }
            y += 3;
        }
        if (from + StructureRowsPerPage >= st_.rows.size()) {
            p_.drawLine(QPointF(r.left(), y + 1), QPointF(r.right(), y + 1));
            QStringList notes = {
                QStringLiteral("%1 of %2 checks fail.").arg(st_.failures()).arg(st_.rows.size()),
                QStringLiteral("Permit: one-storey accessory buildings are exempt up to 200 sq ft under the "
                               "residential code, up to 120 sq ft under the building code and many local "
                               "amendments; ask the permit office which applies.")};
            if (d_.trusses)
                notes << QStringLiteral(
                    "Trusses: site-built trusses need truss design drawings from their maker or an engineer.");
            p_.setFont(font(8));
            y += 8;
            for (const QString &n : notes) {
                const QRectF box(r.left(), y, r.width(), 40);
                const QRectF needed = p_.boundingRect(box, Qt::TextWordWrap, n);
                p_.drawText(box, Qt::TextWordWrap, n);
                y += needed.height() + 4;
            }
        }
        p_.restore();
    }

    void titleBlock(const QString &title, const QString &scale, int number, int count)
    {
        const QRectF r(page_.width() - Margin - TitleBlockWidth, Margin, TitleBlockWidth, page_.height() - 2 * Margin);
        p_.save();
        p_.setPen(QPen(Qt::black, 0.9));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(r);
        double y = r.top() + 6;
        auto line = [&](const QString &text, double size, bool bold = false) {
            p_.setFont(font(size, bold));
            const QRectF box(r.left() + 6, y, r.width() - 12, size * 1.35);
            p_.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
            y += size * 1.45;
        };
        line(QStringLiteral("Corvelle shed plans"), 11, true);
        line(title, 10, true);
        line(QStringLiteral("Sheet %1 of %2").arg(number).arg(count), 8);
        line(scale.isEmpty() ? QStringLiteral("Not to scale") : QStringLiteral("Scale %1").arg(scale), 8);
        y += 4;
        p_.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        y += 6;
        line(QStringLiteral("The design"), 9, true);
        const QString doorText = d_.door == Sides::None
                                     ? QStringLiteral("none")
                                     : QStringLiteral("%1, %2").arg(sidesName(d_.door), u_.size(d_.doorWidth, d_.doorHeight));
        const QStringList values = {
            QStringLiteral("Width %1").arg(u_.length(d_.width)),
            QStringLiteral("Depth %1").arg(u_.length(d_.depth)),
            QStringLiteral("Wall height %1").arg(u_.length(d_.innerHeight)),
            QStringLiteral("Floor: %1").arg(floorName(d_, u_)),
            QStringLiteral("Joists %1 at %2").arg(u_.size(d_.joistWidth, d_.joistHeight), u_.length(d_.joistCenters)),
            QStringLiteral("Studs %1 at %2").arg(u_.size(d_.studThickness, d_.studDepth), u_.length(d_.studCenters)),
            QStringLiteral("Lining: %1").arg(d_.lining ? u_.length(d_.liningThickness) : QStringLiteral("none")),
            QStringLiteral("Siding: %1, %2").arg(sidingName(d_.siding), d_.outerWallMaterial),
            QStringLiteral("Door: %1").arg(doorText),
            QStringLiteral("Ramp: %1").arg(d_.ramp == Sides::None ? QStringLiteral("none")
                                                                  : QStringLiteral("%1, %2").arg(sidesName(d_.ramp), u_.length(d_.rampLength))),
            QStringLiteral("Roof: %1, %2").arg(d_.roof == RoofType::Barn ? QStringLiteral("barn") : QStringLiteral("gable"),
                                               d_.trusses ? QStringLiteral("trusses") : QStringLiteral("rafters")),
            QStringLiteral("Roof supports %1 at %2").arg(u_.size(d_.roofSupportDepth, d_.roofSupportHeight),
                                                          u_.length(d_.roofSupportSpacing)),
            QStringLiteral("Overhangs %1 / %2").arg(u_.length(d_.overhangX), u_.length(d_.overhangZ)),
            QStringLiteral("Roof sheathing %1").arg(u_.length(d_.roofThickness)),
        };
        for (const QString &v : values)
            line(v, 7.5);
        if (!t_.total.isEmpty()) {
            y += 4;
            line(t_.total, 8, true);
        }
        p_.restore();
    }

    QPainter &p_;
    QSizeF page_;
    const Design &d_;
    const Model &m_;
    const MaterialTable &t_;
    const StructureReport &st_;
    Units u_;
    QRectF area_;
    mutable bool fits_ = true; // set by fit(), which is const

public:
    // Every drawing painted so far fitted at one of the scales.
    bool fitted() const { return fits_; }
};

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
    for (const PageRef &r : pagesOf(materials_, structure_))
        out.append(titleOf(r, model_));
    return out;
}

void PlanSet::paintPage(QPainter &painter, int index, QSizeF pageSize) const
{
    const QList<PageRef> pages = pagesOf(materials_, structure_);
    if (index < 0 || index >= pages.size())
        return;
    PagePainter(painter, pageSize, design_, model_, materials_, structure_, units_).paint(pages[index], index + 1, int(pages.size()));
}

QPageSize::PageSizeId PlanSet::paper(const QLocale &locale) const
{
    if (!units_.isMetric())
        return planPaper(locale, units_);
    // A4 unless a drawing would need a scale below 1:100 there: painted once to find out.
    const QSizeF a4 = landscapePoints(QPageSize::A4);
    QPicture picture;
    QPainter painter(&picture);
    const QList<PageRef> pages = pagesOf(materials_, structure_);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        PagePainter page(painter, a4, design_, model_, materials_, structure_, units_);
        page.paint(pages[i], int(i + 1), int(pages.size()));
        if (!page.fitted())
            return QPageSize::A3;
    }
    return QPageSize::A4;
}

void PlanSet::print(QPagedPaintDevice &device) const
{
    device.setPageOrientation(QPageLayout::Landscape);
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&device);
    const QRectF full = device.pageLayout().fullRectPoints();
    // Work in points whatever the device's resolution.
    const double k = painter.device()->logicalDpiX() / PointsPerInch;
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
        writer.setTitle(QStringLiteral("Shed plans %1 x %2").arg(units_.length(design_.width), units_.length(design_.depth)));
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
    gen.setResolution(int(PointsPerInch));
    gen.setSize(total.toSize());
    gen.setViewBox(QRectF(QPointF(0, 0), total));
    QPainter painter(&gen);
    for (int i = 0; i < n; ++i) {
        painter.save();
        painter.translate(0, i * (page.height() + SvgPageGap));
        paintPage(painter, i, page);
        painter.restore();
    }
    painter.end();
    return buffer.data();
}

} // namespace corvelle::shed
