// The reference host's own behaviour, through raw calls on the bus.
#include "bus/BusContract.h"
#include "HostTestSupport.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QImage>
#include <QJsonArray>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QFileInfo>
#include <QTest>
#include <QXmlStreamReader>

using namespace corvelle::testing;
namespace bus = corvelle::bus;

namespace {

const QString App = bus::Application::Path;
const QString AppIface = bus::Application::Interface;
const QString Props = bus::Properties::Interface;
const QString StartMacro = QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq");
const QString PlanMacro = QStringLiteral("*\\Program Data\\2dsheds.mrq");

QString errorOf(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ErrorMessage ? reply.errorName() : QString();
}

QString describe(const QDBusMessage &reply) { return reply.errorName() + QStringLiteral(": ") + reply.errorMessage(); }

QString addDocument()
{
    const QDBusMessage reply = callHost(bus::Documents::Path, bus::Documents::Interface, bus::Documents::Add);
    return reply.arguments().value(0).value<QDBusObjectPath>().path();
}

QVariant getProperty(const QString &path, const QString &iface, const QString &name, QString *error = nullptr)
{
    const QDBusMessage reply = callHost(path, Props, bus::Properties::Get, {iface, name});
    if (error)
        *error = errorOf(reply);
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

QDBusMessage runMacro(const QString &document, const QString &macro)
{
    return callHost(document, bus::Document::Interface, bus::Document::RunMorvish, {macro});
}

// "Interface.Member kind signature" for every method and property in introspection XML.
QStringList members(const QString &xml)
{
    QStringList out;
    QXmlStreamReader reader(xml);
    QString iface, method, in, outSig;
    while (!reader.atEnd()) {
        reader.readNext();
        const auto attr = reader.attributes();
        if (reader.isStartElement() && reader.name() == QLatin1String("interface")) {
            iface = attr.value(QLatin1String("name")).toString();
        } else if (reader.isStartElement() && reader.name() == QLatin1String("method")) {
            method = attr.value(QLatin1String("name")).toString();
            in.clear();
            outSig.clear();
        } else if (reader.isStartElement() && reader.name() == QLatin1String("arg") && !method.isEmpty()) {
            (attr.value(QLatin1String("direction")) == QLatin1String("out") ? outSig : in) += attr.value(QLatin1String("type"));
        } else if (reader.isEndElement() && reader.name() == QLatin1String("method")) {
            out << QStringLiteral("%1.%2 method (%3)->(%4)").arg(iface, method, in, outSig);
            method.clear();
        } else if (reader.isStartElement() && reader.name() == QLatin1String("property")) {
            out << QStringLiteral("%1.%2 property %3 %4")
                       .arg(iface, attr.value(QLatin1String("name")), attr.value(QLatin1String("type")),
                            attr.value(QLatin1String("access")));
        }
    }
    return out;
}

QString introspect(const QString &path)
{
    return callHost(path, bus::Introspectable::Interface, bus::Introspectable::Introspect)
        .arguments()
        .value(0)
        .toString();
}

} // namespace

class RefHostTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void secondInstance_refusesToStart();
    void twoAtOnce_theLoserSaysWhy();
    void introspection_listsTheContract();
    void documents_addMakesActive_draftingModeIsKept();
    void startMacro_checksTheDataFile_data();
    void startMacro_checksTheDataFile();
    void startMacro_showsDesign();
    void unknownMacro_isAnError_data();
    void unknownMacro_isAnError();
    void loadSymbol_resolvesAndReturnsPath();
    void planMacro_needsWidthFileAndDrawing();
    void wrongSignature_isRejected();

private:
    ProgramFolder *folder_ = nullptr;
    HostProcess *host_ = nullptr;
};

void RefHostTest::init()
{
    folder_ = new ProgramFolder;
    QVERIFY(folder_->isValid());
    host_ = new HostProcess;
    QVERIFY2(host_->start(*folder_, {QStringLiteral("--snapshot"), folder_->file(QStringLiteral("window.png"))}),
             qPrintable(host_->errorText()));
}

void RefHostTest::cleanup()
{
    delete host_;
    delete folder_;
    host_ = nullptr;
    folder_ = nullptr;
}

void RefHostTest::secondInstance_refusesToStart()
{
    QProcess second;
    second.setProcessEnvironment(hostEnvironment());
    second.start(hostExecutable(), {QStringLiteral("--program-folder"), folder_->path()});
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(QString::fromLocal8Bit(second.readAllStandardError()).contains(QStringLiteral("already owned")));
    // The first host keeps answering.
    QCOMPARE(errorOf(callHost(App, AppIface, bus::Application::BringToTop)), QString());
}

