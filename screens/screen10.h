#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 8: the roof type. Wide sheds skip the roofing screens.
class screen10 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen10(ScreenContext &context);

    void Form_Load() override;

    QGroupBox *Frame1;
    QLabel *Image1;
    QLabel *Image2;
    QRadioButton *Option1; // gable
    QRadioButton *Option2; // barn

protected:
    void Command5_Click() override;
};

} // namespace corvelle
