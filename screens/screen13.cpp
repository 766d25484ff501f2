#include "screens/screen13.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/ShedDesign.h"
#include "host/Host.h"
#include "output/ShedDataFile.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen13::screen13(ScreenContext &context)
    : WizardScreen(ScreenId::Screen13, context, QStringLiteral("Corvelle    (9 of 9)   Choose your Shading Type. . ."),
                   ClientTwips)
{
    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Shading Options "), 120, 120, 6465, 3255);
    Image1 = Picture(Frame2, "Image1", QStringLiteral(":/pictures/screen13/Image1.svg"), 120, 216, 1176, 1848);
    Image2 = Picture(Frame2, "Image2", QStringLiteral(":/pictures/screen13/Image2.svg"), 1680, 216, 1176, 1848);
    Image3 = Picture(Frame2, "Image3", QStringLiteral(":/pictures/screen13/Image3.svg"), 3240, 216, 1176, 1848);
    Image4 = Picture(Frame2, "Image4", QStringLiteral(":/pictures/screen13/Image4.svg"), 4800, 216, 1176, 1848);

    Option1 = Make<QRadioButton>(Frame2, "Option1", QStringLiteral("None"), 480, 2640, 855, 372);
    Option1->setChecked(true);
    Option2 = Make<QRadioButton>(Frame2, "Option2", QStringLiteral("Hidden Line"), 1850, 2640, 1335, 372);
    Option3 = Make<QRadioButton>(Frame2, "Option3", QStringLiteral("QuickShade"), 3480, 2640, 1212, 372);
    Option4 = Make<QRadioButton>(Frame2, "Option4", QStringLiteral("Best"), 5160, 2640, 855, 372);

    // No default button: Enter presses Finish only while Finish has the focus.
    makeButtonBar({.nextCaption = QStringLiteral("&Finish >>"), .nextTop = 3588, .nextIsDefault = false});

    setTabSequence({Option1, Option2, Option3, Option4, Command4, Command5, Command3});
    Option1->setFocus();
}

void screen13::Form_Load()
{
    if (largeFonts()) {
        MoveInRow({Image1, Image2, Image3, Image4}, 240, 600, 1560);
    }
}

void screen13::Command5_Click()
{
    StoreFirstSelected(context_.design.ShadingMode,
                       {{Option1, u"1"}, {Option2, u"2"}, {Option3, u"3"}, {Option4, u"4"}});

    // The screen stays visible while the file is written; the launch hides it.
    WriteShedDataFile(context_.design, context_.programFolder);
    const auto host = context_.connectHost();
    Launch3D(*host, [this] { context_.wizard.hide(ScreenId::Screen13); });
    context_.wizard.end(0);
}

} // namespace corvelle
