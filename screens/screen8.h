#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen8 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen8(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
