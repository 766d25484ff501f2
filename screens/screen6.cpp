#include "screens/screen6.h"

namespace corvelle {

screen6::screen6(ScreenContext &context)
    : WizardScreen(ScreenId::Screen6, context, QStringLiteral("Corvelle    (4 of 9)   Choose your Inner Wall Type . . ."))
{
    makeButtonBar();
}

void screen6::Command5_Click()
{
    goNext();
}

} // namespace corvelle
