// What the host's rules send, byte for byte and to whom: a block edit (before the host's world
// changes, nothing when refused), an entity's record once it is created, a cell effect and a
// player action (never echoed to the client that started them), a respawn, a removal list.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "engine/io/byte_reader.h"
#include "entities/core/real_entity.h"
#include "game/player/player.h"
#include "tests/net/host_game/host_in_game.h"
#include "world/edits/edit_kind.h"
#include "world/rules/entity_impulse.h"

namespace nettest {
namespace {

using Kind = Sent::Kind;

BlockEdit glassAt(int32_t x, int32_t y) {
  BlockEdit edit;
  edit.kind = edit_kind::kSetLayerBlock;
  edit.x = static_cast<uint16_t>(x);
  edit.y = static_cast<uint16_t>(y);
  edit.blockId = world_test::kGlass;
  return edit;
}

Bytes edited(const BlockEdit& edit) {
  Bytes bytes{4, 60, 0};
  uint8_t wire[BlockEdit::kWireSize];
  edit.encode(wire);
  bytes.insert(bytes.end(), wire, wire + sizeof wire);
  return bytes;
}

Bytes le16(uint16_t value) { return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)}; }

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A bridge that notes, at each send, the front block of one cell.
class WatchingBridge final : public RecordingServerBridge {
 public:
  void send(const uint8_t* data, uint32_t length) override {
    if (watched != nullptr) frontAtSend.push_back(watched->frontId());
    RecordingServerBridge::send(data, length);
  }
  const MapBlock* watched = nullptr;
  std::vector<uint16_t> frontAtSend;
};

class NetLogicMessages : public HostInGame {};

TEST_F(NetLogicMessages, AnAcceptedEditReachesEveryClientBeforeTheHostsWorldChanges) {
  auto owned = std::make_unique<WatchingBridge>();
  WatchingBridge& watching = *owned;
  server.setBridge(std::move(owned));
  watching.watched = &cell(13, kFloorRow + 1);
  const BlockEdit edit = glassAt(13, kFloorRow + 1);

  ASSERT_TRUE(rules().editBlock(edit, &ann()));

  ASSERT_FALSE(watching.sent.empty());
  EXPECT_EQ(watching.sent.front(), (Sent{Kind::All, 0, edited(edit)}));
  EXPECT_EQ(watching.sent.front().bytes.size(), 19u);
  EXPECT_EQ(watching.frontAtSend.front(), 0) << "the host's cell was still empty when the edit went out";
  EXPECT_EQ(cell(13, kFloorRow + 1).frontId(), world_test::kGlass);
}

TEST_F(NetLogicMessages, ARefusedEditSendsNothingAndChangesNothing) {
  EXPECT_FALSE(rules().editBlock(glassAt(13, kFloorRow), &ann()));  // the floor's dirt is there
  // Only the refusal's mark, and to her alone: no client hears of an edit.
  for (const Sent& sent : bridge->sent) EXPECT_EQ(sent.kind, Kind::To) << "sent to every client";
  for (const Sent& sent : bridge->sent) EXPECT_EQ(sent.peer, kAnn);
  EXPECT_EQ(cell(13, kFloorRow).frontId(), world_test::kDirt);
}

TEST_F(NetLogicMessages, ACreatedEntityIsAnnouncedToAllByItsRecord) {
  Entity* drop = rules().spawnItemDrop(newItem(world_test::kDirt, 0, 3, -1, 0), {15 * 30.0f, 12 * 30.0f}, 7);
  ASSERT_NE(drop, nullptr);
  ASSERT_EQ(bridge->sent.size(), 1u);
  const Sent& sent = bridge->sent.front();
  EXPECT_EQ(sent.kind, Kind::All);
  ASSERT_EQ(sent.bytes.size(), 62u);
  EXPECT_EQ(sent.bytes[0], 5);
  EXPECT_EQ(sent.bytes[1], 77);
  EntityRecord record;
  static_cast<RealEntity*>(drop)->toRecord(record);
  const wire::WireOut expected = wire::WireOut(wire::outgoing(77, wire::Side::Host)).entityRecord(record);
  EXPECT_EQ(sent.bytes, Bytes(expected.data(), expected.data() + expected.size()))
      << "the record is the live entity's, written after its item passed to it";
}

