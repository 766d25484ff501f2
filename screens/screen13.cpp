#include "screens/screen13.h"

#include "host/Host.h"
#include "output/ShedDataFile.h"

#include <QPushButton>

namespace corvelle {

screen13::screen13(ScreenContext &context)
    : WizardScreen(ScreenId::Screen13, context, QStringLiteral("Corvelle    (9 of 9)   Choose your Shading Type. . ."),
                   ClientTwips)
{
    makeButtonBar({.nextCaption = QStringLiteral("&Finish >>"), .nextTop = 3588, .nextIsDefault = false});
    Command5->setAutoDefault(false);
}

void screen13::Command5_Click()
{
    WriteShedDataFile(context_.design, context_.programFolder, [this] {
        const auto host = context_.connectHost();
        Launch3D(*host, [this] { context_.wizard.hide(ScreenId::Screen13); });
    });
    context_.wizard.end(0);
}

} // namespace corvelle
