// A scripted hostile client over real ENet: admitted beside an honest one, it sends every message a
// host takes with the peer bytes forged to name the honest player (or the host), then items, slots,
// ids and amounts out of range, host-only messages, a second hello, damaged packets and finally a
// shutdown notice. The host, running the game's own rules, stays up, nobody else is removed or
// spoken for, and an honest client still joins afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "game/rules/local_logic.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_catalogue.h"
#include "net/wire/wire_layout.h"
#include "tests/net/loopback/loopback_fixture.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

using nettest::Bytes;
using nettest::Received;

// The seed whose peer bytes name peer 1, the honest player.
constexpr uint8_t kNamesAnn = 5;

// The game's own rules, so that every request a client may send is carried out.
class HostRules final : public LocalLogic {
 public:
  HostRules() : LocalLogic(nullptr, nullptr, nullptr) {}
  bool damagePlayer(PlayerBase& player, float amount, uint8_t kind) override {
    damage.push_back(amount);
    return LocalLogic::damagePlayer(player, amount, kind);
  }
  std::vector<float> damage;
};

// The peer bytes of a message a client receives.
std::vector<uint8_t> peersNamed(const Bytes& message) {
  std::vector<uint8_t> peers;
  const wire::MessageSpec* spec = message.size() >= 2 ? wire::incoming(message[1], wire::Side::Client) : nullptr;
  if (spec == nullptr) return peers;
  size_t offset = wire::kHeaderSize;
  for (wire::LayoutCursor cursor(spec->layout); !cursor.atTail(); cursor.next()) {
    if (cursor.code() == 'P' && offset < message.size()) peers.push_back(message[offset]);
    offset += wire::fieldWidth(cursor.code());
  }
  return peers;
}

bool leaves(const wire::MessageSpec& spec) {
  return spec.category == 0 && (spec.id == wire::id::kDeparture || spec.id == wire::id::kNoCharacter);
}

class HostileClient : public nettest::LoopbackTest {
 protected:
  HostileClient() {
    WorldParams params;
    params.mode = 1;
    world = std::make_unique<World>(nullptr, params, 40, 20);
    world->setContext({.rules = &rules});
    rules.setWorld(world.get());
  }
  // The endpoints go before the world their players stand in.
  ~HostileClient() override {
    mallory.reset();
    clients.clear();
    host.reset();
  }

  // Sends every packet from the hostile transport and waits until the host has taken them all.
  void script(const std::vector<Bytes>& packets) {
    const size_t before = host->seen.size();
    for (const Bytes& packet : packets) mallory->send(packet.data(), static_cast<uint32_t>(packet.size()));
    ASSERT_TRUE(pumpUntil([&] { return host->seen.size() >= before + packets.size(); }));
  }

  HostRules rules;
  std::unique_ptr<World> world;
  nettest::RawListener malloryHears;
  std::unique_ptr<enet::EnetClient> mallory;
};

}  // namespace

TEST_F(HostileClient, ForgedMessagesLeaveTheHostUpAndNobodyElseRemovedOrSpokenFor) {
  startHost(4);
  host->setWorld(world.get());
  nettest::LoopbackClient* ann = join("Ann");
  ASSERT_NE(ann, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));

  mallory = std::make_unique<enet::EnetClient>(&malloryHears, kel::NetBridgeSetup{});
  ASSERT_TRUE(mallory->startWith(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port)));
  const wire::WireOut hello = wire::helloMessage("Mallory");
  mallory->send(hello.data(), hello.size());
  ASSERT_TRUE(pumpUntil([&] { return admitted("Mallory", 2); }));
  ann->seen.clear();

  std::vector<Bytes> forged;
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    if (spec.receivedBy(wire::Side::Host) && !leaves(spec)) forged.push_back(nettest::sampleMessage(spec, kNamesAnn));
  }
  const wire::WireOut again = wire::helloMessage("Ann", 1);
  const Bytes damaged[] = {
      Bytes{2, 47, 1, 0, 100, 0},                                  // a statistic only hosts send
      Bytes{11, 113, 9, 2}, Bytes{11, 114, 2, 1},                  // trade replies naming nobody, itself
      Bytes{2, 39, 0, 0, 0xA0, 0xC0, 10},                          // damage -5
      Bytes{2, 39, 0, 0, 0x80, 0x7F, 10},                          // infinite damage
      Bytes{2, 21, 0, 0, 0, 0, 0xFE, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 1},  // an item no content defines
      Bytes{10, 107, 5, 0, 8, 0, 255, 0, 0, 0, 0, 11, 0, 3, 0, 0, 0, 0},  // a forge slot, no forge open
      Bytes{5, 92, 0xF4, 0x01, 0, 0}, Bytes{5, 93, 1, 0, 0, 0},    // answers for entities never offered
      Bytes{0, 5, 200, 200}, Bytes{0, 5, 200, 200},                // entering without the world, twice
      Bytes(again.bytes().begin(), again.bytes().end()),             // a second hello, as Ann
      Bytes{2, 43}, Bytes{0}, Bytes{5, 78, 0xFF, 0xFF, 1},         // cut short, counts past the end
  };
  forged.insert(forged.end(), std::begin(damaged), std::end(damaged));
  script(forged);
  // A player action is the last request forwarded: by then Ann has every forward before it.
  ASSERT_TRUE(pumpUntil([&] {
    return std::any_of(ann->seen.begin(), ann->seen.end(), [](const Received& r) { return r.bytes[1] == 94; });
  })) << "the forged requests the host acts on reach Ann as Mallory's";

  EXPECT_FALSE(host->isShutDown());
  EXPECT_EQ(host->players().at(0)->name(), "Host");
  EXPECT_TRUE(admitted("Ann", 1));
  EXPECT_TRUE(admitted("Mallory", 2)) << "a second hello changes nothing";
  EXPECT_FALSE(ann->isShutDown());
  for (float amount : rules.damage) EXPECT_GE(amount, 0.0f);
  for (const Received& r : ann->seen) {
    for (uint8_t peer : peersNamed(r.bytes)) EXPECT_EQ(peer, 2) << "message " << int(r.bytes[0]) << "/" << int(r.bytes[1]);
  }

  // The host's own departure, from Mallory: Mallory leaves, Ann hears it of Mallory.
  script({Bytes{0, 4, 0, 0}});
  ASSERT_TRUE(pumpUntil([&] { return host->players().at(2) == nullptr; }));
  ASSERT_TRUE(pumpUntil([&] { return nettest::hasSeen(ann->seen, Received{Bytes{0, 4, 2, 0}, 0}); }));
  EXPECT_FALSE(host->isShutDown());
  EXPECT_TRUE(admitted("Ann", 1));

  nettest::LoopbackClient* cy = join("Cy");
  ASSERT_NE(cy, nullptr);
  EXPECT_TRUE(pumpUntil([&] { return admitted("Cy", 2) || admitted("Cy", 3); })) << "an honest client still joins";
  EXPECT_FALSE(cy->isShutDown());
}
