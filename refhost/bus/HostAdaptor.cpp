#include "refhost/bus/HostAdaptor.h"

#include "bus/BusContract.h"
#include "refhost/model/Application.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <algorithm>

namespace corvelle::refhost {

namespace {

const QString &Properties = bus::Properties::Interface;
const QString &Introspectable = bus::Introspectable::Interface;
const QString &Peer = bus::Peer::Interface;

const QString ErrUnknownObject = QStringLiteral("org.freedesktop.DBus.Error.UnknownObject");
const QString ErrUnknownInterface = QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface");
const QString ErrUnknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");
const QString ErrUnknownProperty = QStringLiteral("org.freedesktop.DBus.Error.UnknownProperty");
const QString ErrReadOnly = QStringLiteral("org.freedesktop.DBus.Error.PropertyReadOnly");
const QString ErrInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");

// Every object answers the standard interfaces besides its own.
const QString StandardInterfacesXml = QLatin1String(bus::Introspectable::Xml) + QLatin1String(bus::Properties::Xml)
                                      + QLatin1String(bus::Peer::Xml);

QString errorName(HostError::Kind kind)
{
    switch (kind) {
    case HostError::Kind::NoDocument:
        return bus::Error::NoDocument;
    case HostError::Kind::UnknownMacro:
        return bus::Error::UnknownMacro;
    case HostError::Kind::FileNotFound:
        return bus::Error::FileNotFound;
    case HostError::Kind::BadDataFile:
        return bus::Error::BadDataFile;
    case HostError::Kind::BadDrawing:
        return bus::Error::BadDrawing;
    case HostError::Kind::NoDrawing:
        return bus::Error::NoDrawing;
    case HostError::Kind::TooManyDocuments:
        return bus::Error::TooManyDocuments;
    }
    return {};
}

QDBusMessage replyTo(const QDBusMessage &message, const HostOutcome &outcome)
{
    return outcome ? message.createErrorReply(errorName(outcome->kind), outcome->message) : message.createReply();
}

QDBusObjectPath documentPath(const Document *doc) { return QDBusObjectPath(bus::Document::Path.arg(doc->id())); }

QDBusObjectPath filePath(const Document *doc) { return QDBusObjectPath(bus::File::Path.arg(doc->id())); }

// The number that stands for %1 in a path made from pattern; 0 when the path is not one.
int documentNumber(const QString &path, const QString &pattern)
{
    const qsizetype at = pattern.indexOf(QLatin1String("%1"));
    const QStringView head = QStringView(pattern).left(at), tail = QStringView(pattern).mid(at + 2);
    if (path.size() <= head.size() + tail.size() || !path.startsWith(head) || !path.endsWith(tail))
        return 0;
    const QStringView digits = QStringView(path).mid(head.size(), path.size() - head.size() - tail.size());
    if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
        return 0;
    return digits.toInt();
}

QString lastPart(const QString &path) { return path.section(QLatin1Char('/'), -1); }

} // namespace

HostAdaptor::HostAdaptor(Application &app, QObject *parent) : QDBusVirtualObject(parent), app_(app) {}

HostAdaptor::Target HostAdaptor::target(const QString &path) const
{
    if (path == bus::RootPath)
        return {Kind::Root};
    if (path == bus::Application::Path)
        return {Kind::Application};
    if (path == bus::Documents::Path)
        return {Kind::Documents};
    if (Document *doc = app_.document(documentNumber(path, bus::Document::Path)))
        return {Kind::Document, doc};
    if (Document *doc = app_.document(documentNumber(path, bus::File::Path)))
        return {Kind::File, doc};
    return {Kind::Unknown};
}

QString HostAdaptor::interfaceOf(Kind kind)
{
    switch (kind) {
    case Kind::Application:
        return bus::Application::Interface;
    case Kind::Documents:
        return bus::Documents::Interface;
    case Kind::Document:
        return bus::Document::Interface;
    case Kind::File:
        return bus::File::Interface;
    default:
        return {};
    }
}

QString HostAdaptor::interfaceXml(Kind kind)
{
    switch (kind) {
    case Kind::Application:
        return QLatin1String(bus::Application::Xml);
    case Kind::Documents:
        return QLatin1String(bus::Documents::Xml);
    case Kind::Document:
        return QLatin1String(bus::Document::Xml);
    case Kind::File:
        return QLatin1String(bus::File::Xml);
    default:
        return {};
    }
}

QString HostAdaptor::childNodes(const Target &target) const
{
    QStringList names;
    if (target.kind == Kind::Root)
        names = {lastPart(bus::Application::Path), lastPart(bus::Documents::Path)};
    else if (target.kind == Kind::Documents)
        for (const Document *doc : app_.documents())
            names << lastPart(documentPath(doc).path());
    else if (target.kind == Kind::Document)
        names = {lastPart(bus::File::Path)};
    QString xml;
    for (const QString &name : names)
        xml += QStringLiteral("  <node name=\"%1\"/>\n").arg(name);
    return xml;
}

QString HostAdaptor::introspect(const QString &path) const { return interfaceXml(target(path).kind); }

bool HostAdaptor::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    QDBusMessage reply = refusal(message);
    if (reply.type() == QDBusMessage::InvalidMessage)
        reply = dispatch(message);
    // Journalled before the reply leaves, so a caller that has its answer also sees the entry.
    journal_.record(message, reply);
    connection.send(reply);
    return true;
}

