#pragma once

#include "shed/Cutting.h"
#include "shed/Design.h"
#include "shed/MaterialTable.h"
#include "shed/Model.h"
#include "shed/Structure.h"
#include "shed/Units.h"

#include <QByteArray>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QPagedPaintDevice;

// Plans to build from, drawn to a standard scale (architectural, or 1:20 to 1:100 in
// metric) with dimensions in the user's units: foundation, floor framing, the four wall
// elevations, roof framing, a rafter or truss detail, the ramp, the material list and the
// structural notes, each page with a title block of the design's values.
namespace corvelle::shed {

struct PlanInputs;

// Letter where the locale measures in inches (US, Canada...), A4 elsewhere and in metric;
// always landscape.
QPageSize::PageSizeId planPaper(const QLocale &locale = QLocale(), Units units = {});

class PlanSet {
public:
    // With a structural check, a "Structural notes" sheet follows the material list.
    // With a cutting plan (the takeoff's), the cutting diagrams follow the material list.
    PlanSet(Design design, Model model, MaterialTable materials, StructureReport structure = {}, Units units = {},
            CuttingPlan cutting = {});

    Units units() const;
    // The paper the set is drawn on: planPaper() in imperial; in metric A4, or A3 when a
    // drawing would need a scale below 1:100 on A4.
    QPageSize::PageSizeId paper(const QLocale &locale = QLocale()) const;

    QStringList pageTitles() const;
    int pageCount() const { return int(pageTitles().size()); }

    // Paints page `index` into (0, 0, pageSize) in points (1/72 inch).
    void paintPage(QPainter &painter, int index, QSizeF pageSize) const;

    // Every page, one after the other, on a printer or a PDF writer.
    void print(QPagedPaintDevice &device) const;
    QByteArray pdf(QPageSize::PageSizeId paper) const;
    // SVG has no pages: they are stacked top to bottom, a gap between them.
    QByteArray svg(QPageSize::PageSizeId paper) const;
    // Sheet `index` as a DXF drawing in inches: a drawing to scale at full size (a 16 ft
    // wall measures 192), its figures and title block scaled with it; a table in paper
    // inches. Layers: the model's, "dimensions", "text", "titleblock".
    QByteArray dxf(int index, QPageSize::PageSizeId paper) const;
    // "03-front-wall-framing.dxf": the sheet number, then the title made safe for a file.
    QString dxfFileName(int index) const;

private:
    // The hidden-line views every whole set draws, computed on the thread pool.
    void startLineWork() const;
    // Shared: a plan set is copied freely (the host hands one to each export).
    std::shared_ptr<const PlanInputs> in_;
};

// The 2D path's plan of one building style: its drawing is the host's; this is the
// dimensioned front elevation and floor outline of the style's roof shape.
enum class RoofShape { Gable, SteepGable, Gambrel, Clerestory, RunIn };
struct StylePlan {
    QString style;          // "101".."119"
    RoofShape shape = RoofShape::Gable;
    double width = 0;       // inches, from shedSize.txt
    double depth = 0;       // inches, from the style's proportions
    double wallHeight = 0;
    double rise = 0;        // roof rise above the walls
    Units units;            // what its dimensions are written in
};
// An unknown style is drawn as a gable of the common proportions.
StylePlan stylePlan(const QString &style, double widthFeet);
QString roofShapeName(RoofShape shape);
void paintStylePlan(QPainter &painter, const StylePlan &plan, QRectF area, bool titleBlock);
void printStylePlan(const StylePlan &plan, QPagedPaintDevice &device);
QByteArray stylePlanPdf(const StylePlan &plan, QPageSize::PageSizeId paper);
QByteArray stylePlanSvg(const StylePlan &plan, QPageSize::PageSizeId paper);
// The style plan as one DXF drawing, in paper inches.
QByteArray stylePlanDxf(const StylePlan &plan, QPageSize::PageSizeId paper);

} // namespace corvelle::shed