void RefHostTest::twoAtOnce_theLoserSaysWhy()
{
    delete host_;
    host_ = nullptr;
    QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(bus::Service));
    QProcess hosts[2];
    for (QProcess &host : hosts) {
        host.setProcessEnvironment(hostEnvironment());
        host.start(hostExecutable(), {QStringLiteral("--program-folder"), folder_->path()});
    }
    QTRY_VERIFY_WITH_TIMEOUT(hosts[0].state() == QProcess::NotRunning || hosts[1].state() == QProcess::NotRunning, 15000);
    QProcess &loser = hosts[0].state() == QProcess::NotRunning ? hosts[0] : hosts[1];
    QProcess &winner = &loser == &hosts[0] ? hosts[1] : hosts[0];
    QCOMPARE(loser.exitCode(), 1);
    const QString why = QString::fromLocal8Bit(loser.readAllStandardError());
    QVERIFY2(why.contains(QStringLiteral("another host")), qPrintable(why));
    QCOMPARE(winner.state(), QProcess::Running);
    winner.terminate();
    QVERIFY(winner.waitForFinished(10000));
}

void RefHostTest::introspection_listsTheContract()
{
    const QString doc = addDocument();
    QVERIFY(!doc.isEmpty());
    const QStringList app = members(introspect(App));
    QVERIFY(app.contains(QStringLiteral("Brasswick.Application.BringToTop method ()->()")));
    QVERIFY(app.contains(QStringLiteral("Brasswick.Application.Documents property o read")));
    QVERIFY(app.contains(QStringLiteral("Brasswick.Application.ActiveDocument property o read")));
    const QString docs = getProperty(App, AppIface, bus::Application::Documents).value<QDBusObjectPath>().path();
    QVERIFY(members(introspect(docs)).contains(QStringLiteral("Brasswick.Documents.Add method ()->(o)")));
    const QStringList document = members(introspect(doc));
    QVERIFY(document.contains(QStringLiteral("Brasswick.Document.File property o read")));
    QVERIFY(document.contains(QStringLiteral("Brasswick.Document.DraftingMode property b readwrite")));
    QVERIFY(document.contains(QStringLiteral("Brasswick.Document.RunMorvish method (s)->()")));
    const QString file = getProperty(doc, bus::Document::Interface, bus::Document::File)
                             .value<QDBusObjectPath>()
                             .path();
    QVERIFY(members(introspect(file)).contains(QStringLiteral("Brasswick.File.LoadSymbol method (sbbb)->(vs)")));
    // Children are listed so that tree walkers find the documents.
    QVERIFY(introspect(docs).contains(QStringLiteral("<node name=\"%1\"/>").arg(doc.section(QLatin1Char('/'), -1))));
}

void RefHostTest::documents_addMakesActive_draftingModeIsKept()
{
    QString error;
    getProperty(App, AppIface, bus::Application::ActiveDocument, &error);
    QCOMPARE(error, bus::Error::NoDocument);

    const QString first = addDocument();
    const QString second = addDocument();
    QVERIFY(!first.isEmpty() && first != second);
    QCOMPARE(getProperty(App, AppIface, bus::Application::ActiveDocument).value<QDBusObjectPath>().path(), second);

    const QString docIface = bus::Document::Interface;
    QCOMPARE(getProperty(second, docIface, bus::Document::DraftingMode), QVariant(false));
    QCOMPARE(errorOf(callHost(second, Props, bus::Properties::Set,
                              {docIface, bus::Document::DraftingMode, QVariant::fromValue(QDBusVariant(true))})),
             QString());
    QCOMPARE(getProperty(second, docIface, bus::Document::DraftingMode), QVariant(true));
    QCOMPARE(getProperty(first, docIface, bus::Document::DraftingMode), QVariant(false));

    QCOMPARE(errorOf(callHost(second, Props, bus::Properties::Set,
                              {docIface, bus::Document::DraftingMode, QVariant::fromValue(QDBusVariant(QStringLiteral("yes")))})),
             QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    QCOMPARE(errorOf(callHost(App, Props, bus::Properties::Set,
                              {AppIface, bus::Application::ActiveDocument,
                               QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusObjectPath(first))))})),
             QStringLiteral("org.freedesktop.DBus.Error.PropertyReadOnly"));
    QCOMPARE(errorOf(callHost(QStringLiteral("/Brasswick/Documents/Document99"), docIface, bus::Document::RunMorvish,
                              {StartMacro})),
             QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"));
}

