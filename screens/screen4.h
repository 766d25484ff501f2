#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen4 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen4(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
