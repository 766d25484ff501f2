// The host window follows its model: a tab per document, the current tab the active
// document, whichever side, model or user, makes the change.
#include "refhost/model/Application.h"
#include "refhost/views/HostWindow.h"

#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace corvelle;
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
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("New drawing: Drawing 3"));

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

    // View > Units: the locale's system until the user chooses, then the choice, also in
    // the next session.
    void unitsChosenAndRemembered()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("host.ini"));
        const QLocale german(QLocale::German, QLocale::Germany), american(QLocale::English, QLocale::UnitedStates);
        {
            QSettings settings(file, QSettings::IniFormat);
            Application app(QDir::tempPath());
            app.rememberUnitsIn(&settings, german);
            QVERIFY(app.units().isMetric());
            QVERIFY(!settings.contains(QStringLiteral("view/units"))); // a default, not a choice
            HostWindow window(app);
            QMenu *view = nullptr;
            for (QAction *a : window.menuBar()->actions())
                if (a->text() == u"&View")
                    view = a->menu();
            QVERIFY(view);
            QMenu *units = view->actions().first()->menu();
            QVERIFY(units && view->actions().first()->text() == u"&Units");
            const QList<QAction *> choices = units->actions();
            QCOMPARE(choices.size(), 2);
            QCOMPARE(choices[0]->text(), QStringLiteral("&Imperial"));
            QCOMPARE(choices[1]->text(), QStringLiteral("&Metric"));
            QVERIFY(choices[1]->isChecked() && !choices[0]->isChecked());
            choices[0]->trigger();
            QVERIFY(!app.units().isMetric());
            QVERIFY(choices[0]->isChecked() && !choices[1]->isChecked());
            app.setUnits(shed::Units(shed::UnitSystem::Metric)); // the model changed elsewhere: the menu follows
            QVERIFY(choices[1]->isChecked());
            choices[0]->trigger();
        }
        {
            QSettings settings(file, QSettings::IniFormat);
            Application app(QDir::tempPath());
            app.rememberUnitsIn(&settings, german);
            QVERIFY(!app.units().isMetric()); // the choice beats the locale
            settings.setValue(QStringLiteral("view/units"), QStringLiteral("cubits"));
            app.rememberUnitsIn(&settings, american);
            QVERIFY(!app.units().isMetric());
            app.rememberUnitsIn(&settings, german);
            QVERIFY(app.units().isMetric()); // an unknown value is no choice
        }
    }
};

QTEST_MAIN(RefHostViewsTest)
#include "test_refhost_views.moc"
