// corvelle-host: the reference host drawing application the wizard hands its designs to.
#include "BuildCommand.h"
#include "bus/BusContract.h"
#include "core/ProgramFolder.h"
#include "refhost/bus/HostAdaptor.h"
#include "refhost/model/Application.h"
#include "refhost/model/Recovery.h"
#include "refhost/views/HostWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QSettings>
#include <QTimer>

#include <cstdio>
#include <cstring>

using namespace corvelle::refhost;

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "corvelle-host: %s\n", qPrintable(text));
    return 1;
}

// The window program's options, with the batch build's for --help.
struct Options {
    QCommandLineOption journal{QStringLiteral("journal"),
                               QStringLiteral("Write every received call as a JSON line to <file>."),
                               QStringLiteral("file")};
    QCommandLineOption refuse{QStringLiteral("refuse"),
                              QStringLiteral("Answer <member> with an error reply (repeatable)."),
                              QStringLiteral("member")};
    QCommandLineOption folder{QStringLiteral("program-folder"),
                              QStringLiteral("Folder that \"*\\\" stands for (default: this program's folder, or "
                                             "the user's own in a system installation)."),
                              QStringLiteral("dir")};
    QCommandLineOption snapshot{QStringLiteral("snapshot"),
                                QStringLiteral("Save a picture of the window to <file> after each macro, "
                                               "and again once its 3D views have drawn."),
                                QStringLiteral("file")};

    QCommandLineOption edit{QStringLiteral("edit"),
                            QStringLiteral("Edit the design of the file opened at start as the Design panel does: "
                                           "<name>=<value>, a record name such as ShedWidth (repeatable)."),
                            QStringLiteral("name=value")};
    QCommandLineOption recovery{QStringLiteral("recovery"),
                                QStringLiteral("What to do with the designs a host that did not exit cleanly left: "
                                               "ask (the default), recover or discard."),
                                QStringLiteral("answer"), QStringLiteral("ask")};

    explicit Options(QCommandLineParser &parser)
    {
        parser.setApplicationDescription(
            QStringLiteral("Reference host drawing application for Corvelle; owns %1 on the session bus.")
                .arg(corvelle::bus::Service));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({journal, refuse, folder, snapshot, edit, recovery});
        parser.addPositionalArgument(QStringLiteral("file"),
                                     QStringLiteral("A project (.shed) or shed data file to open at start."),
                                     QStringLiteral("[file...]"));
        addBuildOptions(parser);
    }
};

void setNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("corvelle-host"));
    QCoreApplication::setOrganizationName(QStringLiteral("Corvelle"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVELLE_VERSION));
}

// Whether a window system can be reached; the platform plugin aborts the program otherwise.
bool displayReachable(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
            return true;
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    // The batch build needs no display: it runs before any window system is touched.
    if (isBuildCommand(argc, argv))
        return runBuildCommand(argc, argv);
    {
        // --help and --version are answered before the window system too. Qt's own
        // options (-platform ...) are unknown here: they are left to the window program.
        QCoreApplication early(argc, argv);
        setNames();
        QCommandLineParser parser;
        const Options options(parser);
        Q_UNUSED(options);
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(QStringLiteral("help-all")))
            parser.process(QCoreApplication::arguments()); // prints Qt's options too, and exits
        if (parser.isSet(QStringLiteral("help")))
            parser.showHelp();
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
    }
    if (!displayReachable(argc, argv))
        return fail(QStringLiteral("no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set); "
                                   "--build FILE --out DIR needs none."));

    QApplication app(argc, argv);
    setNames();
    QApplication::setApplicationDisplayName(QStringLiteral("Corvelle Host"));
    QCommandLineParser parser;
    const Options options(parser);
    parser.process(app);
    const QCommandLineOption &journalOpt = options.journal, &refuseOpt = options.refuse, &folderOpt = options.folder,
                             &snapshotOpt = options.snapshot;

    const QString answer = parser.value(options.recovery);
    if (answer != u"ask" && answer != u"recover" && answer != u"discard") {
        std::fprintf(stderr, "corvelle-host: --recovery takes ask, recover or discard, not \"%s\".\n",
                     qPrintable(answer));
        return 2;
    }

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

    // The store outlives the model: a clean exit removes this host's recovery files last.
    RecoveryStore store(RecoveryStore::defaultRoot());
    Application model(folder);
    QSettings settings(QStringLiteral("Corvelle"), QStringLiteral("corvelle-host"));
    model.rememberUnitsIn(&settings);
    Recovery recovery(model, store);
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
    // The files named on the command line, before the first paint; a refused one is said
    // on the terminal and in the status bar, and the host serves the bus all the same.
    for (const QString &file : parser.positionalArguments()) {
        const Application::Opened opened = model.openFile(file);
        if (opened.document) {
            HostWindow::addRecentFile(file);
            for (const QString &edit : parser.values(options.edit)) {
                const qsizetype at = edit.indexOf(QLatin1Char('='));
                const QString refused = at < 0 ? QStringLiteral("--edit takes name=value, not \"%1\".").arg(edit)
                                               : opened.document->setDesignField(edit.left(at), edit.mid(at + 1));
                if (!refused.isEmpty())
                    std::fprintf(stderr, "corvelle-host: %s\n", qPrintable(refused));
            }
        } else {
            std::fprintf(stderr, "corvelle-host: %s\n", qPrintable(opened.error));
            model.report(opened.error);
        }
    }
    window.show();
    // What a host that did not exit cleanly left is offered once the window is up, without
    // holding up the bus.
    QTimer::singleShot(0, &window, [&] {
        const QList<RecoveryStore::Orphan> orphans = recovery.takeOrphans();
        if (answer == u"ask")
            return window.offerRecovery(recovery, orphans);
        for (const RecoveryStore::Orphan &orphan : orphans)
            recovery.settle(orphan, answer == u"recover");
    });
    const int status = app.exec();
    bus.unregisterService(service);
    return status;
}
