#include "screens/screen3.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "core/Numbers.h"
#include "core/ShedDesign.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace corvelle {

screen3::screen3(ScreenContext &context)
    : WizardScreen(ScreenId::Screen3, context, QStringLiteral("Corvelle    (1 of 9)   Choose your Shed Size . . ."))
{
    makeButtonBar();

    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Building Size in Feet:"), 240, 120, 6345, 3255);
    Image1 = Picture(Frame2, "Image1", QStringLiteral(":/pictures/screen3/Image1.svg"), 132, 216, 2904, 2328);

    Label1 = Make<QLabel>(Frame2, "Label1", QStringLiteral("Shed Width"), 4560, 480, 975, 255);
    Text1 = Make<QLineEdit>(Frame2, "Text1", QStringLiteral("10"), 4560, 708, 972, 288);
    Label2 = Make<QLabel>(Frame2, "Label2", QStringLiteral("Shed Depth"), 4560, 1440, 975, 255);
    Text2 = Make<QLineEdit>(Frame2, "Text2", QStringLiteral("20"), 4560, 1680, 972, 288);
    // The inside-height row is inactive for good: the height stays at 8.
    Label3 = Make<QLabel>(Frame2, "Label3", QStringLiteral("Inside Height"), 4560, 2400, 975, 255);
    Label3->setEnabled(false);
    Text3 = Make<QLineEdit>(Frame2, "Text3", QStringLiteral("8"), 4560, 2640, 972, 288);
    Text3->setEnabled(false);
    // The captions over the boxes are centred, each in its own colour.
    for (auto [label, colour] : {std::pair{Label1, QColor(255, 0, 0)}, std::pair{Label2, QColor(0, 0, 255)},
                                 std::pair{Label3, QColor(128, 0, 0)}}) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        SetTextColour(label, colour);
    }

    // The step buttons belong to the window and lie over the frame, beside their boxes.
    Command2 = Make<QPushButton>(this, "Command2", QStringLiteral("-"), 4440, 840, 252, 252);
    Command1 = Make<QPushButton>(this, "Command1", QStringLiteral("+"), 5880, 840, 252, 252);
    Command8 = Make<QPushButton>(this, "Command8", QStringLiteral("-"), 4440, 1800, 252, 252);
    Command6 = Make<QPushButton>(this, "Command6", QStringLiteral("+"), 5880, 1800, 252, 252);
    Command9 = Make<QPushButton>(this, "Command9", QStringLiteral("-"), 4440, 2760, 252, 252);
    Command9->setEnabled(false);
    Command7 = Make<QPushButton>(this, "Command7", QStringLiteral("+"), 5880, 2760, 252, 252);
    Command7->setEnabled(false);
    NameAfter(Text1, Label1);
    NameAfter(Text2, Label2);
    NameAfter(Text3, Label3);
    NameStepButtons(Command2, Command1, Text1);
    NameStepButtons(Command8, Command6, Text2);
    NameStepButtons(Command9, Command7, Text3);

    setTabSequence({Command3, Text1, Text2, Text3, Command5, Command4, Command1, Command2, Command6, Command7,
                    Command8, Command9});

    on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
    on(Command6, &QPushButton::clicked, [this] { Command6_Click(); });
    on(Command8, &QPushButton::clicked, [this] { Command8_Click(); });
    on(Command7, &QPushButton::clicked, [this] { Command7_Click(); });
    on(Command9, &QPushButton::clicked, [this] { Command9_Click(); });
    onGotFocus(Text1, [this] { Text1_GotFocus(); });
    onGotFocus(Text2, [this] { Text2_GotFocus(); });
    onGotFocus(Text3, [this] { Text3_GotFocus(); });
}

void screen3::Form_Load()
{
    if (largeFonts())
        Move(Image1, 600, 600);
    // The user can type a width at once.
    Text1->setFocus();
}

// One foot up or down, without bounds.
void screen3::Command1_Click() { StepNumberBox(Text1, +1); }

void screen3::Command2_Click() { StepNumberBox(Text1, -1); }

void screen3::Command6_Click() { StepNumberBox(Text2, +1); }

void screen3::Command8_Click() { StepNumberBox(Text2, -1); }

void screen3::Command7_Click() { StepNumberBox(Text3, +1); }

void screen3::Command9_Click() { StepNumberBox(Text3, -1); }

void screen3::Text1_GotFocus() { Text1->setSelection(0, 10); }

void screen3::Text2_GotFocus() { Text2->setSelection(0, 10); }

void screen3::Text3_GotFocus() { Text3->setSelection(0, 10); }

// All numeric tests first, then all upper limits, then all lower limits; the first
// failure is the one reported.
void screen3::Command5_Click()
{
    const QString width = Text1->text();
    const QString depth = Text2->text();
    const QString height = Text3->text();

    if (!IsNumeric(width))
        return refuse(Text1, QStringLiteral("Please enter a valid Shed Width and try again."));
    if (!IsNumeric(depth))
        return refuse(Text2, QStringLiteral("Please enter a valid Shed Depth and try again."));
    if (!IsNumeric(height))
        return refuse(Text3, QStringLiteral("Please enter a valid Shed Heigth and try again."));
    if (LeadingNumber(width) > 50)
        return refuse(Text1, QStringLiteral("Please enter a Shed Width of 50 feet or less and try again."));
    if (LeadingNumber(depth) > 50)
        return refuse(Text2, QStringLiteral("Please enter a Shed depth of 50 feet or less and try again."));
    if (LeadingNumber(height) > 20)
        return refuse(Text3, QStringLiteral("Please enter a Shed Height of 20 feet or less and try again."));
    if (LeadingNumber(width) < 8)
        return refuse(Text1, QStringLiteral("Please enter a Shed Width of 8 feet or greater and try again."));
    if (LeadingNumber(depth) < 8)
        return refuse(Text2, QStringLiteral("Please enter a Shed depth of 8 feet or greater and try again."));
    if (LeadingNumber(height) < 8)
        return refuse(Text3, QStringLiteral("Please enter a Shed Height of 8 feet or greater and try again."));

    context_.design.ShedWidth = width;
    context_.design.ShedDepth = depth;
    context_.design.ShedHeight = height;
    goNext();
}

} // namespace corvelle
