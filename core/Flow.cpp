#include "core/Flow.h"

#include "core/DesignRules.h"
#include "core/ShedDesign.h"

namespace corvelle {

std::optional<ScreenId> BackOf(ScreenId screen)
{
    switch (screen) {
    case ScreenId::Screen1:
        return std::nullopt;
    case ScreenId::Screen2:
    case ScreenId::Screen3:
        return ScreenId::Screen1;
    case ScreenId::Screen11:
    case ScreenId::Screen12:
    case ScreenId::Screen13:
        return ScreenId::Screen10;
    default:
        return static_cast<ScreenId>(static_cast<int>(screen) - 1);
    }
}

std::optional<ScreenId> NextOf(ScreenId screen, ShedDesign &design)
{
    switch (screen) {
    case ScreenId::Screen1:
    case ScreenId::Screen2:
    case ScreenId::Screen13:
        return std::nullopt; // picture clicks and the two Finish handlers
    case ScreenId::Screen8:
        if (design.FloorType == u"0") {
            design.RampLocation = QStringLiteral("None");
            return ScreenId::Screen10;
        }
        return ScreenId::Screen9;
    case ScreenId::Screen9:
        return ScreenId::Screen10;
    case ScreenId::Screen10:
        if (NeedsTrusses(design)) {
            design.Trusses = QStringLiteral("1");
            return ScreenId::Screen13;
        }
        if (design.RoofType == u"Gable")
            return ScreenId::Screen12;
        if (design.RoofType == u"Barn")
            return ScreenId::Screen11;
        return std::nullopt;
    case ScreenId::Screen11:
    case ScreenId::Screen12:
        return ScreenId::Screen13;
    default:
        return static_cast<ScreenId>(static_cast<int>(screen) + 1);
    }
}

} // namespace corvelle
