#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 5: the outside wall covering.
class screen7 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen7(ScreenContext &context);

    void Form_Load() override;

    QGroupBox *Frame2;
    QLabel *Image1;
    QLabel *Image2;
    QLabel *Image3;
    QLabel *Image4;
    QRadioButton *Option1; // siding (stored as Vinyl)
    QRadioButton *Option2; // vertical siding
    QRadioButton *Option3; // plywood
    QRadioButton *Option4; // tin

protected:
    void Command5_Click() override;
};

} // namespace corvelle
