#include "ui/views/cell_highlight.h"

#include "content/art/block_atlas_layout.h"
#include "content/items/item.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_desktop.h"
#include "game/rules/block_use.h"
#include "game/rules/item_use_rules.h"
#include "game/rules/held_item_placement.h"
#include "ui/views/block_preview.h"
#include "view/main_layer.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kCellPixels = 30.0f;

bool breakable(PlayerDesktopLocal& player, MapBlock& cell) {
  if (cell.frontId() == 0 && cell.backId() == 0) return false;
  const Item* held = player.heldItem();
  // Asked of the held item with no player, the rule tells nobody which tool is missing.
  return player.canReach(cell, held) && canBreakBlock(*player.world, nullptr, held, cell);
}

bool usable(PlayerDesktopLocal& player, MapBlock& cell) {
  const uint8_t layer = clickedLayer(cell);
  if (block_word::id(cell.layerWord(layer)) == 0) return false;
  return blockUsable(*player.world, cell, layer, player);
}

bool placeable(PlayerDesktopLocal& player, MapBlock& cell) {
  const Item* held = player.heldItem();
  if (held == nullptr || held->isNone()) return false;
  return heldItemPlaceable(*player.world, player, cell, *held);
}

}  // namespace

bool heldItemActsOn(PlayerDesktopLocal& player, MapBlock& cell, bool inReach) {
  if (player.world == nullptr) return false;
  if (breakable(player, cell)) return true;
  return inReach && (usable(player, cell) || placeable(player, cell));
}

bool clickPlacesAt(PlayerDesktopLocal& player, MapBlock& cell, bool inReach) {
  // A click on a block it can use uses it instead.
  return player.world != nullptr && inReach && !usable(player, cell) && placeable(player, cell);
}

void showCellHighlight(MainLayer* layer, const PlayerDesktopLocal* player, const MapBlock* cell) {
  engine::Sprite* sprite = layer != nullptr ? layer->highlightSprite() : nullptr;
  if (sprite == nullptr) return;
  if (player == nullptr || cell == nullptr || player->world == nullptr) {
    sprite->setVisible(false);
    if (cell == nullptr) showBlockPreview(layer, nullptr, nullptr);
    return;
  }
  sprite->setTextureRect(art::blockSpriteRect(art::kTileOverlayBlock, 0));
  sprite->setPosition(cellPointNearPlayer(*player, *cell));
  sprite->setVisible(true);
}

void showPointedCell(MainLayer* layer, PlayerDesktopLocal& player, MapBlock* cell, bool inReach) {
  const bool acts = cell != nullptr && heldItemActsOn(player, *cell, inReach);
  showCellHighlight(layer, &player, acts ? cell : nullptr);
  // Only where a click would place it.
  showBlockPreview(layer, &player, cell != nullptr && clickPlacesAt(player, *cell, inReach) ? cell : nullptr);
}

engine::Vec2 cellPointNearPlayer(const PlayerDesktopLocal& player, const MapBlock& cell) {
  float x = static_cast<float>(cell.x) * kCellPixels;
  const float span = player.world != nullptr ? static_cast<float>(player.world->map().width()) * kCellPixels : 0.0f;
  if (span > 0) {
    while (x - player.position.x > span / 2) x -= span;
    while (player.position.x - x > span / 2) x += span;
  }
  return {x, static_cast<float>(cell.y) * kCellPixels};
}
