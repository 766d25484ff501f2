#include "screens/RoofingScreen.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/ShedDesign.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

RoofingScreen::RoofingScreen(ScreenContext &context, const Data &roofing) : WizardScreen(roofing.id, context, roofing.caption)
{
    Frame1 = Make<QGroupBox>(this, "Frame1", roofing.frameCaption, 120, 120, 6375, 3135);
    Image1 = Picture(Frame1, "Image1", roofing.pictureFolder + QStringLiteral("/Image1.svg"), 240, 360, 2328, 1656);
    Image2 = Picture(Frame1, "Image2", roofing.pictureFolder + QStringLiteral("/Image2.svg"), 3240, 360, 2376, 1608);
    // Neither framing is preset: the user chooses explicitly.
    Option1 = Make<QRadioButton>(Frame1, "Option1", roofing.trussesCaption, roofing.trussesLeft, 2640, 1455, 375);
    Option2 = Make<QRadioButton>(Frame1, "Option2", roofing.supportsCaption, 3960, 2640, 1455, 375);

    makeButtonBar({.nextLeft = roofing.nextLeft});

    setTabSequence({Command3, Option1, Option2, Command4, Command5});
    // The focus starts on the first option without choosing it, so Enter presses Next.
    Option1->setFocus();
}

void RoofingScreen::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 360, 480);
        Move(Image2, 3240, 480);
    }
}

void RoofingScreen::Command5_Click()
{
    // With no option selected Trusses keeps what an earlier pass stored.
    StoreFirstSelected(context_.design.Trusses, {{Option1, u"1"}, {Option2, u"0"}});
    goNext();
}

} // namespace corvelle
