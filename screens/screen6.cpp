#include "screens/screen6.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/ShedDesign.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

screen6::screen6(ScreenContext &context)
    : WizardScreen(ScreenId::Screen6, context, QStringLiteral("Corvelle    (4 of 9)   Choose your Inner Wall Type . . ."))
{
    makeButtonBar();

    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Inner Walls:"), 240, 120, 3105, 3255);
    // Empty until Form_Load gives it the picture of the initial material.
    Image1 = Make<QLabel>(Frame2, "Image1", 120, 216, 2916, 2076);
    Image1->setScaledContents(true);
    Option2 = Make<QRadioButton>(Frame2, "Option2", QStringLiteral("Sheetrock"), 600, 2400, 1212, 252);
    Option2->setChecked(true);
    Option6 = Make<QRadioButton>(Frame2, "Option6", QStringLiteral("Wafer board / Plywood"), 600, 2640, 2055, 252);
    Option3 = Make<QRadioButton>(Frame2, "Option3", QStringLiteral("None"), 600, 2880, 1332, 252);

    Frame1 = Make<QGroupBox>(this, "Frame1", QStringLiteral("Inner Wall Material Thickness:"), 3480, 120, 3105, 3255);
    Image2 = Picture(Frame1, "Image2", QStringLiteral(":/pictures/screen6/Image2.svg"), 120, 216, 2328, 1656);
    // The thickness options belong to the window, not to Frame1: a group of their
    // own, drawn over the lower part of the frame.
    Option1 = Make<QRadioButton>(this, "Option1", QStringLiteral("1/4 inch thick"), 3600, 2640, 1335, 252);
    Option4 = Make<QRadioButton>(this, "Option4", QStringLiteral("1/2 inch thick"), 3600, 2880, 1335, 252);
    Option4->setChecked(true);
    Option5 = Make<QRadioButton>(this, "Option5", QStringLiteral("3/4 inch thick"), 5160, 2640, 1335, 252);
    Option7 = Make<QRadioButton>(this, "Option7", QStringLiteral("5/8 inch thick"), 5160, 2880, 1335, 252);

    // Qt's automatic exclusivity looks for buttons in the whole window, frames
    // included, so it would make one group of all seven options.
    OptionGroup(this, {Option2, Option6, Option3});
    OptionGroup(this, {Option1, Option4, Option5, Option7});
    HeadedBy(Frame1, {Option1, Option4, Option5, Option7});

    setTabSequence({Command3, Command5, Command4, Option1, Option4, Option5, Option2, Option3, Option6, Option7});

    on(Option2, &QRadioButton::toggled, WhenSelected(Option2, [this] { Option2_Click(); }));
    on(Option6, &QRadioButton::toggled, WhenSelected(Option6, [this] { Option6_Click(); }));
    on(Option3, &QRadioButton::toggled, WhenSelected(Option3, [this] { Option3_Click(); }));
}

// Enabling never touches the selection: a greyed group still shows its thickness.
void screen6::setThicknessEnabled(bool enabled)
{
    for (QRadioButton *option : {Option1, Option4, Option5, Option7})
        option->setEnabled(enabled);
}

void screen6::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 360, 480);
        Move(Image2, 360, 480);
    }
    ShowBitmap(Image1, 122);
    // The focus starts on Next, the first stop after Cancel.
    Command5->setFocus();
}

void screen6::Option2_Click()
{
    ShowBitmap(Image1, 122);
    setThicknessEnabled(true);
}

void screen6::Option6_Click()
{
    ShowBitmap(Image1, 122);
    setThicknessEnabled(true);
}

void screen6::Option3_Click()
{
    ShowBitmap(Image1, 123);
    setThicknessEnabled(false);
}

void screen6::Command5_Click()
{
    ShedDesign &design = context_.design;
    // Both lining materials are one code in the data file.
    StoreFirstSelected(design.InWallType, {{Option2, u"1"}, {Option6, u"1"}, {Option3, u"0"}});
    // Stored whether the group is enabled or not.
    StoreFirstSelected(design.SheetrockThickness,
                       {{Option1, u".25"}, {Option4, u".5"}, {Option5, u".75"}, {Option7, u".625"}});

    goNext();
}

} // namespace corvelle
