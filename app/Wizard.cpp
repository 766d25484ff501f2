#include "app/Wizard.h"

#include "app/Services.h"
#include "app/WizardScreen.h"
#include "core/Failure.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

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
    if (firstShow) {
        const QRect desktop = screen.screen()->availableGeometry();
        screen.move(desktop.center() - screen.rect().center());
    }
    screen.show();
    screen.activateWindow();
    screen.Form_Activate();
    return screen;
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
    auto *screen = qobject_cast<WizardScreen *>(static_cast<QWidget *>(watched)->window());
    if (!screen || !screen->keyPreview() || find(screen->id()) != screen)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    guard([screen, key] { screen->Form_KeyDown(key); });
    return ended_;
}

} // namespace corvelle
