#pragma once

#include "shed/Model.h"
#include "shed/Units.h"

#include <QList>
#include <QString>

// What a builder buys besides lumber, sheets and concrete: anchors, connectors, nails and
// screws, door hardware, roof flashing and siding trim, each counted from the model's
// members by a rule in shed/Rules.h.
namespace corvelle::shed {

struct HardwareCount {
    QString item; // the row's trade name; the price table's item it starts with prices it
    double quantity = 0;
    QString unit;
    QString note; // how it was counted, its lengths in `units`
};

QList<HardwareCount> countHardware(const Model &model, Units units = {});

// The nails and screws of the takeoff's fastener rows.
enum class Fastener {
    Common16d,
    Common8d,
    Galvanized8d,
    RoofingNail,
    ConnectorNail,
    WallBoardScrew,
    MetalSidingScrew,
    DeckScrew,
};
constexpr int FastenerCount = 8;
QString fastenerName(Fastener f); // the row's item: "16d common nails"

struct FastenerCounts {
    double count[FastenerCount] = {};
    double &operator[](Fastener f) { return count[int(f)]; }
    double operator[](Fastener f) const { return count[int(f)]; }
    FastenerCounts &operator+=(const FastenerCounts &o);
};

// What one member takes by its own rule (16d framing nails, sheathing nails, siding nails or
// screws), as the takeoff counts it; the connectors', shingles' and ramp deck's fasteners
// are counted from the whole roof, frame and ramp.
FastenerCounts memberFasteners(const Member &m, const Design &d);

// Where the anchor bolts of a bottom-plate piece this long go, from its start: within
// 12 in of each end, at most 6 ft apart, at least two.
QList<double> anchorBoltsAlong(double plateLength);

} // namespace corvelle::shed
