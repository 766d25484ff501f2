#pragma once

#include "core/Flow.h"

#include <memory>

namespace corvelle {

class WizardScreen;
struct ScreenContext;

// Creates the screen with the given number; the shell calls it on a screen's first show.
std::unique_ptr<WizardScreen> MakeScreen(ScreenId id, ScreenContext &context);

} // namespace corvelle
