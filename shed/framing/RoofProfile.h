#pragma once

#include "shed/Design.h"

#include <QList>

// The roof's outline across the width, in the plane of a frame: x across the width from
// the right wall's outer face (X = 0), y up from the ground. Lengths in inches.
namespace corvelle::shed::framing {

// A straight line in that plane: y = y0 + (x - x0) * pitch.
struct Line {
    double x0 = 0, y0 = 0, pitch = 0;
    double at(double x) const { return y0 + (x - x0) * pitch; }
};

class RoofProfile {
public:
    // One plane of the roof, over the part of the width from `from` to `to`.
    struct Plane {
        double from, to;
        Line underside;   // of its rafters or top chords
        double vertical;  // their depth measured plumb
    };

    RoofProfile() = default;
    RoofProfile(const Design &design, double plateTop);

    // Heights of the frames' underside and top over x, anywhere across the width and the
    // overhangs; the pitch of the plane over x (negative past the ridge).
    double underside(double x) const;
    double top(double x) const;
    double pitch(double x) const;
    // Where the underside, or the top, changes slope, from X = 0 on.
    QList<double> undersideCorners() const;
    QList<double> topCorners() const;

    // Planes over the whole width, from X = 0: eave and ridge plane, then their mirror.
    QList<Plane> planes;
    bool gambrel = false;
    bool trusses = true;
    double width = 0;
    double thick = 2.5, depth = 5.5;  // the roof supports' section from the file
    double tail = 0;                  // x of the frames' tails at X = 0
    double ridgeEnd = 0;              // x where a rafter meets the ridge board (trusses: the centre)
    double knee = 0, topKnee = 0;     // gambrel: where the planes' undersides and tops meet
    double ridgeTop = 0, ridgeDepth = 0;
    double seat = 0;                  // a rafter's birdsmouth seat, along the plate
    double seatDepth = 0;             // and the depth of its heel cut

    // The planes of the slope that rises from X = 0, eave first.
    QList<Plane> firstSlope() const { return planes.mid(0, planes.size() / 2); }
};

} // namespace corvelle::shed::framing
