#include "tools/world_tool/scripted_player.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "entities/core/cell_operations.h"
#include "entities/core/real_entity.h"
#include "entities/core/world_entities.h"
#include "game/inventory/inventory.h"
#include "game/player/player_body.h"
#include "game/player/player_desktop.h"
#include "game/rules/held_item_placement.h"
#include "game/rules/item_placement_rules.h"
#include "game/session/game.h"
#include "world/cells/map_block.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace world_tool {

namespace {
constexpr int kJumpFrames = 30;
constexpr int kPickupFrameLimit = 60 * 10;
constexpr int kWalkFrameLimit = 60 * 20;
constexpr int kRestFrames = 30;
constexpr int kStuckFrames = 10;
constexpr float kStuckPixels = 0.5f;
constexpr int32_t kItemCells = 10;   // how far the player goes for a dropped item
constexpr float kThrowSpeed = 5.0f;  // pixels a tick, as the inventory view throws
constexpr float kThrowAngle = 0.5f;  // to the right, a little upwards
constexpr float kPlacingReach = 8.0f;  // as the main view places
}  // namespace

void ScriptedPlayer::frames(int count) {
  for (int i = 0; i < count; ++i) frame();
}

bool ScriptedPlayer::walk(uint8_t key, int count) {
  player()->setMoveKeys(key);
  frames(count);
  player()->handleKeyRelease(key);
  return true;
}

bool ScriptedPlayer::walkTo(int32_t column) {
  const auto offset = [this, column] {
    const int32_t width = world()->map().width();
    int32_t dx = (column - static_cast<int32_t>(player()->cellX)) % width;
    if (dx > width / 2) dx -= width;
    if (dx < -width / 2) dx += width;
    return dx;
  };
  uint8_t held = 0;
  int stuck = 0;
  for (int i = 0; i < kWalkFrameLimit && offset() != 0; ++i) {
    const uint8_t key = offset() > 0 ? MotionEvent::kRight : MotionEvent::kLeft;
    if (key != held) {
      if (held != 0) player()->handleKeyRelease(held);
      player()->setMoveKeys(key);
      held = key;
    }
    const float before = player()->position.x;
    frame();
    // A step too high to walk up is jumped, as a person at the keys would.
    stuck = std::abs(player()->position.x - before) < kStuckPixels ? stuck + 1 : 0;
    if (stuck == kStuckFrames) {
      player()->jump();
      stuck = 0;
    }
  }
  if (held != 0) player()->handleKeyRelease(held);
  frames(kRestFrames);
  why_ = "the player did not get to column " + std::to_string(column);
  return std::abs(offset()) <= 1;
}

bool ScriptedPlayer::jump() {
  player()->jump();
  frames(kJumpFrames);
  return true;
}

bool ScriptedPlayer::mine(MapBlock& at) {
  why_ = "the cell is out of the held tool's reach";
  if (!player()->canReach(at, player()->heldItem())) return false;
  const uint8_t layer = at.frontId() != 0 ? MapBlock::kFront : MapBlock::kBack;
  why_ = "block " + std::to_string(block_word::id(at.layerWord(layer))) + " cannot be broken with what the player holds";
  if (at.layerWord(layer) == 0 || !playedRules().canBreakBlock(player(), nullptr, at)) return false;
  why_ = "the rules refused the edit";
  BlockEdit edit;
  edit.x = at.x;
  edit.y = at.y;
  edit.layer = layer;
  edit.kind = edit_kind::kBreakEffects;
  playedGame().editBlock(edit);
  edit.kind = edit_kind::kRemoveLayer;
  edit.extra = 1;
  return playedGame().editBlock(edit);
}

// As far as a click may place, in cells.
bool ScriptedPlayer::inPlacingReach(const MapBlock& at) {
  const int32_t width = world()->map().width();
  int32_t dx = std::abs(static_cast<int32_t>(at.x) - static_cast<int32_t>(player()->cellX));
  dx = std::min(dx, width - dx);
  const int32_t dy = static_cast<int32_t>(at.y) - static_cast<int32_t>(player()->cellY);
  return static_cast<float>(dx * dx + dy * dy) <= kPlacingReach * kPlacingReach;
}

