#include "app/Pictures.h"

#include "core/Failure.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace corvelle {

namespace {

QImage renderImage(const QString &resourcePath, QImage::Format format, QColor background)
{
    QSvgRenderer renderer(resourcePath);
    if (!renderer.isValid()) {
        throw Failure(QStringLiteral("Loading a picture"), resourcePath,
                      QStringLiteral("The picture is missing or not readable."));
    }
    QImage image(renderer.defaultSize(), format);
    image.fill(background);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace

QPixmap RenderPicture(const QString &resourcePath)
{
    return QPixmap::fromImage(renderImage(resourcePath, QImage::Format_RGB32, Qt::white));
}

QPixmap BitmapResource(int id)
{
    const QString folder = id <= 119 ? QStringLiteral("styles") : QStringLiteral("bitmaps");
    return RenderPicture(QStringLiteral(":/%1/%2.svg").arg(folder).arg(id));
}

QCursor CursorResource(int id)
{
    // A two-colour cursor: each pixel is black, white or transparent.
    const QImage image = renderImage(QStringLiteral(":/cursors/%1.svg").arg(id),
                                     QImage::Format_ARGB32, Qt::transparent);
    QImage bits(image.size(), QImage::Format_Mono);
    QImage mask(image.size(), QImage::Format_Mono);
    // Index 1 is colour1 of a bitmap: black in the image, opaque in the mask.
    const QList<QRgb> table{qRgb(255, 255, 255), qRgb(0, 0, 0)};
    bits.setColorTable(table);
    mask.setColorTable(table);
    bits.fill(0);
    mask.fill(0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128)
                continue;
            mask.setPixel(x, y, 1);
            if (qGray(pixel) < 128)
                bits.setPixel(x, y, 1);
        }
    }
    constexpr int hotX = 6, hotY = 0; // the tip of the index finger
    return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), hotX, hotY);
}

} // namespace corvelle
