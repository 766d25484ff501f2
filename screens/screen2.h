#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen2 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen2(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
