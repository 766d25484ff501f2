#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen5 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen5(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
