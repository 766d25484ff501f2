#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen12 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen12(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
