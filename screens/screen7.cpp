#include "screens/screen7.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/DesignRules.h"
#include "core/ShedDesign.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen7::screen7(ScreenContext &context)
    : WizardScreen(ScreenId::Screen7, context, QStringLiteral("Corvelle    (5 of 9)   Choose your Outer Wall Type . . ."))
{
    makeButtonBar();

    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Outer Wall Type:"), 120, 120, 6465, 3255);
    Image1 = Picture(Frame2, "Image1", QStringLiteral(":/pictures/screen7/Image1.svg"), 120, 216, 1176, 1848);
    Image2 = Picture(Frame2, "Image2", QStringLiteral(":/pictures/screen7/Image2.svg"), 1680, 216, 1176, 1848);
    Image3 = Picture(Frame2, "Image3", QStringLiteral(":/pictures/screen7/Image3.svg"), 3240, 216, 1176, 1848);
    Image4 = Picture(Frame2, "Image4", QStringLiteral(":/pictures/screen7/Image4.svg"), 4800, 216, 1176, 1848);

    // The options belong to the window and lie over the frame, each under its picture.
    Option1 = Make<QRadioButton>(this, "Option1", QStringLiteral("Siding"), 450, 2760, 1335, 372);
    Option1->setChecked(true);
    Option2 = Make<QRadioButton>(this, "Option2", QStringLiteral("Vertical Siding"), 1880, 2760, 1335, 372);
    Option3 = Make<QRadioButton>(this, "Option3", QStringLiteral("Plywood"), 3600, 2760, 1095, 372);
    Option4 = Make<QRadioButton>(this, "Option4", QStringLiteral("Tin"), 5280, 2760, 720, 372);

    TabStopOnSelected({Option1, Option2, Option3, Option4});
    HeadedBy(Frame2, {Option1, Option2, Option3, Option4});
    setTabSequence({Command3, Option1, Option2, Command5, Command4, Option4, Option3});
}

void screen7::Form_Load()
{
    if (largeFonts()) {
        MoveInRow({Image1, Image2, Image3, Image4}, 240, 600, 1560);
    }
    // The focus starts on the covering choice, the first stop after Cancel.
    Option1->setFocus();
}

void screen7::Command5_Click()
{
    ShedDesign &design = context_.design;
    StoreFirstSelected(design.SidingName,
                       {{Option1, u"Vinyl"}, {Option2, u"Vertical"}, {Option3, u"Plywood"}, {Option4, u"Tin"}});

    DeriveSiding(design);
    goNext();
}

} // namespace corvelle
