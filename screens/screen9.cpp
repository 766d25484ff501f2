#include "screens/screen9.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/DesignRules.h"
#include "core/ShedDesign.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen9::screen9(ScreenContext &context)
    : WizardScreen(ScreenId::Screen9, context, QStringLiteral("Corvelle    (7 of 9)   Choose your Ramp Location . . ."))
{
    makeButtonBar({.nextTop = 3588});

    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Ramp Location:"), 120, 120, 6465, 3255);
    Image1 = Picture(Frame2, "Image1", QStringLiteral(":/pictures/screen9/Image1.svg"), 120, 216, 1176, 1848);
    Image2 = Picture(Frame2, "Image2", QStringLiteral(":/pictures/screen9/Image2.svg"), 1680, 216, 1176, 1848);
    Image3 = Picture(Frame2, "Image3", QStringLiteral(":/pictures/screen9/Image3.svg"), 3240, 216, 1176, 1848);
    Image4 = Picture(Frame2, "Image4", QStringLiteral(":/pictures/screen9/Image4.svg"), 4800, 240, 1176, 1848);

    // The options belong to the window and lie over the frame, each under its picture.
    Option1 = Make<QRadioButton>(this, "Option1", QStringLiteral("None"), 480, 2760, 852, 372);
    Option2 = Make<QRadioButton>(this, "Option2", QStringLiteral("Front"), 2040, 2760, 855, 372);
    Option2->setChecked(true);
    Option3 = Make<QRadioButton>(this, "Option3", QStringLiteral("Back"), 3600, 2760, 735, 372);
    Option4 = Make<QRadioButton>(this, "Option4", QStringLiteral("Both"), 5280, 2760, 855, 372);

    TabStopOnSelected({Option1, Option2, Option3, Option4});
    HeadedBy(Frame2, {Option1, Option2, Option3, Option4});
    setTabSequence({Command3, Option1, Option2, Command5, Command4, Option4, Option3});
}

void screen9::Form_Load()
{
    if (largeFonts()) {
        MoveInRow({Image1, Image2, Image3, Image4}, 240, 600, 1560);
    }
    // The focus starts on the ramp choice, the first stop after Cancel.
    Option2->setFocus();
}

// A ramp side is offered only where the main door is, and on no side of a gravel
// floor. Recomputed at every showing, as the door may have changed meanwhile.
void screen9::Form_Activate()
{
    const ShedDesign &design = context_.design;
    QWidget *const focused = focusWidget();
    Option2->setEnabled(RampAllowed(design, u"Front"));
    Option3->setEnabled(RampAllowed(design, u"Rear"));
    Option4->setEnabled(RampAllowed(design, u"Both"));
    Option1->setEnabled(true);

    // Never leave a ruled-out side as the choice: it would be stored as a ramp
    // where there is no door.
    for (QRadioButton *side : {Option2, Option3, Option4}) {
        if (side->isChecked() && !side->isEnabled()) {
            Option1->setChecked(true);
            // A focus on the ruled-out side follows the choice rather than leaving the group.
            if (focused == side)
                Option1->setFocus();
        }
    }
    // The stop follows the selection, which may have moved, rather than a side
    // that had the focus on an earlier visit and may now be disabled.
    TabStopOnSelected({Option1, Option2, Option3, Option4});
    HeadedBy(Frame2, {Option1, Option2, Option3, Option4});
}

void screen9::Command5_Click()
{
    StoreFirstSelected(context_.design.RampLocation,
                       {{Option1, u"None"}, {Option2, u"Front"}, {Option3, u"Rear"}, {Option4, u"Both"}});
    goNext();
}

} // namespace corvelle
