#pragma once

// Drives the screens the way a user does, through their widgets, and the stand-ins
// the screen tests put behind them.

#include "tests/support/TestHarness.h"

#include <QList>
#include <QPair>
#include <QPoint>
#include <QTest>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace corvelle::test {

// Shows each message as a real modal box that closes itself at once, so the screen
// loses the activation meanwhile, as it does on a desktop.
class ModalMessages final : public MessageService {
public:
    void showMessage(const QString &text, MessageForm) override;
    void showFailure(const QString &text) override { texts << text; }
    QStringList texts;
};

// The window system giving a window the activation.
void activate(QWidget *window);

template <typename Window>
Window *activated(Window *window)
{
    activate(window);
    return window;
}

void click(QWidget *control);
// Clicks the indicator, which is inside the button's hit area whatever its caption.
void choose(QRadioButton *option);
// Next on a screen, with the mouse.
void next(WizardScreen *screen);

// Replaces a box's (or an editable list's) whole text by typing, after giving it
// the focus from the program; an empty text is a cleared box.
void type(QWidget *box, const QString &text);
// The same after clicking into the box, and checks that the box took the text.
void retype(QLineEdit *box, const QString &text);
// Picks a list item from the keyboard, with the arrow keys.
void pick(QComboBox *list, const QString &item);

// The Large Fonts layout of a screen against its normal one: each moved picture at
// its position in twips with its size kept, every other control where it was.
void compareLargeFontsLayout(QWidget *normal, QWidget *large, const QList<QPair<QLabel *, QPoint>> &moved);

// Whether a picture shows one of the program's bitmap resources.
bool shows(const QLabel *image, int bitmap);

// Where the focus stands before each of a number of presses of a key, starting
// from the control given the focus first.
QList<QWidget *> focusStops(QWidget *from, Qt::Key key, int presses);
// The same, and where the focus is after the last press.
QList<QWidget *> walk(QWidget *from, Qt::Key key, int presses);
// The controls that Tab visits from Cancel until it comes back to Cancel, in the
// screen's window once it is active.
QList<QWidget *> tabWalk(WizardScreen *screen);
// Cancel and the controls after it in the focus chain that can take the focus.
QList<QWidget *> focusChain(WizardScreen *screen);

// The visible wizard windows by name, "none" without one.
QString describeVisible(const Harness &h);

// The screen when it is the one visible wizard window, else a test failure.
template <typename Screen>
Screen *shown(const Harness &h, ScreenId id)
{
    auto *s = h.screen<Screen>(id);
    if (!s || h.visible() != s) {
        QTest::qFail(qPrintable(QStringLiteral("expected screen%1 alone on screen; visible: %2")
                                    .arg(int(id))
                                    .arg(describeVisible(h))),
                     __FILE__, __LINE__);
        return nullptr;
    }
    return s;
}

} // namespace corvelle::test
