#pragma once

#include "screens/RoofingScreen.h"

namespace corvelle {

// Step 8 for a barn roof of 15 feet or less: trusses or supports.
class screen11 : public RoofingScreen {
    Q_OBJECT
public:
    explicit screen11(ScreenContext &context);
};

} // namespace corvelle
