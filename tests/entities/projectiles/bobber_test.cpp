// The fishing bobber: a cast into bad water rises and fades, good water with a rod starts the wait,
// ground ends it, a caster who left ends it, and its state travels in its record.

#include "entities/core/entity_record.h"
#include "entities/projectiles/bobber_entity.h"
#include "entities/projectiles/bullet_factory.h"
#include "entities/records/entity_from_record.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/projectile_rows.h"

namespace entity_test {
namespace {

constexpr uint16_t kBobberRow = 20;
constexpr uint32_t kCaster = 5;

class CasterBook final : public FishingOwners {
 public:
  bool present(uint32_t owner) override { return here && owner == kCaster; }
  int rodTier(uint32_t) override { return rod; }
  float waitTicks(uint32_t) override { return 90; }
  float biteWindow(uint32_t) override { return 0.05f; }  // one nibble
  void castLanded(uint32_t) override { ++landed; }
  void biteStarted(uint32_t) override { ++bites; }
  void fishGotAway(uint32_t) override { ++gotAway; }
  void showText(uint32_t, uint16_t text) override { texts.push_back(text); }
  void castEnded(uint32_t) override { ++ended; }
  bool here = true;
  int rod = 1;
  int landed = 0, gotAway = 0, bites = 0, ended = 0;
  std::vector<uint16_t> texts;
};

class BobberRules final : public NullLogic {
 public:
  void setBobberState(BobberEntity* bobber, uint8_t state) override {
    states.push_back(state);
    bobber->setState(state);
  }
  std::vector<uint8_t> states;
};

class Bobbers : public EntityWorld {
 protected:
  Bobbers() {
    resetContentTables();
    defineBullet(kBobberRow, {.width = 6, .height = 6, .bobber = 1});
    world->setContext({.rules = &bobberRules});
    lists.setFishingOwners(&casters);
  }
  ~Bobbers() override {
    lists.clearAll();
    resetContentTables();
  }
  // Cast straight down into the cell below (10, 8).
  BobberEntity& cast() {
    auto* b = static_cast<BobberEntity*>(createBulletEntity(lists, kBobberRow, kCaster, {pixel(10), pixel(8)}, 2,
                                                            -1.5707964f, 0, false, false));
    EXPECT_NE(b, nullptr);
    EXPECT_EQ(b->kind(), EntityKind::Bobber);
    return *b;
  }
  void water(uint8_t a, uint8_t b, bool source) {
    for (int32_t y = kGround + 1; y <= 7; ++y) {
      cell(10, y).liquid = static_cast<uint8_t>(a | (b << 3) | (1 << 6));
      if (source) cell(10, y).flags |= cell_flag::kLiquidSource;
    }
  }
  void tickUntil(const std::function<bool()>& done, int limit = 400) {
    for (int i = 0; i < limit && !done(); ++i) lists.tick();
  }

  BobberRules bobberRules;
  CasterBook casters;
};

TEST_F(Bobbers, BadWaterShowsText157AndTheBobberRisesAndFadesInThirtyTicks) {
  water(4, 3, false);
  BobberEntity& b = cast();
  const EntityId id = b.id();
  tickUntil([&] { return b.state == 6; });
  ASSERT_EQ(b.state, 6);
  EXPECT_EQ(casters.texts, std::vector<uint16_t>{BobberEntity::kTextBadWater});
  EXPECT_EQ(bobberRules.states, std::vector<uint8_t>{6});
  const float y = b.data.y;
  for (int i = 0; i < 29; ++i) lists.tick();
  ASSERT_NE(lists.findById(id), nullptr);
  EXPECT_GT(b.data.y, y) << "it rises";
  EXPECT_LT(b.opacity, 255.0f);
  lists.tick();
  EXPECT_EQ(lists.findById(id), nullptr);
}

TEST_F(Bobbers, GoodWaterWithARodWaitsForABiteThenTheFishGetsAwayUnreeled) {
  water(4, 4, true);
  BobberEntity& b = cast();
  tickUntil([&] { return b.state == 1; });
  ASSERT_EQ(b.state, 1);
  EXPECT_EQ(casters.landed, 1);
  EXPECT_FLOAT_EQ(b.lineY, b.data.cellY + 10);
  tickUntil([&] { return b.state >= 4; }, 5000);
  EXPECT_EQ(b.state, 4) << "nibbling, biting, then hooked";
  EXPECT_EQ(casters.bites, 1) << "the caster's reaction is counted from the hook";
  tickUntil([&] { return b.state == 5; }, 400);
  EXPECT_EQ(casters.gotAway, 1) << "unreeled for 180 ticks, the fish got away";
  EXPECT_EQ((std::vector<uint8_t>(bobberRules.states.begin(), bobberRules.states.end())),
            (std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

TEST_F(Bobbers, WithoutARodItFadesAndOnGroundItEnds) {
  water(4, 4, true);
  casters.rod = -1;
  BobberEntity& rodless = cast();
  tickUntil([&] { return rodless.state == 6; });
  EXPECT_EQ(rodless.state, 6);

  BobberEntity& dry = *static_cast<BobberEntity*>(
      createBulletEntity(lists, kBobberRow, kCaster, {pixel(20), pixel(8)}, 2, -1.5707964f, 0, false, false));
  const EntityId id = dry.id();
  tickUntil([&] { return lists.findById(id) == nullptr; });
  EXPECT_EQ(lists.findById(id), nullptr);
  EXPECT_EQ(casters.texts.back(), BobberEntity::kTextOnGround);
  EXPECT_EQ(casters.ended, 1) << "the caster stops waiting for a bite";
}

TEST_F(Bobbers, ACasterWhoLeftEndsTheBobberAtItsNextCellAndASecondCastIsSeen) {
  BobberEntity& b = cast();
  EXPECT_TRUE(playerHasBobber(lists, kCaster));
  EXPECT_FALSE(playerHasBobber(lists, kCaster + 1));
  casters.here = false;
  lists.dropOwner(kCaster);
  const EntityId id = b.id();
  tickUntil([&] { return lists.findById(id) == nullptr; }, 60);
  EXPECT_EQ(lists.findById(id), nullptr);
  EXPECT_TRUE(casters.texts.empty()) << "nobody to tell";
}

TEST_F(Bobbers, TheStateTravelsInTheRecord) {
  BobberEntity& b = cast();
  b.setState(3);
  EntityRecord record;
  b.toRecord(record);
  EXPECT_EQ(record.extra, 3u);
  EXPECT_EQ(record.state.kind, EntityKind::Bobber);
  record.entityId = 999;
  auto* copy = static_cast<BobberEntity*>(entityFromRecord(lists, record));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->state, 3);
  EntityRecord again;
  copy->toRecord(again);
  EXPECT_EQ(again.encode(), record.encode());
}

}  // namespace
}  // namespace entity_test
