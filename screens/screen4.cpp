#include "screens/screen4.h"

namespace corvelle {

screen4::screen4(ScreenContext &context)
    : WizardScreen(ScreenId::Screen4, context, QStringLiteral("Corvelle    (2 of 9)   Choose your Floor Type . . ."))
{
    makeButtonBar();
}

void screen4::Command5_Click()
{
    goNext();
}

} // namespace corvelle
