#include "screens/screen2.h"

namespace corvelle {

screen2::screen2(ScreenContext &context)
    : WizardScreen(ScreenId::Screen2, context, QStringLiteral("Corvelle . . . Choose Your Building Width."))
{
    makeButtonBar({.nextCaption = QStringLiteral("&Finish")});
}

void screen2::Command5_Click()
{
    // Finish: the 2D launch.
}

} // namespace corvelle
