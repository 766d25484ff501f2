#include "refhost/bus/Journal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace corvelle::refhost {

namespace {

QJsonValue toJson(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return toJson(value.value<QDBusVariant>().variant());
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return QStringLiteral("<%1>").arg(value.value<QDBusArgument>().currentSignature());
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return value.toString();
    default:
        return QJsonValue::fromVariant(value);
    }
}

} // namespace

bool Journal::open(const QString &fileName, QString &error)
{
    file_.setFileName(fileName);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error = file_.errorString();
        return false;
    }
    return true;
}

void Journal::record(const QDBusMessage &call, const QDBusMessage &reply)
{
    if (!file_.isOpen())
        return;
    QJsonArray args;
    for (const QVariant &arg : call.arguments())
        args.append(toJson(arg));
    QJsonObject entry{{QStringLiteral("path"), call.path()},
                      {QStringLiteral("interface"), call.interface()},
                      {QStringLiteral("member"), call.member()},
                      {QStringLiteral("args"), args}};
    if (reply.type() == QDBusMessage::ErrorMessage)
        entry.insert(QStringLiteral("error"), reply.errorName());
    file_.write(QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n');
    file_.flush();
}

} // namespace corvelle::refhost
