#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 4: inner wall lining and its thickness.
class screen6 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen6(ScreenContext &context);

    void Form_Load() override;

    QGroupBox *Frame2;
    QLabel *Image1;
    QRadioButton *Option2;
    QRadioButton *Option6;
    QRadioButton *Option3;
    QGroupBox *Frame1;
    QLabel *Image2;
    QRadioButton *Option1;
    QRadioButton *Option4;
    QRadioButton *Option5;
    QRadioButton *Option7;

protected:
    void Command5_Click() override;

private:
    void Option2_Click();
    void Option6_Click();
    void Option3_Click();

    void setThicknessEnabled(bool enabled);
};

} // namespace corvelle
