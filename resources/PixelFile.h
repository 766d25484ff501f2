#pragma once

#include <QByteArray>
#include <QImage>

namespace corvelle {

// The form a built picture is stored in: its decoded pixels, so that loading one is
// a copy rather than a decode. A 16-byte header (the tag "CPX1", then width, height
// and QImage::Format as little-endian 32-bit numbers) is followed by the rows, top
// first, four bytes a pixel. The resource compiler compresses the files (zstd), which
// keeps them smaller in the program than the same pictures as PNG.
// Only 32-bit formats are stored: RGB32 for pictures, ARGB32 for the cursor.

// The bytes of a 32-bit image; empty for any other format.
QByteArray PixelFileBytes(const QImage &image);

// The image the bytes hold, sharing their memory; a null image for bytes that are not
// a whole pixel file (wrong tag, unknown format, a size that does not match).
QImage ReadPixelFile(const QByteArray &bytes);

} // namespace corvelle
