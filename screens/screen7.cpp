#include "screens/screen7.h"

namespace corvelle {

screen7::screen7(ScreenContext &context)
    : WizardScreen(ScreenId::Screen7, context, QStringLiteral("Corvelle    (5 of 9)   Choose your Outer Wall Type . . ."))
{
    makeButtonBar();
}

void screen7::Command5_Click()
{
    goNext();
}

} // namespace corvelle
