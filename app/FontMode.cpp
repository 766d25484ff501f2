#include "app/FontMode.h"

#include <QFontMetrics>
#include <QFontDatabase>

namespace corvelle {

FontProbe::FontProbe()
    : FontProbe([] { return QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height(); })
{
}

FontProbe::FontProbe(CellHeightSource source) : cellHeight_(std::move(source)) {}

QString FontProbe::GetFontMode() const
{
    const int height = cellHeight_ ? cellHeight_() : 0;
    return height > 16 ? LargeFonts : QStringLiteral("Small fonts are enabled");
}

} // namespace corvelle
