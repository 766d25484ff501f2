// The program folder: the executable's own, unless the installation carries the marker;
// then the user's data folder, stocked from the installed "Program Data" without
// overwriting what the user changed.
#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void put(const QString &path, const QByteArray &bytes, const QDateTime &when)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    f.setFileTime(when, QFileDevice::FileModificationTime);
}

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsTheInstallation()
    {
        QTemporaryDir scratch;
        const QString installed = scratch.filePath("lib/corvelle"), home = scratch.filePath("home");
        qputenv("XDG_DATA_HOME", home.toLocal8Bit());
        const QDateTime old = QDateTime::currentDateTime().addDays(-10);
        put(installed + "/Program Data/prices.csv", "item,unit,unit_price\n", old);
        put(installed + "/Program Data/2D Sheds/Shed_101.KQ", "style", old);
        put(installed + "/Program Data/2dsheds.mrq", "macro 1", old);

        // Without the marker (build/bin, a user's prefix) the folder is the program's own.
        QCOMPARE(corvelle::programFolder(installed), installed);
        QVERIFY(!QFileInfo::exists(home + "/corvelle"));

        put(installed + "/" + corvelle::PerUserFolderMarker, "", old);
        const QString user = corvelle::programFolder(installed);
        QCOMPARE(user, home + "/corvelle");
        QCOMPARE(read(user + "/Program Data/2D Sheds/Shed_101.KQ"), QByteArray("style"));
        QVERIFY(QFileInfo(user + "/Program Data/prices.csv").isWritable());

        // The user edits the prices; an upgrade brings a newer macro. The next start keeps
        // the one and takes the other.
        put(user + "/Program Data/prices.csv", "item,unit,unit_price\nmine,each,1\n", QDateTime::currentDateTime());
        put(installed + "/Program Data/2dsheds.mrq", "macro 2", old.addDays(5));
        QCOMPARE(corvelle::programFolder(installed), user);
        QCOMPARE(read(user + "/Program Data/prices.csv"), QByteArray("item,unit,unit_price\nmine,each,1\n"));
        QCOMPARE(read(user + "/Program Data/2dsheds.mrq"), QByteArray("macro 2"));
        QVERIFY(QDir(user + "/Program Data").entryList({"*.part"}, QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "test_program_folder.moc"
