#include "screens/screen11.h"

namespace corvelle {

screen11::screen11(ScreenContext &context)
    : WizardScreen(ScreenId::Screen11, context, QStringLiteral("Corvelle    (8 of 9)   Choose your Barn Roofing . . ."))
{
    makeButtonBar();
}

void screen11::Command5_Click()
{
    goNext();
}

} // namespace corvelle
