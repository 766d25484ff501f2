#include "HostObject.h"

#include "DocumentView.h"
#include "HostWindow.h"
#include "ShedDataFile.h"
#include "bus/BusContract.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

const QString StartMacro = QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq");
const QString PlanMacro = QStringLiteral("*\\Program Data\\2dsheds.mrq");

// Every object answers the standard interfaces besides its own.
const QString StandardInterfacesXml = QLatin1String(bus::Introspectable::Xml) + QLatin1String(bus::Properties::Xml)
                                      + QLatin1String(bus::Peer::Xml);

QJsonValue toJson(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return toJson(value.value<QDBusVariant>().variant());
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return QStringLiteral("<%1>").arg(value.value<QDBusArgument>().currentSignature());
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return value.toString();
    default:
        return QJsonValue::fromVariant(value);
    }
}

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

} // namespace

HostObject::HostObject(HostWindow *window, QString programFolder, QObject *parent)
    : QDBusVirtualObject(parent), window_(window), folder_(std::move(programFolder))
{
}

bool HostObject::openJournal(const QString &fileName, QString &error)
{
    journal_.setFileName(fileName);
    if (!journal_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error = journal_.errorString();
        return false;
    }
    return true;
}

QString HostObject::resolve(const QString &hostPath) const
{
    QString rest = hostPath;
    const bool inFolder = rest.startsWith(QLatin1String("*\\"));
    if (inFolder)
        rest = rest.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return inFolder ? folder_ + QLatin1Char('/') + rest : rest;
}

QString HostObject::documentPath(const DocumentView *doc) { return bus::Document::Path.arg(doc->id()); }

QString HostObject::filePath(const DocumentView *doc) { return bus::File::Path.arg(doc->id()); }

HostObject::Target HostObject::target(const QString &path) const
{
    if (path == bus::RootPath)
        return {Kind::Root};
    if (path == bus::Application::Path)
        return {Kind::Application};
    if (path == bus::Documents::Path)
        return {Kind::Documents};
    if (const int id = documentNumber(path, bus::Document::Path))
        if (DocumentView *doc = window_->document(id))
            return {Kind::Document, doc};
    if (const int id = documentNumber(path, bus::File::Path))
        if (DocumentView *doc = window_->document(id))
            return {Kind::File, doc};
    return {Kind::Unknown};
}

QString HostObject::interfaceOf(Kind kind)
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

