#pragma once

#include <QList>

// Where the joints of a run of sheets fall, so every joint lands on framing.
namespace corvelle::shed::layout {

struct Run {
    double start = 0, end = 0; // the run's ends
    double piece = 96;         // the longest piece: a whole sheet
    QList<double> supports;    // centres of the members a joint may land on
    double minPiece = 0;       // narrower pieces are avoided where the supports allow
    QList<double> edges;       // cuts inside the run (an opening's sides): pieces count from them too
    QList<double> avoid;       // joints of the course beside, not to be repeated
};

// The joints, in order, strictly between start and end. Fewest pieces first; then no
// joint off a support, no sliver, no joint in line with `avoid`, whole sheets where they
// fit. A gap between supports longer than a sheet gets a joint off support (the only
// way across it).
QList<double> sheetJoints(const Run &run);

} // namespace corvelle::shed::layout
