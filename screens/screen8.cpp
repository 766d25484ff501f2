#include "screens/screen8.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/Numbers.h"
#include "core/ShedDesign.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen8::screen8(ScreenContext &context)
    : WizardScreen(ScreenId::Screen8, context, QStringLiteral("Corvelle    (6 of 9)   Choose your Main Door Type . . ."))
{
    makeButtonBar();

    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Main Door Location:"), 120, 120, 6465, 3255);
    Image1 = Picture(Frame2, "Image1", QStringLiteral(":/pictures/screen8/Image1.svg"), 120, 216, 1176, 1848);
    Image2 = Picture(Frame2, "Image2", QStringLiteral(":/pictures/screen8/Image2.svg"), 1680, 216, 1176, 1848);
    Image3 = Picture(Frame2, "Image3", QStringLiteral(":/pictures/screen8/Image3.svg"), 3240, 216, 1176, 1848);
    Image4 = Picture(Frame2, "Image4", QStringLiteral(":/pictures/screen8/Image4.svg"), 4800, 216, 1176, 1848);

    Label2 = Make<QLabel>(Frame2, "Label2", QStringLiteral("Door Width: "), 600, 2910, 1095, 255);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label3 = Make<QLabel>(Frame2, "Label3", QStringLiteral(" Feet"), 2190, 2910, 615, 255);
    Label1 = Make<QLabel>(Frame2, "Label1", QStringLiteral("Door Height: "), 3120, 2910, 1095, 255);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4 = Make<QLabel>(Frame2, "Label4", QStringLiteral(" Feet"), 4710, 2910, 495, 255);

    // The options and the boxes belong to the window and lie over the frame.
    Option1 = Make<QRadioButton>(this, "Option1", QStringLiteral("None"), 480, 2640, 852, 372);
    Option2 = Make<QRadioButton>(this, "Option2", QStringLiteral("Front"), 2040, 2640, 855, 372);
    Option2->setChecked(true);
    Option3 = Make<QRadioButton>(this, "Option3", QStringLiteral("Back"), 3600, 2640, 735, 372);
    Option4 = Make<QRadioButton>(this, "Option4", QStringLiteral("Both"), 5280, 2640, 855, 372);

    // The width box stands on the left, under "Door Width: ", although it is Text2.
    Text2 = Make<QLineEdit>(this, "Text2", QStringLiteral("8"), 1800, 3000, 495, 288);
    Text1 = Make<QLineEdit>(this, "Text1", QStringLiteral("6"), 4320, 3000, 495, 288);

    NameAfter(Text2, Label2);
    NameAfter(Text1, Label1);

    TabStopOnSelected({Option1, Option2, Option3, Option4});
    HeadedBy(Frame2, {Option1, Option2, Option3, Option4});
    setTabSequence({Command3, Option1, Option2, Command5, Command4, Option4, Option3, Text1, Text2});

    onGotFocus(Text1, [this] { Text1_GotFocus(); });
    onGotFocus(Text2, [this] { Text2_GotFocus(); });
}

void screen8::Form_Load()
{
    if (largeFonts()) {
        MoveInRow({Image1, Image2, Image3, Image4}, 240, 600, 1560);
    }
    // The focus starts on the door choice, the first stop after Cancel.
    Option2->setFocus();
}

// A narrow shed gets the narrow-door sizes on every showing; ShedWidth passed the
// numeric test on the size screen, so the strict conversion holds.
void screen8::Form_Activate()
{
    if (StrictNumber(context_.design.ShedWidth) < 10) {
        Text1->setText(QStringLiteral("6"));
        Text2->setText(QStringLiteral("3"));
    }
}

void screen8::Text1_GotFocus() { Text1->setSelection(0, 10); }

void screen8::Text2_GotFocus() { Text2->setSelection(0, 10); }

// Stores in stages: the location before any check, the sizes once both are numbers;
// a later successful Next stores all three again.
void screen8::Command5_Click()
{
    ShedDesign &design = context_.design;
    StoreFirstSelected(design.MainDoorLocation,
                       {{Option1, u"None"}, {Option2, u"Front"}, {Option3, u"Rear"}, {Option4, u"Both"}});

    if (!IsNumeric(Text2->text()))
        return refuse(Text2, QStringLiteral("Please enter a valid Door Width and try again."));
    if (!IsNumeric(Text1->text()))
        return refuse(Text1, QStringLiteral("Please enter a valid Door Height and try again."));

    design.MainDoorWidth = NumberToText(LeadingNumber(Text2->text()));
    design.MainDoorHeight = NumberToText(LeadingNumber(Text1->text()));

    if (LeadingNumber(Text2->text()) < 3)
        return refuse(QStringLiteral("Please enter a Door Width greater than 3 feet and try again."),
                      MessageForm::Plain);
    if (LeadingNumber(Text1->text()) < 6)
        return refuse(QStringLiteral("Please enter a Door Height of more than 6 feet and try again."),
                      MessageForm::Plain);
    // Neither comparison has a margin, whatever the messages say.
    if (!(LeadingNumber(design.ShedWidth) > LeadingNumber(design.MainDoorWidth)))
        return refuse(Text2,
                      QStringLiteral("Door width must be at least 1 foot less than shed width. Please try again."));
    // Against the inner wall height, not the shed height.
    if (!(LeadingNumber(design.InnerHeight) > LeadingNumber(design.MainDoorHeight)))
        return refuse(Text1,
                      QStringLiteral("Door height must be at least 1 foot less than shed height. Please try again."));

    // A gravel floor stores ramp "None" and passes over the ramp screen.
    goNext();
}

} // namespace corvelle
