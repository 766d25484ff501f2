#pragma once

#include <QImage>
#include <QString>

namespace corvelle {

// The one drawing of an SVG picture, used by the build-time renderer and by the
// test that checks the built images against it. Pictures are drawn on white (as
// the bitmaps the screens were designed with), cursors on transparent, at the
// SVG's own pixel size times the device pixel ratio.
enum class PictureKind { Opaque, Cursor };

QImage DrawPicture(const QString &svgFile, PictureKind kind, int devicePixelRatio);

} // namespace corvelle
