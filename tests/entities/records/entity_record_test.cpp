// The 62-byte entity record: its bytes, round trips for every kind, a record with id 0, and
// hostile records that make no entity.

#include <cmath>
#include <cstring>

#include "engine/io/byte_reader.h"
#include "entities/core/entity_record.h"
#include "entities/items/treasure_entity.h"
#include "entities/records/entity_from_record.h"
#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

using Bytes = std::array<uint8_t, EntityRecord::kSize>;

std::optional<EntityRecord> read(const uint8_t* data, size_t size) {
  engine::ByteReader in(data, size);
  return readEntityRecord(in);
}

EntityRecord sample(EntityKind kind, uint16_t definition, uint8_t kindByte, uint32_t extra) {
  EntityRecord r;
  r.extra = extra;
  r.entityId = 77;
  r.state.x = 301.5f;
  r.state.y = 182.25f;
  r.state.vx = -1.5f;
  r.state.vy = 2.0f;
  r.state.impulseX = 0.25f;
  r.state.impulseY = -0.125f;
  r.state.cellX = 300;
  r.state.cellY = 180;
  r.state.rowValue = 0x12345678;
  r.state.halfWidth = 7.5f;
  r.state.halfHeight = 4;
  r.state.kind = kind;
  r.definition = definition;
  r.kindByte = kindByte;
  r.frozen = 1;
  return r;
}

using EntityRecords = EntityWorld;

TEST_F(EntityRecords, ATreasureRecordCarriesCountItemAndVariantAtTheirOffsets) {
  auto& treasure = static_cast<TreasureEntity&>(lists.add(std::make_unique<TreasureEntity>(
      *world, EntityKind::Treasure, newItem(120, 2, 5, -1, 0), engine::Vec2{pixel(10), pixel(10)},
      &cell(10, 10), 0, 0, 0)));
  EntityRecord record;
  treasure.toRecord(record);
  const Bytes bytes = record.encode();
  EXPECT_EQ(bytes[0], 5);
  EXPECT_EQ(bytes[1], 77);
  EXPECT_EQ((std::vector<uint8_t>(bytes.begin() + 2, bytes.begin() + 6)), (std::vector<uint8_t>{5, 0, 0, 0}));
  EXPECT_EQ(bytes[58], 0x78);
  EXPECT_EQ(bytes[59], 0x00);
  EXPECT_EQ(bytes[60], 2);
  EXPECT_EQ(bytes[54], 3);
  uint32_t id = 0;
  std::memcpy(&id, &bytes[6], 4);  // little-endian hosts only read it so; the test machine is one
  EXPECT_EQ(id, treasure.id());
  const uint32_t one = bytes[42] | bytes[43] << 8 | bytes[44] << 16 | static_cast<uint32_t>(bytes[45]) << 24;
  EXPECT_EQ(one, TreasureEntity::kRowValueOne);
}

TEST_F(EntityRecords, EveryKindRoundTripsThroughItsBytes) {
  const EntityRecord records[] = {
      sample(EntityKind::Bullet, 146, 0, 0xABCD0102), sample(EntityKind::Treasure, 4095, 3, 999),
      sample(EntityKind::Fruit, 120, 1, 1),           sample(EntityKind::Mob, 899, 0, 0),
      sample(EntityKind::Dress, 700, 9, 0),           sample(EntityKind::Toy, 979, 0, 2),
      sample(EntityKind::Pet, 12, 0, 0),              sample(EntityKind::Bobber, 40, 0, 4),
      sample(EntityKind::Fish, 1500, 2, 1),
  };
  for (const EntityRecord& r : records) {
    const Bytes bytes = r.encode();
    const auto back = read(bytes.data(), bytes.size());
    ASSERT_TRUE(back) << static_cast<int>(r.state.kind);
    EXPECT_EQ(back->encode(), bytes) << static_cast<int>(r.state.kind);
    EXPECT_EQ(back->state.kind, r.state.kind);
    EXPECT_EQ(back->definition, r.definition);
  }
}

