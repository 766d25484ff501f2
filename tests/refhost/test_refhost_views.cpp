// The host window follows its model: a tab per document, the current tab the active
// document, whichever side, model or user, makes the change.
#include "refhost/model/Application.h"
#include "refhost/views/HostWindow.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

using namespace corvelle::refhost;

class RefHostViewsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tabsFollowTheDocuments()
    {
        Application app(QDir::tempPath());
        Document *first = app.addDocument(); // before the window: shown when it opens
        HostWindow window(app);
        auto *tabs = window.findChild<QTabWidget *>();
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 1);

        Document *second = app.addDocument();
        Document *third = app.addDocument();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(tabs->currentIndex()), third->title());
        // What the host last did is a permanent part of the status bar: a passing message
        // (a menu's help text) does not take it away.
        const auto *summary = window.statusBar()->findChild<QLabel *>(QStringLiteral("statusSummary"));
        QVERIFY(summary);
        window.statusBar()->showMessage(QStringLiteral("Export the model"));
        window.statusBar()->clearMessage();
        QCOMPARE(summary->text(), QStringLiteral("New drawing: Drawing 3"));

        tabs->setCurrentIndex(0); // the user picks a tab
        QCOMPARE(app.activeDocument(), first);
        app.setActiveDocument(second);
        QCOMPARE(tabs->currentIndex(), 1);

        Q_EMIT tabs->tabCloseRequested(1); // the user closes the active tab
        QCOMPARE(app.document(2), nullptr);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(app.activeDocument(), third);
        QCOMPARE(tabs->tabText(tabs->currentIndex()), third->title());

        third->setDraftingMode(true);
        const auto *header = tabs->currentWidget()->findChild<QLabel *>(QStringLiteral("documentHeader"));
        QVERIFY(header->text().contains(QStringLiteral("Drafting mode: On")));
        app.closeDocument(third->id());
        app.closeDocument(first->id());
        QCOMPARE(tabs->count(), 0);
        QCOMPARE(app.activeDocument(), nullptr);
    }
};

QTEST_MAIN(RefHostViewsTest)
#include "test_refhost_views.moc"
