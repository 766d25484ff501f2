#pragma once

#include <QString>

#include <functional>

namespace corvelle {

// Tells whether the desktop runs with large fonts. The cell height is the pixel
// height of the desktop's default font (not the screens' own); tests replace its source.
class FontProbe {
public:
    using CellHeightSource = std::function<int()>;

    FontProbe();
    explicit FontProbe(CellHeightSource source);

    // "Large Fonts" when the cell is taller than 16 pixels, else "Small fonts are enabled".
    QString GetFontMode() const;

private:
    CellHeightSource cellHeight_;
};

inline const QString LargeFonts = QStringLiteral("Large Fonts");

} // namespace corvelle
