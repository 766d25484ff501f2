#pragma once

#include "Model.h"

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QVector3D>

#include <array>
#include <utility>
#include <vector>

// Plane and solid helpers the framing and the exporters share.
namespace corvelle::shed::geometry {

using Polygon = QList<QPointF>;

// Sutherland-Hodgman: `subject` clipped to the convex counter-clockwise polygon `clip`.
Polygon clipConvex(const Polygon &subject, const Polygon &clip);
Polygon rectPolygon(const QRectF &r);
double area(const Polygon &p);
bool isAxisRect(const Polygon &p);

// A rectangle minus a hole, as up to four rectangles (left, right, below, above).
QList<QRectF> subtract(const QRectF &cell, const QRectF &hole);

// Cells of `piece` covering `area` row by row from its bottom-left corner; every other
// row starts `stagger` further along so joints do not line up. Cells are cut to `area`.
QList<QRectF> tile(const QRectF &area, QSizeF piece, double stagger);

// A placed member's corners in the model frame: its outline (the profile, or the box's
// face) at local z = 0, then the same corners at z = its thickness.
QList<QVector3D> corners(const Member &m);
// Axis-aligned bounds of a placed member, in the model frame.
std::pair<QVector3D, QVector3D> bounds(const Member &m);
// Sets the member's position so that its bounds start at `worldMin`.
void placeAt(Member &m, const QVector3D &worldMin);

// Triangles of a member in its local frame: a prism over its profile (or its box).
struct Mesh {
    std::vector<QVector3D> positions;
    std::vector<QVector3D> normals;
    std::vector<unsigned> indices;
};
Mesh localMesh(const Member &m);
Polygon outline(const Member &m); // the profile, or the box's face
// Triangles (indices into `p`) of a simple polygon of either winding, by ear clipping:
// profiles are small (a birdsmouth rafter, a gable sheet).
QList<std::array<int, 3>> triangulate(const Polygon &p);

// The convex hull of points, counter-clockwise in a y-up frame.
QPolygonF convexHull(QList<QPointF> pts);

} // namespace corvelle::shed::geometry
