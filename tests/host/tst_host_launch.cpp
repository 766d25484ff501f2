// The two launches driven through DBusHost against a real corvelle-host process.
#include "bus/BusContract.h"
#include "HostTestSupport.h"

#include "core/Failure.h"
#include "host/Host.h"

#include <QDBusConnection>
#include <QFile>
#include <QJsonArray>
#include <QTest>

#include <optional>

using namespace corvelle;
using namespace corvelle::testing;

namespace {

const QStringList Calls3D = {"BringToTop", "Get Documents", "Add", "Get ActiveDocument", "RunMorvish"};
const QStringList Calls2D = {"Get Documents", "BringToTop",       "Add",        "Get ActiveDocument",
                             "Get File",      "Set DraftingMode", "LoadSymbol", "RunMorvish"};

std::optional<Failure> run(const std::function<void()> &launch)
{
    try {
        launch();
    } catch (const Failure &f) {
        return f;
    }
    return std::nullopt;
}

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A private bus daemon whose service folder would start the host on demand; the
// "host" it would start only leaves a marker file behind.
class ActivatingBus {
public:
    bool start()
    {
        const QString services = dir_.filePath(QStringLiteral("services"));
        QDir().mkpath(services);
        marker_ = dir_.filePath(QStringLiteral("activated"));
        writeFile(services + QLatin1Char('/') + bus::Service + QStringLiteral(".service"),
                  "[D-BUS Service]\nName=" + bus::Service.toUtf8() + "\nExec=/bin/sh -c \"touch " + marker_.toUtf8() + "\"\n");
        const QString config = dir_.filePath(QStringLiteral("bus.conf"));
        writeFile(config, "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                          " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n<busconfig>\n"
                          "<type>session</type>\n<auth>EXTERNAL</auth>\n<listen>unix:tmpdir=/tmp</listen>\n<servicedir>"
                              + services.toUtf8()
                              + "</servicedir>\n<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>\n</busconfig>\n");
        daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config,
                                                      QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        if (!daemon_.waitForStarted(5000))
            return false;
        while (!daemon_.canReadLine()) {
            if (!daemon_.waitForReadyRead(5000))
                return false;
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        return !address_.isEmpty();
    }
    ~ActivatingBus()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("activating-bus"));
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
    QDBusConnection connection() const
    {
        return QDBusConnection::connectToBus(address_, QStringLiteral("activating-bus"));
    }
    QString address() const { return address_; }
    bool activated() const { return QFile::exists(marker_); }

private:
    static void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir_;
    QProcess daemon_;
    QString marker_;
    QString address_;
};

} // namespace

class HostLaunchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void launch3D_callsInOrderAndHidesBeforeMacro();
    void launch2D_callsInOrderWithWidthFileAfterDocuments();
    void noHost_failsAtAttachBeforeAnything();
    void serviceFile_neverActivated();
    void refusedMember_isReportedAndEndsTheLaunch_data();
    void refusedMember_isReportedAndEndsTheLaunch();
};

