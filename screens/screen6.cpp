#include "screens/screen6.h"

#include "app/Pictures.h"
#include "app/ShedDesign.h"
#include "app/Twips.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

namespace {

// Tab enters an option group at its selected option only; once the user moves
// within the group, Qt keeps that single stop on the option that had the focus.
void tabStopOnSelected(std::initializer_list<QRadioButton *> group)
{
    for (QRadioButton *option : group)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

screen6::screen6(ScreenContext &context)
    : WizardScreen(ScreenId::Screen6, context, QStringLiteral("Corvelle    (4 of 9)   Choose your Inner Wall Type . . ."))
{
    makeButtonBar();

    Frame2 = new QGroupBox(QStringLiteral("Inner Walls:"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFocusPolicy(Qt::NoFocus);
    Place(Frame2, 240, 120, 3105, 3255);

    // Empty until Form_Load gives it the picture of the initial material.
    Image1 = new QLabel(Frame2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Place(Image1, 120, 216, 2916, 2076);

    Option2 = new QRadioButton(QStringLiteral("Sheetrock"), Frame2);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setChecked(true);
    Place(Option2, 600, 2400, 1212, 252);

    Option6 = new QRadioButton(QStringLiteral("Wafer board / Plywood"), Frame2);
    Option6->setObjectName(QStringLiteral("Option6"));
    Place(Option6, 600, 2640, 2055, 252);

    Option3 = new QRadioButton(QStringLiteral("None"), Frame2);
    Option3->setObjectName(QStringLiteral("Option3"));
    Place(Option3, 600, 2880, 1332, 252);

    Frame1 = new QGroupBox(QStringLiteral("Inner Wall Material Thickness:"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFocusPolicy(Qt::NoFocus);
    Place(Frame1, 3480, 120, 3105, 3255);

    Image2 = new QLabel(Frame1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen6/Image2.svg")));
    Image2->setScaledContents(true);
    Place(Image2, 120, 216, 2328, 1656);

    // The thickness options belong to the window, not to Frame1: a group of their
    // own, drawn over the lower part of the frame.
    Option1 = new QRadioButton(QStringLiteral("1/4 inch thick"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Place(Option1, 3600, 2640, 1335, 252);

    Option4 = new QRadioButton(QStringLiteral("1/2 inch thick"), this);
    Option4->setObjectName(QStringLiteral("Option4"));
    Option4->setChecked(true);
    Place(Option4, 3600, 2880, 1335, 252);

    Option5 = new QRadioButton(QStringLiteral("3/4 inch thick"), this);
    Option5->setObjectName(QStringLiteral("Option5"));
    Place(Option5, 5160, 2640, 1335, 252);

    Option7 = new QRadioButton(QStringLiteral("5/8 inch thick"), this);
    Option7->setObjectName(QStringLiteral("Option7"));
    Place(Option7, 5160, 2880, 1335, 252);

    // Qt's automatic exclusivity looks for buttons in the whole window, frames
    // included, so it would make one group of all seven options.
    auto *materials = new QButtonGroup(this);
    for (QRadioButton *option : {Option2, Option6, Option3})
        materials->addButton(option);
    auto *thicknesses = new QButtonGroup(this);
    for (QRadioButton *option : {Option1, Option4, Option5, Option7})
        thicknesses->addButton(option);
    tabStopOnSelected({Option2, Option6, Option3});
    tabStopOnSelected({Option1, Option4, Option5, Option7});

    setTabSequence({Command3, Command5, Command4, Option1, Option4, Option5, Option2, Option3, Option6, Option7});

    on(Option2, &QRadioButton::toggled, [this] { if (Option2->isChecked()) Option2_Click(); });
    on(Option6, &QRadioButton::toggled, [this] { if (Option6->isChecked()) Option6_Click(); });
    on(Option3, &QRadioButton::toggled, [this] { if (Option3->isChecked()) Option3_Click(); });
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
    Image1->setPixmap(BitmapResource(122));
    // The focus starts on Next, the first stop after Cancel.
    Command5->setFocus();
}

void screen6::Option2_Click()
{
    Image1->setPixmap(BitmapResource(122));
    setThicknessEnabled(true);
}

void screen6::Option6_Click()
{
    Image1->setPixmap(BitmapResource(122));
    setThicknessEnabled(true);
}

void screen6::Option3_Click()
{
    Image1->setPixmap(BitmapResource(123));
    setThicknessEnabled(false);
}

void screen6::Command5_Click()
{
    ShedDesign &design = context_.design;
    // Both lining materials are one code in the data file.
    if (Option2->isChecked())
        design.InWallType = QStringLiteral("1");
    else if (Option6->isChecked())
        design.InWallType = QStringLiteral("1");
    else if (Option3->isChecked())
        design.InWallType = QStringLiteral("0");

    // Stored whether the group is enabled or not.
    if (Option1->isChecked())
        design.SheetrockThickness = QStringLiteral(".25");
    else if (Option4->isChecked())
        design.SheetrockThickness = QStringLiteral(".5");
    else if (Option5->isChecked())
        design.SheetrockThickness = QStringLiteral(".75");
    else if (Option7->isChecked())
        design.SheetrockThickness = QStringLiteral(".625");

    goNext();
}

} // namespace corvelle
