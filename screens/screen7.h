#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen7 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen7(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
