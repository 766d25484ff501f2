#include "resources/PictureDrawing.h"

#include <QPainter>
#include <QSvgRenderer>

namespace corvelle {

QImage DrawPicture(const QString &svgFile, PictureKind kind, int devicePixelRatio)
{
    QSvgRenderer renderer(svgFile);
    if (!renderer.isValid())
        return {};
    const bool cursor = kind == PictureKind::Cursor;
    QImage image(renderer.defaultSize() * devicePixelRatio, cursor ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(cursor ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace corvelle
