#include "screens/screen12.h"

#include "app/Pictures.h"
#include "app/ShedDesign.h"
#include "app/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen12::screen12(ScreenContext &context)
    : WizardScreen(ScreenId::Screen12, context, QStringLiteral("Corvelle    (8 of 9)   Choose your Gable Roofing . . ."))
{
    Frame1 = new QGroupBox(QStringLiteral("Gable Roofing "), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Place(Frame1, 120, 120, 6375, 3135);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen12/Image1.svg")));
    Image1->setScaledContents(true);
    Place(Image1, 240, 360, 2328, 1656);

    Image2 = new QLabel(Frame1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen12/Image2.svg")));
    Image2->setScaledContents(true);
    Place(Image2, 3240, 360, 2376, 1608);

    // Neither framing is preset: the user chooses explicitly.
    Option1 = new QRadioButton(QStringLiteral("Gable Trusses"), Frame1);
    Option1->setObjectName(QStringLiteral("Option1"));
    Place(Option1, 960, 2640, 1455, 375);

    Option2 = new QRadioButton(QStringLiteral("Gable Supports"), Frame1);
    Option2->setObjectName(QStringLiteral("Option2"));
    Place(Option2, 3960, 2640, 1455, 375);

    makeButtonBar({.nextLeft = 4800});

    setTabSequence({Command3, Option1, Option2, Command4, Command5});
    Command3->setFocus();
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
