#pragma once

#include "shed/Model.h"

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
    QString member;        // kind name
    QString stock;
    double lengthIn = 0;   // to 1/16 in
    double angle1 = 90, angle2 = 90;
    int quantity = 0;
};

struct Takeoff {
    QList<MaterialRow> materials;
    QList<CutRow> cuts;
    double total = 0;
    QStringList warnings;
};

Takeoff takeoff(const Model &model, const PriceTable &prices);

// The one rounding of a length, for the plans, the cut list and the packing alike: to the
// nearest 1/16 in. A saw line is 1/8 in wide, so a piece within 1/32 in of its length
// is that piece; rounding up instead would give a sheet and the cut list two figures.
double cutLength(double inches);
// 91.5 -> 7' 7-1/2", rounded by cutLength.
QString feetInches(double inches);

} // namespace corvelle::shed
