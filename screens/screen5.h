#pragma once

#include "app/WizardScreen.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 3 of 9: stud lumber, stud spacing and the inner height.
class screen5 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen5(ScreenContext &context);

    void Form_Load() override;

    QGroupBox *Frame2;
    QLabel *Image1;
    QRadioButton *Option2;
    QRadioButton *Option3;
    QGroupBox *Frame1;
    QLabel *Image2;
    QRadioButton *Option1;
    QRadioButton *Option4;
    QRadioButton *Option5;
    QGroupBox *Frame3;
    QLabel *Image3;
    QComboBox *Combo1;

protected:
    void Command5_Click() override;

private:
    void Option1_Click();
    void Option4_Click();
    void Option5_Click();
};

} // namespace corvelle
