// The local rules' block operations: letting go of a removed block entity, loot, launch blocks,
// breaking and spawning checks, projectiles, signs and circuit configurators.

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "engine/base/random.h"
#include "game/player/player.h"
#include "game/player/player_events.h"
#include "game/rules/item_use_rules.h"
#include "game/rules/local_logic.h"
#include "game/rules/loot_rules.h"
#include "game/rules/projectile_choice.h"
#include "game/rules/rule_entities.h"
#include "world/blocks/logic_block.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr uint16_t kSignBlock = 2601;
constexpr uint16_t kSignPostBlock = 127;
constexpr float kPi = 3.14159265f;

float degrees(float value) { return value * kPi / 180.0f; }

BlockEdit decoEdit(const MapBlock& cell, uint8_t kind, uint16_t blockId, uint8_t slot, uint8_t variant) {
  BlockEdit edit;
  edit.kind = kind;
  edit.x = cell.x;
  edit.y = cell.y;
  edit.blockId = blockId;
  edit.slot = slot;
  edit.variant = variant;
  return edit;
}

}  // namespace

void LocalLogic::releaseBlockEntity(LogicBlock& entity) {
  // Its contents were dropped before; whoever has it open lets go before it is freed.
  forEachPlayer([&entity](PlayerBase* p) {
    if (p->openContainer() == &entity) p->leaveContainer(true);
  });
}

void LocalLogic::dropBlockLoot(MapBlock& cell, uint16_t blockId, PlayerBase*) {
  if (world_ != nullptr) ::dropBlockLoot(*world_, *this, cell, blockId, difficulty_);
}

void LocalLogic::dropAttachmentLoot(MapBlock& cell, uint8_t layer, PlayerBase*) {
  if (world_ != nullptr) ::dropAttachmentLoot(*world_, *this, cell, layer, difficulty_);
}

// The page found in the rock teaches an entry of the craft book the miner does not know yet; a
// miner who knows them all finds none.
uint16_t LocalLogic::bonusDropValue(PlayerBase& actor) {
  return actor.hasUnknownEntries() ? actor.pickUnknownEntry() : PlayerBase::kNoUnknownEntry;
}

void LocalLogic::launchFromCell(MapBlock& cell) {
  if (world_ == nullptr) return;
  const BlockPropsTable& props = world_->map().props();
  const auto clear = [&props](uint16_t id) { return id != 0 && props[id].transparency != 0; };
  float strength = 0;
  float angle = 0;
  const MapBlock* left = world_->map().cellAt(cell.x - 1, cell.y);
  const MapBlock* right = world_->map().cellAt(cell.x + 1, cell.y);
  if (clear(map_deco::id(cell.decos[0]))) {
    strength = 4.8f;
    angle = 90;
  } else if (left != nullptr && clear(left->frontId())) {
    strength = 3.0f;
    angle = 140;
  } else if (right != nullptr && clear(right->frontId())) {
    strength = 3.0f;
    angle = 40;
  } else {
    return;
  }
  const float jitter = static_cast<float>(engine::randomNext() % 11) - 5.0f;
  launchEntitiesAtCell(cell, strength, degrees(angle + jitter));
}

bool LocalLogic::canBreakBlock(PlayerBase* player, Item* tool, MapBlock& cell) {
  return world_ != nullptr && ::canBreakBlock(*world_, player, tool, cell);
}

bool LocalLogic::useSpawningItem(uint8_t mode, PlayerBase* player, Item* item, float) {
  if (item == nullptr) return false;
  return ::useSpawningItem(mode != 0, player, item, entities_->entityCount());
}

Logic::ProjectileChoice LocalLogic::projectileForItem(uint8_t mode, PlayerBase* player, Item* item) {
  if (item == nullptr) return {};
  // Each player knows its own ammunition slot: the host learns a client's from her shot.
  return chooseProjectile(mode != 0, player, *item);
}

void LocalLogic::placeSign(MapBlock& cell, uint8_t variant, PlayerBase* player) {
  if (world_ == nullptr) return;
  const BlockPropsTable& props = world_->map().props();
  const uint8_t chosen = variant != 0 ? static_cast<uint8_t>(variant - 1) : RANDOM_BLOCK_VARIANT;
  const DecoHit sign = cell.findDecoOnSide(kSignBlock, MapBlock::kFront);
  if (sign.slot == nullptr) {
    const DecoHit post = cell.findDecoOnSide(kSignPostBlock, MapBlock::kFront);
    if (post.slot == nullptr) return;
    editBlock(decoEdit(cell, edit_kind::kSetDeco, kSignBlock, static_cast<uint8_t>(post.index), chosen), player);
    const DecoHit free = cell.findFreeDecoSlot();
    if (free.slot != nullptr && props[kSignPostBlock].variantCount > 0) {
      editBlock(decoEdit(cell, edit_kind::kSetDeco, kSignPostBlock, static_cast<uint8_t>(free.index), RANDOM_BLOCK_VARIANT),
                player);
    }
  } else if (variant != 0) {
    editBlock(decoEdit(cell, edit_kind::kSetDeco, kSignBlock, static_cast<uint8_t>(sign.index), chosen), player);
  } else {
    editBlock(decoEdit(cell, edit_kind::kRemoveDeco, kSignBlock, static_cast<uint8_t>(sign.index), 0), player);
  }
}

bool LocalLogic::editCircuitCell(PlayerBase& player, MapBlock& cell) {
  if (world_ == nullptr || !isConfigurableCircuitCell(cell)) return false;
  player.editCircuit(cell, world_->circuits().getCellConfig(cell));
  return true;
}