TEST_F(EntityRecords, TreasuresAndFruitComeBackAsTheEntitiesThatWroteThem) {
  for (EntityKind kind : {EntityKind::Treasure, EntityKind::Fruit}) {
    EntityRecord sent = sample(kind, 120, 2, 5);
    sent.entityId = 900 + static_cast<uint32_t>(kind);
    sent.state.halfWidth = sent.state.halfHeight = 8;  // a treasure takes half its 16-pixel icon
    RealEntity* made = entityFromRecord(lists, sent);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->kind(), kind) << "a fruit stays kind 4 on the client";
    EXPECT_EQ(made->id(), sent.entityId);
    EXPECT_EQ(made->data.cell, &cell(10, 6));
    EXPECT_TRUE(made->data.frozen);
    const auto& item = static_cast<TreasureEntity*>(made)->item();
    EXPECT_EQ(item.id, 120);
    EXPECT_EQ(item.count, 5);
    EXPECT_EQ(item.variant, 2);
    EntityRecord again;
    made->toRecord(again);
    EXPECT_EQ(again.encode(), sent.encode());
  }
  EntityRecord fresh = sample(EntityKind::Treasure, 120, 0, 1);
  fresh.entityId = 0;
  RealEntity* made = entityFromRecord(lists, fresh);
  ASSERT_NE(made, nullptr);
  EXPECT_GT(made->id(), 904u) << "a record with id 0 takes a fresh id of the receiver";
}

TEST_F(EntityRecords, HostileRecordsMakeNoEntity) {
  const Bytes good = sample(EntityKind::Treasure, 120, 2, 5).encode();
  struct Damage {
    const char* what;
    size_t offset;
    std::vector<uint8_t> bytes;
  };
  const Damage cases[] = {
      {"wrong category", 0, {4}},
      {"wrong message", 1, {78}},
      {"kind 1", 54, {1}},
      {"kind 11", 54, {11}},
      {"padding", 56, {1}},
      {"frozen 2", 61, {2}},
      {"count 0", 2, {0, 0, 0, 0}},
      {"count 1000", 2, {0xE8, 0x03, 0, 0}},
      {"item id 4096", 58, {0x00, 0x10}},
      {"x not a number", 10, {0x00, 0x00, 0xC0, 0x7F}},
      {"y infinite", 14, {0x00, 0x00, 0x80, 0x7F}},
      {"vx huge", 18, {0x00, 0x00, 0x80, 0x4F}},
      {"vx 12.5 a tick", 18, {0x00, 0x00, 0x48, 0x41}},
      {"impulse y -300 a tick", 30, {0x00, 0x00, 0x96, 0xC3}},
      {"id 0xFFFFFFFF", 6, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"id 0x80000000", 6, {0x00, 0x00, 0x00, 0x80}},
      {"half width negative", 46, {0x00, 0x00, 0x80, 0xBF}},
  };
  for (const Damage& d : cases) {
    Bytes bytes = good;
    std::copy(d.bytes.begin(), d.bytes.end(), bytes.begin() + static_cast<long>(d.offset));
    EXPECT_FALSE(read(bytes.data(), bytes.size())) << d.what;
  }
  for (size_t cut = 0; cut < EntityRecord::kSize; ++cut) EXPECT_FALSE(read(good.data(), cut)) << "cut at " << cut;

  const struct {
    const char* what;
    EntityRecord record;
  } tables[] = {
      {"bullet row 147", sample(EntityKind::Bullet, 147, 0, 0)},
      {"bobber row 147", sample(EntityKind::Bobber, 147, 0, 0)},
      {"mob row 900", sample(EntityKind::Mob, 900, 0, 0)},
      {"pet row 900", sample(EntityKind::Pet, 900, 0, 0)},
      {"dress slot 10", sample(EntityKind::Dress, 700, 10, 0)},
      {"dress item 4096", sample(EntityKind::Dress, 4096, 1, 0)},
      {"fish item 5000", sample(EntityKind::Fish, 5000, 0, 1)},
  };
  for (const auto& t : tables) {
    const Bytes bytes = t.record.encode();
    EXPECT_FALSE(read(bytes.data(), bytes.size())) << t.what;
    EXPECT_EQ(entityFromRecord(lists, t.record), nullptr) << t.what;
  }

  // Readable records whose place the world does not have.
  EntityRecord below = sample(EntityKind::Treasure, 120, 0, 1);
  below.state.cellY = -60;
  below.state.y = -60;
  EntityRecord above = below;
  above.state.cellY = above.state.y = pixel(kHeight);
  EntityRecord adrift = sample(EntityKind::Treasure, 120, 0, 1);
  adrift.state.x = 5000;
  EntityRecord farColumn = sample(EntityKind::Treasure, 120, 0, 1);
  farColumn.state.cellX = farColumn.state.x = 1e7f;
  for (const EntityRecord& r : {below, above, adrift, farColumn}) EXPECT_EQ(entityFromRecord(lists, r), nullptr);
  EXPECT_EQ(lists.count(), 0u);
}

