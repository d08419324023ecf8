#include "content/tables/current_difficulty.h"

namespace {

constexpr uint32_t kDefaultDifficultyId = 2;

uint32_t& slot() {
  static uint32_t id = kDefaultDifficultyId;
  return id;
}

}  // namespace

uint32_t currentDifficultyId() { return slot(); }
void setCurrentDifficultyId(uint32_t id) { slot() = id; }
void resetCurrentDifficultyId() { slot() = kDefaultDifficultyId; }
