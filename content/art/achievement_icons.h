#pragma once
// The achievement icons: one square picture per achievement in the achievements folder, named by
// the achievement's row number ("0.png" to "108.png"). The art maker writes them and the
// achievement banner loads the one it shows.

#include <cstdint>
#include <string>

namespace art {

inline constexpr int kAchievementIconSize = 32;

// The icon's file name inside the achievements folder.
std::string achievementIconFileName(uint16_t number);

}  // namespace art
