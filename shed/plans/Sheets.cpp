#include "shed/plans/Sheets.h"

#include <algorithm>

namespace corvelle::shed {

SheetList sheetsFor(const PlanInputs &in)
{
    using namespace sheet;
    SheetList out;
    // What the shed is (for the permit office), how it is framed, then how to build it.
    out.push_back(coverSheet(in));
    out.push_back(floorPlanSheet(in));
    for (Wall wall : AllWalls)
        out.push_back(elevationSheet(in, wall));
    out.push_back(sectionSheet(in));
    out.push_back(foundationSheet(in));
    out.push_back(floorSheet(in));
    for (Wall wall : AllWalls)
        out.push_back(wallSheet(in, wall));
    out.push_back(roofPlanSheet(in));
    out.push_back(roofDetailSheet(in));
    if (std::any_of(in.model.members.begin(), in.model.members.end(),
                    [](const Member &m) { return m.layer == Layer::Ramps; }))
        out.push_back(rampSheet(in));
    for (auto &step : assemblySheets(in))
        out.push_back(std::move(step));
    for (int i = 0, n = materialListParts(in); i < n; ++i)
        out.push_back(materialListSheet(in, i));
    for (bool lumber : {true, false}) {
        const bool any = lumber ? !in.cutting.lumber.isEmpty() : !in.cutting.sheets.isEmpty();
        for (int i = 0, n = any ? cuttingParts(in, lumber) : 0; i < n; ++i)
            out.push_back(cuttingSheet(in, lumber, i));
    }
    // With a structural check, its notes follow the material list.
    for (int i = 0, n = structuralNotesParts(in); i < n; ++i)
        out.push_back(structuralNotesSheet(in, i));
    return out;
}

} // namespace corvelle::shed