void HostLaunchTest::launch3D_callsInOrderAndHidesBeforeMacro()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    folder.writeShedData(sampleShedData());
    HostProcess hostProcess;
    QVERIFY2(hostProcess.start(folder), qPrintable(hostProcess.errorText()));

    QStringList seenWhenHidden;
    DBusHost host;
    const auto failure = run([&] { Launch3D(host, [&] { seenWhenHidden = journalCalls(hostProcess.journalFile()); }); });
    QVERIFY2(!failure, failure ? failure->what() : "");

    QCOMPARE(seenWhenHidden, Calls3D.mid(0, 4));
    const QList<QJsonObject> journal = readJournal(hostProcess.journalFile());
    QStringList calls;
    for (const auto &entry : journal)
        calls << callName(entry);
    QCOMPARE(calls, Calls3D);
    for (const auto &entry : journal)
        QVERIFY2(!entry.contains(QStringLiteral("error")), qPrintable(callName(entry)));

    QCOMPARE(journal[0]["path"].toString(), bus::Application::Path);
    QCOMPARE(journal[2]["path"].toString(), bus::Documents::Path);   // followed from Documents
    const QJsonObject macro = journal[4];
    QCOMPARE(macro["interface"].toString(), bus::Document::Interface);
    QVERIFY(macro["path"].toString().startsWith(bus::Documents::Path + QLatin1Char('/')));
    QCOMPARE(macro["args"].toArray(), QJsonArray{QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq")});
}

void HostLaunchTest::launch2D_callsInOrderWithWidthFileAfterDocuments()
{
    ProgramFolder folder;
    QVERIFY(folder.isValid());
    folder.writeStyle(107);
    HostProcess hostProcess;
    QVERIFY2(hostProcess.start(folder), qPrintable(hostProcess.errorText()));

    QStringList order;
    QStringList seenAtWidthFile;
    Launch2DSteps steps;
    steps.type2D = 107;
    steps.writeWidthFile = [&] {
        order << QStringLiteral("width file");
        seenAtWidthFile = journalCalls(hostProcess.journalFile());
        folder.write(QStringLiteral("shedSize.txt"), "12\r\n");
    };
    steps.hideScreen = [&] { order << QStringLiteral("hide"); };

    QString shapeFile = QStringLiteral("unset");
    QString retval = QStringLiteral("unset");
    DBusHost host;
    const auto failure = run([&] { Launch2D(host, steps, shapeFile, retval); });
    QVERIFY2(!failure, failure ? failure->what() : "");

    QCOMPARE(order, (QStringList{"width file", "hide"}));
    QCOMPARE(seenAtWidthFile, QStringList{"Get Documents"});
    QCOMPARE(shapeFile, QStringLiteral("*\\Program Data\\2D Sheds\\Shed_107.KQ"));
    QCOMPARE(retval, QStringLiteral("true"));

    const QList<QJsonObject> journal = readJournal(hostProcess.journalFile());
    QStringList calls;
    for (const auto &entry : journal)
        calls << callName(entry);
    QCOMPARE(calls, Calls2D);
    for (const auto &entry : journal)
        QVERIFY2(!entry.contains(QStringLiteral("error")), qPrintable(callName(entry)));

    const QString document = journal[4]["path"].toString();  // Get File is asked of the active document
    QVERIFY(document.startsWith(bus::Documents::Path + QLatin1Char('/')));
    QCOMPARE(journal[5]["path"].toString(), document);
    QCOMPARE(journal[5]["args"].toArray(), (QJsonArray{bus::Document::Interface, bus::Document::DraftingMode, true}));
    QCOMPARE(journal[6]["path"].toString(), document + QStringLiteral("/File"));
    QCOMPARE(journal[6]["args"].toArray(),
             (QJsonArray{QStringLiteral("*\\Program Data\\2D Sheds\\Shed_107.KQ"), false, true, true}));
    QCOMPARE(journal[7]["path"].toString(), document);
    QCOMPARE(journal[7]["args"].toArray(), QJsonArray{QStringLiteral("*\\Program Data\\2dsheds.mrq")});
}

void HostLaunchTest::noHost_failsAtAttachBeforeAnything()
{
    QVERIFY(waitForOwner(QDBusConnection::sessionBus(), false));
    ProgramFolder folder;
    folder.writeShedData(sampleShedData());
    folder.write(QStringLiteral("shedSize.txt"), "earlier\r\n");

    bool hidden = false;
    DBusHost host3D;
    auto failure = run([&] { Launch3D(host3D, [&] { hidden = true; }); });
    QVERIFY(failure);
    QCOMPARE(failure->target(), QStringLiteral("Attach"));
    QVERIFY2(failure->reason().contains(QStringLiteral("not running")), qPrintable(failure->reason()));
    QVERIFY(!hidden);
    QCOMPARE(readFile(folder.file(QStringLiteral("Program Data/ShedData.txt"))), sampleShedData());

    bool wrote = false;
    Launch2DSteps steps{[&] {
                            wrote = true;
                            folder.write(QStringLiteral("shedSize.txt"), "12\r\n");
                        },
                        [&] { hidden = true; }, 101};
    QString shapeFile, retval;
    DBusHost host2D;
    failure = run([&] { Launch2D(host2D, steps, shapeFile, retval); });
    QVERIFY(failure);
    QCOMPARE(failure->target(), QStringLiteral("Attach"));
    QVERIFY(!wrote && !hidden);
    QCOMPARE(readFile(folder.file(QStringLiteral("shedSize.txt"))), QByteArray("earlier\r\n"));
    QVERIFY(shapeFile.isEmpty());
}

void HostLaunchTest::serviceFile_neverActivated()
{
    ActivatingBus bus;
    QVERIFY(bus.start());
    QDBusConnection connection = bus.connection();
    QVERIFY(connection.isConnected());

    // No host: the attach fails and the service file is left alone.
    DBusHost host(connection);
    auto failure = run([&] { Launch3D(host, {}); });
    QVERIFY(failure);
    QCOMPARE(failure->target(), QStringLiteral("Attach"));

    // A host that goes away after the attach: the next call fails instead of starting one.
    ProgramFolder folder;
    HostProcess hostProcess;
    QVERIFY2(hostProcess.start(folder, {}, bus.address()), qPrintable(hostProcess.errorText()));
    DBusHost attached(connection);
    attached.attach();
    hostProcess.stop();
    failure = run([&] { attached.bringToTop(); });
    QVERIFY(failure);
    QCOMPARE(failure->target(), QStringLiteral("BringToTop"));
    QTest::qWait(500);
    QVERIFY2(!bus.activated(), "the bus started the host for the wizard");

    // The service file does work for a caller that allows auto-start.
    QDBusMessage ping = QDBusMessage::createMethodCall(bus::Service,
                                                       bus::Application::Path,
                                                       bus::Peer::Interface, bus::Peer::Ping);
    connection.call(ping, QDBus::Block, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(bus.activated(), 5000);
}

void HostLaunchTest::refusedMember_isReportedAndEndsTheLaunch_data()
{
    QTest::addColumn<bool>("is3D");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("call");
    for (const QString &call : Calls3D)
        QTest::addRow("3D %s", qPrintable(call)) << true << call.section(QLatin1Char(' '), -1) << call;
    for (const QString &call : Calls2D)
        QTest::addRow("2D %s", qPrintable(call)) << false << call.section(QLatin1Char(' '), -1) << call;
}

void HostLaunchTest::refusedMember_isReportedAndEndsTheLaunch()
{
    QFETCH(bool, is3D);
    QFETCH(QString, member);
    QFETCH(QString, call);

    ProgramFolder folder;
    folder.writeShedData(sampleShedData());
    folder.writeStyle(101);
    HostProcess hostProcess;
    QVERIFY2(hostProcess.start(folder, {QStringLiteral("--refuse"), member}), qPrintable(hostProcess.errorText()));

    DBusHost host;
    bool hidden = false;
    bool wrote = false;
    std::optional<Failure> failure;
    if (is3D) {
        failure = run([&] { Launch3D(host, [&] { hidden = true; }); });
    } else {
        Launch2DSteps steps{[&] {
                                wrote = true;
                                folder.write(QStringLiteral("shedSize.txt"), "12\r\n");
                            },
                            [&] { hidden = true; }, 101};
        QString shapeFile, retval;
        failure = run([&] { Launch2D(host, steps, shapeFile, retval); });
    }
    QVERIFY(failure);
    QCOMPARE(failure->target(), call);
    QVERIFY2(failure->reason().startsWith(bus::Error::Refused + QStringLiteral(": ")), qPrintable(failure->reason()));
    QVERIFY(failure->reason().contains(member));
    QVERIFY(QString::fromUtf8(failure->what()).contains(call));

    const QStringList &expected = is3D ? Calls3D : Calls2D;
    const QStringList calls = journalCalls(hostProcess.journalFile());
    QCOMPARE(calls, expected.mid(0, expected.indexOf(call) + 1));
    // Screen hiding belongs to its place in the sequence: 3D just before RunMorvish, 2D after Documents.
    QCOMPARE(hidden, is3D ? call == QLatin1String("RunMorvish") : call != QLatin1String("Get Documents"));
    QCOMPARE(wrote, !is3D && call != QLatin1String("Get Documents"));
}

QTEST_GUILESS_MAIN(HostLaunchTest)
#include "tst_host_launch.moc"