QString HostObject::interfaceXml(const Target &target) const
{
    switch (target.kind) {
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

QString HostObject::childNodes(const Target &target) const
{
    QStringList names;
    if (target.kind == Kind::Root)
        names = {bus::Application::Path.section(QLatin1Char('/'), -1), bus::Documents::Path.section(QLatin1Char('/'), -1)};
    else if (target.kind == Kind::Documents)
        for (int id : window_->documentIds())
            names << QStringLiteral("Document%1").arg(id);
    else if (target.kind == Kind::Document)
        names = {bus::File::Path.section(QLatin1Char('/'), -1)};
    QString xml;
    for (const QString &name : names)
        xml += QStringLiteral("  <node name=\"%1\"/>\n").arg(name);
    return xml;
}

QString HostObject::introspect(const QString &path) const { return interfaceXml(target(path)); }

bool HostObject::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    const QDBusMessage reply = dispatch(message);
    // Journalled before the reply leaves, so a caller that has its answer also sees the entry.
    journal(message, reply);
    connection.send(reply);
    return true;
}

void HostObject::journal(const QDBusMessage &message, const QDBusMessage &reply)
{
    if (!journal_.isOpen())
        return;
    QJsonArray args;
    for (const QVariant &arg : message.arguments())
        args.append(toJson(arg));
    QJsonObject entry{{QStringLiteral("path"), message.path()},
                      {QStringLiteral("interface"), message.interface()},
                      {QStringLiteral("member"), message.member()},
                      {QStringLiteral("args"), args}};
    if (reply.type() == QDBusMessage::ErrorMessage)
        entry.insert(QStringLiteral("error"), reply.errorName());
    journal_.write(QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n');
    journal_.flush();
}

QDBusMessage HostObject::dispatch(const QDBusMessage &message)
{
    const QString member = message.member();
    QString interface = message.interface();
    const QVariantList args = message.arguments();

    // A refused property is named by the property, not by Get or Set.
    QString refusedName = member;
    if (interface == Properties && (member == bus::Properties::Get || member == bus::Properties::Set))
        refusedName = args.value(1).toString();
    if (refused_.contains(refusedName))
        return message.createErrorReply(bus::Error::Refused, tr("The host refuses %1 (started with --refuse %1)").arg(refusedName));

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
    auto expect = [&](const char *signature) { return sig == QLatin1String(signature); };
    auto badArgs = [&](const char *signature) {
        return message.createErrorReply(
            ErrInvalidArgs, tr("%1 takes (%2), the call had (%3)").arg(member, QLatin1String(signature), sig));
    };

    if (interface == Introspectable && member == bus::Introspectable::Introspect) {
        const QString xml = QStringLiteral("<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
                                           " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n<node>\n")
                            + interfaceXml(t) + StandardInterfacesXml + childNodes(t)
                            + QStringLiteral("</node>\n");
        return message.createReply(xml);
    }
    if (interface == Peer && member == bus::Peer::Ping)
        return message.createReply();
    if (interface == Properties)
        return properties(message, t);
    if (interface != interfaceOf(t.kind))
        return message.createErrorReply(ErrUnknownInterface, tr("%1 has no interface %2").arg(message.path(), interface));

    if (t.kind == Kind::Application && member == bus::Application::BringToTop) {
        if (!expect(""))
            return badArgs("");
        window_->bringToTop();
        window_->report(tr("Brought to the front"));
        return message.createReply();
    }
    if (t.kind == Kind::Documents && member == bus::Documents::Add) {
        if (!expect(""))
            return badArgs("");
        DocumentView *doc = window_->addDocument();
        window_->report(tr("New drawing: %1").arg(doc->title()));
        return message.createReply(QVariant::fromValue(QDBusObjectPath(documentPath(doc))));
    }
    if (t.kind == Kind::Document && member == bus::Document::RunMorvish) {
        if (!expect("s"))
            return badArgs("s");
        return runMacro(message, t.document, args.at(0).toString());
    }
    if (t.kind == Kind::File && member == bus::File::LoadSymbol) {
        if (!expect("sbbb"))
            return badArgs("sbbb");
        return loadSymbol(message, t.document);
    }
    return message.createErrorReply(ErrUnknownMethod, tr("%1 has no method %2.%3").arg(message.path(), interface, member));
}

QDBusMessage HostObject::property(const QDBusMessage &message, const Target &t, const QString &name, QVariant &value)
{
    if (t.kind == Kind::Application && name == bus::Application::Documents) {
        value = QVariant::fromValue(QDBusObjectPath(bus::Documents::Path));
    } else if (t.kind == Kind::Application && name == bus::Application::ActiveDocument) {
        DocumentView *doc = window_->activeDocument();
        if (!doc)
            return message.createErrorReply(bus::Error::NoDocument, tr("There is no active document: no drawing is open"));
        value = QVariant::fromValue(QDBusObjectPath(documentPath(doc)));
    } else if (t.kind == Kind::Document && name == bus::Document::File) {
        value = QVariant::fromValue(QDBusObjectPath(filePath(t.document)));
    } else if (t.kind == Kind::Document && name == bus::Document::DraftingMode) {
        value = t.document->draftingMode();
    } else {
        return message.createErrorReply(ErrUnknownProperty, tr("%1 has no property %2").arg(message.path(), name));
    }
    return {};
}

QDBusMessage HostObject::properties(const QDBusMessage &message, const Target &t)
{
    const QString member = message.member();
    const QVariantList args = message.arguments();
    const QString sig = message.signature();
    const QString iface = args.value(0).toString();
    if (!iface.isEmpty() && iface != interfaceOf(t.kind))
        return message.createErrorReply(ErrUnknownInterface, tr("%1 has no interface %2").arg(message.path(), iface));

    if (member == bus::Properties::Get) {
        if (sig != QLatin1String("ss"))
            return message.createErrorReply(ErrInvalidArgs, tr("Get takes (ss), the call had (%1)").arg(sig));
        QVariant value;
        QDBusMessage error = property(message, t, args.at(1).toString(), value);
        if (error.type() == QDBusMessage::ErrorMessage)
            return error;
        return message.createReply(QVariant::fromValue(QDBusVariant(value)));
    }
    if (member == bus::Properties::GetAll) {
        if (sig != QLatin1String("s"))
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
        if (sig != QLatin1String("ssv"))
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
        window_->report(tr("%1: drafting mode %2").arg(t.document->title(), value.toBool() ? tr("on") : tr("off")));
        return message.createReply();
    }
    return message.createErrorReply(ErrUnknownMethod, tr("No method %1.%2").arg(Properties, member));
}

QDBusMessage HostObject::runMacro(const QDBusMessage &message, DocumentView *doc, const QString &macroPath)
{
    if (macroPath != StartMacro && macroPath != PlanMacro) {
        return message.createErrorReply(
            bus::Error::UnknownMacro, tr("Unknown macro \"%1\": this host runs \"%2\" and \"%3\"").arg(macroPath, StartMacro, PlanMacro));
    }
    const QString macroFile = resolve(macroPath);
    if (!QFileInfo(macroFile).isFile())
        return message.createErrorReply(bus::Error::FileNotFound, tr("The macro file %1 does not exist").arg(macroFile));

    if (macroPath == StartMacro) {
        const QString dataFile = resolve(QStringLiteral("*\\Program Data\\ShedData.txt"));
        QFile file(dataFile);
        if (!file.open(QIODevice::ReadOnly))
            return message.createErrorReply(bus::Error::FileNotFound, tr("Cannot read the shed data file %1: %2").arg(dataFile, file.errorString()));
        ShedDesignData design;
        QString problem;
        if (!parseShedData(file.readAll(), design, problem))
            return message.createErrorReply(bus::Error::BadDataFile, tr("%1 (%2)").arg(problem, dataFile));
        doc->showDesign(design);
        window_->report(tr("Q&V_1_Start.mrq: %1 shows the shed design from ShedData.txt (%2 x %3 ft, %4 roof)")
                            .arg(doc->title(), design.value(1), design.value(2), design.value(53)));
    } else {
        const QString sizeFile = resolve(QStringLiteral("*\\shedSize.txt"));
        QFile file(sizeFile);
        if (!file.open(QIODevice::ReadOnly))
            return message.createErrorReply(bus::Error::FileNotFound, tr("Cannot read the width file %1: %2").arg(sizeFile, file.errorString()));
        QString width, problem;
        if (!parseShedSize(file.readAll(), width, problem))
            return message.createErrorReply(bus::Error::BadDataFile, tr("%1 (%2)").arg(problem, sizeFile));
        if (!doc->hasSymbol())
            return message.createErrorReply(bus::Error::NoDrawing, tr("%1 has no style drawing: LoadSymbol must come first").arg(doc->title()));
        doc->showPlan(width);
        window_->report(tr("2dsheds.mrq: %1 shows %2 at a building width of %3 feet")
                            .arg(doc->title(), QFileInfo(doc->symbolFile()).fileName(), width));
    }
    window_->saveSnapshot();
    return message.createReply();
}

QDBusMessage HostObject::loadSymbol(const QDBusMessage &message, DocumentView *doc)
{
    const QString hostPath = message.arguments().at(0).toString();
    const QString fileName = resolve(hostPath);
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return message.createErrorReply(bus::Error::FileNotFound, tr("The drawing %1 does not exist").arg(fileName));
    if (!doc->loadSymbol(fileName, file.readAll()))
        return message.createErrorReply(bus::Error::BadDrawing, tr("%1 is not a drawing this host can read").arg(fileName));
    window_->report(tr("%1: loaded %2").arg(doc->title(), QFileInfo(fileName).fileName()));
    // The path is an in/out argument: it comes back as the caller gave it.
    return message.createReply({QVariant::fromValue(QDBusVariant(true)), hostPath});
}

} // namespace corvelle::refhost
