// corvelle-host: the reference host drawing application the wizard hands its designs to.
#include "BuildCommand.h"
#include "bus/BusContract.h"
#include "core/ProgramFolder.h"
#include "refhost/bus/HostAdaptor.h"
#include "refhost/model/Application.h"
#include "refhost/views/HostWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QSettings>

#include <cstdio>

using namespace corvelle::refhost;

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "corvelle-host: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // The batch build needs no display: it runs before any window system is touched.
    if (isBuildCommand(argc, argv))
        return runBuildCommand(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvelle-host"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvelle Host"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reference host drawing application for Corvelle; owns %1 on the session bus.").arg(corvelle::bus::Service));
    parser.addHelpOption();
    const QCommandLineOption journalOpt(QStringLiteral("journal"),
                                        QStringLiteral("Write every received call as a JSON line to <file>."),
                                        QStringLiteral("file"));
    const QCommandLineOption refuseOpt(QStringLiteral("refuse"),
                                       QStringLiteral("Answer <member> with an error reply (repeatable)."),
                                       QStringLiteral("member"));
    const QCommandLineOption folderOpt(
        QStringLiteral("program-folder"),
        QStringLiteral("Folder that \"*\\\" stands for (default: this program's folder, or "
                       "the user's own in a system installation)."),
        QStringLiteral("dir"));
    const QCommandLineOption snapshotOpt(QStringLiteral("snapshot"),
                                         QStringLiteral("Save a picture of the window to <file> after each macro, "
                                                        "and again once its 3D views have drawn."),
                                         QStringLiteral("file"));
    parser.addOptions({journalOpt, refuseOpt, folderOpt, snapshotOpt});
    addBuildOptions(parser);
    parser.process(app);

    const QString folder = parser.isSet(folderOpt) ? QDir(parser.value(folderOpt)).absolutePath()
                                                   : corvelle::programFolder(QCoreApplication::applicationDirPath());
    if (!QDir(folder).exists())
        return fail(QStringLiteral("the program folder %1 does not exist").arg(folder));

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return fail(QStringLiteral("cannot connect to the session bus: %1").arg(bus.lastError().message()));
    const QString &service = corvelle::bus::Service;
    if (bus.interface()->isServiceRegistered(service)) {
        return fail(QStringLiteral("%1 is already owned on the session bus: another host is running, not starting a second one")
                        .arg(service));
    }

    Application model(folder);
    QSettings settings(QStringLiteral("Corvelle"), QStringLiteral("corvelle-host"));
    model.rememberUnitsIn(&settings);
    HostWindow window(model);
    if (parser.isSet(snapshotOpt))
        window.setSnapshotFile(parser.value(snapshotOpt));
    HostAdaptor host(model);
    if (parser.isSet(journalOpt)) {
        QString error;
        if (!host.openJournal(parser.value(journalOpt), error))
            return fail(QStringLiteral("cannot write the journal %1: %2").arg(parser.value(journalOpt), error));
    }
    for (const QString &member : parser.values(refuseOpt))
        host.refuse(member);

    // Objects first, then the name: once the name is visible every call can be answered.
    if (!bus.registerVirtualObject(corvelle::bus::RootPath, &host, QDBusConnection::SubPath))
        return fail(QStringLiteral("cannot register %1 on the bus").arg(corvelle::bus::RootPath));
    if (!bus.registerService(service)) {
        // The check above passed, so the name went to a host started at the same moment
        // (the bus gives no error for a name that is taken).
        if (bus.interface()->isServiceRegistered(service)) {
            return fail(QStringLiteral("%1 was taken by another host starting at the same moment; not starting a second one")
                            .arg(service));
        }
        return fail(QStringLiteral("cannot take %1 on the session bus: %2").arg(service, bus.lastError().message()));
    }
    window.show();
    const int status = app.exec();
    bus.unregisterService(service);
    return status;
}
