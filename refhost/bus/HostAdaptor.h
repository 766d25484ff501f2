#pragma once

#include "refhost/bus/Journal.h"

#include <QDBusVirtualObject>
#include <QSet>

namespace corvelle::refhost {

class Application;
class Document;

// The host's objects on the bus, translated to and from the model: each call becomes a
// model call and each model error a D-Bus error name. As a virtual object it sees every
// message below the root path, Properties and Introspectable included, so the journal
// and the refusals, which wrap the dispatch, are exact.
class HostAdaptor : public QDBusVirtualObject {
    Q_OBJECT
public:
    explicit HostAdaptor(Application &app, QObject *parent = nullptr);

    // Journal file, one JSON object per received call; false when it cannot be opened.
    bool openJournal(const QString &fileName, QString &error) { return journal_.open(fileName, error); }
    // Answers a member (or a property, by its name) with Brasswick.Error.Refused.
    void refuse(const QString &member) { refused_.insert(member); }

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    enum class Kind { Root, Application, Documents, Document, File, Unknown };
    struct Target {
        Kind kind = Kind::Unknown;
        Document *document = nullptr;
    };

    Target target(const QString &path) const;
    static QString interfaceOf(Kind kind);
    static QString interfaceXml(Kind kind);
    QString childNodes(const Target &target) const;

    QDBusMessage refusal(const QDBusMessage &message) const;
    QDBusMessage dispatch(const QDBusMessage &message);
    QDBusMessage properties(const QDBusMessage &message, const Target &target);
    QDBusMessage property(const QDBusMessage &message, const Target &target, const QString &name, QVariant &value);

    Application &app_;
    Journal journal_;
    QSet<QString> refused_;
};

} // namespace corvelle::refhost
