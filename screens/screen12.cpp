#include "screens/screen12.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/ShedDesign.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen12::screen12(ScreenContext &context)
    : WizardScreen(ScreenId::Screen12, context, QStringLiteral("Corvelle    (8 of 9)   Choose your Gable Roofing . . ."))
{
    Frame1 = Make<QGroupBox>(this, "Frame1", QStringLiteral("Gable Roofing "), 120, 120, 6375, 3135);
    Image1 = Picture(Frame1, "Image1", QStringLiteral(":/pictures/screen12/Image1.svg"), 240, 360, 2328, 1656);
    Image2 = Picture(Frame1, "Image2", QStringLiteral(":/pictures/screen12/Image2.svg"), 3240, 360, 2376, 1608);
    // Neither framing is preset: the user chooses explicitly.
    Option1 = Make<QRadioButton>(Frame1, "Option1", QStringLiteral("Gable Trusses"), 960, 2640, 1455, 375);
    Option2 = Make<QRadioButton>(Frame1, "Option2", QStringLiteral("Gable Supports"), 3960, 2640, 1455, 375);

    makeButtonBar({.nextLeft = 4800});

    setTabSequence({Command3, Option1, Option2, Command4, Command5});
    // The focus starts on the first option without choosing it, so Enter presses Next.
    Option1->setFocus();
}

void screen12::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 360, 480);
        Move(Image2, 3240, 480);
    }
}

void screen12::Command5_Click()
{
    // With no option selected Trusses keeps what an earlier pass stored.
    if (Option1->isChecked())
        context_.design.Trusses = QStringLiteral("1");
    else if (Option2->isChecked())
        context_.design.Trusses = QStringLiteral("0");
    goNext();
}

} // namespace corvelle
