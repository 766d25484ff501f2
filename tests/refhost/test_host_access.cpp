// The host's window as a keyboard and screen reader user meets it, and as it reads at its
// default size: names and roles, where Tab and Ctrl+Tab go, unique access keys, cells that
// show their whole text, and save dialogs that start where the last file of a kind went.
#include "TestData.h"
#include "refhost/model/Application.h"
#include "refhost/model/Document.h"
#include "refhost/shedview/ShedView.h"
#include "refhost/views/DesignPanel.h"
#include "refhost/views/DocumentView.h"
#include "refhost/views/HostWindow.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QSet>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace corvelle;
using namespace corvelle::refhost;

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The cells whose text is not all on screen in their cell: wider than a one-line column,
// or taller, wrapped at the column's width, than the row. Each as "table row,column: text".
QStringList cutCells(QTableView *view)
{
    QStringList cut;
    const QAbstractItemModel *model = view->model();
    const QFontMetrics fm = view->fontMetrics();
    const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    const auto *delegate = qobject_cast<QStyledItemDelegate *>(view->itemDelegate());
    for (int c = 0; c < model->columnCount(); ++c) {
        const int width = view->columnWidth(c) - margin;
        const QString header = model->headerData(c, Qt::Horizontal).toString();
        if (view->horizontalHeader()->sectionSizeHint(c) > view->columnWidth(c))
            cut << QStringLiteral("%1 header %2").arg(view->accessibleName(), header);
        for (int r = 0; r < model->rowCount(); ++r) {
            const QString text = delegate->displayText(model->index(r, c).data(), QLocale());
            const QRect need = fm.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text);
            const bool fits = need.width() <= width && need.height() <= view->rowHeight(r);
            if (!fits)
                cut << QStringLiteral("%1 %2,%3 (%4 px wide, %5 px high): %6")
                           .arg(view->accessibleName())
                           .arg(r)
                           .arg(c)
                           .arg(view->columnWidth(c))
                           .arg(view->rowHeight(r))
                           .arg(text);
        }
    }
    return cut;
}

} // namespace

