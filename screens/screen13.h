#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 9, the last: the shading the host draws the model with. Finish writes
// the data file and hands the design to the host.
class screen13 : public WizardScreen {
    Q_OBJECT
public:
    static constexpr QSize ClientTwips{6732, 3960};

    explicit screen13(ScreenContext &context);

    void Form_Load() override;

    // The last screen has neither key preview nor an Esc handler.
    bool keyPreview() const override { return false; }

    QGroupBox *Frame2;
    QLabel *Image1;
    QLabel *Image2;
    QLabel *Image3;
    QLabel *Image4;
    QRadioButton *Option1; // none
    QRadioButton *Option2; // hidden line
    QRadioButton *Option3; // QuickShade
    QRadioButton *Option4; // best

protected:
    void Command5_Click() override;
};

} // namespace corvelle
