// The host's handling of the requests only a client sends in category 2: the actions its player
// takes in the world (throwing, shooting, using a block, a shelf, eating, catching and hitting mobs,
// dropping an item, crafting, filling a firework, opening a bag, leaving a bed, a portal, its pet).
// Each acts through the hosted world's rules for the sender's own player, near where that player
// stands; the rules tell every client what changed.

#include <bit>
#include <cmath>
#include <vector>

#include "content/items/item.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "game/combat/mob_hit.h"
#include "game/combat/swing_pace.h"
#include "game/rules/consumption_rules.h"
#include "game/rules/item_use_rules.h"
#include "game/rules/local_logic.h"
#include "game/rules/projectile_choice.h"
#include "game/rules/shot_cost.h"
#include "game/session/game.h"
#include "net/endpoint/host/host_bags.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/endpoint/host/host_crafts.h"
#include "net/endpoint/host/host_fireworks.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_messages.h"
#include "world/blocks/shelf.h"
#include "world/map/world_map.h"
#include "world/rules/console_kind.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

// The fastest throw a client's view makes is a few pixels a tick; more would fling the item
// through walls.
constexpr float kMostThrowSpeed = 10.0f;
constexpr uint16_t kStatConsumed = 0;

// What a client spends comes out of the host's copy of its items; what the copy lacks goes back
// to the client, so that an honest player whose copy fell out of step loses nothing. In a creative
// world every player takes what it likes from the catalogue: there is nothing to check. The stacks
// of the word she names give first: dropping her filled firework must not leave the copy holding
// it while her empty one goes, or her next filling is refused as one she does not hold.
ItemPtr takeFromCopy(PlayerServer& player, ItemPtr asked, bool creative) {
  if (creative) return asked;
  ItemPtr taken = player.items().takeLike(*asked, asked->count);
  if (taken == nullptr) player.returnItem(*asked, player.notHeldText());
  return taken;
}

bool copyHolds(PlayerServer& player, const Item* item, bool creative) {
  if (creative || (item != nullptr && player.items().countOf(item->id) > 0)) return true;
  player.showMessage(console_kind::kRefusal, player.notHeldText());
  return false;
}

// What her bow or rod fires is what her game names from her ammunition slot, when the weapon takes
// it and the host's copy of her items holds one; her game has spent a bow's arrow already, so one
// the copy lacks goes back to her. Null: nothing to fire from the slot.
ItemPtr loadAmmunition(PlayerServer& player, const Item& weapon, uint16_t named, bool creative) {
  bool rangeFlag = false;
  if (named == player_msg::kNoAmmunition || !acceptsAmmunition(weapon.id, named, rangeFlag)) return nullptr;
  if (creative) return newItem(named, -1, 1, -1, 0);
  if (ItemPtr held = player.items().peek(named, 1)) return held;
  ItemPtr spent = newItem(named, -1, 1, -1, 0);
  if (spent != nullptr && shotSpendsAmmunition(weapon)) {
    player.returnItem(*spent, player.notHeldText());
  } else {
    player.showMessage(console_kind::kRefusal, player.notHeldText());
  }
  return nullptr;
}

}  // namespace

MobEntity* NetServer::mobNear(const PlayerBase& player, uint32_t id) const {
  Entity* entity = world() != nullptr ? world()->effects().entityById(id) : nullptr;
  auto* mob = entity_cast<MobEntity>(entity);
  if (mob == nullptr || mob->data.removed) return nullptr;
  const float dx = world()->map().shortDeltaX(mob->data.x - player.position.x);
  const float dy = mob->data.y - player.position.y;
  return std::abs(dx) <= host::kMobReach && std::abs(dy) <= host::kMobReach ? mob : nullptr;
}

