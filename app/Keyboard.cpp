#include "app/Keyboard.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace corvelle {

namespace {

bool isEnter(const QKeyEvent &event)
{
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return modifiers == Qt::NoModifier && (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter);
}

// The options of the group the option belongs to, in the group's order: its
// button group's, or else its auto-exclusive siblings' in the order they were made.
QList<QAbstractButton *> groupOf(QRadioButton *option)
{
    if (QButtonGroup *group = option->group())
        return group->buttons();
    QList<QAbstractButton *> siblings;
    for (QObject *child : option->parent()->children()) {
        auto *sibling = qobject_cast<QRadioButton *>(child);
        if (sibling && sibling->autoExclusive() && !sibling->group())
            siblings << sibling;
    }
    return siblings;
}

class OptionArrows : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto &key = *static_cast<QKeyEvent *>(event);
        if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        int step = 0;
        switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            step = -1;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            step = 1;
            break;
        default:
            return false;
        }
        auto *option = static_cast<QRadioButton *>(watched);
        const QList<QAbstractButton *> group = groupOf(option);
        const qsizetype count = group.size();
        const qsizetype at = group.indexOf(option);
        for (qsizetype i = 1; at >= 0 && i < count; ++i) {
            QAbstractButton *next = group[((at + step * i) % count + count) % count];
            if (next->isEnabled() && next->isVisible()) {
                next->setFocus(Qt::OtherFocusReason);
                if (!next->isChecked())
                    next->click(); // as a click: the option's handlers run
                break;
            }
        }
        return true; // Qt's own arrow handling neither wraps nor crosses a row
    }
};

} // namespace

void UseWizardKeys(QWidget *window)
{
    for (QPushButton *button : window->findChildren<QPushButton *>())
        button->setAutoDefault(false);
    auto *arrows = new OptionArrows(window);
    for (QRadioButton *option : window->findChildren<QRadioButton *>())
        option->installEventFilter(arrows);
}

bool PressFocusedButton(QWidget *window, const QKeyEvent &event)
{
    auto *button = qobject_cast<QPushButton *>(window->focusWidget());
    if (!isEnter(event) || !button || !button->isVisible())
        return false;
    if (button->isEnabled())
        button->click();
    return true;
}

} // namespace corvelle
