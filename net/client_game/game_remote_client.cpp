// A joined game's actions: the local part each still does itself, then the request to the host.

#include "net/client_game/game_remote_client.h"

#include <bit>
#include <cmath>
#include <optional>
#include <span>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "content/items/item_rules.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "game/player/player_events.h"
#include "game/rules/block_use.h"
#include "game/rules/consumption_rules.h"
#include "game/rules/projectile_choice.h"
#include "game/rules/shot_cost.h"
#include "game/session/game_screen.h"
#include "net/endpoint/net_client.h"
#include "net/players/player_messages.h"
#include "net/trade/trade_remote.h"
#include "net/wire/wire_messages.h"
#include "platform/settings/settings.h"
#include "world/blocks/alchemy_lab.h"
#include "world/cells/map_block.h"
#include "world/time/world_timers.h"
#include "world/world.h"

namespace {

constexpr uint8_t kFrontLayer = 0;
constexpr uint8_t kBackLayer = 1;
constexpr uint8_t kUnusedByte = 0;
constexpr uint8_t kCircuitRecordBytes = 6;

}  // namespace

GameRemoteClient::GameRemoteClient(NetClient& net, ClientGameExit& exit, const GameServices& services)
    : net_(net), exit_(exit), services_(services) {}

GameRemoteClient::~GameRemoteClient() = default;

void GameRemoteClient::send(const wire::WireOut& out) { net_.send(out.data(), out.size(), kel::NET_HOST_PEER); }

void GameRemoteClient::sendPlayerState(const PlayerStateRecord& record) { net_.sendMotion(record); }

void GameRemoteClient::playPlayerAction(uint8_t action, uint8_t value) {
  if (player_ != nullptr) player_->playAction(action, value);
  send(wire::clientMessage(wire::EffectMsg::PlayerAction).peer(net_.localPeerId()).u8(action).u8(value));
}

void GameRemoteClient::playCellEffect(uint8_t effect, MapBlock& cell) {
  if (player_ != nullptr) player_->events().tileEffect(*player_, cell, effect);
  send(wire::clientMessage(wire::EffectMsg::CellEffect).cell(cell.x, cell.y).u8(effect));
}

// The host puts the item and tells the client what its slot holds then.
bool GameRemoteClient::putItemOnShelf(MapBlock& cell, Item*, uint8_t slotChoice) {
  send(wire::clientMessage(wire::PlayerMsg::OpenBlockEntity).cell(cell.x, cell.y).u8(slotChoice));
  return false;
}

void GameRemoteClient::placeSign(MapBlock& cell, uint8_t variantChoice) {
  send(wire::clientMessage(wire::SignMsg::PlaceSign).cell(cell.x, cell.y).u8(variantChoice));
}

// Stations and clocks answer here; what the local check refuses is never asked of the host.
bool GameRemoteClient::useBlock(MapBlock& cell, uint8_t layer) {
  if (world_ == nullptr || player_ == nullptr || !isUsableCell(world_->map(), cell, layer)) return false;
  if (useStationOrClock(*world_, cell, layer, *player_)) return true;
  if (!checkBlockUse(*world_, cell, layer, *player_)) return false;
  const uint8_t wireLayer = layer == MapBlock::kFront ? kFrontLayer : kBackLayer;
  send(wire::clientMessage(wire::PlayerMsg::UseBlock).cell(cell.x, cell.y).u8(wireLayer));
  return true;
}

void GameRemoteClient::hitMob(MobEntity* mob) {
  if (mob != nullptr) send(wire::clientMessage(wire::PlayerMsg::HitMob).u32(mob->id()));
}

bool GameRemoteClient::captureMob(MobEntity* mob) {
  if (mob == nullptr) return false;
  send(wire::clientMessage(wire::PlayerMsg::CaptureMob).u32(mob->id()));
  return true;
}

// The item is written into the request before it goes back to the pool: the host makes the
// world's item from those bytes.
void GameRemoteClient::throwItem(ItemPtr item, float speed, float angle, uint8_t flags) {
  const engine::Vec2 at = wrappedPlayerPosition();
  send(wire::clientMessage(wire::PlayerMsg::ThrowItem).item(item.get()).point(at.x, at.y).f32(speed).f32(angle).u8(flags));
  keepCharacter();
}

