#include "game/player/player.h"

#include <algorithm>
#include <cstdlib>

#include "content/items/item_pool.h"
#include "content/tables/item_def.h"
#include "content/items/block_edit.h"
#include "game/combat/melee_swing.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_events.h"
#include "world/blocks/logic_block.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

constexpr uint8_t kEditBlockState = 9;
constexpr uint16_t kContainerClosedValue = 127;
constexpr uint16_t kSoundToolBroken = 46;

bool isPlaceable(const Item* item) {
  const uint8_t kind = itemKindOf(item);
  return kind == 3 || kind == 4 || kind == 8 || kind == 16;
}

// Short way round the world's width.
int wrappedDistance(int a, int b, int width) {
  int d = std::abs(a - b);
  if (width > 0) d %= width;
  return std::min(d, width - d);
}

}  // namespace

Player::Player(GameInterface* playerGame)
    : PlayerBase(nullptr, true),
      game(playerGame),
      inventory(std::make_unique<Inventory>(this, nullptr)),
      meleeSwing(std::make_unique<MeleeSwing>()) {}

Player::~Player() = default;

Item* Player::getEquipment(bool secondSet, int index) const {
  if (index < 0 || index >= Inventory::kEquipmentSlots) return nullptr;
  return inventory->slotItem({secondSet ? SlotKind::Equipment2 : SlotKind::Equipment,
                              static_cast<uint8_t>(index), 0});
}

void Player::setEquipment(Item* item, bool secondSet, int index) {
  if (index < 0 || index >= Inventory::kEquipmentSlots) return;
  inventory->setSlot({secondSet ? SlotKind::Equipment2 : SlotKind::Equipment, static_cast<uint8_t>(index), 0},
                     item);
}

Item* Player::heldItem() const { return inventory->selectedItem(); }

void Player::setWorld(World* newWorld) {
  PlayerBase::setWorld(newWorld);
  inventory->setWorld(newWorld);
}

bool Player::pickUpItem(const Item& item) {
  const bool wasEmpty = heldItem() == nullptr;
  bool newSlot = false;
  const SlotRef slot = inventory->findSlotFor(&item, newSlot);
  if (slot.isNone()) return false;
  if (slot.kind == SlotKind::Quick && slot.x == inventory->selected() && wasEmpty) heldItemChanged(heldItem());
  playerEvents().itemPickedUp(item.id, item.count);
  return true;
}

void Player::wearTool(uint8_t quickSlot) {
  if (world != nullptr && world->isCreative()) return;
  Item* item = inventory->slotItem({SlotKind::Quick, quickSlot, 0});
  if (!isSwingingItem(item)) return;
  if (item->durability > 0) --item->durability;
  if (item->durability > 0) return;
  MapBlock* cell = currentMapBlock();
  if (cell != nullptr) playerEvents().sound(kSoundToolBroken, *cell);
  recordStat(kStatToolBroken, item->id);
}

void Player::useUpHeldItem() {
  const uint32_t index = inventory->selected();
  Item* held = heldItem();
  if (held == nullptr || held->isNone()) return;
  if (--held->count > 0) return;
  freeItem(held);
  inventory->setSlot({SlotKind::Quick, static_cast<uint8_t>(index), 0}, nullptr);
  heldItemChanged(nullptr);
}

uint16_t Player::heldToolCapabilities() const {
  const Item* held = heldItem();
  uint16_t bits = 0;
  if (held != nullptr && !held->isNone()) {
    const ItemDef* def = held->definition();
    bits = def != nullptr && def->tool != nullptr ? def->tool->capabilities() : 0;
    if (itemKindOf(held) != item_kind::kTool) return bits;
  }
  if (hasFlag(12)) bits |= 1;
  if (hasFlag(10)) bits |= 2;
  if (hasFlag(11)) bits |= 4;
  if (hasFlag(13)) bits |= 8;
  return bits;
}

bool Player::isNextToCell(const MapBlock& cell) const {
  const int width = world != nullptr ? world->map().width() : 0;
  return wrappedDistance(cell.x, static_cast<int>(cellX), width) <= 1 &&
         std::abs(cell.y - static_cast<int>(cellY)) <= 1;
}

bool Player::canReach(const MapBlock& cell, const Item* item) const {
  if (world != nullptr && world->isCreative()) return true;
  int reach = 1;
  if (item != nullptr && !item->isNone() && !isPlaceable(item)) {
    const ItemDef* def = item->definition();
    if (isSwingingItem(item) && def != nullptr) {
      reach = def->record.reach() + (item->modifier() == 3 ? 1 : 0);
    }
  }
  const int width = world != nullptr ? world->map().width() : 0;
  return wrappedDistance(cell.x, static_cast<int>(cellX), width) <= reach &&
         std::abs(cell.y - static_cast<int>(cellY)) <= reach;
}

void Player::die() {
  PlayerBase::die();
  recordStat(kStatDied, 0);
  playerEvents().deathView();
}

bool Player::leaveContainer(bool quiet) {
  LogicBlock* open = openContainer;
  if (open == nullptr) return false;
  if (!quiet) {
    BlockEdit edit;
    edit.kind = kEditBlockState;
    edit.x = open->cell().x;
    edit.y = open->cell().y;
    edit.blockId = kContainerClosedValue;
    edit.slot = 255;
    if (game != nullptr) game->editBlock(edit);
  }
  PlayerBase::leaveContainer(quiet);
  return quiet;
}

void Player::recordStat(uint16_t statId, uint16_t value) { playerEvents().recordStat(statId, value); }

void Player::showMessage(uint8_t kind, const std::string& text) { playerEvents().message(kind, text); }

void Player::showTextById(uint8_t kind, int16_t textId) { playerEvents().textById(kind, textId); }
