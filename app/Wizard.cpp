#include "app/Wizard.h"

#include "app/Services.h"
#include "app/WizardScreen.h"
#include "core/Failure.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <exception>

namespace corvelle {

Wizard::Wizard(ExitService &exit, MessageService &messages) : exit_(exit), messages_(messages)
{
    qApp->installEventFilter(this);
}

Wizard::~Wizard()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void Wizard::setFactory(Factory factory) { factory_ = std::move(factory); }

void Wizard::start()
{
    guard([this] { show(ScreenId::Screen1); });
}

WizardScreen &Wizard::show(ScreenId id)
{
    auto it = screens_.find(id);
    const bool firstShow = it == screens_.end();
    if (firstShow) {
        it = screens_.emplace(id, factory_(id)).first;
        it->second->Form_Load();
    }
    WizardScreen &screen = *it->second;
    if (firstShow)
        screen.move(CentredFramePosition(screen.screen()->availableGeometry(), screen.size(), frameMargins_));
    screen.show();
    if (firstShow)
        recentreWhenFramed(screen);
    screen.activateWindow();
    screen.Form_Activate();
    return screen;
}

QPoint CentredFramePosition(const QRect &available, QSize client, const QMargins &frame)
{
    QRect whole(QPoint(), client.grownBy(frame));
    whole.moveCenter(available.center());
    return whole.topLeft();
}

namespace {

// Moves a newly shown screen once the window manager has framed it, when its
// frame differs from the one it was placed for. The frame's size arrives as a
// window property some time after the map, with no event to the widget, so it
// is looked for a few times while the screen is up.
class Recentre : public QObject {
public:
    Recentre(QWidget *screen, QMargins assumed, std::function<void(QMargins)> learnt)
        : QObject(screen), screen_(screen), assumed_(assumed), learnt_(std::move(learnt))
    {
        screen->installEventFilter(this);
        timer_.setInterval(50);
        connect(&timer_, &QTimer::timeout, this, [this] { look(); });
        timer_.start();
        look();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            finish(); // the first showing is over; later moves are the user's
        return false;
    }

private:
    void look()
    {
        const QMargins frame = screen_->windowHandle() ? screen_->windowHandle()->frameMargins() : QMargins();
        if (!frame.isNull()) {
            finish();
            learnt_(frame);
            if (frame != assumed_)
                screen_->move(CentredFramePosition(screen_->screen()->availableGeometry(), screen_->size(), frame));
        } else if (++looks_ > 40) {
            finish(); // no window manager frames it: centred as it is
        }
    }

    void finish()
    {
        timer_.stop();
        screen_->removeEventFilter(this);
        deleteLater();
    }

    QWidget *screen_;
    QMargins assumed_;
    std::function<void(QMargins)> learnt_;
    QTimer timer_;
    int looks_ = 0;
};

} // namespace

void Wizard::recentreWhenFramed(WizardScreen &screen)
{
    new Recentre(&screen, frameMargins_, [this](QMargins frame) { frameMargins_ = frame; });
}

void Wizard::hide(ScreenId id)
{
    if (WizardScreen *screen = find(id))
        screen->hide();
}

void Wizard::moveTo(WizardScreen &from, ScreenId to)
{
    show(to);
    from.hide();
}

void Wizard::back(WizardScreen &from)
{
    if (const auto target = BackOf(from.id()))
        moveTo(from, *target);
}

bool Wizard::next(WizardScreen &from, ShedDesign &design)
{
    const auto target = NextOf(from.id(), design);
    if (!target)
        return false;
    moveTo(from, *target);
    return true;
}

WizardScreen *Wizard::find(ScreenId id) const
{
    const auto it = screens_.find(id);
    return it == screens_.end() ? nullptr : it->second.get();
}

void Wizard::end(int status)
{
    if (ended_)
        return;
    ended_ = true;
    exit_.end(status);
}

void Wizard::guard(const std::function<void()> &handler)
{
    if (ended_)
        return;
    try {
        handler();
    } catch (const Failure &failure) {
        report(failure.report());
    } catch (const std::exception &error) {
        report(QStringLiteral("An unexpected error occurred.\n\n%1").arg(QString::fromLocal8Bit(error.what())));
    }
}

void Wizard::report(const QString &text)
{
    if (ended_)
        return;
    messages_.showFailure(text);
    end(1);
}

bool Wizard::eventFilter(QObject *watched, QEvent *event)
{
    // Key preview: the screen sees a key before the focused control does.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // A drop-down list's popup is a window of its own; its keys are its screen's.
    QWidget *window = static_cast<QWidget *>(watched)->window();
    while (window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    auto *screen = qobject_cast<WizardScreen *>(window);
    if (!screen || !screen->keyPreview() || find(screen->id()) != screen)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    guard([screen, key] { screen->Form_KeyDown(key); });
    return ended_;
}

} // namespace corvelle
