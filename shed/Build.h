#pragma once

#include "shed/Design.h"
#include "shed/Model.h"
#include "shed/Takeoff.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace corvelle::shed {

// Everything one shed data file turns into.
struct BuildOutputs {
    Design design;
    Model model;
    Takeoff takeoff;
    QStringList warnings;                       // the design's, then the price table's
    QList<std::pair<QString, QByteArray>> files; // shed.glb, shed.obj, shed.mtl, shed.ifc, materials.csv, cutlist.csv
};

struct BuildResult {
    std::optional<BuildOutputs> outputs;
    QString error; // the reader's one sentence when the file is refused
};

// Reads, frames, takes off and (with `exports`) forms the six files.
BuildResult build(const QByteArray &shedData, const PriceTable &prices, bool exports = true);

// The six files' names, and one file's bytes formed from the outputs.
QStringList outputNames();
QByteArray formOutput(const BuildOutputs &outputs, const QString &name);

// Writes the six files into `dir` (made when missing), each from `files` when it holds
// it, else formed in turn so only one is held at a time; then any other file in `files`. All are written to temporary
// files first and replace the old ones only when every one was written, so a failure leaves the folder as it was.
// Returns the failure as a sentence, or an empty text.
QString writeOutputs(const BuildOutputs &outputs, const QString &dir);

// A few lines for a terminal: size, members by layer, total cost, warnings.
QString summary(const BuildOutputs &outputs);

} // namespace corvelle::shed
