#pragma once

#include "shed/Model.h"
#include "shed/Units.h"
#include "shed/plans/Sheet.h"
#include "shed/plans/SheetCanvas.h"

#include <QFont>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QSizeF>
#include <QStringList>
#include <QVector3D>

#include <functional>

// What the sheets share: scales, projections of members onto a sheet, dimension strings,
// notes and the title block.
namespace corvelle::shed::sheet {

constexpr double PointsPerInch = 72;
constexpr double Margin = 24; // page edge to the border, points
constexpr double TitleBlockWidth = 190;
constexpr double DimensionRoom = 54; // around a drawing for its dimension lines
constexpr double RunningFigureRoom = 40; // a running string's figures, read across it
constexpr double RunningFigurePitch = 7.5; // points between figures along a string: a 6 pt figure and air
constexpr double RunningLeaderRoom = 6;    // points a led figure stands further off its string

using Scale = DrawingScale;
inline double pointsPerModelInch(const Scale &s) { return s.ratio * PointsPerInch; }
// The largest scale at which an extent (model inches) fits the room (points); the
// smallest, with `fits` false, when none does.
Scale scaleFor(QSizeF extent, QSizeF room, Units units, bool &fits);

QFont font(double size, bool bold = false);

QString sidesName(Sides s);
QString floorName(const Design &d, Units u);
QString sidingName(Siding s);

struct Box3 {
    QVector3D lo, hi;
};
Box3 bounds(const Member &m);

// A view onto a plane: model point to (u, v) in inches, v up the page.
using Projection = std::function<QPointF(QVector3D)>;
// From above, the front at the bottom and the left wall (X = width) on the page's left, as
// a person standing at the front sees the shed: u runs from the left wall's outer face.
Projection planView(double width);
// A member's outline as the view sees it: its profile face on, else the hull of its corners.
QPolygonF outline(const Member &m, const Projection &proj);

// The model inches a drawing covers on its plane.
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
Extent extentOf(const QList<const Member *> &members, const Projection &proj);

// Maps projected model inches onto the page at a scale.
struct Drawing {
    SheetCanvas &canvas;
    double k;       // points per model inch
    QPointF origin; // page point of (u, v) = (0, 0)
    Units units;    // what its dimensions are written in

    QPainter &p() const { return canvas.painter(); }
    QPointF at(QPointF uv) const { return {origin.x() + uv.x() * k, origin.y() - uv.y() * k}; }
    QPolygonF at(const QPolygonF &poly) const;
};

// The drawing of an extent at the largest scale that fits `room` (less room for the
// dimension lines), centred; marks the canvas when none fits.
Drawing fit(SheetCanvas &canvas, const Extent &e, QRectF room, Units units, Scale &scale);

QList<const Member *> select(const Model &model, const std::function<bool(const Member &)> &keep);
bool hasTrusses(const Model &m);

// Each member's outline on its model layer, filled; `light` ones outlined in grey behind.
void drawMembers(const Drawing &d, const QList<const Member *> &members, const Projection &proj, bool light = false);
// Each member's part mark, small, at its middle and along its length.
void markMembers(const Drawing &d, const PlanInputs &in, const QList<const Member *> &members, const Projection &proj);
// A dimension between two model points, written in the drawing's units unless labelled.
void dimension(const Drawing &d, QPointF a, QPointF b, bool horizontal, double offset, const QString &label = {});
// A running dimension string for layout: every mark measured from the named corner, the
// first mark (or with `fromLast` the last), as a builder hooks the tape there and marks
// the plate.
void runningDimension(const Drawing &d, QList<double> at, double fixed, bool horizontal, double offset,
                      bool fromLast = false);
// Label positions along a line, in the order given (ascending), at least `gap` apart: labels
// that would crowd are spread as a group centred on their marks; a lone label stays put.
QList<double> spreadLabels(const QList<double> &wanted, double gap);

// The ground under an elevation or section, a little past the drawing's ends (u, model inches).
void groundLine(const Drawing &d, double left, double right);

// Note lines broken at blanks to a width; the notes at the foot of an area.
QStringList wrapped(const QStringList &lines, double width);
void note(SheetCanvas &canvas, QRectF area, const QStringList &text);

// The drawing area a page leaves beside its title block.
QRectF drawingArea(QSizeF page);
// A white page and its border.
void pageBorder(SheetCanvas &canvas, QSizeF page);
// The title block: the set's name, the sheet's title, number and scale, the design's values.
void titleBlock(SheetCanvas &canvas, QSizeF page, const PlanInputs &in, const QString &title, const QString &scale,
                int number, int count);

} // namespace corvelle::shed::sheet

namespace corvelle::shed::sheet {

// A layer seen from above with the walls' outline dashed, its width and depth dimensioned.
struct LayerPlan {
    QList<const Member *> members;
    Extent extent;
    Scale scale;
    Drawing drawing;
};
LayerPlan layerPlan(SheetCanvas &canvas, QRectF area, const PlanInputs &in, Layer layer);

} // namespace corvelle::shed::sheet
