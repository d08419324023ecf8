#include "ui/views/block_preview.h"

#include "content/art/block_atlas_layout.h"
#include "content/items/item.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_desktop.h"
#include "game/rules/held_item_placement.h"
#include "ui/views/cell_highlight.h"
#include "view/main_layer.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_part.h"
#include "world/edits/edit_kind.h"

namespace {

// The block the held item would place on the cell; 0 for none.
uint16_t previewedBlock(PlayerDesktopLocal& player, MapBlock& cell) {
  const Item* held = player.heldItem();
  if (held == nullptr || held->isNone() || player.world == nullptr) return 0;
  if (!heldItemPlaceable(*player.world, player, cell, *held)) return 0;
  const BlockEdit edit = placeHeldItemRule(*player.world, player, cell, *held, false);
  // A circuit part is shown as its part's block.
  return edit.kind == edit_kind::kCircuitPartSet ? circuitPart(edit.valueByte(0)).block : edit.blockId;
}

}  // namespace

void showBlockPreview(MainLayer* layer, PlayerDesktopLocal* player, MapBlock* cell) {
  engine::Sprite* sprite = layer != nullptr ? layer->previewSprite() : nullptr;
  if (sprite == nullptr) return;
  const uint16_t block = player != nullptr && cell != nullptr ? previewedBlock(*player, *cell) : 0;
  if (block == 0) {
    sprite->setVisible(false);
    return;
  }
  sprite->setTextureRect(art::blockSpriteRect(block, 0));
  sprite->setPosition(cellPointNearPlayer(*player, *cell));
  sprite->setVisible(true);
}
