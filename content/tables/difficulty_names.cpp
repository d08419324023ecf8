#include "content/tables/difficulty_names.h"

std::string difficultyName(uint32_t level) {
  return level < kNamedDifficultyCount ? kDifficultyNames[level] : "Level " + std::to_string(level);
}
