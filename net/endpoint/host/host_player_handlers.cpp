// The host's handling of category 2 (players and their actions). Every message here has been
// claimed for its sender (sender_claim.h), so the player acted on is the sender's own and what is
// forwarded carries the sender's id.

#include <algorithm>
#include <optional>
#include <span>
#include <string>

#include "content/items/item.h"
#include "game/chat/console_commands.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_base.h"
#include "game/rules/local_logic.h"
#include "game/rules/player_rules.h"
#include "net/endpoint/handler_table.h"
#include "net/endpoint/host/client_console.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_records.h"
#include "world/map/world_map.h"
#include "world/rules/console_kind.h"
#include "world/rules/logic.h"
#include "world/world.h"

// A client's player flies where the host's own would: in a creative world, or with a flight
// flag the host gave it.
bool NetServer::mayFly(const PlayerBase& player) const {
  return (world() != nullptr && world()->isCreative()) || player.hasFlag(player_flag::kFlying) ||
         player.hasFlag(player_flag::kNoClip);
}

void NetServer::handlePlayers(wire::WireIn& in, uint8_t peer) {
  static constexpr HandlerTable<PlayerHandler> kHandlers{
      {wire::PlayerMsg::PlayerMotion, &NetServer::playerMotion},
      {wire::PlayerMsg::Look, &NetServer::look},
      {wire::PlayerMsg::RespawnRequest, &NetServer::respawnRequest},
      {wire::PlayerMsg::HeldItem, &NetServer::heldItem},
      {wire::PlayerMsg::WornItem, &NetServer::wornItem},
      {wire::PlayerMsg::Effect, &NetServer::effect},
      {wire::PlayerMsg::BuffRequest, &NetServer::buffRequest},
      {wire::PlayerMsg::Damage, &NetServer::damage},
      {wire::PlayerMsg::Chat, &NetServer::chat},
      {wire::PlayerMsg::Command, &NetServer::command},
      {wire::PlayerMsg::PlayerMode, &NetServer::playerMode},
      {wire::PlayerMsg::CraftKnowledge, &NetServer::craftKnowledge},
      {wire::PlayerMsg::LearnEntry, &NetServer::learnEntry},
      // The actions a client's player takes in the world (host_requests.cpp).
      {wire::PlayerMsg::SignalEntities, &NetServer::withRules<&NetServer::signalEntities>},
      {wire::PlayerMsg::ThrowItem, &NetServer::withRules<&NetServer::throwItem>},
      {wire::PlayerMsg::Shoot, &NetServer::withRules<&NetServer::shoot>},
      {wire::PlayerMsg::UseBlock, &NetServer::withRules<&NetServer::useBlock>},
      {wire::PlayerMsg::OpenBlockEntity, &NetServer::withRules<&NetServer::putOnShelf>},
      {wire::PlayerMsg::ConsumeItem, &NetServer::withRules<&NetServer::consumeItem>},
      {wire::PlayerMsg::CaptureMob, &NetServer::withRules<&NetServer::captureMob>},
      {wire::PlayerMsg::HitMob, &NetServer::withRules<&NetServer::hitMob>},
      {wire::PlayerMsg::DropItem, &NetServer::withRules<&NetServer::dropItem>},
      {wire::PlayerMsg::Inventory, &NetServer::withRules<&NetServer::inventory>},
      {wire::PlayerMsg::Craft, &NetServer::withRules<&NetServer::craft>},
      {wire::PlayerMsg::FillFirework, &NetServer::withRules<&NetServer::fillFirework>},
      {wire::PlayerMsg::OpenBag, &NetServer::withRules<&NetServer::openBag>},
      {wire::PlayerMsg::RestoreRequest, &NetServer::withRules<&NetServer::restoreRequest>},
      {wire::PlayerMsg::Portal, &NetServer::withRules<&NetServer::portal>},
      {wire::PlayerMsg::RefreshPet, &NetServer::withRules<&NetServer::refreshPet>},
  };
  dispatch(kHandlers, in, peer);
}

// ---- Each field is held to its range (host_bounds.h) where it is read. ----

// A body that flies goes as fast as flight lets it: the body's clamps.
PlayerBody::Pace NetServer::paceOf(const PlayerServerDesktop& player) const {
  if (!mayFly(player)) return player.body().mostPace(player);
  return {PlayerBody::kMostAcross, PlayerBody::kMostUpDown, PlayerBody::kMostUpDown};
}