void RefHostTest::startMacro_checksTheDataFile_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("mentions");

    const QList<QByteArray> lines = sampleShedDataLines();
    const auto with = sampleShedDataWith;
    QByteArray lfOnly = sampleShedData();
    lfOnly.replace("\r\n", "\n");
    QByteArray bareLf = sampleShedData();
    bareLf.replace(bareLf.indexOf("\r\n"), 2, "\n");

    QTest::newRow("missing") << QByteArray() << bus::Error::FileNotFound << "ShedData.txt";
    QTest::newRow("62 lines") << joinCrLf(lines.mid(0, 62)) << bus::Error::BadDataFile << "62 lines";
    QTest::newRow("64 lines") << joinCrLf(lines + QList<QByteArray>{"extra"}) << bus::Error::BadDataFile
                              << "64 lines";
    QTest::newRow("LF line ends") << lfOnly << bus::Error::BadDataFile << "CR LF";
    QTest::newRow("one bare LF") << bareLf << bus::Error::BadDataFile << "line 1 ";
    QTest::newRow("no final line end") << sampleShedData().chopped(2) << bus::Error::BadDataFile << "CR LF";
    QTest::newRow("comment changed") << with(14, "0           ' N, Block Rows, Number of Block Rows")
                                     << bus::Error::BadDataFile << "line 14:";
    QTest::newRow("value field short") << with(2, "16 ' Z, Feet,         Shed Depth") << bus::Error::BadDataFile
                                       << "line 2:";
    QTest::newRow("fixed value changed") << with(6, "2           ' X, Inches,       Joist Width")
                                         << bus::Error::BadDataFile << "line 6:";
    QTest::newRow("material text") << with(39, "8'x 4' pieces of Wallboard for Exterior walls")
                                   << bus::Error::BadDataFile << "line 39:";
    QTest::newRow("siding line") << with(43, "Vinyl") << bus::Error::BadDataFile << "line 43:";
    QTest::newRow("trusses trimmed") << with(61, "1") << bus::Error::BadDataFile << "line 61:";
    QTest::newRow("comment line moved") << with(46, "' N, Main Door,    None, Front, Rear, Both")
                                        << bus::Error::BadDataFile << "line 46:";
    QTest::newRow("inner wall type") << with(31, "1 ' N, InWallType,   0 = None, 1 = Thin") << bus::Error::BadDataFile
                                     << "line 31:";

    // Values the wizard may legitimately write.
    QTest::newRow("sample") << sampleShedData() << QString() << QString();
    QList<QByteArray> odd = lines;
    odd[0] = "12.345678901' X, Feet,         Shed Width";        // cut to 12 characters
    odd[52] = "";                                              // no roof type stored
    odd[30] = "0          ' N, InWallType,   0 = None, 1 = Thin";
    odd[42] = "Pieces of  Siding";
    QTest::newRow("cut and empty values") << joinCrLf(odd) << QString() << QString();
}

void RefHostTest::startMacro_checksTheDataFile()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, error);
    QFETCH(QString, mentions);
    if (!data.isEmpty())
        folder_->writeShedData(data);
    const QString doc = addDocument();
    const QDBusMessage reply = runMacro(doc, StartMacro);
    QCOMPARE(errorOf(reply), error);
    QVERIFY2(reply.errorMessage().contains(mentions), qPrintable(reply.errorMessage()));
}

void RefHostTest::startMacro_showsDesign()
{
    folder_->writeShedData(sampleShedData());
    const QString doc = addDocument();
    const QString snapshot = folder_->file(QStringLiteral("window.png"));
    QVERIFY(!QFile::exists(snapshot));
    const QDBusMessage reply = runMacro(doc, StartMacro);
    QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(describe(reply)));
    QImage shot(snapshot);
    QVERIFY(!shot.isNull());
    QVERIFY(shot.width() > 300 && shot.height() > 300);

    // The macro file itself must be there.
    QVERIFY(QFile::remove(folder_->file(QStringLiteral("Program Data/Q&V_1_Start.mrq"))));
    QCOMPARE(errorOf(runMacro(doc, StartMacro)), bus::Error::FileNotFound);
}

void RefHostTest::unknownMacro_isAnError_data()
{
    QTest::addColumn<QString>("macro");
    QTest::newRow("other name") << QStringLiteral("*\\Program Data\\Other.mrq");
    QTest::newRow("no star") << QStringLiteral("\\Program Data\\Q&V_1_Start.mrq");
    QTest::newRow("forward slashes") << QStringLiteral("*/Program Data/Q&V_1_Start.mrq");
    QTest::newRow("empty") << QString();
}

void RefHostTest::unknownMacro_isAnError()
{
    QFETCH(QString, macro);
    folder_->writeShedData(sampleShedData());
    folder_->write(QStringLiteral("Program Data/Other.mrq"), "' not a host macro\r\n");
    const QDBusMessage reply = runMacro(addDocument(), macro);
    QCOMPARE(errorOf(reply), bus::Error::UnknownMacro);
    QVERIFY(reply.errorMessage().contains(StartMacro));
}