TEST_F(EntityRecords, AnIdNearTheTopOfTheRangeLeavesTheCounterGivingFreshIds) {
  EntityRecord high = sample(EntityKind::Treasure, 120, 0, 1);
  high.frozen = 0;
  high.entityId = EntityRecord::kMaxEntityId;
  const Bytes bytes = high.encode();
  ASSERT_TRUE(read(bytes.data(), bytes.size())) << "the highest id a peer may name is read";
  RealEntity* peers = entityFromRecord(lists, high);
  ASSERT_NE(peers, nullptr);
  EXPECT_EQ(peers->id(), EntityRecord::kMaxEntityId);

  EntityRecord ours = sample(EntityKind::Treasure, 120, 0, 1);
  ours.entityId = 0;
  RealEntity* next = entityFromRecord(lists, ours);
  ASSERT_NE(next, nullptr);
  EXPECT_GT(next->id(), EntityRecord::kMaxEntityId) << "the counter goes on past the peer's id, never back to 0";
  EXPECT_EQ(lists.findById(EntityRecord::kMaxEntityId), peers);
}

// A record at the limits moves its entity at most one cell a tick, so a wall stops it and the map's
// top holds it; after every tick its own record is one the reader takes.
TEST_F(EntityRecords, ARecordAtTheSpeedLimitIsHeldByWallsAndWritesReadableRecords) {
  for (int32_t y = kGround + 1; y < kHeight; ++y) cell(14, y).setFront(kStone, 0, 0);  // a wall at column 14
  EntityRecord fast = sample(EntityKind::Treasure, 120, 0, 1);
  fast.frozen = 0;
  fast.state.x = fast.state.cellX = pixel(10);
  fast.state.y = fast.state.cellY = pixel(kHeight - 2);
  fast.state.halfWidth = fast.state.halfHeight = 8;
  fast.state.vx = fast.state.impulseX = EntityRecord::kMaxSpeed;
  fast.state.vy = fast.state.impulseY = EntityRecord::kMaxSpeed;
  const Bytes bytes = fast.encode();
  ASSERT_TRUE(read(bytes.data(), bytes.size()));
  RealEntity* made = entityFromRecord(lists, fast);
  ASSERT_NE(made, nullptr);
  for (int tick = 0; tick < 120; ++tick) {
    const float before = made->data.x;
    lists.tick();
    ASSERT_FALSE(made->data.removed);
    EXPECT_LE(std::fabs(made->data.x - before), MovingEntity::kHalfCell) << "tick " << tick;
    EXPECT_LT(made->data.x, pixel(14) - MovingEntity::kHalfCell) << "the wall holds it, tick " << tick;
    ASSERT_NE(made->data.cell, nullptr) << "it stays on the map, tick " << tick;
    EXPECT_LE(made->data.y, pixel(kHeight - 1) + MovingEntity::kHalfCell) << "tick " << tick;
    EntityRecord own;
    made->toRecord(own);
    const Bytes back = own.encode();
    EXPECT_TRUE(read(back.data(), back.size())) << "its own record reads back, tick " << tick;
  }
}

}  // namespace
}  // namespace entity_test
