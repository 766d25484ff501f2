#include "app/WizardScreen.h"

#include "app/Controls.h"
#include "app/FontMode.h"
#include "app/Keyboard.h"
#include "app/Twips.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

#include <utility>

namespace corvelle {

namespace {

// Calls a handler on one kind of event of one control, after the control itself
// has handled the event, so the handler has the last word (a selection, say).
class EventHook : public QObject {
public:
    EventHook(QWidget *control, QEvent::Type type, std::function<void()> handler, Wizard &wizard)
        : QObject(control), type_(type), handler_(std::move(handler)), wizard_(wizard)
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != type_ || inside_)
            return false;
        if (type_ == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        // An event filter runs before the control, but the handler must run after
        // it. So the filter delivers the event to the control itself, once, and
        // swallows it; inside_ lets that delivery pass through this filter.
        inside_ = true;
        watched->event(event);
        inside_ = false;
        wizard_.guard(handler_);
        return true;
    }

private:
    QEvent::Type type_;
    std::function<void()> handler_;
    Wizard &wizard_;
    bool inside_ = false;
};

// GotFocus: the focus moving into a control from another one. A control that had
// the focus when its window lost the activation (to a message box, a popup or
// another program) gets it back with the window; that is no GotFocus, so a
// selection the user made stays.
class GotFocusHook : public QObject {
public:
    GotFocusHook(QWidget *control, std::function<void()> handler, Wizard &wizard)
        : QObject(control), handler_(std::move(handler)), wizard_(wizard)
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut) {
            lostWithWindow_ = withWindow(static_cast<QFocusEvent *>(event)->reason());
            return false;
        }
        if (event->type() != QEvent::FocusIn || inside_)
            return false;
        const bool returning = std::exchange(lostWithWindow_, false)
                               && withWindow(static_cast<QFocusEvent *>(event)->reason());
        // Delivered here first, as in EventHook, so the control's own focus-in
        // handling cannot override the selection the handler makes.
        inside_ = true;
        watched->event(event);
        inside_ = false;
        if (!returning)
            wizard_.guard(handler_);
        return true;
    }

private:
    static bool withWindow(Qt::FocusReason reason)
    {
        return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    }

    std::function<void()> handler_;
    Wizard &wizard_;
    bool lostWithWindow_ = false;
    bool inside_ = false;
};

} // namespace

WizardScreen::WizardScreen(ScreenId id, ScreenContext &context, const QString &caption, QSize clientTwips)
    : QDialog(nullptr,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      context_(context), id_(id)
{
    setObjectName(QStringLiteral("screen%1").arg(static_cast<int>(id)));
    setWindowTitle(caption);
    setFixedSize(TwipsToPixels(clientTwips.width()), TwipsToPixels(clientTwips.height()));
    setSizeGripEnabled(false);

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(0, TwipsToPixels(3480) - 1, TwipsToPixels(6720), 2);
}

void WizardScreen::makeButtonBar(const ButtonBar &bar)
{
    auto button = [this](const char *name, const QString &caption, int left, int top) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        Place(b, left, top, 1125, 345);
        NameAsSpoken(b);
        return b;
    };
    Command3 = button("Command3", QStringLiteral("&Cancel"), 120, 3600);
    Command4 = button("Command4", QStringLiteral("<<  &Back"), 3360, 3600);
    Command5 = button("Command5", bar.nextCaption, bar.nextLeft, bar.nextTop);
    Command5->setDefault(bar.nextIsDefault);
    on(Command3, &QPushButton::clicked, [this] { Command3_Click(); });
    on(Command4, &QPushButton::clicked, [this] { Command4_Click(); });
    on(Command5, &QPushButton::clicked, [this] { Command5_Click(); });
}

void WizardScreen::Form_KeyDown(int key)
{
    if (key == Qt::Key_Escape)
        context_.wizard.end(0);
}

void WizardScreen::Command3_Click() { context_.wizard.end(0); }

void WizardScreen::Command4_Click() { context_.wizard.back(*this); }

void WizardScreen::goNext() { context_.wizard.next(*this, context_.design); }

void WizardScreen::refuse(QWidget *box, const QString &message)
{
    context_.messages.showMessage(message, MessageForm::WrongValue);
    box->setFocus();
}

void WizardScreen::refuse(const QString &message, MessageForm form) { context_.messages.showMessage(message, form); }

bool WizardScreen::largeFonts() const { return context_.fonts.GetFontMode() == LargeFonts; }

void WizardScreen::onGotFocus(QWidget *control, std::function<void()> handler)
{
    new GotFocusHook(control, std::move(handler), context_.wizard);
}

void WizardScreen::onMouseMove(QWidget *control, std::function<void()> handler)
{
    control->setMouseTracking(true);
    new EventHook(control, QEvent::MouseMove, std::move(handler), context_.wizard);
}

void WizardScreen::onClick(QWidget *control, std::function<void()> handler)
{
    new EventHook(control, QEvent::MouseButtonRelease, std::move(handler), context_.wizard);
}

void WizardScreen::setTabSequence(std::initializer_list<QWidget *> controls)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void WizardScreen::setVisible(bool visible)
{
    if (visible && !keysApplied_) {
        // Once, when every control of the screen exists.
        UseWizardKeys(this);
        keysApplied_ = true;
    }
    QDialog::setVisible(visible);
}

void WizardScreen::keyPressEvent(QKeyEvent *event)
{
    if (!PressFocusedButton(this, *event))
        QDialog::keyPressEvent(event);
}

void WizardScreen::closeEvent(QCloseEvent *event)
{
    // The desktop's close box: the program never stays without a visible screen.
    event->accept();
    context_.wizard.guard([this] { context_.wizard.end(0); });
}

} // namespace corvelle
