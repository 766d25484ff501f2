#pragma once

#include <QString>

namespace corvelle {

// The two forms of the wizard's message box, plus the error icon alone of the 2D screen.
enum class MessageForm {
    WrongValue, // error icon, title "Wrong Value"
    ErrorIcon,  // error icon, no title of its own
    Plain,      // no icon, no title of its own
};

// Modal messages. The calls return when the user has closed the box.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void showMessage(const QString &text, MessageForm form) = 0;
    // The report of a failure no handler trapped: critical icon, titled with the program's name.
    virtual void showFailure(const QString &text) = 0;
};

// Ends the program: every window goes at once and no screen handler runs afterwards.
class ExitService {
public:
    virtual ~ExitService() = default;
    virtual void end(int status) = 0;
};

class QtMessageService final : public MessageService {
public:
    void showMessage(const QString &text, MessageForm form) override;
    void showFailure(const QString &text) override;
};

class QtExitService final : public ExitService {
public:
    void end(int status) override;
};

} // namespace corvelle
