#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen3 : public WizardScreen {
    Q_OBJECT
public:
    explicit screen3(ScreenContext &context);

protected:
    void Command5_Click() override;
};

} // namespace corvelle
