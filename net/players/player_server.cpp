#include "net/players/player_server.h"

#include <algorithm>

#include "content/items/item.h"
#include "entities/core/entity.h"
#include "entities/items/treasure_entity.h"
#include "game/inventory/item_kinds.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_messages.h"
#include "net/wire/wire_out.h"
#include "world/cells/map_block.h"
#include "world/rules/console_kind.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

PlayerServer::PlayerServer(NetServer& server, World* playerWorld, uint8_t peer,
                           uint16_t spawnColumn, uint16_t spawnRow, PlayerEvents* events)
    : PlayerRemoteBase<PlayerBase>(playerWorld, false, events), server_(server), peer_(peer) {
  spawnCellX = spawnColumn;
  spawnCellY = spawnRow;
}

PlayerServer::~PlayerServer() {
  if (world == nullptr) return;
  for (EntityId id : offered_) {
    if (auto* treasure = entity_cast<TreasureEntity>(world->effects().entityById(id))) {
      treasure->taken = false;
    }
  }
}

void PlayerServer::tellId(uint8_t id) const { toClient(wire::WireOut(wire::outgoing(id, wire::Side::Host))); }

void PlayerServer::toClient(const wire::WireOut& out) const { server_.sendTo(out, peer_); }

void PlayerServer::toAll(const wire::WireOut& out) const {
  server_.send(out.data(), out.size(), peer_);
}


// ---- The body ----

void PlayerServer::setPosition(float x, float y) {
  position = {x, y};
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::PlayerPosition);
  out.peer(peer_).point(x, y);
  toClient(out);
}

void PlayerServer::die() {
  PlayerRemoteBase<PlayerBase>::die();
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::Death);
  out.peer(peer_);
  toAll(out);
}

void PlayerServer::addBuff(uint16_t id) {
  PlayerRemoteBase<PlayerBase>::addBuff(id);
  server_.sendBuff(peer_, id, true);
}

void PlayerServer::removeBuff(uint16_t id) {
  PlayerRemoteBase<PlayerBase>::removeBuff(id);
  server_.sendBuff(peer_, id, false);
}

void PlayerServer::applyEnvironmentDamage(PlayerRules& rules) {
  const int32_t before = breath;
  PlayerRemoteBase<PlayerBase>::applyEnvironmentDamage(rules);
  if (breath == before) return;
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::Breath);
  out.u32(static_cast<uint32_t>(breath));
  toClient(out);
}

bool PlayerServer::addHealth(float amount) {
  const bool below = PlayerRemoteBase<PlayerBase>::addHealth(amount);
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::Heal);
  out.f32(amount).u8(0);
  toClient(out);
  return below;
}

bool PlayerServer::takeDamage(float amount, uint8_t kind) {
  if (!PlayerRemoteBase<PlayerBase>::takeDamage(amount, kind)) return false;
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::Damage);
  out.f32(amount).u8(kind);
  toClient(out);
  return true;
}

void PlayerServer::revive() {
  PlayerRemoteBase<PlayerBase>::revive();
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::PlayerCell);
  out.peer(peer_).cell(spawnCellX, spawnCellY);
  toClient(out);
}

void PlayerServer::setSpawnCell(uint16_t column, uint16_t row) {
  PlayerRemoteBase<PlayerBase>::setSpawnCell(column, row);
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::SpawnCell);
  out.u16(column).u16(row);
  toClient(out);
}

void PlayerServer::consumeHeldItem() {
  if (Item* held = heldItem(); held != nullptr) {
    // A held stack the copy no longer holds (spent another way since) is held no longer.
    const bool paid = (world != nullptr && world->isCreative()) || items_.takeLike(*held, 1) != nullptr;
    if (!paid || held->consumeOne()) heldItemChanged(nullptr, selectedSlot());
  }
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::HeldItemUsedUp);
  out.u8(selectedSlot());
  toClient(out);
}

void PlayerServer::wearHeldTool() {
  if (Item* held = heldItem(); isSwingingItem(held)) {
    if (world == nullptr || !world->isCreative()) items_.wear(*held);
    if (held->durability > 0) --held->durability;
    if (held->durability == 0 && held->consumeOne()) heldItemChanged(nullptr, selectedSlot());
  }
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::HeldToolWorn);
  out.u8(selectedSlot());
  toClient(out);
}

void PlayerServer::wearTrinket(const Item* item) {
  trinket_ = item != nullptr && !item->isNone() ? copyLoadedItem(*item) : nullptr;
}

const Item* PlayerServer::trinket() const {
  return trinket_ != nullptr && items_.countOf(trinket_->id) > 0 ? trinket_.get() : nullptr;
}

