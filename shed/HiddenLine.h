#pragma once

#include "Model.h"

#include <QLineF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QVector3D>

#include <climits>
#include <functional>

// Line drawings of the members as solids, seen along a parallel projection with the
// edges behind other members' faces found, for plans drawn without a 3D engine.
namespace corvelle::shed {

// A parallel projection: the direction from the shed toward the eye. The page's up is
// the model's up as far as the direction allows; left and right are as the eye sees them.
class ViewDirection {
public:
    explicit ViewDirection(QVector3D toEye);
    // From above the front and the right wall (the X = 0 wall: on a person's right who
    // faces the front wall from outside).
    static ViewDirection threeQuarter();
    // Each wall seen square from outside.
    static ViewDirection front();
    static ViewDirection rear();
    static ViewDirection left();
    static ViewDirection right();

    // A model point on the page, in inches: u to the right, v up.
    QPointF project(QVector3D p) const;
    // Toward the eye: larger is nearer.
    double depth(QVector3D p) const;
    QVector3D toEye() const { return toEye_; }

private:
    QVector3D toEye_, right_, up_;
};

// One edge, or the part of one, on the page (inches, v up).
struct Stroke {
    QPolygonF points;
    Layer layer = Layer::Framing;
    int member = -1;     // index into the model's members
    int stage = 0;       // the member's stage
    bool visible = true; // false: behind some face of the members drawn
};

// The projection of a model's members, computed once for a sequence of stages (each
// stage adds members to those before it, as a crew builds): every edge split where the
// first stage whose faces hide it changes, so each stage's drawing is a filter.
class HiddenLines {
public:
    // `stageOf[i]` is member i's stage; a negative stage leaves it out. Empty: every
    // member at stage 0.
    HiddenLines(const Model &model, const ViewDirection &view, const QList<int> &stageOf = {});

    // The members of stages up to `stage`, their edges visible or hidden as the faces of
    // those members leave them.
    QList<Stroke> strokes(int stage = INT_MAX) const;
    // The same strokes handed over one at a time, none kept: a large shed has a hundred
    // thousand.
    void forEachStroke(int stage, const std::function<void(const Stroke &)> &visit) const;
    // The page extent of those members; empty when there are none.
    QRectF bounds(int stage = INT_MAX) const;
    int edgeCount() const { return edges_; }

private:
    struct Piece {
        QLineF line;
        int edge;
        int member;
        int stage;
        int hiddenFrom; // the first stage whose faces cover it; INT_MAX when none does
    };
    QList<Piece> pieces_;
    QList<std::pair<int, QRectF>> memberBounds_; // stage, extent
    QList<Layer> layers_;
    int edges_ = 0;
};

} // namespace corvelle::shed
