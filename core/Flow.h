#pragma once

#include <optional>

namespace corvelle {

struct ShedDesign;

enum class ScreenId {
    Screen1 = 1,
    Screen2,
    Screen3,
    Screen4,
    Screen5,
    Screen6,
    Screen7,
    Screen8,
    Screen9,
    Screen10,
    Screen11,
    Screen12,
    Screen13,
};

// The fixed Back edge of a screen, whatever way the user came; none for screen1.
std::optional<ScreenId> BackOf(ScreenId screen);

// Where Next leads from a 3D screen whose checks passed. The two skips store what
// they bypass in the record. No target (screen10 with no roof type) means: stay.
std::optional<ScreenId> NextOf(ScreenId screen, ShedDesign &design);

} // namespace corvelle
