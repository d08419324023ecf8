#include "content/art/achievement_icons.h"

namespace art {

std::string achievementIconFileName(uint16_t number) { return std::to_string(number) + ".png"; }

}  // namespace art
