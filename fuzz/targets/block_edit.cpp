// Block edits from peers: whatever 16 bytes arrive, the validator either refuses them before any
// cell changes or the world applies them without fault.
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "content/items/block_edit.h"
#include "fuzz/support/fuzz_one.h"
#include "world/edits/block_edit_validator.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/rules/world_game.h"
#include "world/world.h"

int fuzzOne(const uint8_t* data, size_t size) {
  std::array<uint8_t, BlockEdit::kWireSize> bytes{};
  std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
  const BlockEdit edit = BlockEdit::decode(bytes.data());

  WorldParams params;
  params.mode = 1;  // creative: no explored bitmap
  World world(nullptr, params, 40, 20);
  WorldGame game(world);
  world.setContext({.edits = &game});
  const std::vector<MapBlock> before(world.map().cells(), world.map().cells() + world.map().cellCount());
  const bool refused = validateBlockEdit(edit, world.map()) != EditRefusal::None;
  const EditResult result = world.applyBlockEdit(edit, nullptr);

  fuzzCheck(result.wasRefused() == refused, "the world refuses exactly what the validator refuses");
  if (refused) {
    fuzzCheck(result.cell == nullptr, "a refused edit names no cell");
    fuzzCheck(std::memcmp(before.data(), world.map().cells(), before.size() * sizeof(MapBlock)) == 0,
              "a refused edit leaves every cell as it was");
  }
  return 0;
}
