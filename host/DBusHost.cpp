#include "host/Host.h"

#include "bus/BusContract.h"
#include "core/Failure.h"

#include <QCursor>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

namespace corvelle {

namespace {

const QString Operation = QStringLiteral("Calling the host drawing application");

QString describe(const QDBusMessage &error)
{
    return error.errorName() + QStringLiteral(": ") + error.errorMessage();
}

// Unwraps the 'v' of a Properties.Get reply; D-Bus object paths arrive either as
// QDBusObjectPath directly or still marshalled in a QDBusArgument.
bool toObjectPath(const QVariant &value, QDBusObjectPath &out)
{
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>()) {
        out = value.value<QDBusObjectPath>();
        return true;
    }
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const auto arg = value.value<QDBusArgument>();
        if (arg.currentSignature() == QLatin1String("o")) {
            arg >> out;
            return true;
        }
    }
    return false;
}

// While a call waits, user input to any window is dropped rather than queued: a click
// or key held back would otherwise reach the screens (or dismiss the failure report)
// once the call is over. A close request is refused the same way.
class InputHold : public QObject {
public:
    InputHold() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputHold() override
    {
        if (busy_)
            QGuiApplication::restoreOverrideCursor();
    }
    InputHold(const InputHold &) = delete;
    InputHold &operator=(const InputHold &) = delete;

    void showBusy()
    {
        if (!busy_ && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            busy_ = true;
        }
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            event->ignore();
            return true;
        default:
            return false;
        }
    }

private:
    bool busy_ = false;
};

} // namespace

DBusHost::DBusHost(QDBusConnection bus, std::chrono::milliseconds replyTimeout)
    : bus_(std::move(bus)), replyTimeout_(replyTimeout)
{
}

QDBusMessage DBusHost::waitForReply(const QString &target, const QDBusMessage &message)
{
    // The bus's own timeout is set later than ours, so a silent host is told apart from a
    // host that went away mid-call (the bus answers that at once with an error).
    const int busTimeoutMs = int(replyTimeout_.count()) + 5000;
    QDBusPendingCall pending = bus_.asyncCall(message, busTimeoutMs);
    QElapsedTimer waited;
    waited.start();
    bool timedOut = false;
    if (!pending.isFinished()) {
        QEventLoop loop;
        InputHold hold;
        QDBusPendingCallWatcher watcher(pending);
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        QTimer busyPointer;
        busyPointer.setSingleShot(true);
        QObject::connect(&busyPointer, &QTimer::timeout, &hold, &InputHold::showBusy);
        busyPointer.start(BusyPointerDelay);
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.setTimerType(Qt::PreciseTimer);
        QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        deadline.start(replyTimeout_);
        if (!pending.isFinished())
            loop.exec();
    }
    if (timedOut && !pending.isFinished()) {
        throw Failure(Operation, target,
                      QStringLiteral("The host drawing application did not answer: no reply to %1 after %2 s.")
                          .arg(target)
                          .arg(double(waited.elapsed()) / 1000.0, 0, 'f', 1));
    }
    return pending.reply();
}

void DBusHost::attach()
{
    const QString target = QStringLiteral("Attach");
    if (!bus_.isConnected()) {
        throw Failure(Operation, target,
                      QStringLiteral("The host drawing application is not running (no session bus to find "
                                     "%1 on: %2)").arg(bus::Service, bus_.lastError().message()));
    }
    // Only asks whether the name is owned now; the bus daemon never activates for this.
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                      QStringLiteral("/org/freedesktop/DBus"),
                                                      QStringLiteral("org.freedesktop.DBus"),
                                                      QStringLiteral("NameHasOwner"));
    ask << bus::Service;
    ask.setAutoStartService(false);
    const QDBusMessage reply = waitForReply(target, ask);
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw Failure(Operation, target, describe(reply));
    if (reply.arguments().value(0).toBool() != true) {
        throw Failure(Operation, target,
                      QStringLiteral("The host drawing application is not running "
                                     "(no owner for %1 on the session bus)").arg(bus::Service));
    }
    attached_ = true;
}

void DBusHost::requireAttached(const QString &target) const
{
    if (!attached_)
        throw Failure(Operation, target, QStringLiteral("not attached to the host drawing application"));
}

QDBusMessage DBusHost::call(const QString &target, const QString &path, const QString &interface,
                            const QString &member, const QVariantList &args)
{
    requireAttached(target);
    QDBusMessage msg = QDBusMessage::createMethodCall(bus::Service, path, interface, member);
    msg.setArguments(args);
    msg.setAutoStartService(false);
    const QDBusMessage reply = waitForReply(target, msg);
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw Failure(Operation, target, describe(reply));
    return reply;
}

HostRef DBusHost::getObjectProperty(const QString &path, const QString &interface, const QString &property)
{
    const QString target = QStringLiteral("Get ") + property;
    const QDBusMessage reply = call(target, path, bus::Properties::Interface, bus::Properties::Get, {interface, property});
    QDBusObjectPath result;
    const QVariant value = reply.arguments().value(0).value<QDBusVariant>().variant();
    if (reply.signature() != QLatin1String("v") || !toObjectPath(value, result)) {
        throw Failure(Operation, target,
                      QStringLiteral("the host answered with %1 where an object reference was expected")
                          .arg(reply.signature()));
    }
    return result;
}

void DBusHost::bringToTop()
{
    using namespace bus::Application;
    call(BringToTop, Path, Interface, BringToTop, {});
}

HostRef DBusHost::documents()
{
    using namespace bus::Application;
    return getObjectProperty(Path, Interface, Documents);
}

void DBusHost::add(const HostRef &collection)
{
    // The new document is fetched through ActiveDocument; Add's own result is not used.
    call(bus::Documents::Add, collection.path(), bus::Documents::Interface, bus::Documents::Add, {});
}

HostRef DBusHost::activeDocument()
{
    using namespace bus::Application;
    return getObjectProperty(Path, Interface, ActiveDocument);
}

HostRef DBusHost::file(const HostRef &document)
{
    return getObjectProperty(document.path(), bus::Document::Interface, bus::Document::File);
}

void DBusHost::setDraftingMode(const HostRef &document, bool on)
{
    using namespace bus::Document;
    call(QStringLiteral("Set ") + DraftingMode, document.path(), bus::Properties::Interface, bus::Properties::Set,
         {Interface, DraftingMode, QVariant::fromValue(QDBusVariant(on))});
}

QVariant DBusHost::loadSymbol(const HostRef &file, QString &path, bool link, bool fitToView, bool replace)
{
    using namespace bus::File;
    const QDBusMessage reply = call(LoadSymbol, file.path(), Interface, LoadSymbol, {path, link, fitToView, replace});
    if (reply.signature() != QLatin1String("vs")) {
        throw Failure(Operation, LoadSymbol,
                      QStringLiteral("the host answered with signature '%1' where 'vs' was expected")
                          .arg(reply.signature()));
    }
    path = reply.arguments().at(1).toString();
    return reply.arguments().at(0).value<QDBusVariant>().variant();
}

void DBusHost::runMorvish(const HostRef &document, const QString &macroPath)
{
    using namespace bus::Document;
    call(RunMorvish, document.path(), Interface, RunMorvish, {macroPath});
}

} // namespace corvelle
