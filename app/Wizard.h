#pragma once

#include "core/Flow.h"

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <memory>

namespace corvelle {

class ExitService;
class MessageService;
class WizardScreen;
struct ShedDesign;

// Where a window whose client area has the given size goes so that its whole
// frame, title bar included, is centred on the available area.
QPoint CentredFramePosition(const QRect &available, QSize client, const QMargins &frame);

// Owns the screens and the flow between them: creation on first show (Form_Load
// once), show-then-hide, activation, key preview, ending and the failure report.
class Wizard : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<WizardScreen>(ScreenId)>;

    Wizard(ExitService &exit, MessageService &messages);
    ~Wizard() override;

    void setFactory(Factory factory);

    // Program start: shows screen1 and nothing else.
    void start();

    // Creates the screen on its first show (running its Form_Load), centres it
    // then, makes it visible and active and runs its Form_Activate.
    WizardScreen &show(ScreenId id);
    void hide(ScreenId id);

    // Shows the target first, then hides the current screen.
    void moveTo(WizardScreen &from, ScreenId to);
    void back(WizardScreen &from);
    // Follows the flow graph after a screen's checks passed; false when it stays.
    bool next(WizardScreen &from, ShedDesign &design);

    WizardScreen *find(ScreenId id) const;

    // Ends the program; afterwards no screen handler runs.
    void end(int status);
    bool hasEnded() const { return ended_; }

    // Runs a handler; a failure that escapes it is reported and ends the program with status 1.
    void guard(const std::function<void()> &handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report(const QString &text);
    void recentreWhenFramed(WizardScreen &screen);

    ExitService &exit_;
    MessageService &messages_;
    Factory factory_;
    std::map<ScreenId, std::unique_ptr<WizardScreen>> screens_;
    bool ended_ = false;
    // The window manager's frame, once a screen has shown it: later screens are
    // placed for it before they show.
    QMargins frameMargins_;
};

} // namespace corvelle
