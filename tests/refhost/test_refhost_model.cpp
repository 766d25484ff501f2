// The reference host's model without a window or a bus: the typed reader, the documents
// and the macro runner that dispatches on a macro file's Action line.
#include "refhost/model/Application.h"
#include "refhost/model/MacroRunner.h"
#include "refhost/model/ShedDataReader.h"

#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace corvelle::refhost;
using corvelle::testing::joinCrLf;
using corvelle::testing::sampleShedData;
using corvelle::testing::sampleShedDataLines;

namespace {

const QString StartMacro = QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq");
const QString PlanMacro = QStringLiteral("*\\Program Data\\2dsheds.mrq");

// A program folder with the host's two macros installed.
class Folder {
public:
    Folder()
    {
        QDir(dir_.path()).mkpath(QStringLiteral("Program Data/2D Sheds"));
        for (const char *macro : {"Q&V_1_Start.mrq", "2dsheds.mrq"})
            QFile::copy(QStringLiteral(CORVELLE_HOST_DATA_SRC "/") + QLatin1String(macro),
                        file(QStringLiteral("Program Data/") + QLatin1String(macro)));
    }
    QString path() const { return dir_.path(); }
    QString file(const QString &relative) const { return dir_.filePath(relative); }
    void write(const QString &relative, const QByteArray &bytes) const
    {
        QFile f(file(relative));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private:
    QTemporaryDir dir_;
};

const QByteArray Svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"><rect width=\"4\" height=\"4\"/></svg>";

} // namespace

#define VERIFY_SUCCEEDS(expression)                                                                                   \
    do {                                                                                                               \
        const HostOutcome outcome_ = (expression);                                                                     \
        QVERIFY2(!outcome_, outcome_ ? qPrintable(outcome_->message) : "");                                            \
    } while (false)

class RefHostModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readerGivesTypedValues()
    {
        QList<QByteArray> lines = sampleShedDataLines();
        lines[0] = "12.5        ' X, Feet,         Shed Width";
        lines[9] = "abc         ' Y, Inches,       Floor Height"; // kept, though no number
        lines[52] = "Barn";
        lines[44] = "Both";
        const ShedDataRead read = readShedData(joinCrLf(lines));
        QVERIFY2(read.data, qPrintable(read.error));
        const ShedData &d = *read.data;
        QCOMPARE(d.width.amount, std::optional<double>(12.5));
        QCOMPARE(d.width.unit, Unit::Feet);
        QCOMPARE(d.doorHeight.feet(), 7.0);
        QCOMPARE(d.floor, FloorType::Concrete);
        QCOMPARE(d.door, Sides::Both);
        QCOMPARE(d.ramp, Sides::Front);
        QCOMPARE(d.roof, RoofType::Barn);
        QVERIFY(d.trusses);
        QCOMPARE(d.shading, Shading::Flatshade);
        // Sizes in inches keep their unit; a line that is no number has no amount.
        const ShedEntry &floorHeight = d.groups[1].entries[6];
        QCOMPARE(floorHeight.line, 10);
        QCOMPARE(floorHeight.size->unit, Unit::Inches);
        QVERIFY(!floorHeight.size->amount);
        QCOMPARE(d.text(43), QStringLiteral("Pieces of Vinyl Siding"));
        QCOMPARE(d.text(46), QString()); // comment lines are shown with the line above
    }

    void readerNamesTheLineOfAProblem()
    {
        QList<QByteArray> lines = sampleShedDataLines();
        lines[47] = "inf         ' Y, Feet,         Main Door Height";
        const ShedDataRead read = readShedData(joinCrLf(lines));
        QVERIFY(!read.data);
        QCOMPARE(read.line, 48);
        QCOMPARE(read.error, QStringLiteral("ShedData.txt line 48: \"inf\" is not a size"));
        QCOMPARE(readShedData(joinCrLf(lines.mid(1))).line, 0);

        QCOMPARE(readShedSize("12.50\r\n").feet, std::optional<double>(12.5));
        QVERIFY(readShedSize("12.50\n").error.contains(QStringLiteral("CR LF")));
    }

