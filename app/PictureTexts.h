#pragma once

#include <QString>

namespace corvelle {

// What a picture shows, for a screen reader: a short name and a sentence.
struct PictureText {
    QString name;
    QString description;
};

// The text of a screen's picture, by its SVG source (":/pictures/screen3/Image1.svg");
// empty for a source that has none.
PictureText PictureTextOf(const QString &resourcePath);

// The text of a numbered bitmap: building styles 101..119 (named with their number),
// framing 122..126; empty for any other number.
PictureText BitmapText(int id);

} // namespace corvelle
