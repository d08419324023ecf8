// The local game's block actions: using a block, shelves, signs, circuit configurators, eating and
// drinking, the world clock switch, capturing mobs and the worn pet, and the game's reaction to
// every applied block edit.

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "game/player/player.h"
#include "game/rules/block_use.h"
#include "game/rules/consumption_rules.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/game_screen.h"
#include "world/blocks/shelf.h"
#include "world/cells/cell_refresh.h"
#include "world/edits/circuit_part_items.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

constexpr uint16_t kSoundExplosion = 39;
constexpr uint16_t kExplosionSoundValue = 848;
constexpr uint16_t kSoundPartRemoved = 54;
constexpr uint32_t kPartDebrisPieces = 15;

}  // namespace

bool GameLocal::useBlock(MapBlock& cell, uint8_t layer) {
  if (world_ == nullptr || player_ == nullptr || !isUsableCell(world_->map(), cell, layer)) return false;
  if (useStationOrClock(*world_, cell, layer, *player_)) return true;
  if (!checkBlockUse(*world_, cell, layer, *player_)) return false;
  ::useBlock(*world_, cell, layer, *player_);
  return true;
}

bool GameLocal::captureMob(MobEntity* mob) { return player_ != nullptr && rules_->captureMob(*player_, mob); }

void GameLocal::refreshPet() {
  if (world_ == nullptr || player_ == nullptr || world_->isCreative()) return;
  rules_->summonPet(*player_, player_->trinket());
}

// The shelf takes one unit; the player's stack gives it up only once the shelf has it, so a
// refusal leaves the stack as it was and an emptied stack leaves the inventory with it.
bool GameLocal::putItemOnShelf(MapBlock& cell, Item* stack, uint8_t slotChoice) {
  if (world_ == nullptr || player_ == nullptr || stack == nullptr || stack->isNone()) return false;
  ItemPtr unit = copyItem(*stack, true);
  if (unit == nullptr) return false;
  unit->count = 1;
  if (!::putItemOnShelf(*world_, cell, unit, slotChoice)) return false;
  // The held stack goes back to the pool once emptied; any other stack belongs to its slot's owner.
  if (stack == player_->heldItem()) {
    player_->useUpHeldItem();
  } else {
    stack->consumeOne();
  }
  return true;
}

void GameLocal::placeSign(MapBlock& cell, uint8_t variantChoice) { rules_->placeSign(cell, variantChoice, player_); }

void GameLocal::editCircuitCell(MapBlock& cell) {
  if (player_ != nullptr) rules_->editCircuitCell(*player_, cell);
}

bool GameLocal::consumeItem(Item* item) {
  if (player_ == nullptr) return false;
  if (item != nullptr && !canConsume(*player_, *item)) return false;
  ::consumeItem(*rules_, *player_, item);
  return true;
}

void GameLocal::setTimeFrozen(uint8_t value) {
  if (world_ == nullptr) return;
  const bool frozen = value != 0;
  // Each player's world event stops or restarts the clock and tells the player.
  rules_->forEachPlayer([frozen](PlayerBase* p) {
    if (p != nullptr) p->setTickPaused(frozen);
  });
}

bool GameLocal::applyBlockEdit(const BlockEdit& edit, PlayerBase* actor) {
  if (world_ == nullptr) return false;
  world_->applyBlockEdit(edit, actor);
  onBlockEditApplied(edit);
  return true;
}

void GameLocal::onBlockEditApplied(const BlockEdit& edit) {
  if (world_ == nullptr || world_->isBusy()) return;
  MapBlock* cell = world_->map().cellAt(edit.x, edit.y);
  if (cell == nullptr) return;
  if (edit.kind == edit_kind::kExplosion) rules_->playSound(*cell, kSoundExplosion, kExplosionSoundValue);
  if (edit.kind == edit_kind::kCircuitPartRemoved) {
    const uint16_t part = circuitPartItemFor(edit.valueByte(0));  // the cell has let go of it
    world_->effects().spawnCutDebris(part, 0, false, kPartDebrisPieces, cellPixelPosition(*cell), *cell, 0);
    rules_->playSound(*cell, kSoundPartRemoved, 0);
  }
  refreshAround(*cell);
}

void Game::refreshAround(const MapBlock& cell) {
  if (world_ == nullptr) return;
  CellRefresh& refresh = world_->refresh();
  refresh.refreshCell(cell);
  for (const auto& [dx, dy] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
    if (const MapBlock* next = world_->map().cellAt(cell.x + dx, cell.y + dy)) refresh.refreshCell(*next);
  }
}
