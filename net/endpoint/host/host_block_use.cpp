// A client's player uses a block next to it: the host opens the chest, forge, alchemy lab or stable
// on the cell for that player (its client is sent the contents to show), shows it the sign, lays
// it in the bed or lets it choose the portal.
// A locked container opens only for the host's own player, one in use for nobody else, and a
// player opens one container at a time, as alone.

#include "content/items/block_rules.h"
#include "content/items/item.h"
#include "game/rules/bed_rules.h"
#include "game/rules/block_use_support.h"
#include "net/endpoint/net_server.h"
#include "platform/settings/settings.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/sign.h"
#include "world/blocks/stable.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr uint16_t kChestSound = 20;
constexpr uint16_t kForgeSound = 22;
constexpr uint16_t kStableSound = 24;

}  // namespace

bool NetServer::mayOpen(PlayerServerDesktop& player, MapBlock& cell, LogicBlock& entity, bool lockable) {
  using namespace block_use_support;
  if (player.openContainer() != nullptr) return false;
  if (lockable && (kel::options().permissionChestLock || cell.hasDeco(kLockMark, MapBlock::kFront))) {
    player.showMessage(kWarning, kLocked);
    return false;
  }
  if (entity.inUse()) {
    player.showMessage(kWarning, kInUse);
    return false;
  }
  return true;
}

template <class Kind>
void NetServer::openFor(PlayerServerDesktop& player, MapBlock& cell, Kind& entity, const OpenedAs<Kind>& opened) {
  if (!mayOpen(player, cell, entity, opened.lockable)) return;
  world()->rules().playSound(cell, opened.sound, 0);
  (player.*opened.show)(entity);
  entity.open();
}

void NetServer::useBlockFor(PlayerServerDesktop& player, MapBlock& cell, uint8_t layer) {
  World& hosted = *world();
  if (layer != MapBlock::kFront) return;
  if (Sign* sign = hosted.signs().findAt(cell)) {
    if (player.openContainer() == nullptr) player.showSign(*sign, false);
  } else if (Forge* forge = hosted.forges().findAt(cell)) {
    openFor(player, cell, *forge, OpenedAs<Forge>{&PlayerServer::openForge, kForgeSound, true});
  } else if (AlchemyLab* lab = hosted.alchemyLabs().findAt(cell)) {
    openFor(player, cell, *lab, OpenedAs<AlchemyLab>{&PlayerServer::openAlchemyLab, kForgeSound, true});
  } else if (Stable* stable = hosted.stables().findAt(cell)) {
    openFor(player, cell, *stable, OpenedAs<Stable>{&PlayerServer::openStable, kStableSound, false});
  } else if (Chest* chest = hosted.chests().findAt(cell)) {
    openFor(player, cell, *chest, OpenedAs<Chest>{&PlayerServer::openChest, kChestSound, true});
  } else {
    useBedOrPortal(player, cell);
  }
}

// As alone: a special block is a bed unless the player holds one of the items placed on it.
void NetServer::useBedOrPortal(PlayerServerDesktop& player, MapBlock& cell) {
  World& hosted = *world();
  const uint16_t id = cell.frontId();
  const Item* held = player.heldItem();
  const bool placing = held != nullptr && !held->isNone() && isSpecialPlaceable(held->id);
  if (id == block_use_support::kPortalBlock) {
    hosted.rules().usePortal(&player, &cell);
  } else if (isSpecialBlockId(id) && !placing) {
    useBed(hosted, cell, player);
  }
}
