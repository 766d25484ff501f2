#include "shed/plans/DxfDrawing.h"

#include "shed/Model.h"
#include "shed/Palette.h"

#include <dxflib/dl_dxf.h>

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>

#include <charconv>
#include <cmath>

namespace corvelle::shed {

class DxfRecorder::Engine final : public QPaintEngine {
public:
    explicit Engine(DxfRecorder &owner) : QPaintEngine(AllFeatures), owner_(owner) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    Type type() const override { return User; }
    // Pictures have no place in a line drawing.
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;

    void drawPath(const QPainterPath &path) override
    {
        if (!stroked())
            return;
        const QTransform &t = state->transform();
        // A path of lines (the hidden-line views: a hundred thousand runs) is taken a run at
        // a time, each its own size: toSubpathPolygons() would hold them all at once, each
        // with room for sixteen points. Curves are left to it.
        for (int i = 0; i < path.elementCount(); ++i) {
            if (path.elementAt(i).isCurveTo()) {
                for (const QPolygonF &poly : path.toSubpathPolygons(t))
                    keepRun(poly);
                return;
            }
        }
        for (int i = 0, n = path.elementCount(); i < n;) {
            int end = i + 1;
            while (end < n && path.elementAt(end).isLineTo())
                ++end;
            if (end - i > 1) {
                QPolygonF poly;
                poly.reserve(end - i);
                for (int k = i; k < end; ++k)
                    poly.append(t.map(QPointF(path.elementAt(k))));
                keepRun(poly);
            }
            i = end;
        }
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (!stroked() || count < 2)
            return;
        QPolygonF poly;
        for (int i = 0; i < count; ++i)
            poly.append(state->transform().map(points[i]));
        keep(poly, mode != PolylineMode);
    }

    void drawLines(const QLineF *lines, int count) override
    {
        if (!stroked())
            return;
        for (int i = 0; i < count; ++i)
            keep(QPolygonF{state->transform().map(lines[i].p1()), state->transform().map(lines[i].p2())}, false);
    }

    void drawRects(const QRectF *rects, int count) override
    {
        // A fill alone (the white page) draws no line.
        if (!stroked())
            return;
        for (int i = 0; i < count; ++i)
            keep(QPolygonF(state->transform().map(QPolygonF(rects[i])).first(4)), true);
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QString text = item.text();
        if (text.trimmed().isEmpty())
            return;
        const QTransform &t = state->transform();
        const double scale = std::hypot(t.m11(), t.m12());
        const double angle = -std::atan2(t.m12(), t.m11()) * 180 / M_PI;
        owner_.texts_.append({owner_.layer_, text, t.map(p), QFontMetricsF(item.font()).capHeight() * scale, angle});
    }

private:
    bool stroked() const { return state->pen().style() != Qt::NoPen; }
    void keepRun(const QPolygonF &poly)
    {
        const bool closed = poly.size() > 2 && poly.isClosed();
        keep(closed ? QPolygonF(poly.first(poly.size() - 1)) : poly, closed);
    }
    void keep(const QPolygonF &points, bool closed)
    {
        const Qt::PenStyle style = state->pen().style();
        owner_.lines_.append({owner_.layer_, points, closed, style != Qt::SolidLine && style != Qt::NoPen});
    }

