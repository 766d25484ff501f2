#pragma once

#include "shed/Design.h"
#include "shed/Units.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace corvelle::shed {

struct ReadResult {
    std::optional<Design> design; // set when the file was read; its warnings say what was assumed
    QString error;                // otherwise one sentence naming the line and what is wrong
    int line = 0;                 // the line of the error; 0 when it concerns the whole file
};

// Reads ShedData.txt as the wizard writes it into a typed design, lengths in inches; its
// notes written in `units`.
ReadResult readDesign(const QByteArray &bytes, Units units = {});

// How the reader took the values the wizard always writes (line 49's door thickness, and
// lines 58 and 59 where their feet are read as inches), one sentence each.
QStringList designNotes(const Design &design, Units units);

} // namespace corvelle::shed
