#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 7: ramps, offered only at the main doors of a built floor.
class screen9 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen9(ScreenContext &context);

    void Form_Load() override;
    void Form_Activate() override;

    QGroupBox *Frame2;
    QLabel *Image1;
    QLabel *Image2;
    QLabel *Image3;
    QLabel *Image4;
    QRadioButton *Option1; // no ramp
    QRadioButton *Option2; // front
    QRadioButton *Option3; // back (stored as Rear)
    QRadioButton *Option4; // both

protected:
    void Command5_Click() override;
};

} // namespace corvelle
