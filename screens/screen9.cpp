#include "screens/screen9.h"

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
    image->setPixmap(RenderPicture(QStringLiteral(":/pictures/screen9/%1.svg").arg(QLatin1String(name))));
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

screen9::screen9(ScreenContext &context)
    : WizardScreen(ScreenId::Screen9, context, QStringLiteral("Corvelle    (7 of 9)   Choose your Ramp Location . . ."))
{
    makeButtonBar({.nextTop = 3588});

    Frame2 = new QGroupBox(QStringLiteral("Ramp Location:"), this);
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
    Place(Image4, 4800, 240, 1176, 1848);

    // The options belong to the window and lie over the frame, each under its picture.
    Option1 = new QRadioButton(QStringLiteral("None"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Place(Option1, 480, 2760, 852, 372);

    Option2 = new QRadioButton(QStringLiteral("Front"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setChecked(true);
    Place(Option2, 2040, 2760, 855, 372);

    Option3 = new QRadioButton(QStringLiteral("Back"), this);
    Option3->setObjectName(QStringLiteral("Option3"));
    Place(Option3, 3600, 2760, 735, 372);

    Option4 = new QRadioButton(QStringLiteral("Both"), this);
    Option4->setObjectName(QStringLiteral("Option4"));
    Place(Option4, 5280, 2760, 855, 372);

    tabStopOnSelected({Option1, Option2, Option3, Option4});
    setTabSequence({Command3, Option1, Option2, Command5, Command4, Option4, Option3});
}

void screen9::Form_Load()
{
    if (largeFonts()) {
        Move(Image1, 240, 600);
        Move(Image2, 1800, 600);
        Move(Image3, 3360, 600);
        Move(Image4, 4920, 600);
    }
    // The focus starts on the ramp choice, the first stop after Cancel.
    Option2->setFocus();
}

// A ramp side is offered only where the main door is, and on no side of a gravel
// floor. Recomputed at every showing, as the door may have changed meanwhile.
void screen9::Form_Activate()
{
    const ShedDesign &design = context_.design;
    const QString &door = design.MainDoorLocation;
    QWidget *const focused = focusWidget();
    const bool built = design.FloorType != u"0";
    Option2->setEnabled(built && (door == u"Front" || door == u"Both"));
    Option3->setEnabled(built && (door == u"Rear" || door == u"Both"));
    Option4->setEnabled(built && door == u"Both");
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
    tabStopOnSelected({Option1, Option2, Option3, Option4});
}

void screen9::Command5_Click()
{
    ShedDesign &design = context_.design;
    if (Option1->isChecked())
        design.RampLocation = QStringLiteral("None");
    else if (Option2->isChecked())
        design.RampLocation = QStringLiteral("Front");
    else if (Option3->isChecked())
        design.RampLocation = QStringLiteral("Rear");
    else if (Option4->isChecked())
        design.RampLocation = QStringLiteral("Both");

    goNext();
}

} // namespace corvelle