QDBusMessage HostAdaptor::refusal(const QDBusMessage &message) const
{
    // A refused property is named by the property, not by Get or Set.
    const QString member = message.member();
    QString name = member;
    if (message.interface() == Properties && (member == bus::Properties::Get || member == bus::Properties::Set))
        name = message.arguments().value(1).toString();
    if (!refused_.contains(name))
        return {};
    return message.createErrorReply(bus::Error::Refused, tr("The host refuses %1 (started with --refuse %1)").arg(name));
}

QDBusMessage HostAdaptor::dispatch(const QDBusMessage &message)
{
    const QString member = message.member();
    QString interface = message.interface();
    const QVariantList args = message.arguments();

    const Target t = target(message.path());
    if (t.kind == Kind::Unknown)
        return message.createErrorReply(ErrUnknownObject, tr("No object at %1 (a closed document?)").arg(message.path()));

    if (interface.isEmpty()) {
        // Calls without an interface go to the object's own interface when the member is there.
        if (member == bus::Introspectable::Introspect)
            interface = Introspectable;
        else if (member == bus::Peer::Ping || member == bus::Peer::GetMachineId)
            interface = Peer;
        else
            interface = interfaceOf(t.kind);
    }
    const QString sig = message.signature();
    auto badArgs = [&](const QString &signature) {
        return message.createErrorReply(ErrInvalidArgs, tr("%1 takes (%2), the call had (%3)").arg(member, signature, sig));
    };

    if (interface == Introspectable && member == bus::Introspectable::Introspect) {
        const QString xml = QStringLiteral("<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
                                           " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n<node>\n")
                            + interfaceXml(t.kind) + StandardInterfacesXml + childNodes(t) + QStringLiteral("</node>\n");
        return message.createReply(xml);
    }
    if (interface == Peer && member == bus::Peer::Ping)
        return message.createReply();
    if (interface == Properties)
        return properties(message, t);
    if (interface != interfaceOf(t.kind))
        return message.createErrorReply(ErrUnknownInterface, tr("%1 has no interface %2").arg(message.path(), interface));

    if (t.kind == Kind::Application && member == bus::Application::BringToTop) {
        if (sig != bus::Application::BringToTopSignature)
            return badArgs(bus::Application::BringToTopSignature);
        app_.bringToTop();
        return message.createReply();
    }
    if (t.kind == Kind::Documents && member == bus::Documents::Add) {
        if (sig != bus::Documents::AddSignature)
            return badArgs(bus::Documents::AddSignature);
        if (const HostOutcome full = app_.documentLimit())
            return replyTo(message, full);
        return message.createReply(QVariant::fromValue(documentPath(app_.addDocument())));
    }
    if (t.kind == Kind::Document && member == bus::Document::RunMorvish) {
        if (sig != bus::Document::RunMorvishSignature)
            return badArgs(bus::Document::RunMorvishSignature);
        return replyTo(message, app_.runMacro(*t.document, args.at(0).toString()));
    }
    if (t.kind == Kind::File && member == bus::File::LoadSymbol) {
        if (sig != bus::File::LoadSymbolSignature)
            return badArgs(bus::File::LoadSymbolSignature);
        const QString hostPath = args.at(0).toString();
        const HostOutcome outcome =
            app_.loadSymbol(*t.document, hostPath, args.at(1).toBool(), args.at(2).toBool(), args.at(3).toBool());
        if (outcome)
            return replyTo(message, outcome);
        // The path is an in/out argument: it comes back as the caller gave it.
        return message.createReply({QVariant::fromValue(QDBusVariant(true)), hostPath});
    }
    return message.createErrorReply(ErrUnknownMethod, tr("%1 has no method %2.%3").arg(message.path(), interface, member));
}

