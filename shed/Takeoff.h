#pragma once

#include "shed/Cutting.h"
#include "shed/MaterialTable.h"
#include "shed/Model.h"
#include "shed/Units.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace corvelle::shed {

struct Price {
    QString unit;      // "ft" for lumber by the running foot, else per unit of the row
    double price = 0;
};

// Item -> price. Lumber is priced per foot by section ("2x6", "2x6 PT"); anything else
// by the longest item name its stock starts with ("1/2 in plywood", "door leaf").
struct PriceTable {
    QHash<QString, Price> prices;
    QStringList warnings; // what went wrong reading the table, one sentence each
};

PriceTable defaultPrices();
// A missing or unreadable table gives the defaults; a broken line keeps its item's
// default price; either way with a warning naming the file or the line.
PriceTable loadPrices(const QString &path);
PriceTable parsePrices(const QByteArray &csv, const QString &fileName);

struct MaterialRow {
    QString item;
    double quantity = 0;
    QString unit;
    double unitPrice = 0;
    double cost = 0;
    QString note;          // how the quantity was counted, or that the row is an alternative
    bool inTotal = true;
};

struct CutRow {
    QString mark;          // "W3"
    QString member;        // kind name, ", V cut" for a head cut to both slopes
    QString stock;         // trade name, in every unit system
    double lengthIn = 0;   // to 1/16 in
    double angle1 = 90, angle2 = 90;
    int quantity = 0;
};

struct Takeoff {
    QList<MaterialRow> materials;
    QList<CutRow> cuts;  // the lumber pieces, in mark order
    CuttingPlan cutting; // what the lumber and sheet rows were counted from
    double total = 0;
    QStringList warnings;
};

// Item names and bulk quantities in `units`: in metric, lumber and sheets carry their
// actual sizes in mm beside their trade names, and concrete and gravel show in m³. The
// same things are bought either way: the total does not depend on the units.
// Lumber is packed the cheapest way found; `packing` can ask for the plain first-fit
// decreasing instead, to compare against.
Takeoff takeoff(const Model &model, const PriceTable &prices, Units units = {},
                LumberPacking packing = LumberPacking::Cheapest);

// The takeoff's rows as the plans print them (rows left out of the total say so).
MaterialTable materialTable(const Takeoff &takeoff);

} // namespace corvelle::shed
