#include "screens/screen3.h"

namespace corvelle {

screen3::screen3(ScreenContext &context)
    : WizardScreen(ScreenId::Screen3, context, QStringLiteral("Corvelle    (1 of 9)   Choose your Shed Size . . ."))
{
    makeButtonBar();
}

void screen3::Command5_Click()
{
    goNext();
}

} // namespace corvelle
