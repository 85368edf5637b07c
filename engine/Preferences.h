#pragma once

#include "NumberFormat.h"

#include <string>

namespace engine {

// The display preferences every document window follows, kept in the settings store.
struct Preferences
{
    std::string dateFormat {kDefaultDatePattern};
    int rowInterval = 4; // rows per shading band; 0: no shading
    int rowIntervalColor = 0xEFEFEF; // the bands' colour, blue in the high byte
    bool scrollTrack = true; // the grid follows the scroll box while it is dragged

    friend bool operator==(const Preferences &, const Preferences &) = default;
};

inline constexpr int kMaxRowInterval = 32767;

} // namespace engine