class TestHostAccess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
        write(folder_.filePath(QStringLiteral("Program Data/Q&V_1_Start.mrq")),
              readAll(QStringLiteral(CORVELLE_HOST_DATA_SRC "/Q&V_1_Start.mrq")));
        write(folder_.filePath(QStringLiteral("Program Data/ShedData.txt")), testing::sampleShedData());
        app_ = std::make_unique<Application>(folder_.path());
        window_ = std::make_unique<HostWindow>(*app_);
        Document *doc = app_->addDocument();
        QVERIFY(!app_->runMacro(*doc, QStringLiteral("*\\Program Data\\Q&V_1_Start.mrq")));
        window_->resize(1180, 720); // its default size, which the offscreen platform's small screen bounds
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        shed_ = window_->activeView()->shedView();
        QVERIFY(shed_);
        sideTabs_ = shed_->findChild<QTabWidget *>(QStringLiteral("sideTabs"));
        QVERIFY(sideTabs_);
    }

    // Every table, the mode box and the view are named for a screen reader, with the role
    // a reader announces; the values the wizard always writes are design notes, not warnings.
    void namesAndRoles()
    {
        QSet<QString> names;
        const auto tables = shed_->findChildren<QTableView *>();
        QCOMPARE(tables.size(), sideTabs_->count());
        for (QTableView *table : tables) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(table);
            QCOMPARE(a->role(), QAccessible::Table);
            QVERIFY(!a->text(QAccessible::Name).isEmpty());
            names.insert(a->text(QAccessible::Name));
        }
        QCOMPARE(names.size(), tables.size());
        QVERIFY(names.contains(QStringLiteral("Design notes")));

        auto *mode = shed_->findChild<QComboBox *>(QStringLiteral("shadingMode"));
        QVERIFY(mode);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(mode);
        QCOMPARE(a->role(), QAccessible::ComboBox);
        QCOMPARE(mode->accessibleName(), QStringLiteral("Shading mode"));
        // Linux readers name a combo box by its label (its name there is its value).
        const auto labels = a->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels[0].first->text(QAccessible::Name), QStringLiteral("Shading:"));

        QWidget *scene = shed_->findChild<QWidget *>(QStringLiteral("view3dScene"));
        QVERIFY(scene);
        a = QAccessible::queryAccessibleInterface(scene);
        QCOMPARE(a->role(), QAccessible::Canvas);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("3D view"));
        QVERIFY(a->text(QAccessible::Description).contains(QStringLiteral("Enter")));

        auto rows = [&](const QString &name) {
            for (QTableView *t : tables)
                if (t->accessibleName() == name) {
                    QStringList out;
                    for (int r = 0; r < t->model()->rowCount(); ++r)
                        out << t->model()->index(r, t->model()->columnCount() - 1).data().toString();
                    return out;
                }
            return QStringList();
        };
        const QStringList notes = rows(QStringLiteral("Design notes"));
        QCOMPARE(notes, shed_->design().notes);
        QVERIFY(notes.join(QLatin1Char(' ')).contains(QStringLiteral("line 58:")));
        QVERIFY(!rows(QStringLiteral("Warnings")).join(QLatin1Char(' ')).contains(QStringLiteral("line 58:")));
    }

    // Tab goes through the 3D view and the tables and on; Ctrl+Tab goes round the side tabs
    // from the view and from a table alike.
    void tabAndCtrlTab()
    {
        QWidget *scene = shed_->findChild<QWidget *>(QStringLiteral("view3dScene"));
        scene->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(scene->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != scene);

        sideTabs_->setCurrentIndex(0);
        auto *table = sideTabs_->currentWidget()->findChild<QTableView *>();
        QVERIFY(table);
        table->setFocus(Qt::TabFocusReason);
        QVERIFY(table->hasFocus());
        QTest::keyClick(table, Qt::Key_Down); // the arrows move between cells
        QCOMPARE(table->currentIndex().row(), 1);
        QTest::keyClick(table, Qt::Key_Tab);
        QVERIFY2(!table->hasFocus(), "Tab stayed in the table");
        QTest::keyClick(table, Qt::Key_Backtab);

        table->setFocus(Qt::TabFocusReason);
        QTest::keyClick(table, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(sideTabs_->currentIndex(), 1);
        scene->setFocus(Qt::TabFocusReason);
        QTest::keyClick(scene, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(sideTabs_->currentIndex(), 2);
        QTest::keyClick(scene, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(sideTabs_->currentIndex(), 1);
    }

    // No two entries of a menu, and no two menus, share an access key.
    void uniqueAccessKeys()
    {
        QSet<QKeySequence> menuKeys;
        for (QAction *menuAction : window_->menuBar()->actions()) {
            const QKeySequence key = QKeySequence::mnemonic(menuAction->text());
            QVERIFY2(!key.isEmpty(), qPrintable(menuAction->text()));
            QVERIFY2(!menuKeys.contains(key), qPrintable(menuAction->text()));
            menuKeys.insert(key);
            QMenu *menu = menuAction->menu();
            QVERIFY(menu);
            QHash<QKeySequence, QString> keys;
            for (QAction *a : menu->actions()) {
                if (a->isSeparator())
                    continue;
                const QKeySequence k = QKeySequence::mnemonic(a->text());
                QVERIFY2(!k.isEmpty(), qPrintable(a->text()));
                QVERIFY2(!keys.contains(k), qPrintable(a->text() + QStringLiteral(" and ") + keys.value(k)));
                keys.insert(k, a->text());
            }
        }
    }

    // At the default size every cell of every side tab shows its whole text (sentences
    // wrap in their rows), prices with two decimals; still so with the splitter moved
    // either way.
    void cellsReadable()
    {
        auto *split = shed_->findChild<QSplitter *>();
        QVERIFY(split);
        const QList<int> start = split->sizes();
        const int total = start[0] + start[1];
        for (int share : {start[1], total * 3 / 5, total / 3}) {
            split->setSizes({total - share, share});
            QVERIFY2(std::abs(split->sizes()[1] - share) <= 2,
                     qPrintable(QStringLiteral("the splitter does not move freely: %1 of %2 asked, min %3 and %4")
                                    .arg(split->sizes()[1])
                                    .arg(share)
                                    .arg(split->widget(0)->minimumSizeHint().width())
                                    .arg(split->widget(1)->minimumSizeHint().width())));
            for (int i = 0; i < sideTabs_->count(); ++i) {
                sideTabs_->setCurrentIndex(i);
                auto *table = sideTabs_->currentWidget()->findChild<QTableView *>();
                if (!table)
                    table = qobject_cast<QTableView *>(sideTabs_->currentWidget());
                QVERIFY(table);
                QCoreApplication::processEvents();
                QVERIFY(table->model()->rowCount() > 0 || table->accessibleName() == QLatin1String("Warnings"));
                const QStringList cut = cutCells(table);
                QVERIFY2(cut.isEmpty(),
                         qPrintable(QStringLiteral("share %1: ").arg(share) + cut.join(QLatin1Char('\n'))));
                // At the default share the Structure table reads without scrolling sideways.
                if (share == start[1] && table->accessibleName() == QLatin1String("Structural checks"))
                    QVERIFY2(table->horizontalHeader()->length() <= table->viewport()->width(),
                             qPrintable(QStringLiteral("%1 px of columns in %2 px")
                                            .arg(table->horizontalHeader()->length())
                                            .arg(table->viewport()->width())));
            }
        }
        split->setSizes(start);

        for (QTableView *table : shed_->findChildren<QTableView *>()) {
            const QAbstractItemModel *m = table->model();
            for (int c = 0; c < m->columnCount(); ++c) {
                const QString header = m->headerData(c, Qt::Horizontal).toString();
                if (header != QLatin1String("Unit price") && header != QLatin1String("Cost")
                    && header != QLatin1String("Price"))
                    continue;
                for (int r = 0; r < m->rowCount(); ++r) {
                    const QString text = qobject_cast<QStyledItemDelegate *>(table->itemDelegate())
                                             ->displayText(m->index(r, c).data(), QLocale());
                    QVERIFY2(text.size() > 3 && text[text.size() - 3] == QLocale().decimalPoint(), qPrintable(text));
                }
            }
        }
    }

    // Each kind of file's save dialog starts in the folder the last one of that kind went to.
    void dialogsRememberTheirFolder()
    {
        QTemporaryDir out;
        QStringList asked;
        QString answer;
        window_->setSaveFileChooser([&](QWidget *, const QString &, const QString &start, const QString &) {
            asked << start;
            return answer;
        });
        auto trigger = [&](const QString &text) {
            QMenu *file = window_->menuBar()->actions().first()->menu();
            Q_EMIT file->aboutToShow(); // enables what applies to the document
            for (QAction *a : file->actions())
                if (a->text() == text)
                    a->trigger();
        };
        answer = out.filePath(QStringLiteral("models/my shed.glb"));
        QDir().mkpath(out.filePath(QStringLiteral("models")));
        trigger(QStringLiteral("Export &Model..."));
        QVERIFY(QFile::exists(answer));
        answer.clear(); // cancelled
        trigger(QStringLiteral("Export &Model..."));
        trigger(QStringLiteral("Export C&ut List..."));
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked[0], QStringLiteral("shed.glb"));
        QCOMPARE(asked[1], QDir(out.filePath(QStringLiteral("models"))).filePath(QStringLiteral("shed.glb")));
        QCOMPARE(asked[2], QStringLiteral("cutlist.csv")); // another kind: not yet remembered
    }

    // The Design panel: each field named by its label and reached by Tab; a typed width
    // frames the shed again and shows in the status bar; a door wider than the shed is
    // refused in a sentence, the field put back; Edit > Undo takes the width back.
    void designPanel()
    {
        DesignPanel *panel = window_->designPanel();
        Document *doc = app_->activeDocument();
        QVERIFY(panel && panel->isVisible() && panel->document() == doc);
        int fields = 0;
        for (QWidget *w : panel->findChildren<QWidget *>()) {
            if (!qobject_cast<QDoubleSpinBox *>(w) && !qobject_cast<QComboBox *>(w))
                continue;
            ++fields;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            const auto labels = a->relations(QAccessible::Label);
            // Its visible label (the group's title is a label of it too).
            QVERIFY2(
                std::any_of(labels.begin(), labels.end(),
                            [&](const auto &l) { return l.first->text(QAccessible::Name) == w->accessibleName(); }),
                qPrintable(w->objectName()));
            // A list's name there is its value; a reader says its label.
            if (qobject_cast<QDoubleSpinBox *>(w))
                QCOMPARE(a->text(QAccessible::Name), w->accessibleName());
            QVERIFY(w->focusPolicy() & Qt::TabFocus);
        }
        QCOMPARE(fields, 18 + 5 + 3); // the design, a window, the loads
        auto *width = panel->findChild<QDoubleSpinBox *>(QStringLiteral("ShedWidth"));
        auto *doorWidth = panel->findChild<QDoubleSpinBox *>(QStringLiteral("MainDoorWidth"));
        QVERIFY(width && doorWidth);
        QCOMPARE(width->accessibleName(), QStringLiteral("Width"));
        QCOMPARE(panel->findChild<QWidget *>(QStringLiteral("ShedDepth"))->accessibleName(), QStringLiteral("Depth"));

        auto *status = window_->findChild<QLabel *>(QStringLiteral("sizeAndTotal"));
        QVERIFY(status->text().startsWith(QStringLiteral("12 x 16 ft    Total ")));
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("14"));
        QCOMPARE(doc->project().design.ShedWidth, QStringLiteral("12")); // nothing until Enter
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(doc->project().design.ShedWidth, QStringLiteral("14"));
        QCOMPARE(doc->shed()->design.width, 168.0);
        QCOMPARE(shed_->model().members.size(), doc->shed()->model.members.size());
        QVERIFY2(status->text().startsWith(QStringLiteral("14 x 16 ft    Total ")), qPrintable(status->text()));

        doorWidth->setFocus();
        doorWidth->selectAll();
        QTest::keyClicks(doorWidth, QStringLiteral("15"));
        QTest::keyClick(doorWidth, Qt::Key_Return);
        QCOMPARE(doorWidth->value(), 4.0);
        QVERIFY2(panel->message().startsWith(QStringLiteral("Door width: ")), qPrintable(panel->message()));
        QCOMPARE(window_->statusBar()->currentMessage(), panel->message());
        QCOMPARE(doc->undoStack()->count(), 1);

        QAction *undo = window_->findChild<QAction *>(QStringLiteral("undo"));
        QVERIFY(undo);
        QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(doc->shed()->design.width, 144.0);
        QCOMPARE(width->value(), 12.0);
        QVERIFY(!doc->isModified());
    }

private:
    QTemporaryDir settings_, folder_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<HostWindow> window_;
    ShedView *shed_ = nullptr;
    QTabWidget *sideTabs_ = nullptr;
};

QTEST_MAIN(TestHostAccess)
#include "test_host_access.moc"