QDBusMessage HostAdaptor::property(const QDBusMessage &message, const Target &t, const QString &name, QVariant &value)
{
    if (t.kind == Kind::Application && name == bus::Application::Documents) {
        value = QVariant::fromValue(QDBusObjectPath(bus::Documents::Path));
    } else if (t.kind == Kind::Application && name == bus::Application::ActiveDocument) {
        const Document *doc = app_.activeDocument();
        if (!doc)
            return message.createErrorReply(bus::Error::NoDocument, tr("There is no active document: no drawing is open"));
        value = QVariant::fromValue(documentPath(doc));
    } else if (t.kind == Kind::Document && name == bus::Document::File) {
        value = QVariant::fromValue(filePath(t.document));
    } else if (t.kind == Kind::Document && name == bus::Document::DraftingMode) {
        value = t.document->draftingMode();
    } else {
        return message.createErrorReply(ErrUnknownProperty, tr("%1 has no property %2").arg(message.path(), name));
    }
    return {};
}

QDBusMessage HostAdaptor::properties(const QDBusMessage &message, const Target &t)
{
    const QString member = message.member();
    const QVariantList args = message.arguments();
    const QString sig = message.signature();
    const QString iface = args.value(0).toString();
    if (!iface.isEmpty() && iface != interfaceOf(t.kind))
        return message.createErrorReply(ErrUnknownInterface, tr("%1 has no interface %2").arg(message.path(), iface));

    if (member == bus::Properties::Get) {
        if (sig != bus::Properties::GetSignature)
            return message.createErrorReply(ErrInvalidArgs, tr("Get takes (ss), the call had (%1)").arg(sig));
        QVariant value;
        QDBusMessage error = property(message, t, args.at(1).toString(), value);
        if (error.type() == QDBusMessage::ErrorMessage)
            return error;
        return message.createReply(QVariant::fromValue(QDBusVariant(value)));
    }
    if (member == bus::Properties::GetAll) {
        if (sig != bus::Properties::GetAllSignature)
            return message.createErrorReply(ErrInvalidArgs, tr("GetAll takes (s), the call had (%1)").arg(sig));
        QVariantMap all;
        QStringList names;
        if (t.kind == Kind::Application)
            names = {bus::Application::Documents, bus::Application::ActiveDocument};
        else if (t.kind == Kind::Document)
            names = {bus::Document::File, bus::Document::DraftingMode};
        for (const QString &name : names) {
            QVariant value;
            if (property(message, t, name, value).type() != QDBusMessage::ErrorMessage)
                all.insert(name, value);
        }
        return message.createReply(QVariant::fromValue(all));
    }
    if (member == bus::Properties::Set) {
        if (sig != bus::Properties::SetSignature)
            return message.createErrorReply(ErrInvalidArgs, tr("Set takes (ssv), the call had (%1)").arg(sig));
        const QString name = args.at(1).toString();
        QVariant current;
        QDBusMessage error = property(message, t, name, current);
        if (error.type() == QDBusMessage::ErrorMessage)
            return error;
        if (name != bus::Document::DraftingMode)
            return message.createErrorReply(ErrReadOnly, tr("%1 is read-only").arg(name));
        const QVariant value = args.at(2).value<QDBusVariant>().variant();
        if (value.metaType() != QMetaType::fromType<bool>())
            return message.createErrorReply(ErrInvalidArgs, tr("DraftingMode takes a boolean"));
        t.document->setDraftingMode(value.toBool());
        return message.createReply();
    }
    return message.createErrorReply(ErrUnknownMethod, tr("No method %1.%2").arg(Properties, member));
}

} // namespace corvelle::refhost
