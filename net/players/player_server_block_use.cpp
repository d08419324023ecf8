// A client's player using a block or throwing a collar on the host: what the block-use and capture
// rules ask of her, answered from what the host knows of her, and what the use opens, shows or
// catches, sent to her client.

#include "content/items/item.h"
#include "game/player/tool_reach.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/players/player_server.h"
#include "entities/mobs/mob_entity.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/sign.h"
#include "world/blocks/stable.h"
#include "world/map/world_map.h"
#include "world/world.h"

// The forge's step results are the kinds of refresh her client is sent.
static_assert(PlayerServer::kForgeCounters == Forge::kIdle && PlayerServer::kForgeStep == Forge::kWorked);

namespace {

// The host hears of her steps a little after she took them.
constexpr int kStepAllowance = 1;

}  // namespace

uint16_t PlayerServer::heldToolCapabilities() const {
  const Item* held = heldItem();
  const bool carried = held != nullptr && ((world != nullptr && world->isCreative()) || items_.countOf(held->id) > 0);
  return toolCapabilitiesOf(carried ? held : nullptr, *this);
}

Item* PlayerServer::usedItem() {
  Item* held = heldStillCarried();
  return held != nullptr && held->count != 0 ? held : nullptr;
}

bool PlayerServer::isNextToCell(const MapBlock& cell) const {
  return world != nullptr && host::cellWithinReach(*this, cell, world->map().width(), host::kUseReach);
}

bool PlayerServer::canReach(const MapBlock& cell, const Item* item) const {
  if (world == nullptr) return false;
  if (world->isCreative()) return true;
  return host::cellWithinReach(*this, cell, world->map().width(), toolReachOf(item) + kStepAllowance);
}

void PlayerServer::showContainer(LogicBlock& entity) {
  if (auto* forge = block_entity_cast<Forge>(&entity)) {
    openForge(*forge);
  } else if (auto* lab = block_entity_cast<AlchemyLab>(&entity)) {
    openAlchemyLab(*lab);
  } else if (auto* stable = block_entity_cast<Stable>(&entity)) {
    openStable(*stable);
  } else if (auto* chest = block_entity_cast<Chest>(&entity)) {
    openChest(*chest);
  }
}

void PlayerServer::readSign(Sign& sign, bool edit) {
  showSign(sign, edit);
  if (edit) sign.open();
}

bool PlayerServer::takeCaught(MobEntity& mob, const Item& caught) {
  // One capture waits for her answer at a time: every throw before an answer would be judged
  // against the one collar the answer spends.
  if (capturing_ != kNoEntity) return false;
  capturing_ = mob.id();
  offerItem(mob.id(), &caught, true);
  return false;
}