void NetServer::playerMotion(wire::WireIn& in, PlayerServerDesktop& player) {
  in.peer();
  std::optional<MotionEvent> motion = player_record::readMotion(in);
  if (!motion) return;
  // Reach and pick-ups are measured from where the host has her, never from where she says.
  switch (player.judgeMotion({motion->x, motion->y}, mayFly(player), paceOf(player))) {
    case MotionAllowance::Verdict::Accepted: break;
    case MotionAllowance::Verdict::Stale: return;
    case MotionAllowance::Verdict::Refused: player.tellPlace(); return;
  }
  // Her speed becomes the copy's: no more than her body could have there. The others' copies of
  // her take the same.
  const MotionEvent said = *motion;
  if (!mayFly(player)) player.body().boundRecord(player, *motion);
  const bool bounded = said.vx != motion->vx || said.vy != motion->vy || said.ax != motion->ax || said.ay != motion->ay;
  MapBlock* left = player.currentMapBlock();
  player.applyMotionState(*motion);
  // A player who walked into another cell takes what lies there, as the host's own does; a
  // record that puts it far from where it was walked over nothing on the way.
  MapBlock* entered = player.currentMapBlock();
  const bool walked = left != nullptr && entered != nullptr && entered != left && world() != nullptr &&
                      host::cellWithinReach(player, *left, world()->map().width(), host::kToolReach);
  if (walked) player.moveToCell(left);
  if (!bounded) return forward(in, player.peer());
  wire::WireOut out = message(wire::PlayerMsg::PlayerMotion);
  out.peer(player.peer());
  player_record::writeMotion(out, *motion);
  sendToAllBut(out, player.peer());
}

void NetServer::look(wire::WireIn& in, PlayerServerDesktop& player) {
  player.setLookWord(in.u32());  // kept for the players who enter later
  forwardCosmetic(in, player.peer());
}

// Only a dead player comes back (a living one asking would move to its spawn cell at will), and
// as the host's own player does: through the rules, which bring back her pet and tell everyone.
void NetServer::respawnRequest(wire::WireIn&, PlayerServerDesktop& player) {
  if (player.dead != 0 && world() != nullptr) world()->rules().respawnPlayer(&player);
}

// The held and worn stacks are the host's copy's own: an item the copy lacks is held as nothing,
// and the others see what the host has her hold, not what her client named.
void NetServer::heldItem(wire::WireIn& in, PlayerServerDesktop& player) {
  const wire::PooledItem sent = wire::itemFromWire(in);
  const uint8_t slot = in.u8();
  player.heldItemChanged(ownStack(player, sent.get()), slot);
  if (!cosmetics_.spend(player.peer())) return;
  wire::WireOut out = message(wire::PlayerMsg::HeldItem);
  out.item(player.heldItem()).u8(slot).peer(player.peer());
  sendToAllBut(out, player.peer());
}

// What she wears in a place changed (on entering, and whenever her game changes a worn place). The
// place takes only what it takes in her game, and only a stack her copy of her items holds (its id
// and word) beyond what her other places wear: it then holds the copy's own unit. One she does not
// hold is refused, and the place keeps what it wore.
void NetServer::wornItem(wire::WireIn& in, PlayerServerDesktop& player) {
  const wire::PooledItem sent = wire::itemFromWire(in);
  const uint8_t part = in.u8();
  const uint8_t index = in.u8();
  if (!host::wornPlaceFits(part, index)) return;
  if (sent != nullptr && itemKindOf(sent.get()) != item_kind::kFirstWorn + index) return;
  wire::PooledItem worn = sent != nullptr ? wearable(player, *sent, part, index) : nullptr;
  if (sent != nullptr && worn == nullptr) return player.showMessage(console_kind::kRefusal, player.notHeldText());
  player.setEquipment(std::move(worn), part, index);
  if (cosmetics_.spend(player.peer())) tellWorn(player, part, index);
}

void NetServer::tellWorn(PlayerServerDesktop& player, uint8_t part, uint8_t index) {
  wire::WireOut out = message(wire::PlayerMsg::WornItem);
  out.item(player.wornItem(part, index)).u8(part).u8(index).peer(player.peer());
  sendToAllBut(out, player.peer());
}

// A piece she no longer carries (dropped, thrown, stored in a chest, traded away, spent) is worn
// no longer: the host's copy of her loses what it gave, and the others (and whoever enters later)
// see the place empty, as her own game shows it, whether or not her game's word of the emptied
// place ever comes. Looked at once a frame, after every message of the frame ran: a handler may
// take a stack out of her copy a moment before it gives her another back (a slot's swap), and a
// trade the host's own player completes changes her copy outside any message of hers.
void NetServer::unwearWhereCopiesChanged() {
  for (size_t peer = 1; peer < players_.size(); ++peer) {
    PlayerServerDesktop* player = remoteActor(static_cast<uint8_t>(peer));
    if (player != nullptr && player->items().takeChange()) unwearWhatLeft(*player);
  }
}

