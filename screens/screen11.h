#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen11 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen11(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
