#include "screens/screen9.h"

namespace corvelle {

screen9::screen9(ScreenContext &context)
    : WizardScreen(ScreenId::Screen9, context, QStringLiteral("Corvelle    (7 of 9)   Choose your Ramp Location . . ."))
{
    makeButtonBar({.nextTop = 3588});
}

void screen9::Command5_Click()
{
    goNext();
}

} // namespace corvelle
