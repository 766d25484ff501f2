#include "resources/PixelFile.h"

#include <QtEndian>

namespace corvelle {

namespace {

constexpr char tag[] = "CPX1";
constexpr qsizetype tagSize = 4;
constexpr qsizetype headerSize = tagSize + 3 * 4;
// Larger than any picture a screen holds; keeps width * height * 4 far from overflow.
constexpr quint32 largestSide = 16384;

bool stored(QImage::Format format) { return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32; }

void append32(QByteArray &bytes, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&le), 4);
}

quint32 read32(const QByteArray &bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }

} // namespace

QByteArray PixelFileBytes(const QImage &image)
{
    if (image.isNull() || !stored(image.format()))
        return {};
    const qsizetype row = qsizetype(image.width()) * 4;
    QByteArray bytes;
    bytes.reserve(headerSize + row * image.height());
    bytes.append(tag, tagSize);
    append32(bytes, quint32(image.width()));
    append32(bytes, quint32(image.height()));
    append32(bytes, quint32(image.format()));
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(image.constScanLine(y)), row);
    return bytes;
}

QImage ReadPixelFile(const QByteArray &bytes)
{
    if (bytes.size() < headerSize || !bytes.startsWith(QByteArrayView(tag, tagSize)))
        return {};
    const quint32 width = read32(bytes, tagSize);
    const quint32 height = read32(bytes, tagSize + 4);
    const auto format = QImage::Format(read32(bytes, tagSize + 8));
    if (!stored(format) || width == 0 || height == 0 || width > largestSide || height > largestSide
        || bytes.size() != headerSize + qsizetype(width) * height * 4)
        return {};
    // The image reads the bytes in place (a resource's own memory when it is stored
    // uncompressed) and holds a reference to them until it is gone.
    auto *held = new QByteArray(bytes);
    return QImage(
        reinterpret_cast<const uchar *>(held->constData()) + headerSize, int(width), int(height), int(width) * 4,
        format, [](void *data) { delete static_cast<QByteArray *>(data); }, held);
}

} // namespace corvelle
