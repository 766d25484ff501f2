#pragma once

#include "app/WizardScreen.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace corvelle {

// Step 8 for a gable roof of 15 feet or less: trusses or supports.
class screen12 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen12(ScreenContext &context);

    void Form_Load() override;

    QGroupBox *Frame1;
    QLabel *Image1;
    QLabel *Image2;
    QRadioButton *Option1;
    QRadioButton *Option2;

protected:
    void Command5_Click() override;
};

} // namespace corvelle
