#pragma once

#include <QFile>

class QDBusMessage;

namespace corvelle::refhost {

// The host's record of the calls it received: one JSON object a line with the path,
// interface, member, arguments and, for a refused or failed call, the error name.
class Journal {
public:
    // False, with the reason, when the file cannot be written.
    bool open(const QString &fileName, QString &error);
    void record(const QDBusMessage &call, const QDBusMessage &reply);

private:
    QFile file_;
};

} // namespace corvelle::refhost
