#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen9 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen9(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
