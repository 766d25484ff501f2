#include "bus/BusContract.h"
#include "HostTestSupport.h"

#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

namespace corvelle::testing {

QString hostExecutable() { return QStringLiteral(CORVELLE_HOST_EXE); }

bool installHostFiles(const QString &folder)
{
    QDir root(folder);
    bool ok = root.mkpath(QStringLiteral("Program Data/2D Sheds"));
    const QString source = QStringLiteral(CORVELLE_HOST_DATA_SRC);
    for (const char *macro : {"Q&V_1_Start.mrq", "2dsheds.mrq"}) {
        ok = ok && QFile::copy(source + QLatin1Char('/') + QLatin1String(macro),
                               root.filePath(QStringLiteral("Program Data/") + QLatin1String(macro)));
    }
    return ok;
}

void writeStyleDrawing(const QString &folder, int number)
{
    const QByteArray svg = QByteArrayLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"263\" height=\"164\" viewBox=\"0 0 263 164\">"
        "<rect width=\"263\" height=\"164\" fill=\"white\"/>"
        "<path d=\"M40 150 V70 L130 20 L220 70 V150 Z M110 150 V100 H150 V150\" fill=\"none\" stroke=\"black\"/>"
        "</svg>\n");
    QFile f(QDir(folder).filePath(QStringLiteral("Program Data/2D Sheds/Shed_%1.KQ").arg(number)));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(svg) != svg.size())
        qFatal("cannot write test file %s", qPrintable(f.fileName()));
}

ProgramFolder::ProgramFolder() { ok_ = installHostFiles(dir_.path()); }

void ProgramFolder::write(const QString &relative, const QByteArray &bytes) const
{
    QFile f(dir_.filePath(relative));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(f.fileName()));
}

void ProgramFolder::writeStyle(int number) const { writeStyleDrawing(dir_.path(), number); }

QProcessEnvironment hostEnvironment(const QString &busAddress)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!busAddress.isEmpty())
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    return env;
}

bool nameHasOwner(const QDBusConnection &bus)
{
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                      QStringLiteral("/org/freedesktop/DBus"),
                                                      QStringLiteral("org.freedesktop.DBus"),
                                                      QStringLiteral("NameHasOwner"));
    ask << bus::Service;
    const QDBusMessage reply = bus.call(ask, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
}

bool waitForOwner(const QDBusConnection &bus, bool owned, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (nameHasOwner(bus) != owned) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

HostProcess::~HostProcess() { stop(); }

bool HostProcess::start(const ProgramFolder &folder, const QStringList &extraArgs, const QString &busAddress)
{
    return start(folder.path(), extraArgs, busAddress);
}

bool HostProcess::start(const QString &programFolder, const QStringList &extraArgs, const QString &busAddress)
{
    bus_ = busAddress.isEmpty() ? QDBusConnection::sessionBus()
                                : QDBusConnection::connectToBus(busAddress, QStringLiteral("host-process-watch"));
    if (!bus_.isConnected()) {
        error_ = QStringLiteral("no bus to start the host on: ") + bus_.lastError().message();
        return false;
    }
    journal_ = QDir(programFolder).filePath(QStringLiteral("journal.jsonl"));
    process_.setProcessEnvironment(hostEnvironment(busAddress));
    process_.setProgram(hostExecutable());
    process_.setArguments(QStringList{QStringLiteral("--program-folder"), programFolder, QStringLiteral("--journal"),
                                      journal_}
                          + extraArgs);
    process_.start();
    if (!process_.waitForStarted(10000)) {
        error_ = process_.errorString();
        return false;
    }
    QDeadlineTimer deadline(15000);
    while (!nameHasOwner(bus_)) {
        if (process_.state() == QProcess::NotRunning || deadline.hasExpired()) {
            error_ = QStringLiteral("the host did not take its name: ") + QString::fromLocal8Bit(process_.readAllStandardError());
            return false;
        }
        process_.waitForFinished(20);
    }
    return true;
}

void HostProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    // The next test must not find this host still on the bus.
    if (bus_.isConnected())
        waitForOwner(bus_, false, 5000);
}

QList<QJsonObject> readJournal(const QString &file)
{
    QList<QJsonObject> entries;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            entries.append(QJsonDocument::fromJson(line).object());
    }
    return entries;
}

QString callName(const QJsonObject &entry)
{
    const QString member = entry.value(QStringLiteral("member")).toString();
    if (entry.value(QStringLiteral("interface")).toString() == QLatin1String("org.freedesktop.DBus.Properties")
        && (member == QLatin1String("Get") || member == QLatin1String("Set")))
        return member + QLatin1Char(' ') + entry.value(QStringLiteral("args")).toArray().at(1).toString();
    return member;
}

QStringList journalCalls(const QString &file)
{
    QStringList calls;
    for (const QJsonObject &entry : readJournal(file))
        calls << callName(entry);
    return calls;
}

QDBusMessage callHost(const QString &path, const QString &interface, const QString &member, const QVariantList &args,
                      const QDBusConnection &bus)
{
    QDBusMessage msg = QDBusMessage::createMethodCall(bus::Service, path, interface, member);
    msg.setArguments(args);
    msg.setAutoStartService(false);
    return bus.call(msg, QDBus::Block, 10000);
}

} // namespace corvelle::testing
