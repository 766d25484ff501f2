#pragma once

#include "refhost/model/HostError.h"

#include <QString>

namespace corvelle::refhost {

class Application;
class Document;

// Runs a host macro: a text file in the program folder whose "Action <name> "<path>""
// line names what to do and the file to do it with (lines starting with "'" are
// comments). Shed3D shows a shed data file's design; Shed2D shows the loaded style
// drawing at the width in a width file.
class MacroRunner {
public:
    explicit MacroRunner(Application &app) : app_(app) {}

    HostOutcome run(Document &document, const QString &macroPath);

    struct Action {
        QString name;
        QString argument; // a host-side path
    };
    // The macro's Action line; none when the text holds no well-formed one.
    static std::optional<Action> actionOf(const QString &macroText);

private:
    HostOutcome shed3D(Document &document, const QString &macroName, const QString &dataPath);
    HostOutcome shed2D(Document &document, const QString &macroName, const QString &sizePath);

    Application &app_;
};

} // namespace corvelle::refhost
