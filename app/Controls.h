#pragma once

#include "app/Twips.h"

#include <QColor>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QStringView>

#include <initializer_list>
#include <optional>
#include <type_traits>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QObject;
class QPushButton;
class QWidget;

namespace corvelle {

// A single-line box drops line breaks from whatever is typed, pasted or set into it,
// so no field of a written file can ever span two lines.
void KeepOnOneLine(QLineEdit *box);

// Builds the screens' controls from their tables: kind, parent, name, caption and
// rectangle in twips. Anything else a control needs is set by its screen.

template <class W>
W *Make(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *control = new W(parent);
    control->setObjectName(QString::fromLatin1(name));
    Place(control, left, top, width, height);
    if constexpr (std::is_base_of_v<QLineEdit, W>)
        KeepOnOneLine(control);
    return control;
}

// The caption is a group box's title, a button's or label's text, or a box's initial text.
template <class W>
W *Make(QWidget *parent, const char *name, const QString &caption, int left, int top, int width, int height)
{
    auto *control = new W(caption, parent);
    control->setObjectName(QString::fromLatin1(name));
    Place(control, left, top, width, height);
    if constexpr (std::is_base_of_v<QLineEdit, W>)
        KeepOnOneLine(control);
    return control;
}

// A picture named by its SVG source (":/pictures/screen3/Image1.svg"; the program
// holds the image built from it), stretched over its rectangle. Screen readers get
// what it shows as its accessible name and description.
QLabel *Picture(QWidget *parent, const char *name, const QString &resource, int left, int top, int width,
                int height);

// Shows one of the program's numbered bitmaps in a picture, with what it shows as
// the picture's accessible name and description.
void ShowBitmap(QLabel *image, int id);

// A caption as a screen reader should say it: no access-key marker, no "<<" or ">>",
// blanks collapsed, a trailing colon dropped ("<<  &Back" becomes "Back", "Shed  Width"
// "Shed Width", "Building Width :" "Building Width").
QString SpokenCaption(const QString &caption);

// A button whose caption carries arrows is named by the rest of it ("Next").
void NameAsSpoken(QPushButton *button);

// Names a text box or editable list after the label that heads it; the label becomes
// its buddy, so the label relation points at the box too.
void NameAfter(QWidget *box, QLabel *label);

// Names a text box or editable list that has no label of its own.
void NameBox(QWidget *box, const QString &name);

// Names a box's step buttons by what they do to it: "Decrease Shed Width", "Increase Shed Width".
void NameStepButtons(QPushButton *down, QPushButton *up, const QWidget *box);

// Options that belong to the window, drawn over a frame, are not inside it for a
// screen reader: each carries the frame's heading as its accessible description, so
// "Front" on the door screen says "Main Door Location".
void HeadedBy(const QGroupBox *frame, std::initializer_list<QRadioButton *> options);

// An editable list that shows the given text until an item is chosen. Typed text
// stays as typed, capitals included, and never becomes an item.
QComboBox *EditableList(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                        int height);

// Tab enters an option group at its selected option only; once the user moves
// within the group, Qt keeps that single stop on the option that had the focus.
void TabStopOnSelected(std::initializer_list<QRadioButton *> group);

// Options that make an exclusive set of their own, with the single Tab stop above.
// Qt's auto-exclusivity reaches into frames: two groups on one window would make one.
QButtonGroup *OptionGroup(QObject *owner, std::initializer_list<QRadioButton *> group);

// A handler for an option's toggled signal that runs only when the option becomes
// the selected one, as a click on it does.
template <class Handler>
auto WhenSelected(QRadioButton *option, Handler handler)
{
    return [option, handler] {
        if (option->isChecked())
            handler();
    };
}

// An option and the value it stands for in the design record.
struct Choice {
    QRadioButton *option;
    QStringView value;
};

// The value of the first selected option in the order given; none when no option
// is selected. Options that are not mutually exclusive may both be selected: the
// earlier one wins.
std::optional<QString> FirstSelected(std::initializer_list<Choice> choices);

// Stores the first selected option's value; with none selected the field keeps
// what an earlier pass stored.
void StoreFirstSelected(QString &field, std::initializer_list<Choice> choices);

// A step button's press: the box's number plus delta, shown at once. A box that
// holds no number is left alone: a button press never ends the program, and Next
// refuses the text anyway.
void StepNumberBox(QLineEdit *box, double delta);

// Moves pictures, keeping their sizes, to one row: the first at (left, top) in
// twips, each next one step twips further right (the Large Fonts layouts).
void MoveInRow(std::initializer_list<QWidget *> pictures, int left, int top, int step);

// The label's own text colour while active; a disabled label keeps the greyed text.
void SetTextColour(QLabel *label, const QColor &colour);

} // namespace corvelle
