// What clients send a host, against a small world run by the game's own rules: two admitted clients
// (peer 1 with a forge open and an item offered, a chest beside it; peer 2 entering), then every
// packet of the input from the peer it names.
// Input: records of [peer byte][length byte][that many bytes], the last one cut where the input
// ends. Whatever arrives, the host stays up with its own entry, keeps its limit, frees every item
// it was given (ASan) and forwards nothing that names another player as its sender: every message
// it sends to all but a peer carries that peer in each of its peer fields.
#include <memory>
#include <span>

#include "fuzz/support/fuzz_one.h"
#include "game/rules/local_logic.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_layout.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/logic_blocks.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

class FuzzRules final : public LocalLogic {
 public:
  explicit FuzzRules(World* world) : LocalLogic(world, nullptr, nullptr) {}
  bool damagePlayer(PlayerBase& player, float amount, uint8_t kind) override {
    fuzzCheck(amount >= 0, "a client's damage is never negative");
    return LocalLogic::damagePlayer(player, amount, kind);
  }
};

void say(NetServer& server, const wire::WireOut& message, uint8_t peer) {
  server.received(message.data(), message.size(), peer);
  server.dispatchQueued();
}

// Every peer field of a message sent to all but `peer` names `peer`.
bool namesOnly(const nettest::Sent& sent, uint8_t peer) {
  if (sent.bytes.size() < wire::kHeaderSize) return false;
  const wire::MessageSpec* spec = wire::incoming(sent.bytes[1], wire::Side::Client);
  if (spec == nullptr) return false;
  size_t offset = wire::kHeaderSize;
  for (wire::LayoutCursor cursor(spec->layout); !cursor.atTail(); cursor.next()) {
    if (cursor.code() == 'P' && (offset >= sent.bytes.size() || sent.bytes[offset] != peer)) return false;
    offset += wire::fieldWidth(cursor.code());
  }
  return true;
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  WorldParams params;
  params.mode = 1;
  World world(nullptr, params, 40, 20);
  FuzzRules rules(&world);
  world.setContext({.rules = &rules});
  auto& forge = static_cast<Forge&>(world.forges().add(std::make_unique<Forge>(world.map().cell(5, 8))));
  world.chests().add(std::make_unique<Chest>(world.map().cell(1, 0), Chest::SlotCount{4}));

  NetServer server(kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 3, ""}, "Host");
  auto owned = std::make_unique<nettest::RecordingServerBridge>();
  nettest::RecordingServerBridge& bridge = *owned;
  server.setBridge(std::move(owned));
  server.setWorld(&world);
  server.transportOpened();
  say(server, wire::helloMessage("Ann"), 1);
  say(server, wire::helloMessage("Bo"), 2);
  server.entryOf(1)->remote()->setOpenContainer(&forge);
  const Item apple(9, 0, 1, 0, 0);
  server.entryOf(1)->remote()->offerItem(500, &apple, true);
  server.takeWorldRequest(2);
  server.takeWorldReceived(2);
  bridge.sent.clear();

  size_t at = 0;
  while (at + 2 <= size) {
    const uint8_t peer = data[at] % 5;
    const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
    server.received(data + at + 2, static_cast<uint32_t>(length), peer);
    at += 2 + length;
  }
  server.dispatchQueued();

  fuzzCheck(!server.isShutDown(), "no client shuts the host down");
  fuzzCheck(server.players().at(0) != nullptr && server.players().at(0)->name() == "Host",
            "the host's own entry stays");
  fuzzCheck(server.players().occupied() <= server.playerLimit(), "the host keeps its limit");
  for (const nettest::Sent& sent : bridge.sent) {
    if (sent.kind == nettest::Sent::AllBut) fuzzCheck(namesOnly(sent, sent.peer), "a forward names only its sender");
  }
  return 0;
}
