#pragma once
// The 109 achievements: what the pop-up shows (name and description) and what the store front
// knows them by (key and number). Fixed data built once on first use; whether a row is unlocked
// is the statistics store's to keep. Any thread after the first call.

#include <array>
#include <cstdint>
#include <string>

struct AchievementRow {
  const char* name = "";
  const char* description = "";
  std::string key;
  uint32_t platformNumber = 0;
};

inline constexpr size_t kAchievementCount = 109;

const std::array<AchievementRow, kAchievementCount>& achievementRows();

// The store-front key of a name: lower case, only letters, digits and spaces kept, trailing
// spaces dropped, the other spaces turned into underscores.
std::string achievementKey(const char* name);
