#pragma once

#include <QDBusVirtualObject>
#include <QFile>
#include <QSet>

namespace corvelle::refhost {

class HostWindow;
class DocumentView;

// Everything under the host's root path on the bus. As a virtual object it sees each message for
// these paths, Properties and Introspectable included, so the journal and refusals are exact.
class HostObject : public QDBusVirtualObject {
    Q_OBJECT
public:
    HostObject(HostWindow *window, QString programFolder, QObject *parent = nullptr);

    // Journal file, one JSON object per received call; false when it cannot be opened.
    bool openJournal(const QString &fileName, QString &error);
    void refuse(const QString &member) { refused_.insert(member); }

    // Host-side path: a leading "*\" is this program's folder, backslashes become "/".
    QString resolve(const QString &hostPath) const;

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    enum class Kind { Root, Application, Documents, Document, File, Unknown };
    struct Target {
        Kind kind = Kind::Unknown;
        DocumentView *document = nullptr;
    };

    Target target(const QString &path) const;
    static QString interfaceOf(Kind kind);
    QString interfaceXml(const Target &target) const;
    QString childNodes(const Target &target) const;
    static QString documentPath(const DocumentView *doc);
    static QString filePath(const DocumentView *doc);

    QDBusMessage dispatch(const QDBusMessage &message);
    QDBusMessage properties(const QDBusMessage &message, const Target &target);
    QDBusMessage property(const QDBusMessage &message, const Target &target, const QString &name, QVariant &value);
    QDBusMessage runMacro(const QDBusMessage &message, DocumentView *doc, const QString &macroPath);
    QDBusMessage loadSymbol(const QDBusMessage &message, DocumentView *doc);
    void journal(const QDBusMessage &message, const QDBusMessage &reply);

    HostWindow *window_;
    QString folder_;
    QFile journal_;
    QSet<QString> refused_;
};

} // namespace corvelle::refhost
