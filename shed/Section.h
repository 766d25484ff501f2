#pragma once

#include "shed/HiddenLine.h"
#include "shed/Model.h"

#include <QList>
#include <QPolygonF>

// Members cut by a plane across the width, for a building section.
namespace corvelle::shed {

struct SectionCut {
    int member = -1; // index into the model's members
    QPolygonF shape; // on the page of `view`, inches
};

// Every member the plane Z = `z` passes through, as the cut face `view` sees it (a view
// along the depth: front or rear).
QList<SectionCut> sectionAt(const Model &model, double z, const ViewDirection &view);

} // namespace corvelle::shed
