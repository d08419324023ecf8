#include "content/items/catch_rule.h"

#include "content/items/world_query.h"

bool catchRuleApplies(const CatchRule& rule, uint8_t conditionMask, const WorldQuery& world,
                      uint32_t cellRow) {
  if (rule.conditionMask != 0 && (rule.conditionMask & conditionMask) == 0) return false;
  if ((rule.planetMask & world.planetIdBit()) == 0) return false;
  if ((rule.dayPhaseMask & world.dayPhaseBits()) == 0) return false;
  const uint32_t height = world.mapHeight();
  if (height == 0) return false;  // no map: no band to fish in
  const float depth = static_cast<float>(cellRow) / static_cast<float>(height);
  const uint8_t band = depth <= 0.33f ? 1 : depth <= 0.66f ? 2 : 4;
  return (rule.heightBandMask & band) != 0;
}
