#pragma once

#include "core/ShedDesign.h"

#include <QString>

#include <optional>
#include <span>

// The design record's fields as a project file and an editor name them, with the wizard's
// ranges and rules over them.
namespace corvelle::shed {

struct DesignField {
    const char *name; // the record's name, as a project file keys it: "ShedWidth"
    QString ShedDesign::*member;
    const char *label; // what the host calls it: "Width"
};

// The fields the data file carries, in file order. JoistHeight, StudWidth and
// PlywoodSheetSize are left out: the writer sets them from the others.
std::span<const DesignField> designFields();
const DesignField *designField(QStringView name);

// One of the wizard's choices for a value: what the record stores, and the wizard's text.
struct DesignChoice {
    const char *value;
    const char *text;
};
// The choices of a value the wizard offers as options or a list; empty for the others.
std::span<const DesignChoice> designChoices(QStringView name);

// A value as a refusal quotes it: on one line and short, whatever it held.
QString quotedValue(const QString &text);

// The first value the wizard's ranges refuse, and why ("\"60\" is outside the wizard's
// range, 8 to 50 ft").
struct DesignProblem {
    const DesignField *field;
    QString problem;
};
std::optional<DesignProblem> checkDesign(const ShedDesign &design);

// Sets one field as the wizard's screens would, storing what they store alongside it (a
// gravel floor has no ramp, a wide shed has trusses, the siding's material follows its
// name). Holds the wizard's ranges and its rules between values (a ramp only where there is
// a door and a built floor). Returns an empty text, or one sentence saying why the value is
// refused; the design is then untouched.
QString editDesign(ShedDesign &design, QStringView name, const QString &value);

} // namespace corvelle::shed

namespace corvelle::shed {

struct Window;

// Why a window cannot stand in the design's wall, in one sentence naming it; empty when it
// can: its size, past the wall's ends or above its walls' height.
QString windowProblem(const ShedDesign &design, const Window &window);

} // namespace corvelle::shed
