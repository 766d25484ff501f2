#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvelle {

// Step 1 of 9: width, depth and the fixed inside height, in feet.
class screen3 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen3(ScreenContext &context);

    void Form_Load() override;

    QGroupBox *Frame2;
    QLabel *Image1;
    QLabel *Label1;
    QLineEdit *Text1;
    QLabel *Label2;
    QLineEdit *Text2;
    QLabel *Label3;
    QLineEdit *Text3;
    QPushButton *Command2;
    QPushButton *Command1;
    QPushButton *Command8;
    QPushButton *Command6;
    QPushButton *Command9;
    QPushButton *Command7;

protected:
    void Command5_Click() override;

private:
    void Command1_Click();
    void Command2_Click();
    void Command6_Click();
    void Command8_Click();
    void Command7_Click();
    void Command9_Click();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Text3_GotFocus();
};

} // namespace corvelle
