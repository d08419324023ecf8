#include "game/player/player_graphical.h"

#include <algorithm>

#include "content/items/item.h"
#include "content/potions/potion_table.h"
#include "game/player/player_events.h"
#include "world/cells/map_block.h"
#include "world/light/light_map.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"
#include "world/world.h"

PlayerGraphical::PlayerGraphical(World* initialWorld, PlayerEvents* events) : world(initialWorld), events_(events) {
  stats.reset();
}

PlayerEvents& PlayerGraphical::events() const {
  static PlayerEvents nowhere;  // the null form: every event does nothing
  return events_ != nullptr ? *events_ : nowhere;
}

void PlayerGraphical::setCellCoordinates(uint32_t x, uint32_t y) {
  cellX = x;
  cellY = y;
  position = {static_cast<float>(x) * kCellSize, static_cast<float>(y) * kCellSize};
  if (world != nullptr && world->map().explored() != nullptr) {
    world->map().explored()->revealAround(static_cast<int32_t>(x), static_cast<int32_t>(y));
  }
}

void PlayerGraphical::moveToCell(MapBlock* left) {
  if (world == nullptr) return;
  WorldMap& map = world->map();
  ExploredBitmap* explored = map.explored();
  const auto x = static_cast<int32_t>(cellX);
  const auto y = static_cast<int32_t>(cellY);
  if (explored != nullptr && !explored->isExplored(x, y)) explored->revealAround(x, y);
  MapBlock* cell = currentMapBlock();
  if (carriedLight == 0 || cell == nullptr) return;
  if (left != nullptr) map.lightMap().updateAround(*left, true);
  map.lightMap().raiseCellLight(*cell, carriedLight);
}

void PlayerGraphical::heldItemChanged(const Item* item) {
  heldTint = item != nullptr && !item->isNone() ? item->tintColor() : 0;
}

void PlayerGraphical::teleportTo(MapBlock& cell) {
  MapBlock* left = currentMapBlock();
  setCellCoordinates(cell.x, cell.y);
  moveToCell(left);
}

MapBlock* PlayerGraphical::mapBlockAtOffset(int dx, int dy) const {
  if (world == nullptr) return nullptr;
  return world->map().cellAt(static_cast<int32_t>(cellX) + dx, static_cast<int32_t>(cellY) + dy);
}

bool PlayerGraphical::canAddBuff(uint16_t id) const {
  // One effect of a family at a time: the family is the id's upper bits.
  for (const PlayerBuff& buff : stats.buffs) {
    if ((buff.id >> 6) == (id >> 6)) return false;
  }
  return true;
}

bool PlayerGraphical::hasBuff(uint16_t id) const {
  return std::any_of(stats.buffs.begin(), stats.buffs.end(), [id](const PlayerBuff& buff) { return buff.id == id; });
}

void PlayerGraphical::playAction(uint8_t action, uint8_t arg) {
  if (!hasSprite) return;
  events().playAction(*this, action, arg);
}

bool PlayerGraphical::inFreeFlight() const {
  return mode != 0 || hasFlag(player_flag::kFlying) || hasFlag(player_flag::kNoClip);
}

void PlayerGraphical::addBuff(uint16_t id) {
  if (potionDefForValue(id) == nullptr) return;
  stats.buffs.push_back({id, potionDuration(id)});
  refreshAppearance();
}

bool PlayerGraphical::continueBuff(uint16_t id, uint16_t remaining) {
  if (potionDefForValue(id) == nullptr || remaining == 0 || !canAddBuff(id)) return false;
  stats.buffs.push_back({id, std::min(remaining, potionDuration(id))});
  refreshAppearance();
  return true;
}

void PlayerGraphical::removeBuff(uint16_t id) {
  auto& buffs = stats.buffs;
  auto found = std::find_if(buffs.begin(), buffs.end(), [id](const PlayerBuff& b) { return b.id == id; });
  if (found == buffs.end()) return;
  buffs.erase(found);
  refreshAppearance();
}
