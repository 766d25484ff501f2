#include "screens/screen1.h"

#include "app/ChoiceFrame.h"
#include "app/Controls.h"
#include "app/Pictures.h"
#include "app/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace corvelle {

screen1::screen1(ScreenContext &context)
    : WizardScreen(ScreenId::Screen1, context, QStringLiteral("Choose Your Building Type"))
{
    Frame1 = Make<ChoiceFrame>(this, "Frame1", QStringLiteral("2D Shed "), 240, 120, 3105, 3255);
    Image2 = Picture(Frame1, "Image2", QStringLiteral(":/pictures/screen1/Image2.svg"), 168, 240, 2184, 2268);
    Frame1->setPicture(Image2);
    Frame2 = Make<ChoiceFrame>(this, "Frame2", QStringLiteral("3D Shed "), 3480, 120, 3105, 3255);
    Image3 = Picture(Frame2, "Image3", QStringLiteral(":/pictures/screen1/Image3.svg"), 180, 240, 2184, 2268);
    Frame2->setPicture(Image3);

    Command1 = Make<QPushButton>(this, "Command1", QStringLiteral("Cancel"), 120, 3600, 1125, 345);
    // Not the default button, but Enter still presses it while it has the focus.
    Command1->setDefault(false);
    Command1->setAutoDefault(true);

    // The frames come first in the Tab order, but the focus starts on Cancel.
    setTabSequence({Frame1, Frame2, Command1});
    Command1->setFocus();

    // A move over a picture belongs to the picture alone: passed on to its frame,
    // it would put the default pointer straight back.
    for (QWidget *area : {static_cast<QWidget *>(Image2), static_cast<QWidget *>(Image3),
                          static_cast<QWidget *>(Frame1), static_cast<QWidget *>(Frame2)})
        area->setAttribute(Qt::WA_NoMousePropagation);

    onMouseMove(Image2, [this] { Image2_MouseMove(); });
    onMouseMove(Image3, [this] { Image3_MouseMove(); });
    onMouseMove(this, [this] { Form_MouseMove(); });
    onMouseMove(Frame1, [this] { Frame1_MouseMove(); });
    onMouseMove(Frame2, [this] { Frame2_MouseMove(); });
    onClick(Image2, [this] { Image2_Click(); });
    onClick(Image3, [this] { Image3_Click(); });
    on(Frame1, &ChoiceFrame::chosen, [this] { Image2_Click(); });
    on(Frame2, &ChoiceFrame::chosen, [this] { Image3_Click(); });
    on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
}

void screen1::Form_Load()
{
    if (largeFonts()) {
        Move(Image2, 300, 450);
        Move(Image3, 350, 450);
    }
}

// The program-wide pointer: it shows over every window of the program until set again.
void screen1::showHand()
{
    const QCursor hand = CursorResource(101);
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(hand);
    else
        QApplication::setOverrideCursor(hand);
}

void screen1::showDefaultPointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void screen1::Image2_MouseMove() { showHand(); }
void screen1::Image3_MouseMove() { showHand(); }
void screen1::Form_MouseMove() { showDefaultPointer(); }
void screen1::Frame1_MouseMove() { showDefaultPointer(); }
void screen1::Frame2_MouseMove() { showDefaultPointer(); }

void screen1::Image2_Click()
{
    showDefaultPointer();
    context_.wizard.moveTo(*this, ScreenId::Screen2);
}

void screen1::Image3_Click()
{
    showDefaultPointer();
    context_.wizard.moveTo(*this, ScreenId::Screen3);
}

void screen1::Command1_Click() { context_.wizard.end(0); }

} // namespace corvelle
