#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

namespace corvelle {

// Renders a picture kept as SVG at its own pixel size, on white like the bitmaps
// the screens were designed with. The path is a resource path such as
// ":/pictures/screen3/Image1.svg".
QPixmap RenderPicture(const QString &resourcePath);

// The program's numbered bitmap resources: building styles 101..119, framing 122..126.
QPixmap BitmapResource(int id);

// The program's cursor resource (101, the pointing hand).
QCursor CursorResource(int id);

} // namespace corvelle