void RefHostTest::loadSymbol_resolvesAndReturnsPath()
{
    folder_->writeStyle(119);
    folder_->write(QStringLiteral("Program Data/2D Sheds/Shed_102.KQ"), "not a drawing");
    const QString doc = addDocument();
    const QString file = getProperty(doc, bus::Document::Interface, bus::Document::File)
                             .value<QDBusObjectPath>()
                             .path();
    auto load = [&](const QString &path) {
        return callHost(file, bus::File::Interface, bus::File::LoadSymbol, {path, false, true, true});
    };

    const QString path = QStringLiteral("*\\Program Data\\2D Sheds\\Shed_119.KQ");
    const QDBusMessage ok = load(path);
    QVERIFY2(ok.type() == QDBusMessage::ReplyMessage, qPrintable(describe(ok)));
    QCOMPARE(ok.signature(), QStringLiteral("vs"));
    QCOMPARE(ok.arguments().at(0).value<QDBusVariant>().variant(), QVariant(true));
    QCOMPARE(ok.arguments().at(1).toString(), path);

    const QDBusMessage missing = load(QStringLiteral("*\\Program Data\\2D Sheds\\Shed_118.KQ"));
    QCOMPARE(errorOf(missing), bus::Error::FileNotFound);
    QVERIFY(missing.errorMessage().contains(QStringLiteral("*\\Program Data\\2D Sheds\\Shed_118.KQ")));
    // The drawing that loads above, named absolutely or from outside, is refused alike.
    for (const QString &outside : {folder_->file(QStringLiteral("Program Data/2D Sheds/Shed_119.KQ")),
                                   QStringLiteral("*\\..\\") + QFileInfo(folder_->path()).fileName()
                                       + QStringLiteral("\\Program Data\\2D Sheds\\Shed_119.KQ")}) {
        const QDBusMessage refused = load(outside);
        QCOMPARE(errorOf(refused), bus::Error::FileNotFound);
        QCOMPARE(refused.errorMessage().replace(outside, QStringLiteral("<path>")),
                 missing.errorMessage().replace(QStringLiteral("*\\Program Data\\2D Sheds\\Shed_118.KQ"), QStringLiteral("<path>")));
    }
    QCOMPARE(errorOf(load(QStringLiteral("*\\Program Data\\2D Sheds\\Shed_102.KQ"))),
             bus::Error::BadDrawing);
}

void RefHostTest::planMacro_needsWidthFileAndDrawing()
{
    folder_->writeStyle(101);
    const QString doc = addDocument();
    QCOMPARE(errorOf(runMacro(doc, PlanMacro)), bus::Error::FileNotFound);

    folder_->write(QStringLiteral("shedSize.txt"), "12\n");
    QCOMPARE(errorOf(runMacro(doc, PlanMacro)), bus::Error::BadDataFile);
    folder_->write(QStringLiteral("shedSize.txt"), "wide\r\n");
    QCOMPARE(errorOf(runMacro(doc, PlanMacro)), bus::Error::BadDataFile);

    folder_->write(QStringLiteral("shedSize.txt"), "12.50\r\n");
    QCOMPARE(errorOf(runMacro(doc, PlanMacro)), bus::Error::NoDrawing);

    const QString file = doc + QStringLiteral("/File");
    const QDBusMessage loaded = callHost(file, bus::File::Interface, bus::File::LoadSymbol,
                                         {QStringLiteral("*\\Program Data\\2D Sheds\\Shed_101.KQ"), false, true, true});
    QVERIFY2(loaded.type() == QDBusMessage::ReplyMessage, qPrintable(describe(loaded)));
    const QDBusMessage shown = runMacro(doc, PlanMacro);
    QVERIFY2(shown.type() == QDBusMessage::ReplyMessage, qPrintable(describe(shown)));
}

void RefHostTest::wrongSignature_isRejected()
{
    const QString doc = addDocument();
    const QString invalid = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
    QCOMPARE(errorOf(callHost(doc + QStringLiteral("/File"), bus::File::Interface, bus::File::LoadSymbol,
                              {QStringLiteral("*\\x.KQ")})),
             invalid);
    QCOMPARE(errorOf(callHost(doc, bus::Document::Interface, bus::Document::RunMorvish, {1})), invalid);
    QCOMPARE(errorOf(callHost(App, AppIface, bus::Application::BringToTop, {true})), invalid);
    QCOMPARE(errorOf(callHost(App, AppIface, QStringLiteral("Close"))),
             QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));
    QCOMPARE(errorOf(callHost(App, bus::Document::Interface, bus::Document::RunMorvish, {StartMacro})),
             QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"));

    // Every call reached the journal, errors marked.
    const QList<QJsonObject> journal = readJournal(host_->journalFile());
    QVERIFY(journal.size() >= 6);
    QCOMPARE(journal.last()["error"].toString(), QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"));
    QCOMPARE(journal.last()["args"].toArray(), QJsonArray{StartMacro});
}

QTEST_GUILESS_MAIN(RefHostTest)
#include "tst_refhost.moc"
