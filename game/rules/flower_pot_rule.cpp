#include "game/rules/flower_pot_rule.h"

#include <optional>

#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "content/tables/item_def.h"
#include "game/player/player_base.h"
#include "game/player/player_events.h"
#include "game/player/player_graphical.h"
#include "game/rules/block_edit_rules.h"
#include "game/rules/item_placement_rules.h"
#include "world/blocks/shelf.h"
#include "world/cells/block_flags.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/placement/block_tables.h"
#include "world/placement/placement_checks.h"
#include "world/world.h"

namespace {

namespace bf = block_flag;
using Side = std::optional<uint8_t>;

constexpr uint8_t kRefusalMessage = 3;
constexpr uint64_t kAcceptsSpecialMask = uint64_t{1} << bf::kAcceptsSpecialDeco;

// Told as the player's own refusals are, so that whoever counts what she was told (the main
// view, which adds no second reason) sees this one too.
BlockEdit refuse(PlayerGraphical& player, MapBlock& cell, bool tell, const char* text, int16_t textId = 0) {
  if (!tell) return placement_rule::noEdit();
  if (PlayerBase* body = player.withBody()) {
    // Her own operations: on a host they reach the player who acted, whoever she is.
    if (text != nullptr) body->showMessage(kRefusalMessage, text);
    else body->showTextById(kRefusalMessage, textId);
    body->playTileEffect(cell, edit_rules::kEffectRefused);
    return placement_rule::noEdit();
  }
  if (text != nullptr) player.events().message(kRefusalMessage, text);
  else player.events().textById(kRefusalMessage, textId);
  player.events().tileEffect(player, cell, edit_rules::kEffectRefused);
  return placement_rule::noEdit();
}

bool isContainerForLock(uint16_t front) {
  return lookupItemRule(front) != nullptr || front == kForgeBlock || front == kAlchemyLabBlock;
}

// Special decorations need a block, or a decoration, that accepts them on the side they take.
Side specialDecoSide(const BlockPropsTable& props, const MapBlock& cell) {
  const uint16_t front = cell.frontId();
  const uint16_t back = cell.backId();
  if (props[front].has(bf::kAcceptsSpecialDeco)) return MapBlock::kFront;
  if (front == 0) {
    if (props[back].has(bf::kAcceptsSpecialDeco)) return MapBlock::kBack;
    if (back == 0 || props[front].has(bf::kPlantWithSeeds)) return std::nullopt;
    if (cell.hasDecoWithFlags(props, kAcceptsSpecialMask, MapBlock::kBack)) return MapBlock::kBack;
    return std::nullopt;
  }
  if (props[front].has(bf::kPlantWithSeeds)) return std::nullopt;
  if (cell.hasDecoWithFlags(props, kAcceptsSpecialMask, MapBlock::kFront)) return MapBlock::kFront;
  return std::nullopt;
}

bool isEmptyPotShelf(const BlockPropsTable& props, const MapBlock& cell) {
  const ShelfRow* row = shelfRowFor(cell.frontId());
  return props[cell.frontId()].has(bf::kShelf) && row != nullptr && row->kind == flower_pot_rule::kPotShelfKind &&
         !cell.hasAnyDeco(MapBlock::kFront);
}

Side plainDecoSide(const BlockPropsTable& props, const MapBlock& cell) {
  if (props[cell.frontId()].transparency == 0) return MapBlock::kFront;
  if (props[cell.backId()].transparency != 0) return MapBlock::kBack;
  return std::nullopt;
}

}  // namespace

BlockEdit checkFlowerPotPlacement(World& world, PlayerGraphical& player, MapBlock& cell, const Item& item, bool tell) {
  const BlockPropsTable& props = world.map().props();
  const ItemDef* def = item.definition();
  const uint16_t block = def != nullptr ? def->record.placesBlock() : 0;
  const uint16_t front = cell.frontId();
  Side side;
  if (isContainerForLock(front) && item.id == flower_pot_rule::kLockItem) {
    side = MapBlock::kFront;
  } else if (props[block].has(bf::kLinkedDeco) && props[front].has(bf::kAcceptsLinkedDeco)) {
    side = MapBlock::kFront;
  } else if (props[block].has(bf::kSpecialDeco)) {
    side = specialDecoSide(props, cell);
  } else if (isFlowerPot(block)) {
    if (!isEmptyPotShelf(props, cell)) {
      return refuse(player, cell, tell, placement_text::kPotNeedsEmptyShelf);
    }
    side = MapBlock::kFront;
  } else {
    side = plainDecoSide(props, cell);
  }
  if (!side) return placement_rule::noEdit();
  if (props[block].transparency == flower_pot_rule::kFrontOnlyTransparency && *side == MapBlock::kBack) {
    return refuse(player, cell, tell, nullptr, flower_pot_rule::kTextNoBackSide);
  }
  BlockEdit edit;
  edit.kind = edit_kind::kAttach;
  edit.x = cell.x;
  edit.y = cell.y;
  edit.blockId = block;
  edit.variant = randomVariantFor(props, block);
  edit.layer = *side;
  return edit;
}
