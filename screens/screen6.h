#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen6 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen6(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
