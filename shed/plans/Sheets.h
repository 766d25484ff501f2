#pragma once

#include "shed/plans/Sheet.h"

// Each sheet of the set, made by its own file.
namespace corvelle::shed::sheet {

// The set's first sheet: the shed drawn whole, the index of the sheets, the loads and notes.
std::unique_ptr<Sheet> coverSheet(const PlanInputs &in);
std::unique_ptr<Sheet> floorPlanSheet(const PlanInputs &in);
std::unique_ptr<Sheet> foundationSheet(const PlanInputs &in);
std::unique_ptr<Sheet> floorSheet(const PlanInputs &in);
std::unique_ptr<Sheet> wallSheet(const PlanInputs &in, Wall wall);
std::unique_ptr<Sheet> elevationSheet(const PlanInputs &in, Wall wall);
std::unique_ptr<Sheet> sectionSheet(const PlanInputs &in);
// One sheet a build stage the design has, numbered in building order.
std::vector<std::unique_ptr<Sheet>> assemblySheets(const PlanInputs &in);
std::unique_ptr<Sheet> roofPlanSheet(const PlanInputs &in);
std::unique_ptr<Sheet> roofDetailSheet(const PlanInputs &in);
std::unique_ptr<Sheet> rampSheet(const PlanInputs &in);
// Long tables run over several sheets: `part` counts from 0.
std::unique_ptr<Sheet> materialListSheet(const PlanInputs &in, int part);
int materialListParts(const PlanInputs &in);
// The cutting diagrams of the lumber, or of the sheets.
std::unique_ptr<Sheet> cuttingSheet(const PlanInputs &in, bool lumber, int part);
int cuttingParts(const PlanInputs &in, bool lumber);
std::unique_ptr<Sheet> structuralNotesSheet(const PlanInputs &in, int part);
int structuralNotesParts(const PlanInputs &in);

} // namespace corvelle::shed::sheet
