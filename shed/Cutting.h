#pragma once

#include "shed/Marks.h"
#include "shed/Model.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>

// Cutting diagrams: which stock pieces to buy and where each marked piece is cut from.
namespace corvelle::shed {

// One board bought: its pieces from the trimmed end on, a kerf between each two, then the
// offcut.
struct Bar {
    double stockLength = 0; // inches
    QStringList marks;
    QList<double> pieces; // cut lengths, in the order of `marks`
    double cut() const;
    double offcut() const; // what is left after the end trim, the pieces and their kerfs
};

struct LumberDiagram {
    QString stock; // "2x6"
    QList<Bar> bars;
    double cut() const;
    double bought() const;
    double yield() const { return bought() > 0 ? cut() / bought() : 1; }
};

// A piece on a sheet: x across the sheet's width, y along its length, from a corner.
struct SheetPiece {
    QString mark;
    QRectF rect;
};
struct SheetDiagram {
    QString stock; // "1/2 in plywood"
    QSizeF size;   // the whole sheet: width, length
    QList<QList<SheetPiece>> sheets;
    double cut() const; // square inches
    double bought() const;
    double yield() const { return bought() > 0 ? cut() / bought() : 1; }
};

struct CuttingPlan {
    QList<LumberDiagram> lumber; // by stock name
    QList<SheetDiagram> sheets;
    bool oversize = false;      // some piece is longer than any stock length
    double lumberYield() const; // by length, over every section
    double sheetYield() const;  // by area, over every sheet stock
};

// First-fit decreasing into the longest common length is the plain packing; the cheapest
// takes the least costly of it, best-fit decreasing, patterns chosen by price per inch
// used and, for a few pieces, an exhaustive search.
enum class LumberPacking { FirstFitDecreasing, Cheapest };

// The price of a board of a stock, `length` inches long.
using BoardPrice = std::function<double(const QString &stock, double length)>;

// Boards for a set of pieces of one stock; `marks` names each piece, in `lengths`' order.
// A piece longer than any stock length gets a board of its own, rounded up to the next
// 2 ft, and `oversize` is set.
QList<Bar> packLumber(const QList<double> &lengths, const QStringList &marks,
                      const std::function<double(double)> &price, LumberPacking packing, bool &oversize);
// Sheets for a set of cut pieces (width, length) of one sheet stock, laid guillotine-fashion.
QList<QList<SheetPiece>> packSheets(const QList<QSizeF> &pieces, const QStringList &marks, QSizeF sheet);

CuttingPlan planCutting(const Model &model, const PartMarks &marks, const BoardPrice &price,
                        LumberPacking packing = LumberPacking::Cheapest);

} // namespace corvelle::shed
