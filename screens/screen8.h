#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace corvelle {

// Step 6: where the main door is and how large, checked against the shed.
class screen8 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen8(ScreenContext &context);

    void Form_Load() override;
    void Form_Activate() override;

    QGroupBox *Frame2;
    QLabel *Image1;
    QLabel *Image2;
    QLabel *Image3;
    QLabel *Image4;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label1;
    QLabel *Label4;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QRadioButton *Option3;
    QRadioButton *Option4;
    QLineEdit *Text2; // door width
    QLineEdit *Text1; // door height

protected:
    void Command5_Click() override;

private:
    void Text1_GotFocus();
    void Text2_GotFocus();
};

} // namespace corvelle
