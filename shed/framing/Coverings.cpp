#include "Assemblies.h"

#include "shed/Layout.h"

namespace corvelle::shed::framing {

using namespace geometry;
namespace r = rules;

namespace {

// An end wall's face up to the roof: under the lookouts where the rake has them, as they
// rest on the gable frame's face.
Polygon gableOutline(const Context &c, double xFrom, double xTo, double yBase)
{
    const RoofProfile &rf = c.roof;
    const double W = c.width;
    const auto top = [&](double x) {
        const double p = rf.pitch(std::clamp(x, 1.0, W - 1.0));
        return rf.top(x) - (c.lookouts ? r::LookoutDepth * std::sqrt(1 + p * p) : 0);
    };
    Polygon p = {{xFrom, yBase}, {xTo, yBase}, {xTo, top(W)}};
    const QList<double> corners = rf.topCorners();
    for (qsizetype i = corners.size() - 1; i >= 0; --i)
        p.append({corners[i], top(corners[i])});
    p.append({xFrom, top(0)});
    return p;
}

// Upright sheets in courses from the floor; every vertical joint centred on an upright
// member, no piece narrower than a stud bay beside an opening or a corner where the
// layout allows it.
QList<QRectF> wallSheets(const Context &c, const WallRun &w, const QList<double> &supports, const QRectF &area,
                         QSizeF sheet)
{
    layout::Run run{area.left(), area.right(), sheet.width(), supports, c.design.studCenters - r::Ply, {}, {}};
    for (const Opening &o : w.openings)
        run.edges += {o.left, o.right};
    const QList<double> joints = layout::sheetJoints(run);
    const QList<double> ends = QList<double>{area.left()} + joints + QList<double>{area.right()};
    QList<QRectF> cells;
    for (double y = area.top(); y < area.bottom() - Eps; y += sheet.height()) {
        const double y1 = std::min(area.bottom(), y + sheet.height());
        for (qsizetype i = 1; i < ends.size(); ++i)
            cells.append(QRectF(QPointF(ends[i - 1], y), QPointF(ends[i], y1)));
    }
    return cells;
}

// A cell of a covering with the wall's openings cut out.
QList<QRectF> aroundOpenings(const WallRun &w, const QRectF &cell)
{
    QList<QRectF> pieces = {cell};
    for (const Opening &o : w.openings) {
        const QRectF hole(QPointF(o.left, o.bottom), QPointF(o.right, o.head));
        QList<QRectF> next;
        for (const QRectF &piece : pieces)
            next += subtract(piece, hole);
        pieces = next;
    }
    return pieces;
}

void lining(const Context &c, const WallSupports &supports, Members &out)
{
    if (!c.design.lining)
        return;
    const double lt = c.design.liningThickness, sd = c.studDepth, W = c.width, D = c.depth;
    const double base = c.floorTop, height = c.plateTop - c.floorTop;
    const QString stock = fraction(lt) + QStringLiteral(" in wall board");
    out.model.sheetSizes.insert(stock, QSizeF(48, 96));
    const QSizeF sheet(48, 96); // stood upright, as a builder hangs them in a shed
    for (Wall wall : FramingOrder) {
        const WallRun &w = c.run(wall);
        const QRectF area = isEndWall(wall) ? QRectF(sd, base, W - 2 * sd, height)
                                            : QRectF(sd + lt, base, D - 2 * (sd + lt), height);
        const double across = wall == Wall::Front  ? sd
                              : wall == Wall::Rear ? D - sd - lt
                              : wall == Wall::Right ? sd
                                                    : W - sd - lt;
        for (const QRectF &cell : wallSheets(c, w, supports[size_t(wall)], area, sheet)) {
            for (const QRectF &piece : aroundOpenings(w, cell))
                out.planar(MemberKind::LiningSheet, Layer::Lining, stock, rectPolygon(piece), wall, across, lt);
        }
    }
}

void siding(const Context &c, const WallSupports &supports, Members &out)
{
    const Design &d = c.design;
    const double st = d.sidingThickness, W = c.width, D = c.depth;
    static const char *const names[] = {"vinyl lap siding", "vertical board siding", "plywood siding panel",
                                        "metal siding panel"};
    const QString stock =
        QStringLiteral("%1 %2x%3 in").arg(QLatin1String(names[int(d.siding)])).arg(d.sidingWidth).arg(d.sidingHeight);
    out.model.sheetSizes.insert(stock, QSizeF(std::min(d.sidingWidth, d.sidingHeight),
                                              std::max(d.sidingWidth, d.sidingHeight)));
    // Plywood panels nailed to the studs are the wall's bracing; anything else goes over
    // structural sheathing, its joints on studs like the panels'.
    const bool panels = d.siding == Siding::Plywood;
    const double ws = c.wallSheathing;
    const QString sheathingStock = fraction(ws) + QStringLiteral(" in OSB");
    if (!panels)
        out.model.sheetSizes.insert(sheathingStock, QSizeF(48, 96));
    // Lap boards break joints course to course; vertical boards and metal do not.
    const bool staggered = d.siding == Siding::Vinyl;
    const QSizeF piece(d.sidingWidth, d.sidingHeight);
    const double bottom = c.sidingBottom;
    for (Wall wall : FramingOrder) {
        const WallRun &w = c.run(wall);
        const bool endWall = isEndWall(wall);
        const auto cover = [&](double outward, MemberKind kind, const QString &what, const QSizeF &size, bool onStuds,
                               double thick) {
            const Polygon outline = endWall ? gableOutline(c, -outward, W + outward, bottom)
                                            : rectPolygon(QRectF(0, bottom, D, c.plateTop - bottom));
            const QRectF face = boundingRect(outline);
            const double across = wall == Wall::Front  ? -outward
                                  : wall == Wall::Rear ? D + outward - thick
                                  : wall == Wall::Right ? -outward
                                                        : W + outward - thick;
            const QList<QRectF> cells = onStuds ? wallSheets(c, w, supports[size_t(wall)], face, size)
                                                : tile(face, size, staggered ? size.width() / 2 : 0);
            for (const QRectF &cell : cells) {
                for (const QRectF &part : aroundOpenings(w, cell)) {
                    const Polygon p =
                        contains(outline, part) ? rectPolygon(part) : clipConvex(rectPolygon(part), outline);
                    if (!p.isEmpty() && area(p) > 0.5)
                        out.planar(kind, Layer::Siding, what, p, wall, across, thick);
                }
            }
        };
        if (!panels)
            cover(ws, MemberKind::WallSheathing, sheathingStock, QSizeF(48, 96), true, ws);
        cover(ws + st, MemberKind::SidingPiece, stock, piece, panels, st);
    }
}

} // namespace

void coverings(const Context &c, const WallSupports &supports, Members &out)
{
    lining(c, supports, out);
    siding(c, supports, out);
}

} // namespace corvelle::shed::framing