Item* PlayerServer::heldStillCarried() {
  Item* held = heldItem();
  if (held == nullptr || held->isNone()) return nullptr;
  if ((world != nullptr && world->isCreative()) || items_.countOf(held->id) > 0) return held;
  const uint8_t slot = selectedSlot();
  heldItemChanged(nullptr, slot);
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::HeldItem);
  out.item(nullptr).u8(slot).peer(peer_);
  server_.sendToAllBut(out, peer_);
  return nullptr;
}

// ---- Items and effects ----

void PlayerServer::offerItem(EntityId entity, const Item* item, bool answerWanted) {
  // An offer that wants no answer is taken by the client as it arrives.
  if (!answerWanted && item != nullptr) items_.add(*item);
  if (std::find(offered_.begin(), offered_.end(), entity) == offered_.end()) offered_.push_back(entity);
  if (answerWanted && item != nullptr) {
    forgetOfferedItem(entity);
    ItemPtr copy = copyLoadedItem(*item);
    if (copy != nullptr) copy->count = item->count;
    offeredItems_.emplace_back(entity, std::move(copy));
  }
  wire::WireOut out = wire::hostMessage(wire::EntityMsg::ItemOffer);
  out.u32(entity).item(item).u8(answerWanted ? 1 : 0);
  toClient(out);
}

void PlayerServer::forgetOffer(EntityId entity) {
  std::erase(offered_, entity);
  if (entity == capturing_) capturing_ = kNoEntity;
  forgetOfferedItem(entity);
}

void PlayerServer::forgetOfferedItem(EntityId entity) {
  std::erase_if(offeredItems_, [entity](const auto& offer) { return offer.first == entity; });
}

void PlayerServer::offerTaken(EntityId entity) {
  for (const auto& [offered, item] : offeredItems_) {
    if (offered == entity && item != nullptr) items_.add(*item);
  }
  forgetOffer(entity);
}

void PlayerServer::giveItem(const Item& item) {
  items_.add(item);
  wire::WireOut out = wire::hostMessage(wire::EntityMsg::ItemOffer);
  out.u32(kNoEntity).item(&item).u8(0);
  toClient(out);
}

const char* PlayerServer::notHeldText() const {
  return items_.declared() ? player_msg::kNotHeld : player_msg::kNotDeclared;
}

void PlayerServer::returnItem(const Item& item, const char* why) {
  wire::WireOut out = wire::hostMessage(wire::EntityMsg::ItemOffer);
  out.u32(kNoEntity).item(&item).u8(0);
  toClient(out);
  showMessage(console_kind::kRefusal, why);
}

void PlayerServer::tellBagContent(const Item* found) {
  wire::WireOut out = wire::hostMessage(wire::PlayerMsg::BagContent);
  out.item(found);
  toClient(out);
}

void PlayerServer::consumeBait() { tell(wire::PlayerMsg::BaitConsumed); }

void PlayerServer::playEntityEffect(EntityId entity, uint8_t kind, uint8_t value) {
  wire::WireOut out = wire::hostMessage(wire::EffectMsg::EntityEffect);
  out.u32(entity).u8(kind).u8(value);
  toClient(out);
}

void PlayerServer::playEntityEffect(Entity* entity, uint8_t kind, uint16_t value) {
  // The message carries a byte: a value past it (none the rules make) shows as the fullest.
  if (entity != nullptr) playEntityEffect(entity->id(), kind, static_cast<uint8_t>(std::min<uint16_t>(value, 0xFF)));
}

void PlayerServer::playTileEffect(const MapBlock& cell, uint8_t kind) {
  wire::WireOut out = wire::hostMessage(wire::EffectMsg::CellEffect);
  out.cell(cell.x, cell.y).u8(kind);
  toClient(out);
}

// ---- The craft book entries the client does not know yet ----

void PlayerServer::setCraftKnowledge(bool allKnown, const RecipeKnowledge::Bitset& known) {
  allKnown_ = allKnown;
  unknown_.rebuildUnknownLists(allKnown, known);
}

bool PlayerServer::hasUnknownEntries() const {
  if (allKnown_) return false;
  return std::any_of(unknown_.discoveryLists.begin(), unknown_.discoveryLists.end(),
                     [](const auto& list) { return !list.empty(); });
}

uint16_t PlayerServer::pickUnknownEntry() const { return unknown_.pickRandomUnknownEntry(); }

bool PlayerServer::learnEntry(uint16_t entry) { return unknown_.removeKnownFromKindList(entry); }
