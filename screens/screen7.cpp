#include "screens/screen7.h"

#include "app/Pictures.h"
#include "app/ShedDesign.h"
#include "app/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

namespace {

QLabel *picture(QWidget *frame, const char *name)
{
    auto *image = new QLabel(frame);
    image->setObjectName(QString::fromLatin1(name));
    image->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen7/%1.svg").arg(QLatin1String(name))));
    image->setScaledContents(true);
    return image;
}

// Tab enters the option group at its selected option only; once the user moves
// within the group, Qt keeps that single stop on the option that had the focus.
void tabStopOnSelected(std::initializer_list<QRadioButton *> group)
{
    for (QRadioButton *option : group)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

screen7::screen7(ScreenContext &context)
    : WizardScreen(ScreenId::Screen7, context, QStringLiteral("Corvelle    (5 of 9)   Choose your Outer Wall Type . . ."))
{
    makeButtonBar();

    Frame2 = new QGroupBox(QStringLiteral("Outer Wall Type:"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFocusPolicy(Qt::NoFocus);
    Place(Frame2, 120, 120, 6465, 3255);

    Image1 = picture(Frame2, "Image1");
    Place(Image1, 120, 216, 1176, 1848);

    Image2 = picture(Frame2, "Image2");
    Place(Image2, 1680, 216, 1176, 1848);

    Image3 = picture(Frame2, "Image3");
    Place(Image3, 3240, 216, 1176, 1848);

    Image4 = picture(Frame2, "Image4");
    Place(Image4, 4800, 216, 1176, 1848);

    // The options belong to the window and lie over the frame, each under its picture.
    Option1 = new QRadioButton(QStringLiteral("Siding"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setChecked(true);
    Place(Option1, 450, 2760, 1335, 372);

    Option2 = new QRadioButton(QStringLiteral("Vertical Siding"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Place(Option2, 1880, 2760, 1335, 372);

    Option3 = new QRadioButton(QStringLiteral("Plywood"), this);
    Option3->setObjectName(QStringLiteral("Option3"));
    Place(Option3, 3600, 2760, 1095, 372);

    Option4 = new QRadioButton(QStringLiteral("Tin"), this);
    Option4->setObjectName(QStringLiteral("Option4"));
    Place(Option4, 5280, 2760, 720, 372);

    tabStopOnSelected({Option1, Option2, Option3, Option4});
    setTabSequence({Command3, Option1, Option2, Command5, Command4, Option4, Option3});
}

void screen7::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 240, 600);
        Move(Image2, 1800, 600);
        Move(Image3, 3360, 600);
        Move(Image4, 4920, 600);
    }
    // The focus starts on the covering choice, the first stop after Cancel.
    Option1->setFocus();
}

void screen7::Command5_Click()
{
    ShedDesign &design = context_.design;
    if (Option1->isChecked())
        design.SidingName = QStringLiteral("Vinyl");
    else if (Option2->isChecked())
        design.SidingName = QStringLiteral("Vertical");
    else if (Option3->isChecked())
        design.SidingName = QStringLiteral("Plywood");
    else if (Option4->isChecked())
        design.SidingName = QStringLiteral("Tin");

    // The code and the material follow the name, the piece size follows the code.
    if (design.SidingName == u"Vinyl") {
        design.OuterWallType = QStringLiteral("1");
        design.OuterWallMaterial = QStringLiteral("Cobalt");
    } else if (design.SidingName == u"Vertical") {
        design.OuterWallType = QStringLiteral("2");
        design.OuterWallMaterial = QStringLiteral("Steel");
    } else if (design.SidingName == u"Plywood") {
        design.OuterWallType = QStringLiteral("3");
        design.OuterWallMaterial = QStringLiteral("Oak");
    } else if (design.SidingName == u"Tin") {
        design.OuterWallType = QStringLiteral("4");
        design.OuterWallMaterial = QStringLiteral("Aluminum");
    }

    // Vertical boards are the one narrow, tall piece.
    design.SidingWidth = design.OuterWallType == u"2" ? QStringLiteral(".5") : QStringLiteral("8");
    if (design.OuterWallType == u"2")
        design.SidingHeight = QStringLiteral("8");
    else if (design.OuterWallType == u"4")
        design.SidingHeight = QStringLiteral("2.5");
    else if (design.OuterWallType == u"1")
        design.SidingHeight = QStringLiteral(".5");
    else if (design.OuterWallType == u"3")
        design.SidingHeight = QStringLiteral("4");

    goNext();
}

} // namespace corvelle
