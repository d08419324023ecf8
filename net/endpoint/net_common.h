#pragma once
// What the host's and a client's endpoints share: the local name and peer id, the notices, the
// catalogue's check of every received message, the routing of an accepted message to its
// category's handler, the send operations of the players' messages, and the endpoint's own
// timers (its drain and a client's wait for admission), so two endpoints never take each other's.
//
// Main thread only (see net.h for the one exception).

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "engine/scene/timer_group.h"
#include "net/endpoint/net.h"
#include "net/endpoint/net_notices.h"
#include "net/wire/wire_catalogue.h"
#include "net/wire/wire_in.h"
#include "net/wire/wire_out.h"

class Item;
struct PlayerStateRecord;
class World;
class WorldEntities;

// The keys of an endpoint's own timers.
namespace endpoint_timer {
constexpr int kDrain = 0;        // every frame: the endpoint's received messages
constexpr int kJoinTimeout = 1;  // once: a joining client waits this long for admission
}  // namespace endpoint_timer

class NetCommon : public Net {
 public:
  // `notices` (not owned) must outlive the endpoint; null shows nothing.
  NetCommon(wire::Side side, std::string localName, NetNotices* notices);
  ~NetCommon() override;

  // Checks the message against the catalogue for this side, then hands it to its category's
  // handler; a refused message is dropped here, before any handler sees it.
  void onPacket(const uint8_t* data, uint32_t length, uint8_t peer) override;
  // Hands an accepted message to its category's handler.
  void route(wire::WireIn& in, uint8_t peer);
  uint8_t localPeerId() const override { return localPeerId_; }
  const std::string& localName() const { return localName_; }
  // The host named the local player otherwise (another player here has her name).
  void setLocalName(std::string name) { localName_ = std::move(name); }
  wire::Side side() const { return side_; }
  // Received messages refused by the catalogue's check so far.
  uint64_t refusedCount() const { return refused_; }
  // The running world (the hosted one, or the one built from the host's); not owned, null until
  // there is one.
  World* world() const { return world_; }
  // The entity lists of that world (null without one).
  WorldEntities* entities() const;
  void setWorld(World* world) { world_ = world; }

  // ---- Players' messages ----
  // [2][21]: the held item and its quick slot.
  void sendItemUpdate(const Item* item, uint8_t slot);
  // [2][22]: a worn item (part 0 or 1, index 0..4).
  void sendItemUpdateTo(const Item* item, uint8_t index, uint8_t part);
  // [2][20]: the local player's motion record, for the others' copies of it.
  void sendMotion(const PlayerStateRecord& motion);
  // [2][43]: a chat line, also shown on the local console as "[name] text".
  void sendChat(std::string_view text);
  // [2][44]: a slash command for the host.
  void sendCommand(std::string_view text);

 protected:
  void sendMessage(const wire::WireOut& message, uint8_t peer = 0) {
    send(message.data(), message.size(), peer);
  }
  template <wire::MessageId E>
  wire::WireOut message(E id) const {
    return wire::WireOut(wire::outgoing(id, side_));
  }
  // The catalogue's row of a message that passed the check and that this side takes now; null
  // (and a refused one counted) otherwise. `bytes` becomes the part the row reads.
  const wire::MessageSpec* accepted(std::span<const uint8_t>& bytes, uint8_t peer);
  // Counts and logs a message dropped before any handler.
  void refuse(uint8_t peer, const char* why);
  void setLocalPeerId(uint8_t peer) { localPeerId_ = peer; }
  NetNotices& notices() { return *notices_; }

  // Whether this side takes messages of the category now (a joining client drops game messages
  // until it is in the game).
  virtual bool admits(uint8_t category) const;

  // ---- Handlers by category: each side overrides the categories it handles; a message's id is
  // in.spec().id. The endpoints handle the connection's messages; the game's own categories are
  // handled as the players, the world transfer, the entities and the block entities join the
  // network, and until then their messages are ignored here. ----
  virtual void handleConnection(wire::WireIn& in, uint8_t peer);
  virtual void handlePlayers(wire::WireIn& in, uint8_t peer);        // 2
  virtual void handleWorldData(wire::WireIn& in, uint8_t peer);      // 3
  virtual void handleWorldChanges(wire::WireIn& in, uint8_t peer);   // 4
  virtual void handleEntities(wire::WireIn& in, uint8_t peer);       // 5
  virtual void handleEffects(wire::WireIn& in, uint8_t peer);        // 6
  // Chests, stables, signs, forges and alchemy labs (7 to 10, 12), and closing one (15).
  virtual void handleBlockEntities(wire::WireIn& in, uint8_t peer);
  virtual void handleTrades(wire::WireIn& in, uint8_t peer);         // 11
  virtual void handleFishing(wire::WireIn& in, uint8_t peer);        // 13
  virtual void handleCircuits(wire::WireIn& in, uint8_t peer);       // 14

  // ---- The endpoint's own timers (keys in `endpoint_timer`) ----
  // The per-frame drain.
  void scheduleDrain();
  void scheduleOnce(int key, float delay, std::function<void()> job);
  void cancelTimer(int key);
  bool isTimerScheduled(int key) const { return timers_.isScheduled(key); }
  // Stops the drain and the bridge and marks the endpoint shut down.
  void endNetworkGame(kel::NetBridge* bridge);

 private:
  wire::Side side_;
  std::string localName_;
  uint8_t localPeerId_ = 0;
  NetNotices* notices_;
  World* world_ = nullptr;
  uint64_t refused_ = 0;
  engine::TimerGroup timers_;  // on the director's scheduler; unscheduled with the endpoint
};
