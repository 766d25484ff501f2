#pragma once

#include "Loads.h"
#include "Model.h"
#include "Takeoff.h"
#include "Units.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Will it stand: every load-bearing member of a framed shed checked against the loads it
// was framed for, one row a check, with the smallest change that passes a failure.
namespace corvelle::shed {

enum class Verdict { Fail, Note, Pass }; // in the order the rows are listed
QString verdictName(Verdict verdict);    // "fail", "note", "pass"

struct CheckRow {
    QString check;      // "floor joists", "header", "roof slope"...
    QString member;     // which of them: "joists", "front door header", "top chord panel 1"
    QString size;       // "2x6", "2-2x8, 1/2 in spacer, 1 jack each end"
    double spacing = 0; // centres, inches; 0 where it does not apply
    double span = 0;    // the span, height or slope (rise in 12) it has; 0 where none
    double allowed = 0; // the most it may have
    double ratio = 0;   // span over allowed (or the inverse where more is better)
    Verdict result = Verdict::Pass;
    QString rule;       // the rule it follows, a short citation
    QString suggestion; // for a failure, the smallest change that passes; for a note, what to do
    QList<int> members; // the model's members it is about
};

struct StructureReport {
    SiteLoads loads;
    QList<CheckRow> rows; // failures first, then notes, then passes
    Units units;          // what the sizes, suggestions and sentences write lengths in
    int failures() const;
    // One sentence a failure, for the warnings.
    QStringList failureSentences() const;
};

// Checks the model against the loads it was framed for (`model.loads`); changes are
// costed with `prices`. The rows' figures are inches whatever `units` says.
StructureReport checkStructure(const Model &model, const PriceTable &prices, Units units = {});

// UTF-8 CSV: check,member,size,spacing_in,span_in,allowed_in,ratio,result,rule,suggestion.
QByteArray structureCsv(const StructureReport &report);

} // namespace corvelle::shed