    DxfRecorder &owner_;
};

DxfRecorder::DxfRecorder(QSizeF pagePoints) : page_(pagePoints), engine_(std::make_unique<Engine>(*this)) {}

DxfRecorder::~DxfRecorder() = default;

QPaintEngine *DxfRecorder::paintEngine() const { return engine_.get(); }

void DxfRecorder::layerChanged(const QString &name) { layer_ = name; }

int DxfRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return int(std::ceil(page_.width()));
    case PdmHeight:
        return int(std::ceil(page_.height()));
    case PdmWidthMM:
        return int(std::lround(page_.width() / 72 * 25.4));
    case PdmHeightMM:
        return int(std::lround(page_.height() / 72 * 25.4));
    case PdmNumColors:
        return 0x7fffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 72; // one device unit a point, as the sheets paint
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

namespace {

// DXF text is 8-bit: the degree sign goes as the control code every reader knows (%%d),
// anything else past ASCII as its \U+ escape.
std::string dxfText(const QString &text)
{
    std::string out;
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\u00b0')
            out += "%%d";
        else if (c >= 0x20 && c < 0x7f)
            out += char(c);
        else if (c >= 0x80)
            out += QStringLiteral("\\U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper().toStdString();
    }
    return out;
}

int trueColour(const Colour &c)
{
    const auto byte = [](float v) { return int(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    return (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

constexpr int AciBlackWhite = 7; // black on a white sheet, white on a dark screen

// dxflib's writer, kept in memory rather than in a file, its reals to a millionth of an
// inch (dxflib prints sixteen places through sprintf, most of a sheet's time).
class MemoryWriter final : public DL_WriterA {
public:
    MemoryWriter() : DL_WriterA("/dev/null", DL_Codes::AC1015) {}
    mutable QByteArray bytes; // dxflib writes through const members

    void dxfReal(int gc, double value) const override
    {
        char text[64];
        const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
        const char *last = ec == std::errc() ? end : text;
        while (last > text && last[-1] == '0')
            --last;
        if (last > text && last[-1] == '.')
            ++last; // "12.0", as dxflib writes a whole number
        code(gc);
        bytes.append(text, last - text).append('\n');
    }
    void dxfInt(int gc, int value) const override
    {
        code(gc);
        bytes.append(QByteArray::number(value)).append('\n');
    }
    void dxfHex(int gc, int value) const override
    {
        code(gc);
        bytes.append(QByteArray::number(value, 16).toUpper()).append('\n');
    }
    void dxfString(int gc, const char *value) const override
    {
        code(gc);
        bytes.append(value).append('\n');
    }
    void dxfString(int gc, const std::string &value) const override
    {
        code(gc);
        bytes.append(value.data(), qsizetype(value.size())).append('\n');
    }

private:
    // Group codes right-aligned in three columns, as dxflib writes them.
    void code(int gc) const
    {
        bytes.append(gc < 10 ? "  " : gc < 100 ? " " : "").append(QByteArray::number(gc)).append('\n');
    }
};

} // namespace

QByteArray DxfRecorder::dxf(double pointsPerInch, const QString &outerWallMaterial) const
{
    const auto x = [&](QPointF p) { return p.x() / pointsPerInch; };
    const auto y = [&](QPointF p) { return (page_.height() - p.y()) / pointsPerInch; };

    struct LayerDef {
        std::string name;
        int aci;
        int rgb;
    };
    std::vector<LayerDef> layers{{"0", AciBlackWhite, -1}};
    for (int l = 0; l < LayerCount; ++l)
        layers.push_back(
            {layerName(Layer(l)).toStdString(), AciBlackWhite, trueColour(layerColour(Layer(l), outerWallMaterial))});
    for (const QString &name : {sheetlayer::Dimensions, sheetlayer::Text, sheetlayer::TitleBlock})
        layers.push_back({name.toStdString(), AciBlackWhite, -1});

    DL_Dxf dxf;
    const auto dw = std::make_unique<MemoryWriter>();
    dxf.writeHeader(*dw);
    dw->dxfString(9, "$INSUNITS");
    dw->dxfInt(70, 1); // inches
    dw->dxfString(9, "$MEASUREMENT");
    dw->dxfInt(70, 0); // imperial
    dw->sectionEnd();

    dw->sectionTables();
    dxf.writeVPort(*dw);
    double dash[2] = {0.5, -0.25};
    dw->tableLinetypes(4);
    dxf.writeLinetype(*dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("DASHED", "Dashed __ __ __", 0, 2, 0.75, dash));
    dw->tableEnd();
    dw->tableLayers(int(layers.size()));
    for (const LayerDef &l : layers)
        dxf.writeLayer(*dw, DL_LayerData(l.name, 0), DL_Attributes(std::string(), l.aci, l.rgb, 0, "CONTINUOUS"));
    dw->tableEnd();
    dw->tableStyle(1);
    dxf.writeStyle(*dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw->tableEnd();
    dxf.writeView(*dw);
    dxf.writeUcs(*dw);
    dw->tableAppid(1);
    dxf.writeAppid(*dw, "ACAD");
    dw->tableEnd();
    dxf.writeDimStyle(*dw, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(*dw);
    dw->tableEnd();
    dw->sectionEnd();

    dw->sectionBlocks();
    dxf.writeBlock(*dw, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*dw, "*Model_Space");
    dxf.writeBlock(*dw, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*dw, "*Paper_Space");
    dxf.writeBlock(*dw, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*dw, "*Paper_Space0");
    dw->sectionEnd();

    dw->sectionEntities();
    for (const DxfPolyline &l : lines_) {
        const DL_Attributes attributes(l.layer.isEmpty() ? std::string("0") : l.layer.toStdString(), 256, -1,
                                       l.dashed ? "DASHED" : "BYLAYER", 1.0);
        if (l.points.size() == 2 && !l.closed) {
            const QPointF a = l.points[0], b = l.points[1];
            dxf.writeLine(*dw, DL_LineData(x(a), y(a), 0, x(b), y(b), 0), attributes);
            continue;
        }
        dxf.writePolyline(*dw, DL_PolylineData(int(l.points.size()), 0, 0, l.closed ? 1 : 0), attributes);
        for (const QPointF &p : l.points)
            dxf.writeVertex(*dw, DL_VertexData(x(p), y(p), 0, 0));
        dxf.writePolylineEnd(*dw);
    }
    for (const DxfText &t : texts_) {
        const DL_Attributes attributes(t.layer.isEmpty() ? std::string("0") : t.layer.toStdString(), 256, -1, "BYLAYER",
                                       1.0);
        dxf.writeText(*dw,
                      DL_TextData(x(t.at), y(t.at), 0, x(t.at), y(t.at), 0, t.height / pointsPerInch, 1.0, 0, 0, 0,
                                  dxfText(t.text), "Standard", t.angleDeg * M_PI / 180),
                      attributes);
    }
    dw->sectionEnd();
    dxf.writeObjects(*dw);
    dxf.writeObjectsEnd(*dw);
    dw->dxfEOF();
    return dw->bytes;
}

} // namespace corvelle::shed
