// The document's edits without a widget: random edit sequences undone and redone, the
// wizard's rules refusing values, price edits through rebuilds, the modified mark.
#include "TestData.h"
#include "refhost/model/Document.h"
#include "shed/Export.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace corvelle;
using namespace corvelle::refhost;

namespace {

// Everything an edit may touch, as bytes: the project, the model, the lists and checks.
QByteArray state(const Document &doc)
{
    const shed::BuildOutputs &o = *doc.shed();
    return shed::formProject(doc.project()) + shed::exportObj(o.model, QStringLiteral("m.mtl"))
           + shed::materialsCsv(o.takeoff) + shed::structureCsv(o.structure);
}

void open(Document &doc)
{
    shed::ProjectRead read = shed::readProject(testing::sampleShedData());
    QVERIFY(read.project);
    QCOMPARE(doc.openDesign(*read.project, shed::defaultPrices()), QString());
}

// A refusal is one sentence and changes nothing.
void checkRefused(Document &doc, const QString &sentence, const QByteArray &before, int steps)
{
    QVERIFY(!sentence.isEmpty());
    QVERIFY2(sentence.endsWith(QLatin1Char('.')) && !sentence.contains(QLatin1Char('\n')), qPrintable(sentence));
    QCOMPARE(doc.undoStack()->count(), steps);
    QVERIFY(state(doc) == before);
}

} // namespace

