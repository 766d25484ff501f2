// The 2D path from the first screen's picture to the host's 2D macro: the wizard
// in-process, driven through its widgets, against a corvelle-host on the test's bus.
#include "bus/BusContract.h"
#include "Driving.h"

#include "screens/screen1.h"
#include "screens/screen2.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace corvelle;
using namespace corvelle::e2e;
using namespace corvelle::testing;

namespace {

const QStringList Calls2D{"Get Documents", "BringToTop",       "Add",        "Get ActiveDocument",
                          "Get File",      "Set DraftingMode", "LoadSymbol", "RunMorvish"};
const QString Style107 = QStringLiteral("*\\Program Data\\2D Sheds\\Shed_107.KQ");

QString widthFilePath(const Harness &h) { return QDir(h.programFolder()).filePath(QStringLiteral("shedSize.txt")); }

// What the real client saw on disk and in the host's journal as two calls began.
struct Seen {
    QByteArray fileAtDocuments;
    QByteArray fileAtBringToTop;
    QStringList callsAtBringToTop;
};

class WatchedHost final : public DBusHost {
public:
    WatchedHost(Seen &seen, QString widthFile, QString journal)
        : seen_(seen), widthFile_(std::move(widthFile)), journal_(std::move(journal)) {}

    HostRef documents() override
    {
        seen_.fileAtDocuments = ReadFile(widthFile_);
        return DBusHost::documents();
    }
    void bringToTop() override
    {
        seen_.fileAtBringToTop = ReadFile(widthFile_);
        seen_.callsAtBringToTop = journalCalls(journal_);
        DBusHost::bringToTop();
    }

private:
    Seen &seen_;
    QString widthFile_;
    QString journal_;
};

// From the first screen to screen2, Forward six times (style 107), width 12.50.
screen2 *choose107(Harness &h)
{
    h.wizard.start();
    auto *s1 = shown<screen1>(h, ScreenId::Screen1);
    if (!s1)
        return nullptr;
    click(s1->Image2);
    auto *s = shown<screen2>(h, ScreenId::Screen2);
    if (!s)
        return nullptr;
    for (int i = 0; i < 6; ++i)
        click(s->Command2);
    retype(s->Text1, QStringLiteral("12.50"));
    if (s->Type2D != 107 || s->Text1->text() != QLatin1String("12.50")) {
        QTest::qFail(qPrintable(QStringLiteral("style %1, width \"%2\"").arg(s->Type2D).arg(s->Text1->text())),
                     __FILE__, __LINE__);
        return nullptr;
    }
    return s;
}

} // namespace

class EndToEnd2D : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(waitForOwner(QDBusConnection::sessionBus(), false)); }

    void style107ReachesTheHost()
    {
        Harness h;
        UseRealHost(h);
        writeStyleDrawing(h.programFolder(), 107);
        HostProcess host;
        QVERIFY2(host.start(h.programFolder()), qPrintable(host.errorText()));
        Seen seen;
        h.context->connectHost = [&] { return std::make_unique<WatchedHost>(seen, widthFilePath(h), host.journalFile()); };

        screen2 *s = choose107(h);
        QVERIFY(s);
        int hides = 0;
        QStringList callsAtHide;
        QByteArray fileAtHide;
        HideWitness witness(s, [&] {
            ++hides;
            callsAtHide = journalCalls(host.journalFile());
            fileAtHide = ReadFile(widthFilePath(h));
        });
        click(s->Command5);

        QVERIFY2(h.messages.failures.isEmpty(), qPrintable(h.messages.failures.join(u"\n")));
        QVERIFY(h.messages.messages.empty());
        QCOMPARE(h.exit.statuses, std::vector<int>{0});
        QCOMPARE(VisibleWindows(), QStringList());
        QCOMPARE(ReadFile(widthFilePath(h)), QByteArray("12.50\r\n"));

        // The file came between Get Documents and BringToTop; the screen hid right after it.
        QCOMPARE(seen.fileAtDocuments, QByteArray("<no file>"));
        QCOMPARE(seen.fileAtBringToTop, QByteArray("12.50\r\n"));
        QCOMPARE(seen.callsAtBringToTop, QStringList{"Get Documents"});
        QCOMPARE(hides, 1);
        QCOMPARE(callsAtHide, QStringList{"Get Documents"});
        QCOMPARE(fileAtHide, QByteArray("12.50\r\n"));

        const QList<QJsonObject> journal = readJournal(host.journalFile());
        QStringList calls;
        for (const QJsonObject &entry : journal) {
            calls << callName(entry);
            QVERIFY2(!entry.contains(QStringLiteral("error")), qPrintable(entry.value(QStringLiteral("error")).toString()));
        }
        QCOMPARE(calls, Calls2D);
        auto args = [&](int i) { return journal[i].value(QStringLiteral("args")).toArray(); };
        QCOMPARE(args(5), (QJsonArray{bus::Document::Interface, bus::Document::DraftingMode, true}));
        QCOMPARE(args(6), (QJsonArray{Style107, false, true, true}));
        QCOMPARE(args(7), QJsonArray{QStringLiteral("*\\Program Data\\2dsheds.mrq")});
        QCOMPARE(s->ShapeFile, Style107);
        QCOMPARE(s->retval, QStringLiteral("true"));
        QCOMPARE(host.process().state(), QProcess::Running);
    }

    // No host on the bus: the attach fails before the width file is touched.
    void noHostWritesNoWidthFile()
    {
        Harness h;
        UseRealHost(h);
        screen2 *s = choose107(h);
        QVERIFY(s);
        click(s->Command5);

        QCOMPARE(h.messages.failures.size(), 1);
        QVERIFY2(h.messages.failures[0].contains(QStringLiteral("not running")), qPrintable(h.messages.failures[0]));
        QCOMPARE(h.exit.statuses, std::vector<int>{1});
        QVERIFY(!QFile::exists(widthFilePath(h)));
        QVERIFY(s->isVisible());
    }
};

QTEST_MAIN(EndToEnd2D)
#include "test_e2e_2d.moc"
