#include "Assemblies.h"

#include <cmath>

namespace corvelle::shed::framing {

using namespace geometry;
namespace r = rules;

void ramps(const Context &c, Members &out)
{
    const Design &d = c.design;
    const double st = d.sidingThickness + c.wallSheathing, L = d.rampLength, t = r::Ply, sd6 = 5.5;
    const double base = c.floorTop, D = c.depth;
    const double rampW = d.doorWidth + 2 * r::RampSideMargin;
    const double x0 = c.width / 2 - rampW / 2;
    const QString stock = nominalSection(t, sd6) + QStringLiteral(" PT");
    // The stringers hang on a ledger bolted through the siding to the rim or the slab's
    // edge; the deck boards' top meets the floor's top at the wall, so the stringers' top
    // stands a board's thickness (measured plumb) below it.
    const double run = L - t; // from the toe to the ledger's face
    double rise = std::max(0.5, base - t);
    for (int i = 0; i < 5; ++i)
        rise = std::max(0.5, (base - t * std::hypot(run, rise) / run) / (1 + t / run));
    const double slopeLen = std::hypot(run, rise);
    const double hv = sd6 * slopeLen / run;
    // Full depth from the ledger down to where the bottom edge meets the ground, then a
    // taper rip to nothing at the toe.
    const Polygon profile = rise > hv ? Polygon{{0, rise - hv}, {run * (1 - hv / rise), 0}, {run, 0}, {0, rise}}
                                      : Polygon{{0, 0}, {run, 0}, {0, rise}};
    const double alpha = degrees(std::atan2(rise, run));
    const int stringers = int(std::ceil(rampW / r::MaxStringerSpacing - Eps)) + 1;
    // The first board starts far enough up the slope that its thickness stays over the toe;
    // the last, ripped to what is left, reaches the wall.
    const double firstBoard = t * rise / run;
    const double boardsRun = slopeLen - firstBoard + t * slopeLen / run; // on over the ledger to the wall
    const double pitch = sd6 + r::RampDeckGap;
    const int whole = int(std::floor((boardsRun + r::RampDeckGap) / pitch + Eps));
    const double last = boardsRun - whole * pitch;
    const bool ripped = last > 1;
    for (bool front : {true, false}) {
        if (!rampBuilt(d, front))
            continue;
        const QQuaternion turn = front ? QQuaternion::fromAxes({0, 0, -1}, {0, 1, 0}, {1, 0, 0})
                                       : QQuaternion::fromAxes({0, 0, 1}, {0, 1, 0}, {-1, 0, 0});
        const double zWall = front ? -st : D + st;
        const double zLedger = front ? zWall - t : zWall + t;
        const double ledgerDepth = std::min(sd6, rise); // ripped where the floor is low
        Member &ledger = out.lumber(MemberKind::RampLedger, Layer::Ramps, stock,
                                    QVector3D(float(x0), float(rise - ledgerDepth), float(std::min(zWall, zLedger))),
                                    QVector3D(float(rampW), float(ledgerDepth), float(t)), Axis::X);
        ledger.length = rampW;
        for (int i = 0; i < stringers; ++i) {
            Member mb{MemberKind::RampStringer,
                      Layer::Ramps,
                      stock,
                      QVector3D(float(run), float(rise), float(t)),
                      turn,
                      {},
                      slopeLen,
                      90 - alpha,
                      alpha,
                      0,
                      profile,
                      {}};
            placeAt(mb, QVector3D(float(x0 + i * (rampW - t) / (stringers - 1)), 0,
                                  float(front ? zLedger - run : zLedger)));
            out.model.members.append(mb);
        }
        const QVector3D up(0, float(rise / slopeLen), float((front ? run : -run) / slopeLen));
        const QVector3D normal(0, float(run / slopeLen), float((front ? -rise : rise) / slopeLen));
        const QVector3D xAxis(front ? 1.0f : -1.0f, 0, 0);
        const QVector3D toe(float(front ? x0 : x0 + rampW), 0, float(front ? zLedger - run : zLedger + run));
        for (int i = 0; i < whole + (ripped ? 1 : 0); ++i) {
            const float wide = float(i < whole ? sd6 : last);
            Member mb{MemberKind::RampDeck,
                      Layer::Ramps,
                      stock,
                      QVector3D(float(rampW), float(t), wide),
                      QQuaternion::fromAxes(xAxis, normal, up),
                      toe + up * float(firstBoard + i * pitch),
                      rampW,
                      90,
                      90,
                      0,
                      {},
                      {}};
            out.model.members.append(mb);
        }
    }
}

} // namespace corvelle::shed::framing
