// The host's handling of world changes, entities and effects (categories 4 to 6). A client's
// request acts through the rules of the hosted world for the sender's own player; the rules
// validate what it asks.

#include <algorithm>
#include <vector>

#include "content/items/block_edit.h"
#include "entities/items/treasure_entity.h"
#include "entities/mobs/mob_entity.h"
#include "game/player/player_base.h"
#include "game/rules/player_rules.h"
#include "net/endpoint/net_server.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

constexpr uint16_t kStatItemFound = 1;

}  // namespace

void NetServer::handleWorldChanges(wire::WireIn& in, uint8_t peer) {
  static constexpr HandlerTable<PlayerHandler> kHandlers{
      {wire::WorldChangeMsg::BlockEdit, &NetServer::blockEdit},
      {wire::WorldChangeMsg::ClockMode, &NetServer::clockMode},
  };
  dispatch(kHandlers, in, peer);
}

// The rules of the hosted world judge the edit (clientEditRefusal).
void NetServer::blockEdit(wire::WireIn& in, PlayerServerDesktop& player) {
  if (world() == nullptr) return;
  in.u8();
  editBlockFor(player, in.blockEdit());
}

// A frozen or running clock: 0 or 1 (setClockMode).
void NetServer::clockMode(wire::WireIn& in, PlayerServerDesktop&) {
  if (world() != nullptr) setClockMode(in.u8());
}

// A client answers only for an item entity the host offered its player and that is still waiting
// for the answer: any other id, another player's offer or one already answered, names nothing.
void NetServer::handleEntities(wire::WireIn& in, uint8_t peer) {
  PlayerServerDesktop* player = remoteActor(peer);
  const auto answer = in.spec().as<wire::EntityMsg>();
  if (player == nullptr || (answer != wire::EntityMsg::ItemTaken && answer != wire::EntityMsg::ItemNotTaken)) return;
  const EntityId entity = in.u32();
  const std::vector<EntityId>& pending = player->offeredEntities();
  if (std::find(pending.begin(), pending.end(), entity) == pending.end()) return;
  Entity* offered = world() != nullptr ? world()->effects().entityById(entity) : nullptr;
  if (auto* mob = entity_cast<MobEntity>(offered)) {
    captureAnswered(*player, *mob, answer == wire::EntityMsg::ItemTaken);
    return;
  }
  // Only an item still lying in the world joins the host's copy of what the player carries.
  if (offered != nullptr && answer == wire::EntityMsg::ItemTaken) {
    player->offerTaken(entity);
  } else {
    player->forgetOffer(entity);
  }
  if (offered == nullptr) return;
  if (answer == wire::EntityMsg::ItemNotTaken) {
    // Left where it lies: the next player to come may take it.
    if (auto* treasure = entity_cast<TreasureEntity>(offered)) treasure->taken = false;
    return;
  }
  // A find (a treasure's first finder) counts in the player's statistics, as the host's own does.
  if (auto* treasure = entity_cast<TreasureEntity>(offered); treasure != nullptr && treasure->foundFlag) {
    player->recordStat(kStatItemFound, treasure->item().id);
  }
  world()->effects().markForRemoval(offered);
}

void NetServer::handleEffects(wire::WireIn& in, uint8_t peer) {
  static constexpr HandlerTable<PlayerHandler> kHandlers{
      {wire::EffectMsg::PlayerAction, &NetServer::playerAction},
      {wire::EffectMsg::CellEffect, &NetServer::cellEffect},
  };
  dispatch(kHandlers, in, peer);
}

// The sender's own player acts; the others see it act. Coming back to life is the host's rules' to
// show: a client's claim of it (alive again on every screen while dead on the host) goes nowhere.
void NetServer::playerAction(wire::WireIn& in, PlayerServerDesktop& player) {
  in.peer();
  const uint8_t action = in.u8();
  const uint8_t argument = in.u8();
  if (action == rule_action::kRevived) return;
  player.playAction(action, argument);
  forwardCosmetic(in, player.peer());
}

// A cell of the hosted world's map, else nothing; the others see it within her budget.
void NetServer::cellEffect(wire::WireIn& in, PlayerServerDesktop& player) {
  if (world() == nullptr || !cosmetics_.spend(player.peer())) return;
  const wire::Cell at = in.cell();
  const uint8_t effect = in.u8();
  if (MapBlock* cell = world()->cellAt(at.column, at.row)) world()->rules().playCellEffect(&player, *cell, effect, EffectAudience::AllButActor);
}
