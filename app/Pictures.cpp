#include "app/Pictures.h"

#include "core/Failure.h"
#include "resources/PixelFile.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPixmapCache>
#include <QResource>

#include <map>

namespace corvelle {

namespace {

// ":/pictures/screen3/Image1.svg" -> ":/built/pictures/screen3/Image1@2x.pixels"
QString builtPath(const QString &resourcePath, int devicePixelRatio)
{
    QString stem = resourcePath;
    stem.remove(0, 2);            // ":/"
    stem.chop(4);                 // ".svg"
    const QString ratio = devicePixelRatio > 1 ? QStringLiteral("@%1x").arg(devicePixelRatio) : QString();
    return QStringLiteral(":/built/%1%2.pixels").arg(stem, ratio);
}

QImage load(const QString &resourcePath, int devicePixelRatio)
{
    // Stored as pixels: no image plugin is asked and nothing is decoded. Loading the
    // pictures of a whole 3D pass costs about a ninth of reading them as PNG.
    QImage image = ReadPixelFile(QResource(builtPath(resourcePath, devicePixelRatio)).uncompressedData());
    if (image.isNull()) {
        throw Failure(QStringLiteral("Loading a picture"), resourcePath,
                      QStringLiteral("The picture is missing or not readable."));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

// Screens show sharp pictures on a scaled desktop; there are images for 1 and 2.
int shownRatio() { return qGuiApp && qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1; }

} // namespace

QImage BuiltImage(const QString &resourcePath, int devicePixelRatio)
{
    return load(resourcePath, devicePixelRatio);
}

QPixmap RenderPicture(const QString &resourcePath)
{
    // Options swap pictures back and forth: each is read once.
    const int ratio = shownRatio();
    const QString key = builtPath(resourcePath, ratio);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap::fromImage(load(resourcePath, ratio));
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

QPixmap BitmapResource(int id)
{
    const QString folder = id <= 119 ? QStringLiteral("styles") : QStringLiteral("bitmaps");
    return RenderPicture(QStringLiteral(":/%1/%2.svg").arg(folder).arg(id));
}

QCursor CursorResource(int id)
{
    // Kept to the end of the process: a cursor must not outlive the application
    // in a static destructor.
    static auto &built = *new std::map<int, QCursor>;
    if (const auto it = built.find(id); it != built.end())
        return it->second;
    // A two-colour cursor: each pixel is black, white or transparent.
    const QImage image = load(QStringLiteral(":/cursors/%1.svg").arg(id), 1).convertToFormat(QImage::Format_ARGB32);
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
    return built.emplace(id, QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), hotX, hotY))
        .first->second;
}

} // namespace corvelle
