#pragma once

#include "shed/BuildSteps.h"
#include "shed/HiddenLine.h"
#include "shed/Model.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QFuture>
#include <QPen>

#include <functional>
#include <memory>
#include <optional>

// The hidden-line drawings a plan set shows, each computed once for all its sheets: the
// three-quarter view through the build stages (the cover and the assembly steps) and the
// four elevations.
namespace corvelle::shed::sheet {

class LineWork {
public:
    LineWork() = default;
    LineWork(const LineWork &) = delete;
    LineWork &operator=(const LineWork &) = delete;
    ~LineWork(); // waits for the views still being computed

    // Starts computing every view on the thread pool, the views side by side: each takes a
    // large shed tens of milliseconds and none needs another. `model` must outlive this.
    void start(const Model &model) const;
    const BuildOrder &order(const Model &model) const;
    // Staged by BuildStage: strokes(int(stage)) is the shed once that stage is done.
    const HiddenLines &pictorial(const Model &model) const;
    const HiddenLines &elevation(const Model &model, Wall side) const;
    static ViewDirection elevationView(Wall side);

private:
    // A view, and the job computing it once started; reads wait for the job.
    struct View {
        std::optional<HiddenLines> lines;
        bool started = false;
        QFuture<void> job;
    };
    const HiddenLines &view(View &v, const std::function<HiddenLines()> &compute) const;
    HiddenLines computePictorial(const Model &model) const;

    mutable std::optional<BuildOrder> order_;
    mutable View pictorial_;
    mutable View elevations_[4];
};

// The line work of a plan set, made on first use.
const LineWork &lineWork(const PlanInputs &in);

// Strokes on their model layers; `pen` gives each one's pen, or Qt::NoPen to leave it out.
// Lines of one pen are drawn together: a large shed has tens of thousands.
void drawStrokes(const Drawing &d, const HiddenLines &lines, int stage, const std::function<QPen(const Stroke &)> &pen);

// The finished heights above the ground a permit drawing gives: the floor's top, the
// eaves (the roof's lowest edge) and the ridge (the highest point).
struct Heights {
    double floor = 0, eaves = 0, ridge = 0;
};
Heights heightsOf(const PlanInputs &in);

// Text set in a column from `y` down, broken at blanks; returns the y below it.
double paragraph(QPainter &p, const QRectF &column, double y, const QString &text, double size, bool bold = false);

// A three-quarter view filling the room: at the largest standard scale that fits, else
// at the ratio that fits, not to scale (a pictorial is not measured from).
Drawing fitPictorial(SheetCanvas &canvas, const QRectF &extent, QRectF room, Units units, Scale &scale);
// A hidden-line view's extent as a drawing's.
Extent extentOf(const QRectF &r);

} // namespace corvelle::shed::sheet
