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
    QLabel *Image1;        // framing with the width and depth arrows
    QLabel *Label1;        // caption of the width box
    QLineEdit *Text1;      // shed width
    QLabel *Label2;        // caption of the depth box
    QLineEdit *Text2;      // shed depth
    QLabel *Label3;        // caption of the height box
    QLineEdit *Text3;      // inside height, fixed at 8
    QPushButton *Command2; // width down
    QPushButton *Command1; // width up
    QPushButton *Command8; // depth down
    QPushButton *Command6; // depth up
    QPushButton *Command9; // height down, inactive
    QPushButton *Command7; // height up, inactive

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
