#pragma once
// The small block tables of the placement rules: fences and stables, the multi-part blocks whose
// base passes its variant to a linked decoration, the substitutes of linked decorations, and the
// stacking rows of blocks that stack in pieces.

#include <cstdint>

constexpr uint16_t kFenceBlock = 143;
constexpr uint16_t kFenceEndBlock = 2401;
constexpr uint16_t kSignBlock = 2599;
constexpr uint16_t kToggleBlock = 374;
constexpr uint16_t kShutterBlock = 2090;
constexpr uint16_t kLockBlock = 214;
constexpr uint16_t kForgeBlock = 33;
constexpr uint16_t kAlchemyLabBlock = 45;
constexpr uint16_t kStackMarkDeco = 130;
constexpr uint16_t kSwitchDeco = 127;

bool isStableBlock(uint16_t id);
bool isFenceBlock(uint16_t id);
// Fences and stables: what a fence joins.
bool joinsFence(uint16_t id);
bool isFlowerPot(uint16_t id);

struct MultiPartRow {
  uint16_t parts[6];
  uint16_t base;
};
// The row whose base is the id, null when none.
const MultiPartRow* multiPartByBase(uint16_t id);
// The row holding the id as a part, with the part's index 0-5 in `index`; null when none.
const MultiPartRow* multiPartByPiece(uint16_t id, uint8_t& index);

// The substitute of a linked decoration attached to a multi-part base; 0 when it has none.
uint16_t linkedDecoSubstitute(uint16_t id);
// Whether the id is one of the blocks of the linked-decoration table.
bool isLinkedDecoBlock(uint16_t id);

struct StackingRow {
  uint16_t group;
  uint16_t ids[3];
};
// The row a placed block belongs to, by its first id; null when none.
const StackingRow* stackingRowByFirst(uint16_t id);
// The row of a block in the map and its position in it (first, then third, then second id).
const StackingRow* stackingRowOf(uint16_t id, uint8_t& position);
