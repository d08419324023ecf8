#include "content/tables/current_difficulty.h"

namespace {

uint32_t& slot() {
  static uint32_t id = kDefaultDifficultyId;
  return id;
}

}  // namespace

uint32_t currentDifficultyId() { return slot(); }
void setCurrentDifficultyId(uint32_t id) { slot() = id; }
