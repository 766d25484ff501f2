#pragma once

#include <QString>

#include <optional>

namespace corvelle::refhost {

// Why the host could not do what it was asked, in a sentence for the caller.
struct HostError {
    enum class Kind { NoDocument, UnknownMacro, FileNotFound, BadDataFile, BadDrawing, NoDrawing, TooManyDocuments };
    Kind kind;
    QString message;
};

// What an operation of the host gives back: nothing when it succeeded.
using HostOutcome = std::optional<HostError>;

} // namespace corvelle::refhost
