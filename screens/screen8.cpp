#include "screens/screen8.h"

namespace corvelle {

screen8::screen8(ScreenContext &context)
    : WizardScreen(ScreenId::Screen8, context, QStringLiteral("Corvelle    (6 of 9)   Choose your Main Door Type . . ."))
{
    makeButtonBar();
}

void screen8::Command5_Click()
{
    goNext();
}

} // namespace corvelle