// The shot names what it fires: the held item's word and, for a bow or a rod, the ammunition slot's
// item, which only her game knows; then where she stands, the speed and the angle. A bow's arrow
// leaves her ammunition slot here as it does when she plays alone, and the host spends the same
// from its copy of her items (or gives it back when the copy lacks it).
void GameRemoteClient::shoot(float aimX, float aimY) {
  const engine::Vec2 at = wrappedPlayerPosition();
  const Item* held = player_ != nullptr ? player_->heldItem() : nullptr;
  const Item* loaded = player_ != nullptr ? player_->ammunition() : nullptr;
  const bool fromSlot = held != nullptr && !held->isNone() && firesFromAmmunitionSlot(*held);
  const bool named = fromSlot && loaded != nullptr && !loaded->isNone();
  const uint16_t ammunition = named ? loaded->id : player_msg::kNoAmmunition;
  send(wire::clientMessage(wire::PlayerMsg::Shoot)
           .u32(held != nullptr ? held->word : 0)
           .u16(ammunition)
           .u8(0)
           .u8(0)
           .point(at.x, at.y)
           .f32(std::hypot(aimX, aimY))
           .f32(std::atan2(aimY, aimX)));
  if (named) spendAmmunitionFor(*player_, *held, world_ != nullptr && world_->isCreative());
}

// Only an empty hand signals, and only when a toy is near enough to hear it.
bool GameRemoteClient::signalEntities(float x, float y) {
  if (player_ == nullptr || entities_ == nullptr) return false;
  const Item* held = player_->heldItem();
  if (held != nullptr && !held->isNone()) return false;
  const float reach = kToySignalReach * kToySignalReach;
  bool toyNear = false;
  entities_->forEach([&](const Entity& entity) {
    const float dx = entity.data.x - x;
    const float dy = entity.data.y - y;
    if (entity.kind() == EntityKind::Toy && dx * dx + dy * dy < reach) toyNear = true;
  });
  if (!toyNear) return false;
  send(wire::clientMessage(wire::PlayerMsg::SignalEntities).point(x, y).u8(kel::options().invertToyMechanics ? 1 : 0));
  return true;
}

void GameRemoteClient::closeContainer() {
  if (player_ == nullptr) return;
  if (player_->openContainer() != nullptr) {
    player_->leaveContainer(false);
    send(wire::clientMessage(wire::ContainerMsg::CloseContainer));
  } else if (player_->inventory != nullptr && player_->inventory->trade() != nullptr) {
    cancelTrade();
  }
}

void GameRemoteClient::setPlayerMode(uint8_t mode) {
  if (player_ != nullptr) player_->mode = mode;
  send(wire::clientMessage(wire::PlayerMsg::PlayerMode).peer(net_.localPeerId()).u8(mode));
}

void GameRemoteClient::setTimeFrozen(uint8_t value) { send(wire::clientMessage(wire::WorldChangeMsg::ClockMode).u8(value)); }

void GameRemoteClient::respawn() {
  screenOf(services_).enterMainView();
  send(wire::clientMessage(wire::PlayerMsg::RespawnRequest));
}

void GameRemoteClient::leaveBed() { send(wire::clientMessage(wire::PlayerMsg::RestoreRequest)); }

void GameRemoteClient::usePortal() { send(wire::clientMessage(wire::PlayerMsg::Portal).u32(player_msg::kNoPortal)); }

// The host asks the player under the pointer, by its peer: several may share a cell.
void GameRemoteClient::requestTrade(PlayerBase* other) {
  const std::optional<uint8_t> peer = other != nullptr ? net_.peerOf(*other) : std::nullopt;
  if (!peer) return;
  const auto column = static_cast<uint16_t>(other->cellX);
  const auto row = static_cast<uint16_t>(other->cellY);
  const uint8_t named = *peer;
  send(wire::clientMessage(wire::TradeMsg::TradeRequest).cell(column, row).raw(std::span<const uint8_t>(&named, 1)));
}

// Only the replies a client may give are sent.
void GameRemoteClient::answerTrade(uint8_t answer, uint8_t askedPeer, uint8_t askingPeer) {
  // The answer is the reply's id: accepted, refused or busy.
  if (answer < wire::idOf(wire::TradeMsg::TradeAccepted) || answer > wire::idOf(wire::TradeMsg::TradeBusy)) return;
  send(wire::clientMessage(static_cast<wire::TradeMsg>(answer)).otherPeer(askingPeer).peer(askedPeer));
}

TradeAbstract* GameRemoteClient::createTrade(const std::string& partner) {
  return player_ != nullptr ? new TradeRemote(*player_, partner, net_) : nullptr;
}

void GameRemoteClient::cancelTrade() { send(wire::clientMessage(wire::TradeMsg::TradeCancel)); }

// The host reads the reaction in seconds, as the bits of an f32 in the message's word.
void GameRemoteClient::reelIn(float reactionMs) {
  send(wire::clientMessage(wire::FishingMsg::FishCaught).u32(std::bit_cast<uint32_t>(reactionMs / 1000.0f)));
}

