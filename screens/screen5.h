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

    QGroupBox *Frame2;     // stud lumber
    QLabel *Image1;        // a 2x4 and a 2x6
    QRadioButton *Option2; // 2 x 4
    QRadioButton *Option3; // 2 x 6
    QGroupBox *Frame1;     // stud spacing
    QLabel *Image2;        // the spacing chosen
    QRadioButton *Option1; // 12 inches
    QRadioButton *Option4; // 16 inches
    QRadioButton *Option5; // 24 inches
    QGroupBox *Frame3;     // inner height
    QLabel *Image3;        // the inside height on a gable end
    QComboBox *Combo1;     // inner height list

protected:
    void Command5_Click() override;

private:
    void Option1_Click();
    void Option4_Click();
    void Option5_Click();
};

} // namespace corvelle
