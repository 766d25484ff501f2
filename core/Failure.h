#pragma once

#include <QString>
#include <stdexcept>
#include <utility>

namespace corvelle {

// A failure that no handler traps: a file that cannot be written, a host that is
// missing or refuses a call, a strict conversion of a non-number. Handlers let it
// escape; the shell reports it and ends the program with status 1.
class Failure : public std::runtime_error {
public:
    // operation: what was being done ("Writing the shed data file", "Calling Add").
    // target: the file or host member concerned. reason: the system's own words.
    Failure(QString operation, QString target, QString reason)
        : std::runtime_error((operation + QStringLiteral(": ") + target + QStringLiteral(": ") + reason).toStdString()),
          operation_(std::move(operation)), target_(std::move(target)), reason_(std::move(reason)) {}

    const QString &target() const { return target_; }
    const QString &reason() const { return reason_; }

    // The text of the failure report.
    QString report() const
    {
        return operation_ + QStringLiteral(" failed.\n\n") + target_ + QStringLiteral("\n\n") + reason_;
    }

private:
    QString operation_;
    QString target_;
    QString reason_;
};

} // namespace corvelle
