// The 3D document as a builder uses it: a refused file, price edits, exports, --build.
#include "TestData.h"
#include "refhost/model/Application.h"
#include "refhost/model/Document.h"
#include "refhost/shedview/ShedView.h"
#include "shed/Export.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProcess>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace corvelle;
using namespace corvelle::refhost;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A document showing the sample design at the built-in prices.
std::unique_ptr<Document> sampleDocument()
{
    auto doc = std::make_unique<Document>(1);
    shed::ProjectRead read = shed::readProject(testing::sampleShedData());
    if (!read.project || !doc->openDesign(*read.project, shed::defaultPrices()).isEmpty())
        return nullptr;
    return doc;
}

} // namespace

class TestShedDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A refused file leaves only the reader's sentence; the next good file is shown.
    void refusedThenShown()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("Program Data/ShedData.txt"));
        write(dir.filePath(QStringLiteral("Program Data/Q&V_1_Start.mrq")),
              readAll(QStringLiteral(CORVELLE_HOST_DATA_SRC "/Q&V_1_Start.mrq")));
        QList<QByteArray> lines = testing::sampleShedDataLines();
        lines[0] = "-3          ' X, Feet,         Shed Width";
        write(data, testing::joinCrLf(lines));
        Application app(dir.path());
        Document *doc = app.addDocument();
        const HostOutcome refused = app.runMacro(*doc, QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq"));
        QVERIFY(refused);
        QCOMPARE(doc->content(), Document::Content::Refused);
        QVERIFY(!doc->refusal().isEmpty());
        QVERIFY(refused->message.startsWith(doc->refusal()));
        QVERIFY(!doc->shed());

        write(data, testing::sampleShedData());
        QVERIFY(!app.runMacro(*doc, QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq")));
        QCOMPARE(doc->content(), Document::Content::Shed);
    }

    void pricesAndExports()
    {
        const std::unique_ptr<Document> doc = sampleDocument();
        QVERIFY(doc);
        auto view = std::make_unique<ShedView>(*doc);
        // The 3D view comes from the plugin beside the program, as in the host.
        const auto *missing = view->findChild<QLabel *>(QStringLiteral("view3dMissing"));
        QVERIFY2(!missing, missing ? qPrintable(missing->text()) : "");
        QVERIFY(view->view3d()->inherits("corvelle::view3d::ModelView3D"));

        // Editing a price in its cell takes off again: the rows priced by it and the total follow.
        QStandardItemModel *prices = view->pricesTable();
        int row = 0;
        while (row < prices->rowCount() && prices->item(row, 0)->text() != QLatin1String("2x6"))
            ++row;
        QVERIFY(row < prices->rowCount());
        const double before = view->takeoff().total;
        const double oldPrice = prices->item(row, 2)->data(Qt::EditRole).toDouble();
        prices->item(row, 2)->setData(oldPrice + 1, Qt::EditRole);
        double feet = 0;
        for (const shed::MaterialRow &m : view->takeoff().materials)
            if (m.item.startsWith(QLatin1String("2x6 x")) && m.inTotal)
                feet += m.quantity * m.item.section(QLatin1Char(' '), 2, 2).toDouble();
        QVERIFY(feet > 0);
        QCOMPARE(view->takeoff().total, before + feet);
        QVERIFY(view->totalText().contains(QLocale().toString(view->takeoff().total, 'f', 2)));

        // Costs sort as numbers, not as text ("1,292.00" after "180.00").
        QTableView *materials = view->findChildren<QTableView *>().first();
        materials->sortByColumn(4, Qt::AscendingOrder);
        QAbstractItemModel *sorted = materials->model();
        for (int r = 1; r < sorted->rowCount(); ++r)
            QVERIFY(sorted->index(r - 1, 4).data(Qt::UserRole).toDouble() <= sorted->index(r, 4).data(Qt::UserRole).toDouble());

        // The edit is the document's: a view made afresh shows it, and the undo takes it back.
        QCOMPARE(doc->undoStack()->count(), 1);
        const double edited = view->takeoff().total;
        view = std::make_unique<ShedView>(*doc);
        QCOMPARE(view->pricesTable()->item(row, 2)->data(Qt::EditRole).toDouble(), oldPrice + 1);
        QVERIFY(view->totalText().contains(QLocale().toString(edited, 'f', 2)));
        doc->undoStack()->undo();
        QCOMPARE(view->pricesTable()->item(row, 2)->data(Qt::EditRole).toDouble(), oldPrice);
        QCOMPARE(view->takeoff().total, before);
        doc->undoStack()->redo();

        QTemporaryDir dir;
        QVERIFY(doc->exportModel(dir.filePath(QStringLiteral("shed.glb"))).isEmpty());
        QVERIFY(readAll(dir.filePath(QStringLiteral("shed.glb"))).startsWith("glTF"));
        QVERIFY(doc->exportModel(dir.filePath(QStringLiteral("my shed.obj"))).isEmpty());
        QVERIFY(readAll(dir.filePath(QStringLiteral("my shed.obj"))).contains("mtllib my shed.mtl"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("my shed.mtl"))));
        QVERIFY(doc->exportModel(dir.filePath(QStringLiteral("shed.IFC"))).isEmpty());
        QVERIFY(readAll(dir.filePath(QStringLiteral("shed.IFC"))).contains("FILE_SCHEMA(('IFC4'));"));
        QVERIFY(doc->exportMaterials(dir.filePath(QStringLiteral("m.csv"))).isEmpty());
        QCOMPARE(readAll(dir.filePath(QStringLiteral("m.csv"))),
                 shed::materialsCsv(view->takeoff()));                             // the edited prices
        QVERIFY(readAll(dir.filePath(QStringLiteral("m.csv"))).contains("21.50")); // 10 ft of 2x6 at the new price
        QVERIFY(doc->exportPlans(dir.filePath(QStringLiteral("p.pdf"))).isEmpty());
        QVERIFY(readAll(dir.filePath(QStringLiteral("p.pdf"))).startsWith("%PDF"));
        // DXF holds one drawing: a file a sheet, named after the chosen file.
        QVERIFY(doc->exportPlans(dir.filePath(QStringLiteral("p.dxf"))).isEmpty());
        const QStringList dxf = QDir(dir.path()).entryList({QStringLiteral("p-*.dxf")}, QDir::Files, QDir::Name);
        QCOMPARE(dxf.size(), int(view->plansDxf().size()));
        QCOMPARE(dxf.first(), QStringLiteral("p-01-cover.dxf"));
        QVERIFY(readAll(dir.filePath(dxf.last())).contains("$INSUNITS"));
        QVERIFY(!doc->exportPlans(dir.filePath(QStringLiteral("p.png"))).isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("p.png"))));
    }

    // The Structure tab: the design loads are reached and named for a keyboard user;
    // typing a heavier snow load frames the shed again, the header check fails, says so
    // among the warnings, and a pick on the header names its check.
    void structureTab()
    {
        const std::unique_ptr<Document> doc = sampleDocument();
        QVERIFY(doc);
        ShedView view(*doc);
        auto *snow = view.findChild<QDoubleSpinBox *>(QStringLiteral("groundSnow"));
        auto *species = view.findChild<QComboBox *>(QStringLiteral("species"));
        auto *failing = view.findChild<QCheckBox *>(QStringLiteral("showFailing"));
        QVERIFY(snow && species && failing);
        for (QWidget *w : std::initializer_list<QWidget *>{snow, species, failing}) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            QVERIFY(a && !a->text(QAccessible::Name).isEmpty());
            QVERIFY(w->focusPolicy() & Qt::TabFocus);
        }
        QCOMPARE(snow->value(), 30.0);
        QVERIFY(view.structureTable()->rowCount() == view.structure().rows.size());
        const auto headerRow = [&]() -> const shed::CheckRow * {
            for (const shed::CheckRow &r : view.structure().rows)
                if (r.check == QLatin1String("header"))
                    return &r;
            return nullptr;
        };
        QVERIFY(headerRow());
        QCOMPARE(headerRow()->result, shed::Verdict::Pass);

        snow->setFocus();
        snow->selectAll();
        QTest::keyClicks(snow, QStringLiteral("80"));
        QCOMPARE(doc->loads().groundSnow, 80.0);
        QCOMPARE(headerRow()->result, shed::Verdict::Fail);
        QCOMPARE(view.structureTable()->item(0, 1)->text(), QStringLiteral("fail")); // failures first
        // The current row's rule and change that passes read under the table.
        QTableView *checks = nullptr;
        for (QTableView *table : view.findChildren<QTableView *>())
            if (table->accessibleName() == QLatin1String("Structural checks"))
                checks = table;
        QVERIFY(checks);
        checks->setCurrentIndex(checks->model()->index(0, 0));
        auto *detail = view.findChild<QLabel *>(QStringLiteral("structureDetail"));
        QVERIFY(detail && !detail->accessibleName().isEmpty());
        QVERIFY2(detail->text().contains(QStringLiteral("Change that passes: ") + view.structure().rows[0].suggestion),
                 qPrintable(detail->text()));
        const auto lvl =
            std::find_if(view.model().members.begin(), view.model().members.end(), [](const shed::Member &m) {
                return m.kind == shed::MemberKind::Header && m.stock.startsWith(QLatin1String("LVL"));
            });
        QVERIFY(lvl != view.model().members.end());
        QVERIFY2(view.pickNote(int(lvl - view.model().members.begin())).contains(QLatin1String("header")),
                 qPrintable(view.pickNote(int(lvl - view.model().members.begin()))));
        QVERIFY(view.pickNote(int(lvl - view.model().members.begin())).endsWith(QLatin1String("fail")));
        QStandardItemModel *warnings = nullptr;
        for (QTableView *table : view.findChildren<QTableView *>())
            if (table->accessibleName() == QLatin1String("Warnings"))
                warnings = qobject_cast<QStandardItemModel *>(
                    qobject_cast<QSortFilterProxyModel *>(table->model())->sourceModel());
        QVERIFY(warnings);
        QVERIFY(!warnings->findItems(QStringLiteral("Structure")).isEmpty());
        failing->click(); // draws them in the warning colour; the view keeps working
        QVERIFY(failing->isChecked());

        species->setCurrentIndex(species->findData(int(shed::Species::DouglasFirLarch)));
        QCOMPARE(doc->loads().species, shed::Species::DouglasFirLarch);
        QCOMPARE(doc->loads().groundSnow, 80.0);
    }

    // --help, --version and --build need no display and no bus; the window program
    // without a display says so in a line instead of aborting.
    void commandLineWithoutDisplay()
    {
        QTemporaryDir dir;
        write(dir.filePath(QStringLiteral("ShedData.txt")), testing::sampleShedData());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
            env.remove(QString::fromLatin1(name));
        auto run = [&](const QStringList &args, QByteArray *out = nullptr, QByteArray *err = nullptr) {
            QProcess host;
            host.setProcessEnvironment(env);
            host.start(QStringLiteral(CORVELLE_HOST_EXE), args);
            if (!host.waitForFinished(60000))
                return -1;
            if (out)
                *out = host.readAllStandardOutput();
            if (err)
                *err = host.readAllStandardError();
            return host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -2;
        };
        QByteArray out, err;
        QCOMPARE(run({QStringLiteral("--help")}, &out), 0);
        QVERIFY2(out.contains("--build <file>") && out.contains("--journal"), out.constData());
        QCOMPARE(run({QStringLiteral("--version")}, &out), 0);
        QVERIFY2(out.startsWith("corvelle-host 1."), out.constData());

        QCOMPARE(run({QStringLiteral("--build"), dir.filePath(QStringLiteral("ShedData.txt")), QStringLiteral("--out"),
                      dir.filePath(QStringLiteral("out"))},
                     &out),
                 0);
        QVERIFY(readAll(dir.filePath(QStringLiteral("out/plans.pdf"))).startsWith("%PDF"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("out/shed.glb"))));
        // The wizard's fixed values are notes in the summary; the sample has no warnings.
        QVERIFY2(out.contains("No warnings.") && out.contains("Note: line 58:"), out.constData());

        QCOMPARE(run({}, &out, &err), 1);
        QVERIFY2(err.startsWith("corvelle-host: no display") && err.count('\n') == 1, err.constData());
    }
};

QTEST_MAIN(TestShedDocument)
#include "test_shed_document.moc"
