#pragma once

#include "shed/Cutting.h"
#include "shed/Design.h"
#include "shed/MaterialTable.h"
#include "shed/Model.h"
#include "shed/Structure.h"
#include "shed/Units.h"

#include <QRectF>
#include <QString>

#include <memory>
#include <vector>

namespace corvelle::shed {

class SheetCanvas;
namespace sheet {
class LineWork;
}

// What every sheet of a plan set draws from.
struct PlanInputs {
    Design design;
    Model model;
    MaterialTable materials;
    StructureReport structure;
    Units units;
    CuttingPlan cutting; // the boards and sheets the material list buys
    QStringList marks;   // each member's part mark, in the model's order
    // The hidden-line views the sheets share, computed on first use.
    mutable std::shared_ptr<sheet::LineWork> lineWork;
};

// The scale a drawing is at: paper length per model length, and its name ("1/2\" = 1'-0\"",
// "1:50"); a ratio of 0 when not to scale.
struct DrawingScale {
    double ratio = 0;
    const char *label = "";
};

// One sheet of the plans: its title, and its drawing inside the area the title block
// leaves (page points).
class Sheet {
public:
    explicit Sheet(const PlanInputs &in) : in_(in) {}
    virtual ~Sheet() = default;
    virtual QString title() const = 0;
    // Returns the scale the sheet is drawn at.
    virtual DrawingScale paint(SheetCanvas &canvas, QRectF area) const = 0;

protected:
    const PlanInputs &in_;
};

using SheetList = std::vector<std::unique_ptr<Sheet>>;

// The sheets of a design's plans in their order; they refer to `in`, which outlives them.
SheetList sheetsFor(const PlanInputs &in);

} // namespace corvelle::shed
