#pragma once

#include "app/ChoiceFrame.h"
#include "app/WizardScreen.h"

class QLabel;
class QPushButton;

namespace corvelle {

// The fork between the two paths: a click on a picture opens its path; so do Enter
// and the space bar on its frame, which Tab reaches.
class screen1 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen1(ScreenContext &context);

    void Form_Load() override;

    ChoiceFrame *Frame1;   // the 2D path
    QLabel *Image2;        // picture that opens the 2D path
    ChoiceFrame *Frame2;   // the 3D path
    QLabel *Image3;        // picture that opens the 3D path
    QPushButton *Command1; // Cancel

private:
    void Image2_MouseMove();
    void Image3_MouseMove();
    void Form_MouseMove();
    void Frame1_MouseMove();
    void Frame2_MouseMove();
    void Image2_Click();
    void Image3_Click();
    void Command1_Click();

    void showHand();
    void showDefaultPointer();
};

} // namespace corvelle
