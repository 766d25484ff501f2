#pragma once

#include "screens/RoofingScreen.h"

namespace corvelle {

// Step 8 for a gable roof of 15 feet or less: trusses or supports.
class screen12 : public RoofingScreen {
    Q_OBJECT
public:
    explicit screen12(ScreenContext &context);
};

} // namespace corvelle
