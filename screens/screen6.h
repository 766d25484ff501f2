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

    QGroupBox *Frame2;     // lining material
    QLabel *Image1;        // the lining chosen
    QRadioButton *Option2; // sheetrock
    QRadioButton *Option6; // wafer board or plywood
    QRadioButton *Option3; // no lining
    QGroupBox *Frame1;     // lining thickness
    QLabel *Image2;        // a lining sheet's edge
    QRadioButton *Option1; // 1/4 inch
    QRadioButton *Option4; // 1/2 inch
    QRadioButton *Option5; // 3/4 inch
    QRadioButton *Option7; // 5/8 inch

protected:
    void Command5_Click() override;

private:
    void Option2_Click();
    void Option6_Click();
    void Option3_Click();

    void setThicknessEnabled(bool enabled);
};

} // namespace corvelle
