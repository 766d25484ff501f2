#pragma once

#include "shed/Hardware.h"
#include "shed/Model.h"
#include "shed/Units.h"

#include <QList>
#include <QString>
#include <QStringList>

// The order a crew builds the shed in: each member's stage, and what to do at each.
namespace corvelle::shed {

enum class BuildStage {
    Foundation,
    Floor,
    FrontWall,
    RearWall,
    LeftWall,
    RightWall,
    RaiseWalls,  // stand the walls, brace them, tie them with the upper top plates
    RoofFraming, // trusses or rafters, gable studs, lookouts
    Roofing,     // roof sheathing, underlayment, shingles
    SidingTrim,  // wall sheathing, siding, trim; the lining inside
    DoorsWindows,
    Ramp,
};
constexpr int BuildStageCount = 12;

QString buildStageTitle(BuildStage stage); // "Foundation", "Raise and brace the walls"...

// Each member's stage, by index.
QList<BuildStage> buildStagesOf(const Model &model);
// The stages this model has members in, in building order.
QList<BuildStage> buildStagesIn(const Model &model);

// A model's stages and hardware, worked out once for all its steps.
struct BuildOrder {
    QList<BuildStage> memberStages; // each member's, by index
    QList<BuildStage> stages;       // those the model has, in building order
    QList<HardwareCount> hardware;
};
BuildOrder buildOrder(const Model &model);

// What to do at a stage, one short step a line, naming the members with their part marks
// (`marks`: each member's, in the model's order; none when empty) and the fasteners with
// their counts from the takeoff's hardware rules; the last line the stage's nails and screws.
QStringList buildStageSteps(BuildStage stage, const Model &model, const BuildOrder &order, Units units = {},
                            const QStringList &marks = {});

} // namespace corvelle::shed