MapBlock* NetServer::cellNear(const PlayerBase& player, const wire::Cell& at, int reach) const {
  MapBlock* cell = world() != nullptr ? world()->cellAt(at.column, at.row) : nullptr;
  if (cell == nullptr || !host::cellWithinReach(player, *cell, world()->map().width(), reach)) return nullptr;
  return cell;
}

void NetServer::throwItem(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  wire::PooledItem item = wire::itemFromWire(in);
  in.point();  // where the client saw itself: the host knows where its player is
  const float speed = in.f32();
  const float angle = in.f32();
  const uint8_t flags = in.u8();
  if (item == nullptr || !host::amountFits(speed, kMostThrowSpeed)) return;
  if (ItemPtr thrown = takeFromCopy(player, std::move(item), world()->isCreative())) {
    rules.spawnItemEntity(std::move(thrown), player.position, speed, angle, flags);
  }
}

void NetServer::shoot(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  in.u32();  // the word of what she holds: the host's copy of it has its own
  const uint16_t named = in.u16();
  in.u8();
  in.u8();
  in.point();  // where the client saw itself: the host knows where its player is
  const float speed = in.f32();
  const float angle = in.f32();
  const wire::Point aim{speed * std::cos(angle), speed * std::sin(angle)};
  Item* held = player.heldStillCarried();
  if (held == nullptr || held->isNone()) return;
  const bool fromSlot = firesFromAmmunitionSlot(*held);
  player.loadAmmunition(fromSlot ? loadAmmunition(player, *held, named, world()->isCreative()) : nullptr);
  if (fromSlot && player.ammunition() == nullptr) return;
  // Her game counts no entities of the host's world: the creative world's mob limit is the host's
  // to judge, and its refusal ("Mob limit reached.") is told to her as her own game tells it.
  const bool creative = world()->isCreative();
  if (creative && shotAsksSpawningRules(*held) && !rules.useSpawningItem(1, &player, held, std::atan2(aim.y, aim.x))) return;
  const bool spent = !creative && shotUsesUpHeld(*held);
  const bool spendsArrow = !creative && shotSpendsAmmunition(*held);
  // What she threw leaves her hand, on the host's copy and, told so, on her screen, as her own
  // game spends it when she plays alone: else each firework or bomb she sets loose stays held.
  const bool fired = rules.shootProjectile(held, &player, player.position, {aim.x, aim.y}, 0) != nullptr;
  if (fired && spent) player.consumeHeldItem();
  // Her bow's arrow leaves the copy as it left her slot; a rod keeps its bobber.
  if (fired && spendsArrow) player.items().take(named, 1);
  player.loadAmmunition(nullptr);
}

// [2][27]: one of the held stack goes onto the shelf of the cell, at the position named.
void NetServer::putOnShelf(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic&) {
  const wire::Cell at = in.cell();
  const uint8_t position = in.u8();
  // Put from where it is taken back: next to the shelf.
  MapBlock* cell = cellNear(player, at, host::kUseReach);
  Item* held = player.heldItem();
  if (cell == nullptr || held == nullptr || held->isNone()) return;
  if (!copyHolds(player, held, world()->isCreative())) return;
  ItemPtr unit = copyItem(*held, true);
  if (unit == nullptr) return;
  unit->count = 1;
  if (putItemOnShelf(*world(), *cell, unit, position)) player.consumeHeldItem();
}

void NetServer::consumeItem(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  const wire::PooledItem item = wire::itemFromWire(in);
  if (item == nullptr) return;
  item->count = 1;  // one is eaten or drunk, whatever stack the client named
  // What she eats is her copy's own unit of the stack she named (its word, its wear), and that
  // unit leaves the copy: another stack of the id stays hers.
  const bool creative = world()->isCreative();
  const ItemPtr own = creative ? copyLoadedItem(*item) : player.items().peekNamed(*item, 1);
  if (own == nullptr) {
    player.returnItem(*item, player.notHeldText());
    return;
  }
  if (!applyConsumption(rules, player, *own)) return;
  if (!creative) player.items().takeNamed(*own, 1);
  player.recordStat(kStatConsumed, own->id);
}

