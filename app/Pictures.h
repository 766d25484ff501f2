#pragma once

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace corvelle {

// Pictures are named by their SVG source (":/pictures/screen3/Image1.svg"); the
// program holds the images drawn from those sources at build time, at the
// picture's own pixel size, on white like the bitmaps the screens were designed
// with. A missing image is a Failure.
QPixmap RenderPicture(const QString &resourcePath);

// The program's numbered bitmap resources: building styles 101..119, framing 122..126.
QPixmap BitmapResource(int id);

// The program's cursor resource (101, the pointing hand), built once.
QCursor CursorResource(int id);

// The image built from a picture's source for a device pixel ratio (1 or 2).
QImage BuiltImage(const QString &resourcePath, int devicePixelRatio);

} // namespace corvelle