// Places are taken in turn, so of two alike only those the copy no longer holds empty.
void NetServer::unwearWhatLeft(PlayerServerDesktop& player) {
  if (world() == nullptr || world()->isCreative()) return;
  for (uint8_t part = 0; part < 2; ++part) {
    for (uint8_t index = 0; index < PlayerServer::kPartSlots; ++index) {
      const Item* worn = player.wornItem(part, index);
      if (worn == nullptr || wearable(player, *worn, part, index) != nullptr) continue;
      player.setEquipment(nullptr, part, index);
      tellWorn(player, part, index);
    }
  }
}

// One unit of the copy's stack she names, while the copy holds more of it (its id and word) than
// her other worn places wear; null when it does not.
wire::PooledItem NetServer::wearable(PlayerServerDesktop& player, const Item& named, uint8_t part,
                                     uint8_t index) const {
  if (world() != nullptr && world()->isCreative()) return copyLoadedItem(named);
  uint32_t wornElsewhere = 0;
  for (uint8_t otherPart = 0; otherPart < 2; ++otherPart) {
    for (uint8_t other = 0; other < PlayerServer::kPartSlots; ++other) {
      const Item* there = player.wornItem(otherPart, other);
      if ((otherPart != part || other != index) && there != nullptr && there->id == named.id && there->word == named.word) {
        wornElsewhere += there->count;
      }
    }
  }
  if (player.items().peekNamed(named, static_cast<uint16_t>(wornElsewhere + 1)) == nullptr) return nullptr;
  return player.items().peekNamed(named, 1);
}

// The copy's stack of the item the client names, as many units of it as she named and the copy
// holds; null when the copy holds none.
wire::PooledItem NetServer::ownStack(PlayerServer& player, const Item* named) const {
  if (named == nullptr || named->isNone()) return nullptr;
  // In a creative world every player takes what she likes from the catalogue.
  if (world() != nullptr && world()->isCreative()) return copyLoadedItem(*named);
  const uint32_t held = player.items().countOf(named->id);
  const uint32_t count = std::min<uint32_t>(held, std::max<uint16_t>(named->count, 1));
  return player.items().peekLike(*named, static_cast<uint16_t>(count));
}

// A buff she was under as she entered (her game names each once, last of what it sends as she
// enters): her copy on the host goes on under it for the time it has left, so the host judges her
// with it as her own game does, and the others see it. One of no potion, of a family she is under
// already, or named once she is in the game, is not taken nor shown.
void NetServer::effect(wire::WireIn& in, PlayerServerDesktop& player) {
  in.peer();
  const uint16_t buff = in.u16();
  const uint16_t remaining = in.u16();
  if (!host::buffIdFits(buff) || !stages_.takeEnteringEffect(player.peer(), buff)) return;
  if (!player.continueBuff(buff, remaining)) return;
  forwardCosmetic(in, player.peer());
}

// The player tells every client itself ([2][33]); clients take no request of the kind.
void NetServer::buffRequest(wire::WireIn& in, PlayerServerDesktop& player) {
  in.peer();
  const uint16_t buff = in.u16();
  if (!host::buffIdFits(buff)) return;
  player.removeBuff(buff);
  player.refreshAppearance();
}

void NetServer::damage(wire::WireIn& in, PlayerServerDesktop& player) {
  const float amount = in.f32();
  const uint8_t kind = in.u8();
  auto* rules = world() != nullptr ? dynamic_cast<PlayerRules*>(&world()->rules()) : nullptr;
  if (rules != nullptr && host::damageFits(amount)) rules->damagePlayer(player, amount, kind);
}

void NetServer::chat(wire::WireIn& in, PlayerServerDesktop& player) {
  in.peer();
  const std::string text = in.chat();
  forward(in, player.peer());
  notices().consoleLine(chatLineOf(entryOf(player.peer())->name(), text));
}

// Run for the sender's own player, whatever peer the message named: never as the host.
void NetServer::command(wire::WireIn& in, PlayerServerDesktop& player) {
  in.peer();
  ClientConsole console(*entryOf(player.peer()), player);
  runConsoleCommand(console, in.chat());
}

void NetServer::playerMode(wire::WireIn& in, PlayerServerDesktop& player) {
  in.peer();
  const uint8_t mode = in.u8();
  if (!host::modeFits(mode, mayFly(player))) return;
  player.mode = mode;
  forwardCosmetic(in, player.peer());
}

void NetServer::craftKnowledge(wire::WireIn& in, PlayerServerDesktop& player) {
  const uint8_t allKnown = in.u8();
  RecipeKnowledge::Bitset known{};
  const std::span<const uint8_t> bits = in.raw(known.size());
  std::copy(bits.begin(), bits.end(), known.begin());
  if (host::craftKnowledgeFits(allKnown, known)) player.setCraftKnowledge(allKnown != 0, known);
}

void NetServer::learnEntry(wire::WireIn& in, PlayerServerDesktop& player) {
  const uint16_t entry = in.u16();
  if (host::entryIdFits(entry)) player.learnEntry(entry);
}
