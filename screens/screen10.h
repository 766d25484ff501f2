#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen10 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen10(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
