#include "world/placement/block_tables.h"

#include <initializer_list>

namespace {

constexpr uint16_t kStables[] = {352, 353, 354, 355, 2407, 2408, 2409, 2410};

constexpr MultiPartRow kMultiParts[] = {
    {{592, 593, 594, 595, 596, 597}, 598}, {{624, 625, 626, 627, 628, 629}, 630},
    {{656, 657, 658, 659, 660, 661}, 662}, {{688, 689, 690, 691, 692, 693}, 694},
    {{720, 721, 722, 723, 724, 725}, 726}, {{752, 753, 754, 755, 756, 757}, 758},
    {{784, 785, 786, 787, 788, 789}, 790}, {{816, 817, 818, 819, 820, 821}, 822},
};

struct LinkedDecoRow {
  uint16_t attached;
  uint16_t substitute;
  uint16_t further;
};

constexpr LinkedDecoRow kLinkedDecos[] = {
    {2640, 2646, 3295}, {2672, 2678, 3296}, {2704, 2710, 3297}, {2736, 2742, 3298},
    {2768, 2774, 3299}, {2800, 2806, 3300}, {2832, 2838, 3301}, {2864, 2870, 3302},
};

// The content supplies the rest of the rows with its stacking blocks.
constexpr StackingRow kStacking[] = {
    {1441, {739, 707, 675}},
    {1569, {585, 553, 521}},
    {1456, {1830, 1798, 1766}},
    {1505, {740, 708, 710}},
};

}  // namespace

bool isStableBlock(uint16_t id) {
  for (uint16_t stable : kStables) {
    if (stable == id) return true;
  }
  return false;
}

bool isFenceBlock(uint16_t id) { return id == kFenceBlock || id == kFenceEndBlock; }

bool joinsFence(uint16_t id) { return isFenceBlock(id) || isStableBlock(id); }

bool isFlowerPot(uint16_t id) { return id >= 2212 && id <= 2226; }

const MultiPartRow* multiPartByBase(uint16_t id) {
  for (const MultiPartRow& row : kMultiParts) {
    if (row.base == id) return &row;
  }
  return nullptr;
}

const MultiPartRow* multiPartByPiece(uint16_t id, uint8_t& index) {
  for (const MultiPartRow& row : kMultiParts) {
    for (uint8_t i = 0; i < 6; ++i) {
      if (row.parts[i] != id) continue;
      index = i;
      return &row;
    }
  }
  return nullptr;
}

uint16_t linkedDecoSubstitute(uint16_t id) {
  for (const LinkedDecoRow& row : kLinkedDecos) {
    if (row.attached == id) return row.substitute;
  }
  return 0;
}

bool isLinkedDecoBlock(uint16_t id) {
  for (const LinkedDecoRow& row : kLinkedDecos) {
    if (row.attached == id || row.substitute == id || row.further == id) return true;
  }
  return false;
}

const StackingRow* stackingRowByFirst(uint16_t id) {
  for (const StackingRow& row : kStacking) {
    if (row.ids[0] == id) return &row;
  }
  return nullptr;
}

const StackingRow* stackingRowOf(uint16_t id, uint8_t& position) {
  for (const StackingRow& row : kStacking) {
    for (uint8_t p : {0, 2, 1}) {
      if (row.ids[p] != id) continue;
      position = p;
      return &row;
    }
  }
  return nullptr;
}