    // Adding makes a document active; closing the active one passes the activity on to
    // its neighbour, as a tab bar does, and to none when it was the last.
    void documentsAndTheActiveOne()
    {
        Application app(QStringLiteral("/program"));
        QSignalSpy active(&app, &Application::activeDocumentChanged);
        Document *first = app.addDocument();
        Document *second = app.addDocument();
        Document *third = app.addDocument();
        QCOMPARE(app.activeDocument(), third);
        QCOMPARE(active.count(), 3);
        app.setActiveDocument(second);
        app.closeDocument(second->id());
        QCOMPARE(app.activeDocument(), third);
        QCOMPARE(app.document(second->id()), nullptr);
        app.closeDocument(third->id());
        QCOMPARE(app.activeDocument(), first);
        app.closeDocument(first->id());
        QCOMPARE(app.activeDocument(), nullptr);
        QCOMPARE(active.last().at(0).value<Document *>(), nullptr);
        QCOMPARE(app.addDocument()->id(), 4); // numbers are never reused

        // A stated number of documents at most, and said so when it is reached.
        while (app.documents().size() < Application::MaxDocuments)
            QVERIFY(app.addDocument());
        QVERIFY(!app.addDocument());
        QCOMPARE(app.documentLimit()->kind, HostError::Kind::TooManyDocuments);
        QVERIFY(app.documentLimit()->message.contains(QString::number(Application::MaxDocuments)));
        app.closeDocument(app.documents().first()->id());
        QVERIFY(!app.documentLimit() && app.addDocument());
    }

