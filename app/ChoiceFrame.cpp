#include "app/ChoiceFrame.h"

#include "app/Accessible.h"
#include "app/Controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPen>

#include <utility>

namespace corvelle {

ChoiceFrame::ChoiceFrame(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
    InstallAccessibleInterfaces();
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(SpokenCaption(caption));
}

void ChoiceFrame::setPicture(QWidget *picture)
{
    picture_ = picture;
    setAccessibleDescription(picture->accessibleDescription());
}

bool ChoiceFrame::event(QEvent *event)
{
    // Before QGroupBox, which takes the space bar for a check box this frame does not have.
    const auto type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool space = key->key() == Qt::Key_Space;
        if (plain && (enter || space)) {
            // Enter acts on its press, the space bar on its release, as on a button.
            if (!key->isAutoRepeat()) {
                if (type == QEvent::KeyPress && enter)
                    choose();
                else if (type == QEvent::KeyPress)
                    spaceDown_ = true;
                else if (space && std::exchange(spaceDown_, false))
                    choose();
            }
            return true;
        }
    } else if (type == QEvent::FocusOut) {
        spaceDown_ = false;
    }
    return QGroupBox::event(event);
}

void ChoiceFrame::paintEvent(QPaintEvent *event)
{
    QGroupBox::paintEvent(event);
    if (!hasFocus())
        return;
    // Drawn here: the style's focus rectangle is empty under the wizard's style sheet.
    constexpr int gap = 3;   // pixels between the picture and its focus frame
    constexpr int width = 2; // pixels
    const QRect around = picture_ ? picture_->geometry().adjusted(-gap, -gap, gap, gap) : rect();
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(around.adjusted(width / 2, width / 2, -width / 2, -width / 2));
}

} // namespace corvelle
