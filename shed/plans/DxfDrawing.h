#pragma once

#include "shed/Design.h"
#include "shed/plans/SheetCanvas.h"

#include <QByteArray>
#include <QList>
#include <QPaintDevice>
#include <QPolygonF>
#include <QSizeF>
#include <QString>

#include <memory>

namespace corvelle::shed {

// What a sheet painted, kept as lines and text on the canvas's layers, in page points.
struct DxfPolyline {
    QString layer;
    QPolygonF points;
    bool closed = false;
    bool dashed = false;
};
struct DxfText {
    QString layer;
    QString text;
    QPointF at;      // the baseline's left end
    double height;   // capital height
    double angleDeg; // counter-clockwise on the page
};

// A paint device that keeps what is painted on it, each stroke with the layer the sheet
// canvas names: paint a sheet on it, then write it out as DXF.
class DxfRecorder : public QPaintDevice, public LayerListener {
public:
    explicit DxfRecorder(QSizeF pagePoints);
    ~DxfRecorder() override;

    QPaintEngine *paintEngine() const override;
    void layerChanged(const QString &name) override;

    const QList<DxfPolyline> &lines() const { return lines_; }
    const QList<DxfText> &texts() const { return texts_; }

    // DXF (AutoCAD 2000) in inches: page points divided by `pointsPerInch` (72 for paper
    // inches; 72 times the scale for a drawing at full size), y up. Its layers are the
    // model's, "dimensions", "text" and "titleblock", each present whether used or not.
    QByteArray dxf(double pointsPerInch, const QString &outerWallMaterial) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    friend class Engine;
    QSizeF page_;
    QString layer_;
    QList<DxfPolyline> lines_;
    QList<DxfText> texts_;
    std::unique_ptr<Engine> engine_;
};

} // namespace corvelle::shed
