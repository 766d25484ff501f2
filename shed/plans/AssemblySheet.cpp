#include "shed/BuildSteps.h"
#include "shed/plans/LineWork.h"
#include "shed/plans/SheetDrawing.h"
#include "shed/plans/Sheets.h"

#include <QPainter>

namespace corvelle::shed::sheet {

namespace {

// One stage of the build: the shed as the cover draws it, up to this stage, the stage's
// members heavy and what went before light, beside what to do.
class AssemblySheet final : public Sheet {
public:
    AssemblySheet(const PlanInputs &in, int number, BuildStage stage) : Sheet(in), number_(number), stage_(stage) {}

    QString title() const override
    {
        return QStringLiteral("Assembly step %1: %2").arg(number_).arg(buildStageTitle(stage_));
    }

    DrawingScale paint(SheetCanvas &canvas, QRectF area) const override
    {
        const HiddenLines &lines = lineWork(in_).pictorial(in_.model);
        const int stage = int(stage_);
        const double split = area.left() + area.width() * 0.64;
        Scale scale;
        // Every step at the scale and place of the whole shed, so the steps line up.
        const Drawing drawing =
            fitPictorial(canvas, lines.bounds(), QRectF(area.left(), area.top(), split - area.left(), area.height()),
                         in_.units, scale);
        drawStrokes(drawing, lines, stage, [stage](const Stroke &s) {
            if (s.stage == stage)
                return s.visible ? QPen(Qt::black, 0.8) : QPen(QColor(110, 110, 110), 0.35, Qt::DashLine);
            return s.visible ? QPen(QColor(150, 150, 150), 0.3) : QPen(Qt::NoPen);
        });
        const OnLayer text(canvas, sheetlayer::Text);
        QPainter &p = canvas.painter();
        p.save();
        const QRectF side(split + 8, area.top() + 4, area.right() - split - 14, area.height() - 8);
        double y = paragraph(p, side, side.top(), buildStageTitle(stage_), 10, true);
        y += 4;
        int n = 0;
        for (const QString &step :
             buildStageSteps(stage_, in_.model, lineWork(in_).order(in_.model), in_.units, in_.marks))
            y = paragraph(p, side, y, QStringLiteral("%1. %2").arg(++n).arg(step), 8) + 3;
        y += 6;
        paragraph(
            p, side, y,
            QStringLiteral("This stage's members are drawn heavy, its hidden edges dashed; the work before it light."),
            7);
        p.restore();
        return scale;
    }

private:
    int number_;
    BuildStage stage_;
};

} // namespace

std::vector<std::unique_ptr<Sheet>> assemblySheets(const PlanInputs &in)
{
    std::vector<std::unique_ptr<Sheet>> out;
    int n = 0;
    for (BuildStage s : lineWork(in).order(in.model).stages)
        out.push_back(std::make_unique<AssemblySheet>(in, ++n, s));
    return out;
}

} // namespace corvelle::shed::sheet
