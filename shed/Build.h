#pragma once

#include "shed/Design.h"
#include "shed/Model.h"
#include "shed/Structure.h"
#include "shed/Takeoff.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

namespace corvelle::shed {

// Everything one shed data file turns into.
struct BuildOutputs {
    Units units; // what the lists and plans write lengths in
    Design design;
    Model model;
    Takeoff takeoff;
    StructureReport structure; // every load-bearing member checked
    QStringList warnings;      // the design's, the structure's failures, then the price table's
    // shed.glb, shed.obj, shed.mtl, shed.ifc, materials.csv, cutlist.csv, structure.csv
    QList<std::pair<QString, QByteArray>> files;
};

struct BuildResult {
    std::optional<BuildOutputs> outputs;
    QString error; // the reader's one sentence when the file is refused
};

// Reads, frames for `loads` with `windows` (a project's; the data file has none), takes
// off, checks the structure and (with `exports`) forms the seven files, the lists in `units`.
BuildResult build(const QByteArray &shedData, const PriceTable &prices, bool exports = true,
                  const SiteLoads &loads = {}, Units units = {}, const QList<Window> &windows = {});

// The seven files' names, and one file's bytes formed from the outputs.
QStringList outputNames();
QByteArray formOutput(const BuildOutputs &outputs, const QString &name);

// A further file formed only as it is written: a build then holds one file's bytes at a time.
struct LaterOutput {
    QString name;
    std::function<QByteArray()> form;
};

// Writes the seven files into `dir` (made when missing), each from `files` when it holds
// it, else formed in turn so only one is held at a time; then any other file in `files`,
// then those of `later` in their order. All are written to temporary
// files first and replace the old ones only when every one was written, so a failure leaves the folder as it was.
// Once they are, a plan sheet in `dxf/` named as the plans name theirs ("NN-title.dxf") that
// this build did not write is an earlier build's and is removed; nothing else there is touched.
// Returns the failure as a sentence, or an empty text.
QString writeOutputs(const BuildOutputs &outputs, const QString &dir, const QList<LaterOutput> &later = {});

// A few lines for a terminal: size, members by layer, total cost, structural failures, warnings.
QString summary(const BuildOutputs &outputs);

} // namespace corvelle::shed
