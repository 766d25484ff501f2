#include "RoofProfile.h"

#include "shed/Rules.h"

#include <algorithm>
#include <cmath>

namespace corvelle::shed::framing {

namespace r = rules;

constexpr double Eps = 1e-6;

RoofProfile::RoofProfile(const Design &d, double plateTop)
{
    width = d.width;
    trusses = d.trusses;
    gambrel = d.roof == RoofType::Barn;
    thick = d.roofSupportDepth;
    depth = d.roofSupportHeight;
    const double W = width, t = r::Ply;
    const double lowPitch = gambrel ? r::GambrelLowerPitch : r::GablePitch;
    const auto vertical = [&](double p) { return depth * std::sqrt(1 + p * p); };

    // Where the underside meets the walls: a truss heel sits on the plate; a rafter is
    // notched over it with a seat no deeper than its rule allows.
    Line first{0, plateTop + depth, lowPitch};
    if (!trusses) {
        seat = std::min(d.studDepth, r::MaxSeatCutShare * vertical(lowPitch) / lowPitch);
        seatDepth = seat * lowPitch;
        first = {seat, plateTop, lowPitch};
    }
    tail = -d.overhangX;
    ridgeEnd = trusses ? W / 2 : W / 2 - t / 2;
    QList<Plane> half;
    if (gambrel) {
        knee = r::GambrelKneeShare * W / 2;
        const Line upper{knee, first.at(knee), r::GambrelUpperPitch};
        half = {{-1e30, knee, first, vertical(lowPitch)}, {knee, W / 2, upper, vertical(r::GambrelUpperPitch)}};
        topKnee = knee + (half[1].vertical - half[0].vertical) / (r::GambrelLowerPitch - r::GambrelUpperPitch);
    } else {
        half = {{-1e30, W / 2, first, vertical(lowPitch)}};
    }
    planes = half;
    for (qsizetype i = half.size() - 1; i >= 0; --i) {
        const Plane &p = half[i];
        planes.append({W - p.to, i == 0 ? 1e30 : W - p.from, {W - p.underside.x0, p.underside.y0, -p.underside.pitch},
                       p.vertical});
    }
    ridgeDepth = trusses ? 0 : depth + r::RidgeExtraDepth;
    ridgeTop = half.last().underside.at(ridgeEnd) + half.last().vertical;
}

// The outline is a peak: every plane's line stands above the others' beyond its own part,
// so the lowest line over x is the plane over x.
double RoofProfile::underside(double x) const
{
    double y = 1e30;
    for (const Plane &p : planes)
        y = std::min(y, p.underside.at(x));
    return y;
}

double RoofProfile::top(double x) const
{
    double y = 1e30;
    for (const Plane &p : planes)
        y = std::min(y, p.underside.at(x) + p.vertical);
    return y;
}

double RoofProfile::pitch(double x) const
{
    // A corner belongs to the plane on its eave side; the ridge to the slope from X = 0.
    if (x <= width / 2) {
        for (const Plane &p : planes) {
            if (x <= p.to)
                return p.underside.pitch;
        }
    }
    for (qsizetype i = planes.size() - 1; i >= 0; --i) {
        if (x >= planes[i].from)
            return planes[i].underside.pitch;
    }
    return planes.first().underside.pitch;
}

QList<double> RoofProfile::undersideCorners() const
{
    QList<double> out;
    for (qsizetype i = 0; i + 1 < planes.size(); ++i)
        out.append(planes[i].to);
    return out;
}

QList<double> RoofProfile::topCorners() const
{
    // A gambrel's planes meet higher up the slope on top than below; the two slopes meet
    // over the centre.
    QList<double> out;
    for (double x : undersideCorners())
        out.append(std::abs(x - width / 2) < Eps ? width / 2 : x < width / 2 ? topKnee : width - topKnee);
    return out;
}

} // namespace corvelle::shed::framing
