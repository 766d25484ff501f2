#include "shed/plans/Sheets.h"

namespace corvelle::shed {

SheetList sheetsFor(const PlanInputs &in)
{
    using namespace sheet;
    SheetList out;
    out.push_back(foundationSheet(in));
    out.push_back(floorSheet(in));
    for (WallSide side : {WallSide::Front, WallSide::Rear, WallSide::Left, WallSide::Right})
        out.push_back(wallSheet(in, side));
    out.push_back(roofPlanSheet(in));
    out.push_back(roofDetailSheet(in));
    out.push_back(rampSheet(in));
    for (int i = 0, n = materialListParts(in); i < n; ++i)
        out.push_back(materialListSheet(in, i));
    // With a structural check, its notes follow the material list.
    for (int i = 0, n = structuralNotesParts(in); i < n; ++i)
        out.push_back(structuralNotesSheet(in, i));
    return out;
}

} // namespace corvelle::shed
