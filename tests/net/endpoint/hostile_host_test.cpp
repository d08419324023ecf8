// A host that sends what no host of ours would: peers without an entry or past the table, cells
// off the map, entities the client does not have, numbers that are not finite, and messages cut
// short or grown. The client ignores each without a fault and without changing what it names.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "entities/items/dress_entity.h"
#include "entities/items/treasure_factory.h"
#include "net/players/player_records.h"
#include "tests/net/client_in_game.h"
#include "world/cells/map_block.h"

namespace {

using nettest::ClientInGame;
using Bytes = std::vector<uint8_t>;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }

class HostileHostTest : public ::testing::Test {
 protected:
  ClientInGame game;
  PlayerClientDesktop* ann() const { return game.client.remotePlayer(ClientInGame::kOtherPeer); }
};

}  // namespace

TEST_F(HostileHostTest, EveryMessageWholeCutOrGrownIsHandledOrRefusedWithoutAFault) {
  for (const wire::MessageSpec& row : wire::catalogue()) {
    if (!row.receivedBy(wire::Side::Client) || row.category == 0) continue;
    for (uint8_t seed : {0, 1, 2, 3, 200, 255}) {
      const Bytes whole = nettest::sampleMessage(row, seed);
      game.receive(whole);
      for (size_t cut : {size_t{1}, whole.size() / 2, whole.size() - 1}) {
        const uint64_t refused = game.client.refusedCount();
        game.receive(Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)));
        const bool variable = wire::tailElement(row.layout) != 'y';
        if (!variable || cut < row.size) {
          EXPECT_EQ(game.client.refusedCount(), refused + 1) << row.name << " cut " << cut;
        }
      }
      Bytes grown = whole;
      grown.push_back(seed);
      game.receive(grown);
    }
  }
  EXPECT_LE(game.client.players().size(), 256u);
  EXPECT_EQ(game.client.state(), NetClient::kInGame);
}

TEST_F(HostileHostTest, APeerWithoutAnEntryOrPastTheTableChangesNoPlayer) {
  for (uint8_t peer : {uint8_t{3}, uint8_t{200}, uint8_t{255}}) {
    wire::WireOut motion = ClientInGame::fromHost(20);
    motion.peer(peer);
    player_record::writeMotion(motion, {MotionEvent::kLeft, MotionEvent::kPressed, 90.0f, 90.0f, 0, 0, 0, 0});
    game.receive(motion);
    game.receive(ClientInGame::fromHost(41).peer(peer));
    game.receive(ClientInGame::fromHost(32).u16(1).peer(peer));
    game.receive(ClientInGame::fromHost(15).peer(peer).cell(3, 3));
    game.receive(ClientInGame::fromHost(43).peer(peer).chat("ghost"));
    game.receive(ClientInGame::fromHost(94).peer(peer).u8(1).u8(1));
  }
  EXPECT_EQ(game.client.players().size(), 4u) << "the table grows only for entries the host makes";
  EXPECT_EQ(game.player->dead, 0);
  EXPECT_EQ(ann()->dead, 0);
  EXPECT_TRUE(game.events.lines.empty());
  EXPECT_TRUE(game.view.shown.empty());
}

TEST_F(HostileHostTest, ACellOffTheMapIsNoCell) {
  game.receive(ClientInGame::fromHost(18).peer(ClientInGame::kLocalPeer).cell(3, 5000));
  EXPECT_EQ(game.player->cellY, 5u);
  game.receive(ClientInGame::fromHost(98).count(1).u8(0).cell(3, 20).item(nullptr));
  game.receive(ClientInGame::fromHost(103).cell(0xFFFF, 0xFFFF).signText("x").u8(1));
  game.receive(ClientInGame::fromHost(62).cell(1, 60000));
  game.receive(ClientInGame::fromHost(65).cell(1, 60000).u8(1));
  EXPECT_EQ(game.world->chests().size(), 0u);
  EXPECT_EQ(game.world->signs().size(), 0u);
  EXPECT_TRUE(game.world->markedCells().empty());
  EXPECT_EQ(game.player->openContainer(), nullptr);
}

TEST_F(HostileHostTest, NumbersThatAreNotFiniteMoveNothing) {
  DressEntity* dress = createDressEntity(*game.entities, 700, 4, {300.0f, 300.0f});
  ASSERT_NE(dress, nullptr);
  const EntityData before = dress->data;
  engine::ByteWriter impulse;
  impulse.f32(kNaN);
  impulse.f32(1.0f);
  impulse.u32(0);
  game.receive(ClientInGame::fromHost(79).u32(dress->id()).point(60.0f, 60.0f).raw(impulse.data()));
  EXPECT_EQ(dress->data.x, before.x) << "the whole message is dropped";

  wire::WireOut motion = ClientInGame::fromHost(20);
  motion.peer(ClientInGame::kOtherPeer);
  player_record::writeMotion(motion, {MotionEvent::kLeft, MotionEvent::kPressed, kNaN, 90.0f, 0, 0, 0, 0});
  const float annX = ann()->position.x;
  game.receive(motion);
  EXPECT_EQ(ann()->position.x, annX);

  Bytes damage = bytesOf(ClientInGame::fromHost(39).f32(1.0f).u8(0));
  const uint32_t infinity = std::bit_cast<uint32_t>(std::numeric_limits<float>::infinity());
  for (int i = 0; i < 4; ++i) damage[2 + i] = static_cast<uint8_t>(infinity >> (8 * i));
  game.player->health = 4;
  const uint64_t refused = game.client.refusedCount();
  game.receive(damage);
  EXPECT_EQ(game.client.refusedCount(), refused + 1);
  EXPECT_EQ(game.player->health, 4.0f);
}

TEST_F(HostileHostTest, EntitiesTheClientDoesNotHaveAreSkipped) {
  for (uint32_t id : {0u, 1u, 0xFFFFFFFFu}) {
    game.receive(ClientInGame::fromHost(85).u32(id));
    game.receive(ClientInGame::fromHost(86).u32(id).cell(2, 2));
    game.receive(ClientInGame::fromHost(82).u32(id).point(1, 1).point(30, 30));
    game.receive(ClientInGame::fromHost(96).u32(id).u8(22).u8(1));
  }
  EXPECT_EQ(game.entities->count(), 0u);
}

TEST_F(HostileHostTest, GameMessagesBeforeTheGameAreDropped) {
  nettest::ClientEvents events;
  PlayerDesktopLocal player(nullptr, &events);
  NetClient joining("Late");
  joining.setLocalPlayer(&player);
  player.health = 2;
  const wire::WireOut heal = ClientInGame::fromHost(40).f32(1.0f).u8(0);
  joining.received(heal.data(), heal.size(), 0);
  joining.dispatchQueued();
  EXPECT_EQ(player.health, 2.0f);
}
