#include "screens/screen12.h"

namespace corvelle {

namespace {

RoofingScreen::Data gableRoofing()
{
    return {.id = ScreenId::Screen12,
            .caption = QStringLiteral("Corvelle    (8 of 9)   Choose your Gable Roofing . . ."),
            .frameCaption = QStringLiteral("Gable Roofing "),
            .pictureFolder = QStringLiteral(":/pictures/screen12"),
            .trussesCaption = QStringLiteral("Gable Trusses"),
            .supportsCaption = QStringLiteral("Gable Supports"),
            .trussesLeft = 960,
            .nextLeft = 4800};
}

} // namespace

screen12::screen12(ScreenContext &context) : RoofingScreen(context, gableRoofing()) {}

} // namespace corvelle
