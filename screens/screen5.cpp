#include "screens/screen5.h"

namespace corvelle {

screen5::screen5(ScreenContext &context)
    : WizardScreen(ScreenId::Screen5, context, QStringLiteral("Corvelle    (3 of 9)   Choose your Stud Type . . ."))
{
    makeButtonBar();
}

void screen5::Command5_Click()
{
    goNext();
}

} // namespace corvelle