    // The host reads inside its program folder only: no absolute path, no climb out, no
    // symbolic link out, one answer whether or not an outside file exists, and no file
    // over its size limit.
    void readsOnlyItsOwnFolder()
    {
        QTemporaryDir root;
        QDir(root.path()).mkpath(QStringLiteral("bin/Program Data/2D Sheds"));
        const QString bin = root.filePath(QStringLiteral("bin"));
        const auto write = [](const QString &path, const QByteArray &bytes) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        QVERIFY(write(bin + QStringLiteral("/Program Data/2D Sheds/Shed_101.KQ"), Svg));
        QVERIFY(write(root.filePath(QStringLiteral("outside.KQ")), Svg));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("outside.KQ")), bin + QStringLiteral("/Program Data/link.KQ")));
        Application app(bin);
        Document *doc = app.addDocument();

        VERIFY_SUCCEEDS(app.loadSymbol(*doc, QStringLiteral("*\\Program Data\\2D Sheds\\Shed_101.KQ"), false, true, true));
        QCOMPARE(doc->drawing()->svg, Svg);

        const auto refusal = [&](const QString &hostPath) {
            const HostOutcome outcome = app.loadSymbol(*doc, hostPath, false, true, true);
            return outcome ? QString(outcome->message).replace(hostPath, QStringLiteral("<path>")) : QStringLiteral("<loaded>");
        };
        const QString missing = refusal(QStringLiteral("*\\no such file.KQ"));
        QCOMPARE(missing, QStringLiteral("The drawing <path> is not a readable file in the program folder"));
        for (const QString &path : {root.filePath(QStringLiteral("outside.KQ")), QStringLiteral("/etc/passwd"),
                                    QStringLiteral("*\\..\\outside.KQ"), QStringLiteral("*\\..\\missing.KQ"),
                                    QStringLiteral("*\\Program Data\\..\\..\\outside.KQ"),
                                    QStringLiteral("*\\/etc/passwd"), QStringLiteral("*\\Program Data\\link.KQ"),
                                    QStringLiteral("*\\Program Data"), QStringLiteral("outside.KQ")})
            QCOMPARE(refusal(path), missing);
        QCOMPARE(app.runMacro(*doc, QStringLiteral("*\\..\\outside.KQ"))->kind, HostError::Kind::FileNotFound);

        QFile big(bin + QStringLiteral("/Program Data/big.KQ"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(ProgramFolder::MaxDrawingBytes + 1));
        big.close();
        QCOMPARE(refusal(QStringLiteral("*\\Program Data\\big.KQ")),
                 QStringLiteral("The drawing <path> is larger than the 8 MB this host reads"));
        QCOMPARE(doc->drawing()->svg, Svg); // the earlier drawing stays

        // A data file over its limit is refused unread.
        QVERIFY(write(bin + QStringLiteral("/Program Data/ShedData.txt"), sampleShedData()));
        QVERIFY(write(bin + QStringLiteral("/Program Data/Big.mrq"), "Action Shed3D \"*\\Program Data\\big.KQ\"\n"));
        QVERIFY(big.resize(ProgramFolder::MaxShedDataBytes + 1));
        const HostOutcome tooLarge = app.runMacro(*doc, QStringLiteral("*\\Program Data\\Big.mrq"));
        QCOMPARE(tooLarge->kind, HostError::Kind::BadDataFile);
        QVERIFY2(tooLarge->message.endsWith(QStringLiteral("big.KQ is larger than the 64 KB this host reads")),
                 qPrintable(tooLarge->message));
    }

    // The Action line decides, not the file's name: a renamed start macro still shows the
    // design, and a macro without a known action is refused by name.
    void macrosRunTheirAction()
    {
        Folder folder;
        folder.write(QStringLiteral("Program Data/ShedData.txt"), sampleShedData());
        folder.write(QStringLiteral("Program Data/Mine.mrq"), "' my copy\r\n\r\nAction Shed3D \"*\\Program Data\\ShedData.txt\"\r\n");
        folder.write(QStringLiteral("Program Data/Odd.mrq"), "Action Shed4D \"*\\x\"\n");
        Application app(folder.path());
        Document *doc = app.addDocument();
        QSignalSpy finished(&app, &Application::macroFinished);
        QSignalSpy content(doc, &Document::contentChanged);

        VERIFY_SUCCEEDS(app.runMacro(*doc, QStringLiteral("*\\Program Data\\Mine.mrq")));
        QCOMPARE(doc->content(), Document::Content::Shed);
        QCOMPARE(doc->shed()->design.width, 144.0);
        // The start macro builds the shed: the model and its takeoff, and with no price
        // table in the folder, the built-in prices and a warning saying so.
        QVERIFY(doc->shed()->model.count(corvelle::shed::Layer::Framing) > 0);
        QVERIFY(doc->shed()->takeoff.total > 0);
        QVERIFY(doc->shed()->warnings.join(' ').contains(QStringLiteral("prices.csv")));
        QCOMPARE(content.count(), 1);
        QCOMPARE(finished.count(), 1);

        const HostOutcome odd = app.runMacro(*doc, QStringLiteral("*\\Program Data\\Odd.mrq"));
        QVERIFY(odd);
        QCOMPARE(odd->kind, HostError::Kind::UnknownMacro);
        QVERIFY(odd->message.contains(QStringLiteral("Shed4D")));
        QCOMPARE(app.runMacro(*doc, QStringLiteral("*\\Program Data\\Gone.mrq"))->kind, HostError::Kind::FileNotFound);
        QCOMPARE(app.runMacro(*doc, QStringLiteral("Program Data\\Mine.mrq"))->kind, HostError::Kind::UnknownMacro);
        QCOMPARE(finished.count(), 1); // failed macros leave no snapshot behind

        QCOMPARE(MacroRunner::actionOf(QStringLiteral("Action Shed2D \"*\\shedSize.txt\"\r\n"))->argument,
                 QStringLiteral("*\\shedSize.txt"));
        QVERIFY(!MacroRunner::actionOf(QStringLiteral("Shed2D \"*\\shedSize.txt\"\r\nAction Shed3D \"x\"")));
    }

    void planMacroNeedsItsDrawing()
    {
        Folder folder;
        folder.write(QStringLiteral("shedSize.txt"), "12.50\r\n");
        folder.write(QStringLiteral("Program Data/2D Sheds/Shed_101.KQ"), Svg);
        folder.write(QStringLiteral("Program Data/2D Sheds/Shed_102.KQ"), "not a drawing");
        Application app(folder.path());
        Document *doc = app.addDocument();
        QCOMPARE(app.runMacro(*doc, PlanMacro)->kind, HostError::Kind::NoDrawing);
        QCOMPARE(app.loadSymbol(*doc, QStringLiteral("*\\Program Data\\2D Sheds\\Shed_102.KQ"), false, true, true)->kind,
                 HostError::Kind::BadDrawing);
        QVERIFY(!doc->drawing());

        VERIFY_SUCCEEDS(app.loadSymbol(*doc, QStringLiteral("*\\Program Data\\2D Sheds\\Shed_101.KQ"), false, true, true));
        QCOMPARE(doc->content(), Document::Content::Plan);
        QVERIFY(doc->planWidth().isEmpty());
        QVERIFY(doc->drawing()->fitToView && !doc->drawing()->link);
        VERIFY_SUCCEEDS(app.runMacro(*doc, PlanMacro));
        QCOMPARE(doc->planWidth(), QStringLiteral("12.50"));
        QCOMPARE(app.runMacro(*doc, StartMacro)->kind, HostError::Kind::FileNotFound); // no ShedData.txt
    }
};

QTEST_GUILESS_MAIN(RefHostModelTest)
#include "test_refhost_model.moc"
