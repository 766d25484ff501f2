#include "screens/screen11.h"

namespace corvelle {

namespace {

RoofingScreen::Data barnRoofing()
{
    return {.id = ScreenId::Screen11,
            .caption = QStringLiteral("Corvelle    (8 of 9)   Choose your Barn Roofing . . ."),
            .frameCaption = QStringLiteral("Barn Roofing"),
            .pictureFolder = QStringLiteral(":/pictures/screen11"),
            .trussesCaption = QStringLiteral("Barn Trusses"),
            .supportsCaption = QStringLiteral("Barn Supports"),
            .trussesLeft = 840,
            .nextLeft = 4680};
}

} // namespace

screen11::screen11(ScreenContext &context) : RoofingScreen(context, barnRoofing()) {}

} // namespace corvelle
