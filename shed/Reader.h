#pragma once

#include "shed/Design.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace corvelle::shed {

struct ReadResult {
    std::optional<Design> design; // set when the file was read; its warnings say what was assumed
    QString error;                // otherwise one sentence naming the line and what is wrong
    int line = 0;                 // the line of the error; 0 when it concerns the whole file
};

// Reads ShedData.txt as the wizard writes it into a typed design, lengths in inches.
ReadResult readDesign(const QByteArray &bytes);

} // namespace corvelle::shed
