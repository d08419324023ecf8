#pragma once
// One row of the fishing catch table and the test of whether it applies where the line is cast.

#include <cstdint>

class WorldQuery;

struct CatchRule {
  uint16_t itemId = 0;
  uint8_t reserved = 0;
  uint8_t conditionMask = 0;  // 0: any condition
  uint32_t planetMask = 0;
  uint8_t dayPhaseMask = 0;
  uint8_t heightBandMask = 0;  // 1 top third, 2 middle, 4 bottom
};

bool catchRuleApplies(const CatchRule& rule, uint8_t conditionMask, const WorldQuery& world,
                      uint32_t cellRow);
