// Never lose an edit: a host killed with SIGKILL after an edit leaves a recovery file that
// no running host takes, and the next host offers it (answered here by --recovery).
#include "HostTestSupport.h"
#include "refhost/model/RecoveryStore.h"
#include "shed/Project.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

#include <signal.h>

using namespace corvelle;
using namespace corvelle::testing;

namespace {

// Every recovery file under the root, as folder name -> project bytes.
QMap<QString, QByteArray> recoveryFiles(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, {QStringLiteral("*.shed")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(QFileInfo(file).dir().dirName(), file.readAll());
    }
    return files;
}

QString widthIn(const QByteArray &project)
{
    const shed::ProjectRead read = shed::readProject(project);
    return read.project ? read.project->design.ShedWidth : QString();
}

} // namespace

class HostRecoveryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void killedHostsEditIsOfferedNextStart()
    {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        const QString root = home.filePath(QStringLiteral("data/Corvelle/corvelle-host/recovery"));
        const QString design = home.filePath(QStringLiteral("design.shed"));
        QCOMPARE(shed::saveProject(*shed::readProject(sampleShedData()).project, design), QString());
        ProgramFolder folder;
        QVERIFY(folder.isValid());

        HostProcess first;
        QVERIFY2(first.start(folder, {design, QStringLiteral("--edit"), QStringLiteral("ShedWidth=14")}),
                 qPrintable(first.errorText()));
        QTRY_COMPARE_WITH_TIMEOUT(recoveryFiles(root).size(), 1, 15000);
        const QString firstFolder = recoveryFiles(root).firstKey();
        QCOMPARE(widthIn(recoveryFiles(root).first()), QStringLiteral("14"));
        {
            // Another host (this process) does not take the files of one that runs.
            refhost::RecoveryStore other(root);
            QVERIFY(other.takeOrphans().isEmpty());
        }
        QCOMPARE(::kill(pid_t(first.process().processId()), SIGKILL), 0);
        QVERIFY(first.process().waitForFinished(5000));
        QVERIFY(waitForOwner(QDBusConnection::sessionBus(), false));

        // The next start recovers it: the document is this host's now, still carrying the
        // edit and the file it came from; the killed host's folder is gone.
        HostProcess second;
        QVERIFY2(second.start(folder, {QStringLiteral("--recovery"), QStringLiteral("recover")}),
                 qPrintable(second.errorText()));
        QTRY_VERIFY_WITH_TIMEOUT(recoveryFiles(root).size() == 1 && recoveryFiles(root).firstKey() != firstFolder,
                                 10000);
        QCOMPARE(widthIn(recoveryFiles(root).first()), QStringLiteral("14"));
        QDirIterator origins(root, {QStringLiteral("*.origin")}, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(origins.hasNext());
        QFile origin(origins.next());
        QVERIFY(origin.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(origin.readAll()), QFileInfo(design).absoluteFilePath());
        QVERIFY(!QDir(root).exists(firstFolder));
        second.stop(); // SIGTERM: not a clean exit either

        HostProcess third;
        QVERIFY2(third.start(folder, {QStringLiteral("--recovery"), QStringLiteral("discard")}),
                 qPrintable(third.errorText()));
        QTRY_VERIFY_WITH_TIMEOUT(recoveryFiles(root).isEmpty(), 10000);
        third.stop();
    }
};

QTEST_GUILESS_MAIN(HostRecoveryTest)
#include "tst_host_recovery.moc"
