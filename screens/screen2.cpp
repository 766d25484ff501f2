#include "screens/screen2.h"

#include "app/Controls.h"
#include "core/AtomicSave.h"
#include "core/Numbers.h"
#include "host/Host.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvelle {

screen2::screen2(ScreenContext &context)
    : WizardScreen(ScreenId::Screen2, context, QStringLiteral("Corvelle . . . Choose Your Building Width."))
{
    Frame1 = Make<QGroupBox>(this, "Frame1", QStringLiteral("Building Shape:"), 240, 120, 4215, 3255);

    // The style bitmap is drawn at its own size from the top-left corner; what
    // does not fit is cut off, nothing is scaled.
    Picture1 = Make<QLabel>(Frame1, "Picture1", 200, 230, 3855, 2535);
    Picture1->setScaledContents(false);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setAutoFillBackground(true);
    QPalette windowColours = Picture1->palette();
    windowColours.setColor(QPalette::Window, windowColours.color(QPalette::Base));
    windowColours.setColor(QPalette::WindowText, windowColours.color(QPalette::Text));
    Picture1->setPalette(windowColours);
    Picture1->setFocusPolicy(Qt::TabFocus);

    Command1 = Make<QPushButton>(Frame1, "Command1", QStringLiteral("<< &Previous "), 600, 2800, 1425, 345);
    Command2 = Make<QPushButton>(Frame1, "Command2", QStringLiteral(" For&ward >>"), 2160, 2800, 1425, 345);
    NameAsSpoken(Command1);
    NameAsSpoken(Command2);

    Frame2 = Make<QGroupBox>(this, "Frame2", QStringLiteral("Building Width :"), 4560, 120, 2025, 3255);
    Label1 = Make<QLabel>(Frame2, "Label1", QStringLiteral("Shed  Width"), 480, 960, 972, 204);
    Text1 = Make<QLineEdit>(Frame2, "Text1", QStringLiteral("12"), 600, 1200, 720, 345);
    Command7 = Make<QPushButton>(Frame2, "Command7", QStringLiteral("-"), 240, 1275, 225, 225);
    Command6 = Make<QPushButton>(Frame2, "Command6", QStringLiteral("+"), 1440, 1275, 225, 225);
    NameAfter(Text1, Label1);
    NameStepButtons(Command7, Command6, Text1);

    makeButtonBar({.nextCaption = QStringLiteral("&Finish")});

    setTabSequence({Command1, Command2, Command3, Command4, Command5, Text1, Command6, Command7, Picture1});
    Command1->setFocus();

    on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
    on(Command6, &QPushButton::clicked, [this] { Command6_Click(); });
    on(Command7, &QPushButton::clicked, [this] { Command7_Click(); });
    onGotFocus(Text1, [this] { Text1_GotFocus(); });
}

void screen2::Form_Load()
{
    Type2D = FirstStyle;
    showStyle();
}

void screen2::showStyle() { ShowBitmap(Picture1, Type2D); }

void screen2::Command5_Click()
{
    const QString width = Text1->text();
    if (!IsNumeric(width))
        return refuse(QStringLiteral("Please enter a valid Building Width and try again"), MessageForm::ErrorIcon);
    const double feet = LeadingNumber(width);
    if (feet < 8)
        return refuse(QStringLiteral("Building Width must be at least 8 feet"), MessageForm::Plain);
    if (feet > 200)
        return refuse(QStringLiteral("Please enter a Building Width between 5 and 200 feet"), MessageForm::ErrorIcon);

    Launch2DSteps steps;
    // The width exactly as typed (it passed the numeric test, so it is plain ASCII).
    steps.writeWidthFile = [this, width] {
        SaveFileAtomically(QDir(context_.programFolder).filePath(QStringLiteral("shedSize.txt")),
                           width.toLatin1() + "\r\n");
    };
    steps.hideScreen = [this] { context_.wizard.hide(ScreenId::Screen2); };
    steps.type2D = Type2D;
    const auto host = context_.connectHost();
    Launch2D(*host, steps, ShapeFile, retval);
    context_.wizard.end(0);
}

void screen2::Command1_Click()
{
    --Type2D;
    if (Type2D < FirstStyle)
        Type2D = LastStyle;
    showStyle();
}

void screen2::Command2_Click()
{
    ++Type2D;
    if (Type2D > LastStyle)
        Type2D = FirstStyle;
    showStyle();
}

void screen2::Command6_Click() { StepNumberBox(Text1, +1); }

void screen2::Command7_Click() { StepNumberBox(Text1, -1); }

void screen2::Text1_GotFocus() { Text1->setSelection(0, 10); }

} // namespace corvelle
