#pragma once

#include "app/WizardScreen.h"

namespace corvelle {

class screen13 : public WizardScreen {
    Q_OBJECT
public:
    static constexpr QSize ClientTwips{6732, 3960};

    explicit screen13(ScreenContext &context);

    // The last screen has neither key preview nor an Esc handler.
    bool keyPreview() const override { return false; }

protected:
    void Command5_Click() override;
};

} // namespace corvelle
