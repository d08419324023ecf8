#include "game/fishing/fishing_catch.h"

#include <algorithm>
#include <array>
#include <vector>

#include "content/items/world_query.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

class WorldCatchQuery final : public WorldQuery {
 public:
  explicit WorldCatchQuery(World& world) : world_(const_cast<World&>(world)) {}
  uint32_t planetIdBit() const override { return world_.map().planet().id; }
  uint32_t dayPhaseBits() const override { return static_cast<uint32_t>(world_.dayClock().phase); }
  uint32_t mapHeight() const override { return static_cast<uint32_t>(world_.map().height()); }

 private:
  World& world_;
};

float randomFraction() { return static_cast<float>(engine::randomNext()) / static_cast<float>(engine::RANDOM_MAX); }

float rodFactor(int rodTier) { return 1.0f - 0.1f * static_cast<float>(std::max(rodTier, 0)); }

}  // namespace

bool catchRuleApplies(const CatchRow& row, uint8_t liquidKind, World& world, uint16_t cellRow) {
  return catchRuleApplies(row.rule, liquidKind, WorldCatchQuery(world), cellRow);
}

int catchTierFor(float r, int baitTier) {
  const float b = static_cast<float>(baitTier);
  const std::array<float, kCatchTiers> thresholds = {0.6f - 0.0005f * b, 0.85f - 0.001f * b,
                                                     0.989f - 0.0015f * b, 0.999f - 0.00025f * b, 1.0f};
  for (int tier = 0; tier < kCatchTiers; ++tier) {
    if (thresholds[static_cast<size_t>(tier)] >= r) return tier;
  }
  return 0;
}

uint16_t pickFishingCatch(World& world, uint8_t liquidKind, uint16_t cellRow, uint16_t baitItemId) {
  const WorldCatchQuery query(world);
  std::vector<const CatchRow*> fitting;
  for (const CatchRow& row : catchTable()) {
    if (catchRuleApplies(row.rule, liquidKind, query, cellRow)) fitting.push_back(&row);
  }
  std::vector<const CatchRow*> ofTier;
  for (int tier = catchTierFor(randomFraction(), baitTier(baitItemId)); tier >= 0; --tier) {
    ofTier.clear();
    for (const CatchRow* row : fitting) {
      if (row->tier == tier) ofTier.push_back(row);
    }
    if (!ofTier.empty()) return ofTier[static_cast<size_t>(engine::randomNext()) % ofTier.size()]->rule.itemId;
  }
  return kNothingCaught;
}

int baitTier(uint16_t itemId) {
  switch (itemId) {
    case 13: return 5;
    case 15: return 1;
    case 33: return 3;
    case 51: return 4;
    case 62: return 8;
    case 66: return 6;
    case 90: return 2;
    case 106: return 7;
    default: return 0;
  }
}

int fishingRodTier(uint16_t itemId) {
  switch (itemId) {
    case 15: return 0;
    case 79: return 1;
    case 143: return 2;
    case 271: return 3;
    case 207: return 4;
    case 335:
    case 399: return 5;
    default: return -1;
  }
}

float bobberWaitTime(int rodTier) { return rodFactor(rodTier) * (20.0f + 20.0f * randomFraction()) * 60.0f; }

float bobberBiteWindow(int rodTier) { return rodFactor(rodTier) * (0.7f - 0.6f * randomFraction()); }