class TestDocumentEdits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Any sequence of edits, some refused: undoing them all gives back the first model
    // exactly; redoing them all gives the last.
    void undoRedoRandomEdits()
    {
        const QList<QPair<QString, QStringList>> values = {
            {QStringLiteral("ShedWidth"), {"8", "10", "14", "16", "20", "5", "60", "wide"}},
            {QStringLiteral("ShedDepth"), {"8", "12", "20", "51"}},
            {QStringLiteral("FloorType"), {"0", "1", "2", "3", "9"}},
            {QStringLiteral("BlockRows"), {"0", "1", "3"}},
            {QStringLiteral("FloorHeight"), {"0", "4", "12", "13"}},
            {QStringLiteral("JoistType"), {"1", "2"}},
            {QStringLiteral("StudCenters"), {"12", "24", "18"}},
            {QStringLiteral("InnerHeight"), {"8", "12", "21"}},
            {QStringLiteral("InWallType"), {"0", "1"}},
            {QStringLiteral("SidingName"), {"Vertical", "Tin", "Brick"}},
            {QStringLiteral("MainDoorLocation"), {"None", "Front", "Rear", "Both"}},
            {QStringLiteral("MainDoorWidth"), {"3", "6", "9", "2"}},
            {QStringLiteral("MainDoorHeight"), {"6", "9"}},
            {QStringLiteral("RampLocation"), {"None", "Front", "Rear", "Both"}},
            {QStringLiteral("RoofType"), {"Gable", "Barn"}},
            {QStringLiteral("Trusses"), {"0", "1"}},
        };
        for (quint32 seed : {1u, 2u, 3u, 4u}) {
            QRandomGenerator random(seed);
            Document doc(1);
            open(doc);
            const QByteArray first = state(doc);
            int refused = 0;
            for (int i = 0; i < 14; ++i) {
                const QByteArray before = state(doc);
                const int steps = doc.undoStack()->count();
                QString sentence;
                switch (random.bounded(5)) {
                case 0:
                case 1: {
                    const auto &[name, choices] = values[random.bounded(int(values.size()))];
                    sentence = doc.setDesignField(name, choices[random.bounded(int(choices.size()))]);
                    break;
                }
                case 2:
                    sentence = doc.setLoads({double(QList<int>{0, 30, 80, 200}[random.bounded(4)]),
                                             QStringList{"spf", "dfl", "oak"}[random.bounded(3)]});
                    break;
                case 3:
                    sentence = doc.setPrice(QStringLiteral("2x6"), random.bounded(-1, 3) + 0.5);
                    break;
                case 4:
                    sentence = random.bounded(2) || doc.project().windows.isEmpty()
                                   ? doc.addWindow({shed::Wall(random.bounded(4)), 40, 24, 30, 36})
                                   : doc.removeWindow(0);
                    break;
                }
                if (!sentence.isEmpty()) {
                    checkRefused(doc, sentence, before, steps);
                    ++refused;
                }
                if (random.bounded(3) == 0)
                    doc.sealEdit();
            }
            QVERIFY(refused > 0);
            QVERIFY(doc.undoStack()->count() > 2);
            const QByteArray last = state(doc);
            while (doc.undoStack()->canUndo())
                doc.undoStack()->undo();
            QVERIFY2(state(doc) == first, qPrintable(QString::number(seed)));
            QVERIFY(!doc.isModified());
            while (doc.undoStack()->canRedo())
                doc.undoStack()->redo();
            QVERIFY2(state(doc) == last, qPrintable(QString::number(seed)));
        }
    }

    // The wizard's ranges and the rules between its values hold for edits; what its
    // screens store alongside a value is stored too.
    void wizardRules()
    {
        Document doc(1);
        open(doc);
        const QByteArray before = state(doc);
        QSignalSpy reframed(&doc, &Document::modelChanged);
        // The sample: 12 ft wide, front door 4 ft, front ramp, concrete floor.
        checkRefused(doc, doc.setDesignField(QStringLiteral("MainDoorWidth"), QStringLiteral("12")), before, 0);
        checkRefused(doc, doc.setDesignField(QStringLiteral("ShedWidth"), QStringLiteral("4")), before, 0);
        checkRefused(doc, doc.setDesignField(QStringLiteral("RampLocation"), QStringLiteral("Rear")), before, 0);
        checkRefused(doc, doc.setDesignField(QStringLiteral("FloorHeight"), QStringLiteral("2")), before, 0);
        checkRefused(doc, doc.setDesignField(QStringLiteral("Color"), QStringLiteral("red")), before, 0);
        checkRefused(doc, doc.setLoads({151, QStringLiteral("spf")}), before, 0);
        checkRefused(doc, doc.setPrice(QStringLiteral("gold bar"), 3), before, 0);
        checkRefused(doc, doc.setPrice(QStringLiteral("2x6"), -1), before, 0);
        checkRefused(doc, doc.addWindow({shed::Wall::Front, 140, 24, 30, 36}), before, 0); // past the end
        checkRefused(doc, doc.addWindow({shed::Wall::Left, 60, 24, 30, 100}), before, 0);  // above the walls
        checkRefused(doc, doc.addWindow({shed::Wall::Front, 72, 24, 30, 36}), before, 0);  // on the centred door
        checkRefused(doc, doc.addWindow({shed::Wall::Rear, 6, 24, 30, 36}), before, 0);    // in the corner
        QCOMPARE(reframed.count(), 0);

        // Wider than 15 ft: trusses, as the flow stores them; then they cannot go.
        QCOMPARE(doc.setDesignField(QStringLiteral("ShedWidth"), QStringLiteral("16")), QString());
        QCOMPARE(doc.project().design.Trusses, QStringLiteral("1"));
        QCOMPARE(doc.shed()->design.width, 192.0);
        QVERIFY(doc.setDesignField(QStringLiteral("Trusses"), QStringLiteral("0")).contains(QLatin1String("15 ft")));
        // Gravel: no ramp, no slab; the door moving to the rear takes the front ramp away.
        QCOMPARE(doc.setDesignField(QStringLiteral("MainDoorLocation"), QStringLiteral("Rear")), QString());
        QCOMPARE(doc.project().design.RampLocation, QStringLiteral("None"));
        QCOMPARE(doc.setDesignField(QStringLiteral("RampLocation"), QStringLiteral("Rear")), QString());
        QCOMPARE(doc.setDesignField(QStringLiteral("FloorType"), QStringLiteral("0")), QString());
        QCOMPARE(doc.project().design.RampLocation, QStringLiteral("None"));
        QCOMPARE(doc.project().design.FloorHeight, QStringLiteral("0"));
        QCOMPARE(doc.shed()->design.ramp, shed::Sides::None);
        // The siding's material and piece size follow its name.
        QCOMPARE(doc.setDesignField(QStringLiteral("SidingName"), QStringLiteral("Tin")), QString());
        QCOMPARE(doc.project().design.OuterWallMaterial, QStringLiteral("Aluminum"));
        QCOMPARE(doc.shed()->design.siding, shed::Siding::Tin);
    }

    // Typing in one field is one step; price edits are steps, kept through a reframing;
    // the modified mark follows the saved state.
    void stepsPricesAndModified()
    {
        Document doc(1);
        open(doc);
        QSignalSpy modified(&doc, &Document::modifiedChanged);
        QVERIFY(!doc.isModified());
        QCOMPARE(doc.setDesignField(QStringLiteral("ShedDepth"), QStringLiteral("1")),
                 QStringLiteral("Depth: \"1\" is outside the wizard's range, 8 to 50 ft.")); // a half-typed value
        QCOMPARE(doc.setDesignField(QStringLiteral("ShedDepth"), QStringLiteral("18")), QString());
        QCOMPARE(doc.setDesignField(QStringLiteral("ShedDepth"), QStringLiteral("20")), QString());
        QCOMPARE(doc.undoStack()->count(), 1);
        QVERIFY(doc.isModified());
        QCOMPARE(modified.count(), 1);
        doc.sealEdit();
        QCOMPARE(doc.setDesignField(QStringLiteral("ShedDepth"), QStringLiteral("22")), QString());
        QCOMPARE(doc.undoStack()->count(), 2);

        const double total = doc.shed()->takeoff.total;
        const double oldPrice = doc.prices().prices.value(QStringLiteral("2x6")).price;
        QCOMPARE(doc.setPrice(QStringLiteral("2x6"), oldPrice + 1), QString());
        QVERIFY(doc.shed()->takeoff.total > total);
        QCOMPARE(doc.project().prices.value(QStringLiteral("2x6")), oldPrice + 1);
        doc.markSaved();
        QVERIFY(!doc.isModified());
        // Framed again for another width, the edited price still prices the lumber.
        QCOMPARE(doc.setDesignField(QStringLiteral("ShedWidth"), QStringLiteral("10")), QString());
        QCOMPARE(doc.prices().prices.value(QStringLiteral("2x6")).price, oldPrice + 1);
        const double edited = doc.shed()->takeoff.total;
        doc.undoStack()->undo();
        QVERIFY(!doc.isModified()); // back to the saved state
        doc.undoStack()->undo();    // the price edit
        QCOMPARE(doc.prices().prices.value(QStringLiteral("2x6")).price, oldPrice);
        QVERIFY(doc.project().prices.isEmpty());
        QVERIFY(doc.isModified());
        doc.undoStack()->redo();
        doc.undoStack()->redo();
        QCOMPARE(doc.shed()->takeoff.total, edited);
        // Back to the table's own price: no edit left to save.
        QCOMPARE(doc.setPrice(QStringLiteral("2x6"), oldPrice), QString());
        QVERIFY(doc.project().prices.isEmpty());
    }
};

QTEST_MAIN(TestDocumentEdits)
#include "test_document_edits.moc"
