#pragma once

#include "app/FontMode.h"
#include "app/ScreenContext.h"
#include "app/Services.h"
#include "app/Wizard.h"
#include "app/WizardScreen.h"
#include "core/ShedDesign.h"
#include "host/Host.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>

#include <memory>
#include <vector>

namespace corvelle::test {

struct Message {
    QString text;
    MessageForm form;
};

// Records message boxes instead of showing them; optionally runs a check while
// the box would be on screen.
class RecordingMessages final : public MessageService {
public:
    void showMessage(const QString &text, MessageForm form) override { messages.push_back({text, form}); }
    void showFailure(const QString &text) override { failures << text; }

    std::vector<Message> messages;
    QStringList failures;
};

class RecordingExit final : public ExitService {
public:
    void end(int status) override { statuses.push_back(status); }
    std::vector<int> statuses;
};

// A host that writes down every call it receives, in order, as "Member args". With a
// witness it first notes what the witness sees then (say whether a file is on disk and
// the screen visible). Without a host present the attach fails as it does when no host
// is running.
class RecordingHost final : public Host {
public:
    explicit RecordingHost(QStringList &journal, std::function<QString()> witness = {}, bool present = true);
    void attach() override;
    void bringToTop() override;
    HostRef documents() override;
    void add(const HostRef &) override;
    HostRef activeDocument() override;
    HostRef file(const HostRef &) override;
    void setDraftingMode(const HostRef &, bool on) override;
    QVariant loadSymbol(const HostRef &, QString &path, bool link, bool fitToView, bool replace) override;
    void runMorvish(const HostRef &, const QString &macroPath) override;

private:
    void record(const QString &call);

    QStringList &journal_;
    std::function<QString()> witness_;
    bool present_;
};

// A whole wizard over a temporary program folder (with its Program Data folder),
// recording services, a recording host and a replaceable font cell height.
class Harness {
public:
    explicit Harness(int cellHeight = 13);
    ~Harness();

    template <typename Screen = WizardScreen>
    Screen *screen(ScreenId id) const
    {
        return qobject_cast<Screen *>(wizard.find(id));
    }
    // Shows a screen (creating it first if need be) the way the flow does.
    template <typename Screen = WizardScreen>
    Screen *show(ScreenId id)
    {
        wizard.show(id);
        return screen<Screen>(id);
    }
    // The one visible screen, or nullptr when none or several are visible.
    WizardScreen *visible() const;
    QList<WizardScreen *> visibleScreens() const;
    bool ended() const { return !exit.statuses.empty(); }
    int exitStatus() const { return exit.statuses.empty() ? -1 : exit.statuses.front(); }
    QString programFolder() const { return folder.path(); }
    // Screens created from now on show their messages through another service.
    void useMessages(MessageService &service);
    QByteArray shedData() const;

    QTemporaryDir folder;
    ShedDesign design;
    RecordingMessages messages;
    RecordingExit exit;
    int cellHeight;
    FontProbe fonts;
    Wizard wizard;
    QStringList hostJournal;
    std::unique_ptr<ScreenContext> context;
};

} // namespace corvelle::test