// The one capture rule, for her: her collar, its reach from where the host has her, the mob.
void NetServer::captureMob(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  if (MobEntity* mob = mobNear(player, in.u32())) rules.captureMob(player, mob);
}

// Her game hits a mob once a swing of what she holds: more often is not taken.
void NetServer::hitMob(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  const Item* weapon = player.heldStillCarried();  // she strikes with what her items still hold
  MobEntity* mob = mobNear(player, in.u32());
  if (mob == nullptr || !hits_.take(player.peer(), mob->id(), swing_pace::secondsOf(weapon), budget_.clock()())) return;
  hitMobByPlayer({rules, rules, rules}, player, *mob);
}

void NetServer::dropItem(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  wire::PooledItem item = wire::itemFromWire(in);
  if (item == nullptr) return;
  ItemPtr dropped = takeFromCopy(player, std::move(item), world()->isCreative());
  if (dropped == nullptr) return;
  const engine::Vec2 at{player.cellX * PlayerGraphical::kCellSize, player.cellY * PlayerGraphical::kCellSize};
  rules.spawnItemDrop(std::move(dropped), at, Game::kItemDropKind);
}

// Her character's items as she enters, trusted once: the character is the player's own file. A
// character that was here before in this hosting (her token says so) takes back what she left
// with instead.
void NetServer::inventory(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic&) {
  if (player.items().declared()) return;
  if (std::optional<PlayerItemCopy> kept = identities_.takeKept(player.peer())) {
    player.items() = std::move(*kept);
    return;
  }
  const uint32_t stacks = in.count();
  if (!host::inventoryFits(stacks)) return;
  std::vector<ItemPtr> declared;
  for (uint32_t i = 0; i < stacks; ++i) declared.push_back(wire::itemFromWire(in));
  player.items().declare(declared);
}

void NetServer::craft(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic&) {
  host::payForCraft(in, player, world()->isCreative());
}

void NetServer::fillFirework(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic&) {
  host::fillFireworkFor(in, player, world()->isCreative());
}

void NetServer::openBag(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic&) {
  host::openBagFor(in, player, world()->isCreative());
}

// [2][51]: the player leaves its bed.
void NetServer::restoreRequest(wire::WireIn&, PlayerServerDesktop& player, LocalLogic& rules) {
  rules.setPlayerInBed(&player, 0);
}

void NetServer::portal(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  in.u32();  // a client names no portal: the host's travel takes the cell its player stands on
  rules.usePortal(&player, nullptr);
}

void NetServer::refreshPet(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  const wire::PooledItem item = wire::itemFromWire(in);
  // No trinket sends the pet away; a trinket the player does not carry summons nothing.
  if (world()->isCreative() || (item != nullptr && !copyHolds(player, item.get(), false))) return;
  // Her game asks on entering and when her trinket changes: naming the pet she has out already,
  // it would send the pet away and call it again, for every other player to see.
  if (calledAlready(player, item.get())) return;
  player.wearTrinket(item.get());
  rules.summonPet(player, player.trinket());
}

bool NetServer::calledAlready(const PlayerServer& player, const Item* trinket) const {
  const Item* worn = player.trinket();
  if (trinket == nullptr || worn == nullptr || worn->id != trinket->id || entities() == nullptr) return false;
  bool out = false;
  entities()->mobs().forEach([&](const RealEntity& entity) {
    out = out || (entity.kind() == EntityKind::Pet && !entity.data.removed && entity.ownerId() == player.playerId());
  });
  return out;
}

void NetServer::signalEntities(wire::WireIn& in, PlayerServerDesktop& player, LocalLogic& rules) {
  const wire::Point point = in.point();
  const bool invert = in.u8() != 0;
  rules.signalEntitiesNear(&player, {point.x, point.y}, invert);
}
