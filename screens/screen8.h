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
    QLabel *Label2;        // "Door Width: "
    QLabel *Label3;        // unit of the width
    QLabel *Label1;        // "Door Height: "
    QLabel *Label4;        // unit of the height
    QRadioButton *Option1; // no door
    QRadioButton *Option2; // front
    QRadioButton *Option3; // back (stored as Rear)
    QRadioButton *Option4; // both
    QLineEdit *Text2;      // door width
    QLineEdit *Text1;      // door height

protected:
    void Command5_Click() override;

private:
    void Text1_GotFocus();
    void Text2_GotFocus();
};

} // namespace corvelle