TEST_F(NetLogicMessages, NothingCreatedIsNothingSent) {
  EXPECT_EQ(rules().spawnItemDrop(nullptr, {15 * 30.0f, 12 * 30.0f}, 7), nullptr);
  EXPECT_TRUE(bridge->sent.empty());
}

TEST_F(NetLogicMessages, ACellEffectAClientStartedIsNotEchoedToIt) {
  rules().playCellEffect(&ann(), cell(12, 6), 9, EffectAudience::AllButActor);
  rules().playCellEffect(&host(), cell(12, 6), 9, EffectAudience::AllButActor);
  rules().playCellEffect(&ann(), cell(12, 6), 9, EffectAudience::Everyone);  // the host starts it for her: she sees it too
  const Bytes effect = concat({{6, 95}, le16(12), le16(6), {9}});
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Kind::AllBut, kAnn, effect}, {Kind::All, 0, effect}, {Kind::All, 0, effect}}));
  EXPECT_EQ(effect.size(), 7u);
}

TEST_F(NetLogicMessages, AnActionNamesItsPlayerAndSkipsTheClientThatStartedIt) {
  rules().playPlayerAction(&ann(), 3, 4, EffectAudience::AllButActor);
  rules().playPlayerAction(&host(), 3, 4, EffectAudience::AllButActor);
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Kind::AllBut, kAnn, {6, 94, kAnn, 3, 4}},
                                             {Kind::All, 0, {6, 94, 0, 3, 4}}}));
}

TEST_F(NetLogicMessages, ARespawnBringsThePlayerToTheHostsSpawnCellAndTellsEveryone) {
  host().setSpawnCell(7, kFloorRow + 1);
  host().die();
  bridge->sent.clear();
  rules().respawnPlayer(&host());
  EXPECT_FALSE(host().dead);
  EXPECT_EQ(host().cellX, 7u);
  ASSERT_GE(bridge->sent.size(), 2u);
  EXPECT_EQ(bridge->sent[bridge->sent.size() - 2], (Sent{Kind::All, 0, concat({{2, 18, 0}, le16(7), le16(kFloorRow + 1)})}));
  EXPECT_EQ(bridge->sent.back(), (Sent{Kind::All, 0, {6, 94, 0, 7, 0}})) << "the revival is shown to all";
}

TEST_F(NetLogicMessages, RemovedEntitiesGoOutInOneListAndAnEmptyListNotAtAll) {
  const uint32_t ids[] = {5, 0x01020304};
  rules().reportRemovedEntities(ids, 0);
  rules().reportRemovedEntities(ids, 2);
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Kind::All, 0, {5, 78, 2, 0, 5, 0, 0, 0, 4, 3, 2, 1}}}));
}

TEST_F(NetLogicMessages, AFlagAndATeleportNameThePlayersPeer) {
  rules().setPlayerFlag(&ann(), 7, 1);
  rules().teleportPlayer(&ann(), cell(3, 9));
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Kind::All, 0, concat({{2, 48, kAnn}, le16(7), {1}})},
                                             {Kind::All, 0, concat({{2, 18, kAnn}, le16(3), le16(9)})}}));
  EXPECT_EQ(ann().cellX, 3u);
}

Bytes le32(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}

Bytes f32(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return le32(bits);
}

