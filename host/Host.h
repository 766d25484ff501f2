#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QString>
#include <QVariant>

#include <chrono>
#include <functional>

namespace corvelle {

// An object reference the host handed back (document collection, document, file object).
using HostRef = QDBusObjectPath;

// The host drawing application as the launches see it: one call per member they use.
// Every call either returns or throws corvelle::Failure naming the member.
class Host {
public:
    virtual ~Host() = default;
    virtual void attach() = 0;          // throws Failure when no one owns the host's bus name
    virtual void bringToTop() = 0;
    virtual HostRef documents() = 0;
    virtual void add(const HostRef &collection) = 0;
    virtual HostRef activeDocument() = 0;
    virtual HostRef file(const HostRef &document) = 0;
    virtual void setDraftingMode(const HostRef &document, bool on) = 0;
    // path is passed by reference: it receives the path as the host leaves it. link: refer
    // to the file rather than copy the drawing in; fitToView: scale it to the view;
    // replace: it replaces what the document showed.
    virtual QVariant loadSymbol(const HostRef &file, QString &path, bool link, bool fitToView, bool replace) = 0;
    virtual void runMorvish(const HostRef &document, const QString &macroPath) = 0;
};

// The host on a D-Bus bus. Calls are raw messages with auto-start disabled: the wizard
// must never start the host, and a proxy object would introspect (and could activate).
// Each call waits for its reply in a local event loop: windows keep painting, the busy
// pointer shows once the wait is noticeable, and user input is dropped so no other
// handler runs before the call is over. A call unanswered after replyTimeout fails.
class DBusHost : public Host {
public:
    static constexpr std::chrono::milliseconds ReplyTimeout{15000};
    static constexpr std::chrono::milliseconds BusyPointerDelay{500};

    explicit DBusHost(QDBusConnection bus = QDBusConnection::sessionBus(),
                      std::chrono::milliseconds replyTimeout = ReplyTimeout);

    void attach() override;
    void bringToTop() override;
    HostRef documents() override;
    void add(const HostRef &collection) override;
    HostRef activeDocument() override;
    HostRef file(const HostRef &document) override;
    void setDraftingMode(const HostRef &document, bool on) override;
    QVariant loadSymbol(const HostRef &file, QString &path, bool link, bool fitToView, bool replace) override;
    void runMorvish(const HostRef &document, const QString &macroPath) override;

private:
    QDBusMessage call(const QString &target, const QString &path, const QString &interface,
                      const QString &member, const QVariantList &args);
    QDBusMessage waitForReply(const QString &target, const QDBusMessage &message);
    HostRef getObjectProperty(const QString &path, const QString &interface, const QString &property);
    void requireAttached(const QString &target) const;

    QDBusConnection bus_;
    std::chrono::milliseconds replyTimeout_;
    bool attached_ = false;
};

// The 3D launch, run by the data file writer once ShedData.txt is closed.
void Launch3D(Host &host, const std::function<void()> &hideScreen13);

// What the 2D screen contributes to its launch.
struct Launch2DSteps {
    std::function<void()> writeWidthFile;   // runs after Documents, before BringToTop
    std::function<void()> hideScreen;       // runs right after the width file
    int type2D = 101;                       // style number 101..119
};

// The 2D launch. Fills shapeFile and retval (the screen's variables); the caller ends the program.
void Launch2D(Host &host, const Launch2DSteps &steps, QString &shapeFile, QString &retval);

} // namespace corvelle
