#pragma once

#include "shed/Model.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// Part marks: one name for every distinct piece a builder cuts or hangs, the same on the
// cut list, the cutting diagrams, the framing sheets, the 3D view and the exports.
namespace corvelle::shed {

// The mark's letter is the assembly the piece goes into: F foundation and floor, W walls,
// R roof, S wall sheets and siding, D doors and windows, P ramps.
QChar assemblyLetter(Layer layer);

// Marked are the pieces made to a size: cut lumber, sheet pieces, door leaves. Not what is
// poured, spread or bought whole (slab, gravel, blocks, panel clips).
bool isMarked(const Member &m);

// A distinct piece: the same letter, kind, stock, length (to 1/16 in), width (sheets and
// leaves), end angles (to 0.1 degree), head (V or not) and, for a shaped sheet piece,
// outline area.
struct MarkedPiece {
    QString mark; // "W3"
    MemberKind kind;
    Layer layer;
    QString stock;
    double length = 0; // cut length; a sheet piece's long side; a leaf's width
    double width = 0;  // a sheet piece's other side; a leaf's height; 0 for lumber
    double angle1 = 90, angle2 = 90;
    bool vCut = false; // angle1 and angle2 are the faces of a V at its head
    int quantity = 0;
};

struct PartMarks {
    QList<MarkedPiece> pieces; // in mark order: F, W, R, S, D, P, each numbered from 1
    QStringList ofMember;      // the mark of every member, in the model's order; empty if unmarked
};

// Numbered within each letter by kind (in the order the frame goes up), stock, length and
// width longest first, then the angles: the order of the distinct pieces alone, never of
// the members, so the same design always gets the same marks.
PartMarks partMarks(const Model &model);

// The marks of some pieces as a list names them: each with its count where there are at most
// three ("W3 x12, W5 x2", or "W3" alone), else as runs of numbers ("S1–S14, S17").
QString citedMarks(const QStringList &marks);

} // namespace corvelle::shed
