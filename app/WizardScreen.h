#pragma once

#include "app/ScreenContext.h"
#include "app/Services.h"
#include "app/Wizard.h"
#include "core/Flow.h"

#include <QDialog>
#include <QEvent>
#include <QSize>

#include <initializer_list>

class QFrame;
class QPushButton;

namespace corvelle {

// The common window of every screen: fixed client area, caption, the wizard button
// bar and the separator line. Screens add their own controls and handlers.
class WizardScreen : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize ClientTwips{6768, 3984};

    WizardScreen(ScreenId id, ScreenContext &context, const QString &caption,
                 QSize clientTwips = ClientTwips);

    ScreenId id() const { return id_; }

    // Run by the shell: Form_Load once at creation, Form_Activate on every show.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}

    // Key preview: screens 1 to 12 see every key (a Qt::Key) first; Esc ends the program.
    virtual bool keyPreview() const { return true; }
    virtual void Form_KeyDown(int key);

    // The wizard button bar (absent on screen1) and the separator.
    QPushButton *Command3 = nullptr; // Cancel
    QPushButton *Command4 = nullptr; // Back
    QPushButton *Command5 = nullptr; // Next or Finish
    QFrame *Line1 = nullptr;

protected:
    struct ButtonBar {
        QString nextCaption = QStringLiteral("&Next   >>");
        int nextLeft = 4680;
        int nextTop = 3600;
        bool nextIsDefault = true;
    };
    void makeButtonBar(const ButtonBar &bar);
    void makeButtonBar() { makeButtonBar(ButtonBar{}); }

    virtual void Command3_Click(); // Cancel: ends the program
    virtual void Command4_Click(); // Back: the fixed Back edge
    virtual void Command5_Click() {}

    // Next after the screen's checks passed and its values are stored.
    void goNext();
    // Next refused over one box: the "Wrong Value" message, then the focus back to
    // that box for correcting.
    void refuse(QWidget *box, const QString &message);
    // Next refused with no box to go back to: the message alone, in its form.
    void refuse(const QString &message, MessageForm form);
    bool largeFonts() const;

    // Connects a control's signal to a handler that runs under the shell's guard.
    template <typename Sender, typename Signal, typename Handler>
    void on(Sender *sender, Signal signal, Handler handler)
    {
        connect(sender, signal, this, [this, handler] { context_.wizard.guard(handler); });
    }
    // Runs a handler after the control has taken the focus (a GotFocus event).
    void onGotFocus(QWidget *control, std::function<void()> handler);
    // Runs a handler for mouse moves over a control (or the window itself).
    void onMouseMove(QWidget *control, std::function<void()> handler);
    // Runs a handler for a mouse click on a control that has no clicked signal.
    void onClick(QWidget *control, std::function<void()> handler);

    static void setTabSequence(std::initializer_list<QWidget *> controls);

    ScreenContext &context_;

    // QDialog's Esc rejects and hides the dialog behind the shell's back; here Esc
    // is the screens' key preview, and a screen is only hidden by the flow.
    void reject() override {}
    void setVisible(bool visible) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    ScreenId id_;
    bool keysApplied_ = false;
};

} // namespace corvelle
