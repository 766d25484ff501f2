#include "screens/screen10.h"

namespace corvelle {

screen10::screen10(ScreenContext &context)
    : WizardScreen(ScreenId::Screen10, context, QStringLiteral("Corvelle    (8 of 9)   Choose your Roof Type . . ."))
{
    makeButtonBar();
}

void screen10::Command5_Click()
{
    goNext();
}

} // namespace corvelle
