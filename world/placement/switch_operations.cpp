#include "world/placement/switch_operations.h"

#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/placement/block_tables.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

constexpr uint16_t kSoundSwitchOn = 19;
constexpr uint16_t kSoundSwitchOff = 16;
constexpr uint16_t kSoundToggleOn = 17;
constexpr uint16_t kSoundToggleOff = 18;

BlockEdit replaceFront(const MapBlock& cell, uint8_t variant) {
  BlockEdit edit = editForCell(cell, edit_kind::kReplace, cell.frontId());
  edit.variant = variant;
  edit.state = cell.blockState();
  edit.layer = MapBlock::kFront;
  return edit;
}

}  // namespace

void setSwitchState(LogicPlayers& players, LogicCells& rules, MapBlock& cell, bool on) {
  const uint8_t variant = cell.frontVariant();
  if (on && variant == 0) {
    players.playSound(cell, kSoundSwitchOn, 0);
    rules.editBlock(replaceFront(cell, 1), nullptr);
  } else if (!on && variant == 1) {
    players.playSound(cell, kSoundSwitchOff, 0);
    rules.editBlock(replaceFront(cell, 0), nullptr);
  }
}

void setToggleAttachmentState(World& world, MapBlock& cell, bool on) {
  LogicCells& rules = world.rules();
  LogicPlayers& players = world.rules();
  const bool asFront = cell.frontId() == kToggleBlock;
  DecoHit deco = asFront ? DecoHit{} : cell.findDeco(kToggleBlock);
  if (!asFront && !deco) return;
  const uint8_t variant = asFront ? cell.frontVariant() : map_deco::variant(*deco.slot);
  if (on == (variant == 1)) return;
  players.playSound(cell, on ? kSoundToggleOn : kSoundToggleOff, 0);
  const uint8_t next = on ? 1 : 0;
  if (asFront) {
    rules.editBlock(replaceFront(cell, next), nullptr);
  } else {
    BlockEdit edit = editForCell(cell, edit_kind::kSetDeco, kToggleBlock);
    edit.slot = static_cast<uint8_t>(deco.index);
    edit.variant = next;
    edit.layer = map_deco::side(*deco.slot);
    rules.editBlock(edit, nullptr);
  }
  if (on) world.effects().wakeEntitiesAbove(cell);
}

void setCellDeco127(LogicCells& rules, WorldMap& map, MapBlock& cell, bool add) {
  if (!add) {
    BlockEdit edit = editForCell(cell, edit_kind::kRemoveDeco, kSwitchDeco);
    edit.slot = MapBlock::kNoSlot;
    edit.layer = MapBlock::kFront;
    rules.editBlock(edit, nullptr);
    return;
  }
  const DecoHit free = cell.findFreeDecoSlot();
  if (!free) return;
  BlockEdit edit = editForCell(cell, edit_kind::kSetDeco, kSwitchDeco);
  edit.slot = static_cast<uint8_t>(free.index);
  edit.variant = randomVariantFor(map.props(), kSwitchDeco);
  edit.layer = MapBlock::kFront;
  rules.editBlock(edit, nullptr);
}