void GameRemoteClient::editCircuitCell(MapBlock& cell) {
  const uint8_t none[kCircuitRecordBytes] = {};
  send(wire::clientMessage(wire::CircuitMsg::CircuitEdit).cell(cell.x, cell.y).raw(none));
}

void GameRemoteClient::submitChatLine(const std::string& text) {
  if (!text.empty() && text.front() == '/') {
    net_.sendCommand(text);
  } else {
    net_.sendChat(text);
  }
}

bool GameRemoteClient::editBlock(const BlockEdit& edit) {
  send(wire::clientMessage(wire::WorldChangeMsg::BlockEdit).u8(kUnusedByte).blockEdit(edit));
  return true;
}

void GameRemoteClient::sendWornItem(const Item* item, uint8_t index, bool secondSet) {
  net_.sendItemUpdateTo(item, index, secondSet ? 1 : 0);
}

void GameRemoteClient::sendHeldItem() {
  if (player_ != nullptr) net_.sendItemUpdate(player_->heldItem(), static_cast<uint8_t>(player_->selectedQuickSlot()));
}

void GameRemoteClient::reportItemLearned(uint16_t itemId) { send(wire::clientMessage(wire::PlayerMsg::LearnEntry).u16(itemId)); }

void GameRemoteClient::reportCraft(uint16_t recipeRow, std::span<const CraftedStack> spent) {
  wire::WireOut out = wire::clientMessage(wire::PlayerMsg::Craft).u16(recipeRow);
  out.count(static_cast<uint32_t>(spent.size()));
  for (const CraftedStack& stack : spent) {
    const Item used(stack.id, 0, stack.count, 0, 0);
    out.item(&used);
  }
  send(out);
}

void GameRemoteClient::reportFireworkFilled(uint16_t paintId, uint32_t fireworkWord) {
  send(wire::clientMessage(wire::PlayerMsg::FillFirework).u16(paintId).u32(fireworkWord));
}

GameHostRequests::BagRequest GameRemoteClient::openBag(const Item& bag) {
  const FixedDrop* drop = fixedDropFor(bag.id);
  if (player_ == nullptr || bag.isNone() || drop == nullptr) return BagRequest::RolledHere;
  const Item most(drop->dropId, 0, drop->maxCount, 0, 0);
  if (!player_->inventory->hasRoomFor(most)) return BagRequest::NoRoom;
  const Item one(bag.id, 0, 1, 0, 0);
  send(wire::clientMessage(wire::PlayerMsg::OpenBag).item(&one));
  return BagRequest::Sent;
}

bool GameRemoteClient::damageLocalPlayer(float amount, uint8_t cause) {
  if (!(amount > 0)) return false;
  send(wire::clientMessage(wire::PlayerMsg::Damage).f32(amount).u8(cause));
  return true;
}

// The lab brews once the host has it started; the flag keeps a second request from going out.
bool GameRemoteClient::brewPotion() {
  AlchemyLab* lab = labReadyToBrew();
  if (lab == nullptr) return false;
  lab->setBrewing(true);
  send(wire::clientMessage(wire::AlchemyLabMsg::Brew));
  return true;
}

void GameRemoteClient::refreshPet() {
  if (world_ == nullptr || player_ == nullptr || player_->inventory == nullptr || world_->isCreative()) return;
  send(wire::clientMessage(wire::PlayerMsg::RefreshPet).item(player_->trinket()));
}

// The host's change arrives as a cell change: applied without rules, then drawn.
bool GameRemoteClient::applyBlockEdit(const BlockEdit& edit, PlayerBase* actor) {
  if (world_ == nullptr) return false;
  world_->applyCellChange(edit, actor);
  if (const MapBlock* cell = world_->cellAt(edit.x, edit.y); cell != nullptr && !world_->isBusy()) refreshAround(*cell);
  return true;
}

// Encoded first, freed after: the request carries the item's bytes, never the item.
void GameRemoteClient::dropItem(ItemPtr item) {
  if (item == nullptr) return;
  send(wire::clientMessage(wire::PlayerMsg::DropItem).item(item.get()));
  keepCharacter();
}

bool GameRemoteClient::consumeItem(Item* item) {
  if (player_ == nullptr) return false;
  if (item != nullptr && !canConsume(*player_, *item)) return false;
  send(wire::clientMessage(wire::PlayerMsg::ConsumeItem).item(item));
  // What she ate is gone once the caller took it from her slot, later in this frame.
  if (world_ != nullptr) world_->timers().scheduleOnce(world_timer::kKeepCharacter, 0.0f, [this](float) { keepCharacter(); });
  return true;
}
