#include "world/edits/circuit_part_items.h"

#include <array>

namespace {
constexpr std::array<uint16_t, 26> kPartItems = {
    kNoPartItem, 1616, 1872, 1935, 1871, 1554, 1681, 1553, 1617, 1745, 1937, 1809, 1873,
    2001,        1746, kNoPartItem, kNoPartItem, kNoPartItem, 1618, 1682, 2000, 1810, 1874,
    1936,        1551, 1615,
};
}  // namespace

uint16_t circuitPartItemFor(uint8_t componentKind) {
  return componentKind < kPartItems.size() ? kPartItems[componentKind] : kNoPartItem;
}