bool ScriptedPlayer::place(MapBlock& at) {
  why_ = "the cell is out of reach";
  if (!inPlacingReach(at)) return false;
  const Item* held = player()->heldItem();
  why_ = "the player holds nothing";
  if (held == nullptr || held->isNone()) return false;
  why_ = "item " + std::to_string(held->id) + " cannot be placed there";
  BlockEdit edit = placeHeldItemRule(*world(), *player(), at, *held, true);
  if (edit.kind == placement_rule::kNoEdit) return false;
  edit.takeHeld = 1;
  return playedGame().editBlock(edit);
}

// As the main view selects: the game hears of the new held item (a host then knows what its
// client's player holds, and so what a placement uses up).
bool ScriptedPlayer::select(int slot) {
  player()->inventory->select(static_cast<uint32_t>(slot));
  player()->heldItemChanged(player()->heldItem());
  return true;
}

bool ScriptedPlayer::drop(int slot) {
  PlayerDesktopLocal& p = *player();
  const SlotRef ref{SlotKind::Quick, static_cast<uint8_t>(slot), 0};
  const Item* shown = p.inventory->slotItem(ref);
  why_ = "quick slot " + std::to_string(slot) + " is empty";
  if (shown == nullptr || shown->isNone()) return false;
  ItemPtr item = p.inventory->takeSlot(ref);
  p.heldItemChanged(p.heldItem());
  playedGame().throwItem(std::move(item), kThrowSpeed, kThrowAngle, 0);
  return true;
}

const RealEntity* ScriptedPlayer::nearestItem() {
  const WorldEntities* entities = items();
  const MapBlock* at = player()->currentMapBlock();
  if (entities == nullptr || at == nullptr) return nullptr;
  const WorldMap& map = world()->map();
  const RealEntity* nearest = nullptr;
  float best = 0;
  entities->treasures().forEach([&](const RealEntity& e) {
    if (e.data.removed || e.data.cell == nullptr || !blocksWithinRange(map, *at, *e.data.cell, kItemCells)) return;
    const float distance = std::abs(map.shortDeltaX(e.data.x - player()->position.x));
    if (nearest == nullptr || distance < best) {
      nearest = &e;
      best = distance;
    }
  });
  return nearest;
}

// The chosen item is followed by its id (another one coming nearer does not end the step) into
// its cell: entering that cell is what hands a player the items lying there, so the player stops
// only once it stands in the same cell, however close it came before.
bool ScriptedPlayer::pickup() {
  why_ = "no dropped item lies within " + std::to_string(kItemCells) + " cells";
  const RealEntity* nearest = nearestItem();
  if (nearest == nullptr) return false;
  const EntityId id = nearest->id();
  const auto lying = [this, id]() -> const RealEntity* {
    const RealEntity* item = items() != nullptr ? items()->findById(id) : nullptr;
    return item != nullptr && !item->data.removed && item->data.cell != nullptr ? item : nullptr;
  };
  uint8_t held = 0;
  for (int i = 0; i < kPickupFrameLimit && lying() != nullptr; ++i) {
    const RealEntity& item = *lying();
    const float dx = world()->map().shortDeltaX(item.data.x - player()->position.x);
    const bool there = item.data.cell->x == player()->cellX;
    const uint8_t key = there ? 0 : dx > 0 ? MotionEvent::kRight : MotionEvent::kLeft;
    if (key != held) {
      if (held != 0) player()->handleKeyRelease(held);
      if (key != 0) player()->setMoveKeys(key);
      held = key;
    }
    frame();
  }
  if (held != 0) player()->handleKeyRelease(held);
  why_ = "the item was not picked up within 10 seconds";
  return lying() == nullptr;
}

}  // namespace world_tool
