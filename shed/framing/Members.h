#pragma once

#include "Context.h"

#include "shed/Geometry.h"
#include "shed/Model.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QVector3D>

#include <utility>

// Placing members in the model, and the plane figures the assemblies cut them to.
namespace corvelle::shed::framing {

using geometry::Polygon;

constexpr double Eps = 1e-6;

enum class Axis { X, Y, Z };

double degrees(double radians);
// The angle between an end cut and the member's axis; 90 is a square cut.
double cutAngle(QPointF cut, QPointF axis);
QPointF unit(QPointF v);
// Whether a rectangle lies inside a convex counter-clockwise polygon.
bool contains(const Polygon &convex, const QRectF &r);
// The polygon reflected about the shed's centre line across the width.
Polygon mirrored(const Polygon &p, double width);
QRectF boundingRect(const Polygon &p);
// Keeps the part of `p` on the side of the line through `at` along `along` that `inside`
// points to.
Polygon keepSide(const Polygon &p, QPointF at, QPointF along, QPointF inside);
// Pieces of a run from a to b no longer than a spliced piece may be, joints on the
// nearest support (`snaps`) short of the limit.
QList<std::pair<double, double>> splitRun(double a, double b, const QList<double> &snaps);

// Appends members to the model being built.
class Members {
public:
    Members(Model &built, const Context &context) : model(built), c(context) {}

    // A box of lumber from `min` with `extent` along the model's axes, its length along `axis`.
    Member &lumber(MemberKind kind, Layer layer, const QString &stock, QVector3D min, QVector3D extent, Axis axis);
    // A prism over a polygon in the XY plane, from z0 on.
    Member &profileXY(MemberKind kind, Layer layer, const QString &stock, const Polygon &poly, double z0,
                      double thickness);
    // A sheet piece in a wall's plane: (u, v) along the wall and up; `across` is its
    // position through the wall (Z for an end wall, X for a side wall).
    Member &planar(MemberKind kind, Layer layer, const QString &stock, const Polygon &uv, Wall wall, double across,
                   double thickness);
    // Wall framing in the wall's own terms: u along its run, y up, w in from its outer face.
    Member &wallMember(Wall wall, MemberKind kind, const QString &stock, double u0, double u1, double y0, double y1,
                       double w0, double w1, bool vertical);

    Model &model;

private:
    const Context &c;
};

} // namespace corvelle::shed::framing
