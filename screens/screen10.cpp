#include "screens/screen10.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/ShedDesign.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen10::screen10(ScreenContext &context)
    : WizardScreen(ScreenId::Screen10, context, QStringLiteral("Corvelle    (8 of 9)   Choose your Roof Type . . ."))
{
    Frame1 = Make<QGroupBox>(this, "Frame1", QStringLiteral("Roof Types "), 120, 120, 6375, 3135);
    Image1 = Picture(Frame1, "Image1", QStringLiteral(":/pictures/screen10/Image1.svg"), 240, 216, 2328, 1656);
    Image2 = Picture(Frame1, "Image2", QStringLiteral(":/pictures/screen10/Image2.svg"), 3240, 240, 2328, 1656);
    // Neither roof type is preset: the user chooses explicitly.
    Option1 = Make<QRadioButton>(Frame1, "Option1", QStringLiteral("Gable"), 1200, 2640, 1095, 375);
    Option2 = Make<QRadioButton>(Frame1, "Option2", QStringLiteral("Barn"), 4320, 2640, 975, 375);

    makeButtonBar();

    setTabSequence({Command3, Option1, Option2, Command4, Command5});
    // The focus starts on the first option without choosing it, so Enter presses Next.
    Option1->setFocus();
}

void screen10::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 360, 480);
        Move(Image2, 3240, 480);
    }
}

void screen10::Command5_Click()
{
    // With no option selected the roof type of an earlier pass still decides.
    StoreFirstSelected(context_.design.RoofType, {{Option1, u"Gable"}, {Option2, u"Barn"}});
    // The flow stores Trusses "1" for a wide shed and stays when no roof type is known.
    goNext();
}

} // namespace corvelle
