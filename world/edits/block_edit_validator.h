#pragma once
// The one gate every block edit passes before it touches a cell, on the host and on a client
// alike: edits come from peers and from files, so each field that later indexes a table, a slot
// or a row is checked here, by kind (the value bytes overlap the slot, state, variant and layer
// fields for the kinds that carry more than a block id).

#include <cstddef>
#include <cstdint>

struct BlockEdit;
class WorldMap;

enum class EditRefusal : uint8_t {
  None,
  Kind,         // outside 2-20
  Row,          // outside the map's rows
  BlockId,      // 4096 or more
  Layer,        // above 1
  Variant,      // above 7
  State,        // above 7
  Slot,         // beyond the four decoration slots (255 only where "find by id" is meant)
  CircuitKind,  // above 25
  LiquidKind,   // the old liquid kind above 3
  Setting,      // a circuit setting with a tag other than the cell's device takes (none for a
                // cell without settings), or with trailing bytes
  Blast,        // a blast reaching beyond the largest radius, or with trailing bytes
};

constexpr uint8_t kLargestCircuitKind = 25;
// The blast's queue and visited grid hold a diamond of radius 10 and no more.
constexpr uint8_t kLargestBlastRadius = 10;
constexpr uint8_t kLargestEntityRadius = 16;

EditRefusal validateBlockEdit(const BlockEdit& edit, const WorldMap& map);

