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

// Where the anchor bolts of a bottom-plate piece this long go, from its start: within
// 12 in of each end, at most 6 ft apart, at least two.
QList<double> anchorBoltsAlong(double plateLength);

} // namespace corvelle::shed
