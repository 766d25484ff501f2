#pragma once

#include "TestData.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace corvelle::testing {

// Puts the host's own files into a program folder: its two macros under "Program Data"
// and an empty "Program Data/2D Sheds". False when a file cannot be put there.
bool installHostFiles(const QString &folder);
// A small line drawing as "Program Data/2D Sheds/Shed_<n>.KQ" of the folder.
void writeStyleDrawing(const QString &folder, int number);

// A throwaway program folder for one corvelle-host: "Program Data" with the host's two
// macros, plus whatever data files and drawings a test puts there.
class ProgramFolder {
public:
    ProgramFolder();
    bool isValid() const { return dir_.isValid() && ok_; }
    QString path() const { return dir_.path(); }
    QString file(const QString &relative) const { return dir_.filePath(relative); }
    void write(const QString &relative, const QByteArray &bytes) const;
    void writeShedData(const QByteArray &bytes) const { write(QStringLiteral("Program Data/ShedData.txt"), bytes); }
    void writeStyle(int number) const;   // a small line drawing as "2D Sheds/Shed_<n>.KQ"

private:
    QTemporaryDir dir_;
    bool ok_ = true;
};

// A corvelle-host process on the session bus (or on the bus given by address).
class HostProcess {
public:
    ~HostProcess();
    // Starts the host and waits until it owns Brasswick.Application. The journal goes
    // to "journal.jsonl" in the program folder.
    bool start(const ProgramFolder &folder, const QStringList &extraArgs = {}, const QString &busAddress = {});
    bool start(const QString &programFolder, const QStringList &extraArgs = {}, const QString &busAddress = {});
    void stop();
    QString journalFile() const { return journal_; }
    QString errorText() const { return error_; }
    QProcess &process() { return process_; }

private:
    QProcess process_;
    QString journal_;
    QString error_;
    QDBusConnection bus_{QString()};
};

QString hostExecutable();
QProcessEnvironment hostEnvironment(const QString &busAddress = {});

bool nameHasOwner(const QDBusConnection &bus);
// Polls until the name's owner state is `owned` or the deadline passes.
bool waitForOwner(const QDBusConnection &bus, bool owned, int timeoutMs = 10000);

// The calls in a journal as "Member" or "Get Property" / "Set Property", in order.
QList<QJsonObject> readJournal(const QString &file);
QStringList journalCalls(const QString &file);
QString callName(const QJsonObject &entry);

// A raw call on the host with auto-start off, as the wizard makes them.
QDBusMessage callHost(const QString &path, const QString &interface, const QString &member,
                      const QVariantList &args = {}, const QDBusConnection &bus = QDBusConnection::sessionBus());

} // namespace corvelle::testing