TEST_F(NetLogicMessages, AnImpulseCarriesTheEntitysPlaceAndTheTwelveByteRecord) {
  Entity* drop = rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {15 * 30.0f, 12 * 30.0f}, 7);
  ASSERT_NE(drop, nullptr);
  bridge->sent.clear();
  rules().pushEntity(drop, EntityImpulse{2.5f, 1.25f, 1});
  rules().restEntity(drop);
  ASSERT_EQ(bridge->sent.size(), 2u);
  const Bytes impulse = concat({{5, 79}, le32(drop->id()), f32(drop->data.x), f32(drop->data.y), f32(2.5f),
                                f32(1.25f), le32(1)});
  EXPECT_EQ(bridge->sent[0], (Sent{Kind::All, 0, impulse}));
  EXPECT_EQ(impulse.size(), 26u);
  EXPECT_EQ(bridge->sent[1], (Sent{Kind::All, 0, concat({{5, 85}, le32(drop->id())})}));
}

// A cell mined under a resting item wakes it: the host must be able to say so (the layout's four
// raw bytes carry the drift's float) and not stop on its own message.
TEST_F(NetLogicMessages, AWokenEntityCarriesItsPlaceAndItsSidewaysDrift) {
  Entity* drop = rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {15 * 30.0f, 12 * 30.0f}, 7);
  ASSERT_NE(drop, nullptr);
  bridge->sent.clear();
  rules().wakeEntity(drop);
  ASSERT_EQ(bridge->sent.size(), 1u);
  const float drift = drop->data.impulseX;
  EXPECT_GE(drift, -0.1f);
  EXPECT_LE(drift, 0.1f);
  const Bytes wake = concat({{5, 81}, le32(drop->id()), f32(drop->data.x), f32(drop->data.y), f32(drift)});
  EXPECT_EQ(bridge->sent[0], (Sent{Kind::All, 0, wake}));
  EXPECT_EQ(wake.size(), 18u);
}

TEST_F(NetLogicMessages, SoundsCircuitSettingsAndMarkedCellsNameTheirCell) {
  rules().playSound(cell(12, 6), 0x0102, 0x0304);
  rules().setCircuitInput(cell(12, 6), 3);
  rules().reportCellMarked(cell(12, 6));
  rules().reportCellUnmarked(cell(12, 6));
  const Bytes at = concat({le16(12), le16(6)});
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Kind::All, 0, concat({{6, 97}, at, {2, 1, 4, 3}})},
                                             {Kind::All, 0, concat({{4, 65}, at, {3}})},
                                             {Kind::All, 0, concat({{4, 62}, at})},
                                             {Kind::All, 0, concat({{4, 63}, at})}}));
}

// A bridge that notes, at each send, how many death views the host's player had opened.
class DeathWatchingBridge final : public RecordingServerBridge {
 public:
  explicit DeathWatchingBridge(const game_test::RecordingEvents& events) : events_(events) {}
  void send(const uint8_t* data, uint32_t length) override {
    deathViewsAtSend.push_back(events_.deathViews);
    RecordingServerBridge::send(data, length);
  }
  std::vector<int> deathViewsAtSend;

 private:
  const game_test::RecordingEvents& events_;
};

TEST_F(NetLogicMessages, TheHostsOwnDeathIsToldOnceBeforeItsDeathViewOpens) {
  auto owned = std::make_unique<DeathWatchingBridge>(events);
  DeathWatchingBridge& watching = *owned;
  server.setBridge(std::move(owned));
  host().health = 1;
  ASSERT_TRUE(rules().damagePlayer(host(), 50, 0));
  ASSERT_TRUE(host().dead);
  size_t deaths = 0;
  for (size_t i = 0; i < watching.sent.size(); ++i) {
    if (watching.sent[i].bytes == Bytes{2, 41, 0}) {
      ++deaths;
      EXPECT_EQ(watching.sent[i].kind, Kind::All);
      EXPECT_EQ(watching.deathViewsAtSend[i], 0) << "sent before the death view";
    }
  }
  EXPECT_EQ(deaths, 1u);
  EXPECT_EQ(events.deathViews, 1);
}

}  // namespace
}  // namespace nettest
