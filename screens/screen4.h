#pragma once

#include "app/WizardScreen.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 2 of 9: what the shed stands on, with the slab thickness or the block rows.
class screen4 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen4(ScreenContext &context);

    void Form_Load() override;

    QGroupBox *Frame2;
    QLabel *Image1;
    QLabel *Image2;
    QLabel *Image3;
    QLabel *Image4;
    QRadioButton *Option1; // gravel
    QRadioButton *Option2; // concrete
    QRadioButton *Option3; // woodframe
    QRadioButton *Option4; // blocks
    QComboBox *Combo1;     // slab thickness
    QComboBox *Text1;      // block rows: a list, despite its name

protected:
    void Command5_Click() override;

private:
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Text1_GotFocus();
};

} // namespace corvelle
