#include "net/endpoint/net_common.h"

#include <span>

#include "engine/base/log.h"
#include "entities/core/world_entities.h"
#include "game/chat/console_commands.h"
#include "net/players/player_records.h"
#include "net/wire/wire_check.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

NullNetNotices& nullNotices() {
  static NullNetNotices notices;
  return notices;
}

}  // namespace

NetCommon::NetCommon(wire::Side side, std::string localName, NetNotices* notices)
    : side_(side), localName_(std::move(localName)),
      notices_(notices != nullptr ? notices : &nullNotices()) {}

NetCommon::~NetCommon() = default;

void NetCommon::onPacket(const uint8_t* data, uint32_t length, uint8_t peer) {
  std::span<const uint8_t> bytes(data, length);
  const wire::MessageSpec* spec = accepted(bytes, peer);
  if (spec == nullptr) return;
  wire::WireIn in(*spec, bytes);
  route(in, peer);
}

const wire::MessageSpec* NetCommon::accepted(std::span<const uint8_t>& bytes, uint8_t peer) {
  const wire::Checked checked = wire::checkIncoming(bytes, side_);
  if (!checked.accepted()) {
    refuse(peer, wire::refusalName(checked.refusal));
    return nullptr;
  }
  bytes = checked.bytes;
  return admits(checked.spec->category) ? checked.spec : nullptr;
}

void NetCommon::refuse(uint8_t peer, const char* why) {
  ++refused_;
  engine::log("net: refused a message from peer %u (%s)", peer, why);
}

void NetCommon::route(wire::WireIn& in, uint8_t peer) {
  switch (in.spec().category) {
    case 0: handleConnection(in, peer); break;
    case 2: handlePlayers(in, peer); break;
    case 3: handleWorldData(in, peer); break;
    case 4: handleWorldChanges(in, peer); break;
    case 5: handleEntities(in, peer); break;
    case 6: handleEffects(in, peer); break;
    case 11: handleTrades(in, peer); break;
    case 13: handleFishing(in, peer); break;
    case 14: handleCircuits(in, peer); break;
    default: handleBlockEntities(in, peer); break;  // 7 to 10, 12 and 15: the catalogue has no other
  }
}

bool NetCommon::admits(uint8_t) const { return true; }

void NetCommon::handleConnection(wire::WireIn&, uint8_t) {}

// ---- Categories the game's later parts handle: ignored until then. ----
void NetCommon::handlePlayers(wire::WireIn&, uint8_t) {}
void NetCommon::handleWorldData(wire::WireIn&, uint8_t) {}
void NetCommon::handleWorldChanges(wire::WireIn&, uint8_t) {}
void NetCommon::handleEntities(wire::WireIn&, uint8_t) {}
void NetCommon::handleEffects(wire::WireIn&, uint8_t) {}
void NetCommon::handleBlockEntities(wire::WireIn&, uint8_t) {}
void NetCommon::handleTrades(wire::WireIn&, uint8_t) {}
void NetCommon::handleFishing(wire::WireIn&, uint8_t) {}
void NetCommon::handleCircuits(wire::WireIn&, uint8_t) {}

void NetCommon::sendItemUpdate(const Item* item, uint8_t slot) {
  wire::WireOut out = message(wire::PlayerMsg::HeldItem);
  out.item(item).u8(slot).peer(localPeerId_);
  sendMessage(out);
}

void NetCommon::sendMotion(const PlayerStateRecord& motion) {
  wire::WireOut out = message(wire::PlayerMsg::PlayerMotion);
  out.peer(localPeerId_);
  player_record::writeMotion(out, motion);
  sendMessage(out);
}

void NetCommon::sendItemUpdateTo(const Item* item, uint8_t index, uint8_t part) {
  wire::WireOut out = message(wire::PlayerMsg::WornItem);
  out.item(item).u8(part).u8(index).peer(localPeerId_);
  sendMessage(out, part);
}

void NetCommon::sendChat(std::string_view text) {
  wire::WireOut out = message(wire::PlayerMsg::Chat);
  out.peer(localPeerId_).chat(text);
  sendMessage(out);
  notices_->consoleLine(chatLineOf(localName_, text));
}

void NetCommon::sendCommand(std::string_view text) {
  wire::WireOut out = message(wire::PlayerMsg::Command);
  out.peer(localPeerId_).chat(text);
  sendMessage(out);
}

void NetCommon::scheduleDrain() {
  timers_.schedule(endpoint_timer::kDrain, 0.0f, [this](float) { dispatchQueued(); });
}

void NetCommon::scheduleOnce(int key, float delay, std::function<void()> job) {
  timers_.scheduleOnce(key, delay, [job = std::move(job)](float) { job(); });
}

void NetCommon::cancelTimer(int key) { timers_.unschedule(key); }

void NetCommon::endNetworkGame(kel::NetBridge* bridge) {
  if (isShutDown()) return;
  cancelTimer(endpoint_timer::kDrain);
  if (bridge != nullptr) bridge->stop();
  markShutDown();
}

WorldEntities* NetCommon::entities() const {
  return world_ != nullptr ? world_->entities() : nullptr;
}
