// The host's File menu and recovery files, in one process: a design saved and opened
// again is the same model, the data file round trip, refusals that change nothing, a
// failed save that keeps the earlier file, closing that asks, and the recovery files.
#include "refhost/model/Application.h"
#include "refhost/model/Recovery.h"
#include "refhost/views/HostWindow.h"
#include "shed/Build.h"

#include "TestData.h"

#include <QAbstractButton>
#include <QDir>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

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
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The action the shortcut (Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Shift+S) triggers.
QAction *actionFor(QWidget &window, const char *keys)
{
    for (QAction *a : window.findChildren<QAction *>())
        if (a->shortcuts().contains(QKeySequence(QLatin1String(keys))))
            return a;
    return nullptr;
}

QAction *actionNamed(QWidget &window, const QString &text)
{
    for (QAction *a : window.findChildren<QAction *>())
        if (a->text() == text)
            return a;
    return nullptr;
}

// A window whose dialogs are stand-ins: the file chooser answers `next`, the save
// question `answer`, and what it would tell the user is kept.
struct Host {
    Application app{QDir::tempPath()};
    HostWindow window{app};
    QString next;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    int asked = 0;
    QStringList told;

    Host()
    {
        const auto choose = [this](QWidget *, const QString &, const QString &, const QString &) { return next; };
        window.setSaveFileChooser(choose);
        window.setOpenFileChooser(choose);
        window.setSaveQuestion([this](QWidget *, const Document &) {
            ++asked;
            return answer;
        });
        window.setTelling([this](QWidget *, const QString &, const QString &text) { told << text; });
    }
    Document *open(const QString &path)
    {
        next = path;
        actionFor(window, "Ctrl+O")->trigger();
        return app.activeDocument();
    }
    QString lists(const Document &doc) const
    {
        return QString::fromUtf8(shed::formOutput(*doc.shed(), QStringLiteral("cutlist.csv"))
                                 + shed::formOutput(*doc.shed(), QStringLiteral("materials.csv")));
    }
};

} // namespace

class HostFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString data_; // the sample data file

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("settings")));
        QCoreApplication::setOrganizationName(QStringLiteral("Corvelle"));
        QCoreApplication::setApplicationName(QStringLiteral("corvelle-host-test"));
        data_ = dir_.filePath(QStringLiteral("ShedData.txt"));
        write(data_, testing::sampleShedData());
    }

    void savedDesignOpensAsTheSameModel()
    {
        Host host;
        Document *doc = host.open(data_);
        QVERIFY(doc && !doc->isModified());
        QCOMPARE(doc->name(), QStringLiteral("ShedData.txt"));
        QCOMPARE(doc->setDesignField(QStringLiteral("ShedWidth"), QStringLiteral("14")), QString());
        QCOMPARE(doc->setPrice(QStringLiteral("2x6"), 12.5), QString());
        QCOMPARE(host.window.windowTitle(), QStringLiteral("ShedData.txt[*] \u2014 Corvelle Host"));
        QVERIFY(host.window.isWindowModified());
        auto *tabs = host.window.findChild<QTabWidget *>();
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("ShedData.txt*"));

        // A data file is no project: Save asks where, and ".shed" is added.
        host.next = dir_.filePath(QStringLiteral("mine"));
        actionFor(host.window, "Ctrl+S")->trigger();
        const QString saved = dir_.filePath(QStringLiteral("mine.shed"));
        QCOMPARE(doc->filePath(), saved);
        QVERIFY(!doc->isModified() && !host.window.isWindowModified());
        QCOMPARE(host.window.windowTitle(), QStringLiteral("mine.shed[*] \u2014 Corvelle Host"));

        // A copy opens as its own document; the open project is brought forward, not read twice.
        const QString copy = dir_.filePath(QStringLiteral("copy.shed"));
        QVERIFY(QFile::copy(saved, copy));
        Document *again = host.open(copy);
        QVERIFY(again && again != doc);
        const qsizetype count = host.app.documents().size();
        QCOMPARE(host.open(saved), doc);
        QCOMPARE(host.app.documents().size(), count);
        QCOMPARE(shed::formProject(again->project()), shed::formProject(doc->project()));
        QCOMPARE(host.lists(*again), host.lists(*doc));
        QVERIFY(host.told.isEmpty());

        // Most recent first; a file no longer there is dropped.
        QCOMPARE(HostWindow::recentFiles(), (QStringList{saved, copy, data_}));
        const QString gone = dir_.filePath(QStringLiteral("gone.shed"));
        QVERIFY(QFile::copy(saved, gone));
        HostWindow::addRecentFile(gone);
        QFile::remove(gone);
        QCOMPARE(HostWindow::recentFiles(), (QStringList{saved, copy, data_}));
        QCOMPARE(actionFor(host.window, "Ctrl+N")->text(), QStringLiteral("&New"));
        QCOMPARE(actionFor(host.window, "Ctrl+Shift+S")->text(), QStringLiteral("Save &As..."));
    }

    void dataFileRoundTripAndRefusals()
    {
        Host host;
        Document *doc = host.open(data_);
        QVERIFY(doc);
        host.next = dir_.filePath(QStringLiteral("out.txt"));
        actionNamed(host.window, QStringLiteral("Export &Data File..."))->trigger();
        QCOMPARE(readAll(host.next), testing::sampleShedData());
        QVERIFY(host.told.isEmpty());
        // Windows cannot go into a data file: the export says so.
        QCOMPARE(doc->addWindow({shed::Wall::Rear, 72, 24, 36, 40}), QString());
        actionNamed(host.window, QStringLiteral("Export &Data File..."))->trigger();
        QCOMPARE(host.told.size(), 1);
        QVERIFY2(host.told.first().contains(QStringLiteral("window")), qPrintable(host.told.first()));

        // A file that is no design is refused in one sentence; the open documents stay as they were.
        const QString before = shed::formProject(doc->project());
        const struct {
            QByteArray bytes;
            const char *named;
        } bad[] = {{testing::sampleShedDataWith(2, "60          ' Z, Feet,         Shed Depth"), "line 2"},
                   {R"({"format": "other", "version": 1})", "\"format\""},
                   {"{ not json", "JSON"}};
        for (const auto &b : bad) {
            host.told.clear();
            write(dir_.filePath(QStringLiteral("bad.shed")), b.bytes);
            QVERIFY(!host.window.openFile(dir_.filePath(QStringLiteral("bad.shed"))));
            QCOMPARE(host.told.size(), 1);
            QVERIFY2(host.told.first().contains(QLatin1String(b.named)), qPrintable(host.told.first()));
            QCOMPARE(host.app.documents().size(), 1);
            QCOMPARE(host.app.activeDocument(), doc);
            QCOMPARE(shed::formProject(doc->project()), before);
        }
    }

    void failedSaveKeepsTheEarlierFile()
    {
        const QString folder = dir_.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkpath(folder));
        // Root passes over permission bits: there the folder is a file system remounted read-only.
        const bool root = geteuid() == 0;
        if (root
            && QProcess::execute(QStringLiteral("mount"),
                                 {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                  QStringLiteral("size=1m"), QStringLiteral("tmpfs"), folder})
                   != 0)
            QSKIP("running as root where no file system can be mounted: no folder can be made read-only");
        Host host;
        Document *doc = host.open(data_);
        host.next = QDir(folder).filePath(QStringLiteral("shed.shed"));
        actionFor(host.window, "Ctrl+S")->trigger();
        const QByteArray before = readAll(host.next);
        QVERIFY(!before.isEmpty());
        QCOMPARE(doc->setDesignField(QStringLiteral("ShedDepth"), QStringLiteral("18")), QString());

        const bool readOnly = root ? QProcess::execute(QStringLiteral("mount"),
                                                       {QStringLiteral("-o"), QStringLiteral("remount,ro"), folder})
                                         == 0
                                   : QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        actionFor(host.window, "Ctrl+S")->trigger();
        const QByteArray after = readAll(host.next);
        if (root)
            QProcess::execute(QStringLiteral("umount"), {folder});
        else
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(readOnly);
        QCOMPARE(after, before);
        QCOMPARE(host.told.size(), 1);
        QVERIFY2(host.told.first().contains(QStringLiteral("earlier file is kept")), qPrintable(host.told.first()));
        QVERIFY(doc->isModified() && host.window.isWindowModified());
    }

    void closingAModifiedDocumentAsks()
    {
        Host host;
        host.window.show();
        Document *doc = host.open(data_);
        QCOMPARE(doc->setDesignField(QStringLiteral("ShedWidth"), QStringLiteral("10")), QString());
        host.answer = QMessageBox::Cancel;
        QVERIFY(!host.window.close()); // quitting asks too
        QVERIFY(!host.window.closeDocument(*doc));
        QCOMPARE(host.asked, 2);
        QCOMPARE(host.app.documents().size(), 1);

        host.answer = QMessageBox::Save;
        host.next = QString(); // the user cancels Save As: nothing closes
        QVERIFY(!host.window.closeDocument(*doc));
        host.next = dir_.filePath(QStringLiteral("closed.shed"));
        QVERIFY(host.window.closeDocument(*doc));
        QVERIFY(QFile::exists(host.next));
        QVERIFY(host.app.documents().isEmpty());

        Document *other = host.open(data_);
        QCOMPARE(other->setDesignField(QStringLiteral("ShedWidth"), QStringLiteral("10")), QString());
        host.answer = QMessageBox::Discard;
        QVERIFY(host.window.close());
        QCOMPARE(host.asked, 5);
    }

    void recoveryFilesFollowTheEdits()
    {
        QTemporaryDir root;
        Host host;
        RecoveryStore store(root.path());
        Recovery recovery(host.app, store);
        recovery.setDelay(20);
        Document *doc = host.open(data_);
        QCOMPARE(doc->setDesignField(QStringLiteral("ShedWidth"), QStringLiteral("14")), QString());
        QTRY_VERIFY(QFile::exists(store.fileOf(doc->id())));
        QCOMPARE(shed::readProject(readAll(store.fileOf(doc->id()))).project->design.ShedWidth, QStringLiteral("14"));
        doc->undoStack()->undo(); // back to what was opened: nothing to recover
        QVERIFY(!QFile::exists(store.fileOf(doc->id())));
        doc->undoStack()->redo();
        QTRY_VERIFY(QFile::exists(store.fileOf(doc->id())));
        host.next = dir_.filePath(QStringLiteral("recovered.shed"));
        actionFor(host.window, "Ctrl+S")->trigger();
        QVERIFY(!QFile::exists(store.fileOf(doc->id())));
        doc->setDesignField(QStringLiteral("ShedWidth"), QStringLiteral("16"));
        QTRY_VERIFY(QFile::exists(store.fileOf(doc->id())));
        const QByteArray left = readAll(store.fileOf(doc->id()));
        host.answer = QMessageBox::Discard;
        const QString closed = store.fileOf(doc->id());
        QVERIFY(host.window.closeDocument(*doc));
        QVERIFY(!QFile::exists(closed));

        // What a gone host left is offered one at a time: the first discarded, the second
        // recovered, modified under the file it came from, and kept in this host's store.
        QTemporaryDir gone;
        QList<RecoveryStore::Orphan> orphans;
        for (int i : {1, 2}) {
            const QString f = gone.filePath(QStringLiteral("%1.shed").arg(i));
            write(f, left);
            orphans.append({f, host.next, QDateTime::currentDateTime()});
        }
        host.window.offerRecovery(recovery, orphans);
        for (const char *button : {"Discard", "Recover"}) {
            QMessageBox *box = nullptr;
            QTRY_VERIFY((box = host.window.findChild<QMessageBox *>(QStringLiteral("recoverBox"))) && box->isVisible());
            QVERIFY2(box->text().contains(QStringLiteral("recovered.shed")), qPrintable(box->text()));
            for (QAbstractButton *b : box->buttons())
                if (b->text() == QLatin1String(button))
                    b->click();
        }
        QVERIFY(!QFile::exists(orphans[0].file) && !QFile::exists(orphans[1].file));
        QCOMPARE(host.app.documents().size(), 1);
        Document *recovered = host.app.activeDocument();
        QVERIFY(recovered->isModified());
        QCOMPARE(recovered->filePath(), host.next);
        QCOMPARE(recovered->project().design.ShedWidth, QStringLiteral("16"));
        QVERIFY(QFile::exists(store.fileOf(recovered->id())));
    }
};

QTEST_MAIN(HostFilesTest)
#include "test_host_files.moc"
