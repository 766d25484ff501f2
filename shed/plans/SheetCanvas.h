#pragma once

#include <QString>

class QPainter;

namespace corvelle::shed {

// Told the layer of everything painted from now on: a drawing format with layers (DXF)
// listens; paper ignores it.
class LayerListener {
public:
    virtual ~LayerListener() = default;
    virtual void layerChanged(const QString &name) = 0;
};

// What a sheet paints on: a painter in points (1/72 in), and the layer the strokes
// belong to, named after the model's layers ("framing", "roof"...) or "dimensions",
// "text" and "titleblock".
class SheetCanvas {
public:
    explicit SheetCanvas(QPainter &painter, LayerListener *listener = nullptr) : painter_(painter), listener_(listener)
    {
    }
    SheetCanvas(const SheetCanvas &) = delete;
    SheetCanvas &operator=(const SheetCanvas &) = delete;

    QPainter &painter() const { return painter_; }
    QString layer() const { return layer_; }
    void setLayer(const QString &name)
    {
        if (name == layer_)
            return;
        layer_ = name;
        if (listener_)
            listener_->layerChanged(name);
    }

    // Whether every drawing painted so far fitted its room at one of the scales.
    bool fitted() const { return fitted_; }
    void missedFit() { fitted_ = false; }

private:
    QPainter &painter_;
    LayerListener *listener_;
    QString layer_;
    bool fitted_ = true;
};

// Paints on `name` until it goes out of scope, then on the layer before.
class OnLayer {
public:
    OnLayer(SheetCanvas &canvas, const QString &name) : canvas_(canvas), before_(canvas.layer())
    {
        canvas.setLayer(name);
    }
    ~OnLayer() { canvas_.setLayer(before_); }
    OnLayer(const OnLayer &) = delete;
    OnLayer &operator=(const OnLayer &) = delete;

private:
    SheetCanvas &canvas_;
    QString before_;
};

namespace sheetlayer {
inline const QString Dimensions = QStringLiteral("dimensions");
inline const QString Text = QStringLiteral("text");
inline const QString TitleBlock = QStringLiteral("titleblock");
} // namespace sheetlayer

} // namespace corvelle::shed
