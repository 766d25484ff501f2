#include "screens/screen12.h"

namespace corvelle {

screen12::screen12(ScreenContext &context)
    : WizardScreen(ScreenId::Screen12, context, QStringLiteral("Corvelle    (8 of 9)   Choose your Gable Roofing . . ."))
{
    makeButtonBar({.nextLeft = 4800});
}

void screen12::Command5_Click()
{
    goNext();
}

} // namespace corvelle
