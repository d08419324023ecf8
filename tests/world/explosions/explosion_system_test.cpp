// Blasts breaking blocks by force, lighting charges under the per-frame cap, the explosives rule,
// and the bodies pushed and hurt. The rules apply every edit to the test's world.

#include <algorithm>
#include <set>
#include <vector>

#include "platform/settings/settings.h"
#include "tests/world/world_recorders.h"
#include "world/edits/edit_kind.h"
#include "world/explosions/explosion_system.h"
#include "tests/world/fixed_world_options.h"
#include "world/seams/world_bodies.h"

namespace {

using namespace world_test;

constexpr int kX = 20, kY = 10;
constexpr uint16_t kCharge = ExplosionSystem::kCharge;
constexpr uint16_t kLitCharge = ExplosionSystem::kLitCharge;

class BlastLogic final : public NullLogic {
 public:
  World* world = nullptr;
  bool editBlock(const BlockEdit& edit, PlayerBase* player) override {
    if (edit.kind == edit_kind::kExplosion) blastCauses.push_back(player);
    return !world->applyBlockEdit(edit, player).wasRefused();
  }
  // Stand-in players are numbered addresses: the number is the id; a player who left resolves to none.
  uint32_t playerIdOf(PlayerBase* player) override {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(player) / 64);
  }
  PlayerBase* playerById(uint32_t id) override {
    return left.count(id) != 0 ? nullptr : reinterpret_cast<PlayerBase*>(uintptr_t{id} * 64);
  }
  void playSound(MapBlock&, uint16_t id, uint16_t) override { fuseSounds += id == 40 ? 1 : 0; }
  bool isLocalPlayer(PlayerBase* player) override { return player != nullptr && player == localPlayer; }
  bool isPlayerPresent(PlayerBase* player) override { return player != nullptr; }
  void showTextById(PlayerBase*, uint16_t, uint8_t) override { ++texts; }
  Entity* spawnItemEntity(ItemPtr item, engine::Vec2, float, float, uint8_t) override {
    return spawnItemDrop(std::move(item), {}, 0);
  }
  Entity* spawnItemDrop(ItemPtr /*item*/, engine::Vec2, uint8_t) override {
    return nullptr;
  }
  PlayerBase* localPlayer = nullptr;
  std::set<uint32_t> left;
  std::vector<PlayerBase*> blastCauses;
  int fuseSounds = 0, texts = 0;
};

class BlastBodies final : public WorldBodies {
 public:
  void collectAll(std::vector<Body>& out) override { out.insert(out.end(), bodies.begin(), bodies.end()); }
  void collectInCell(const MapBlock&, std::vector<Body>&) override {}  // blasts collect all bodies
  bool hurt(const Body& body, float amount) override {
    hurts.push_back({body.id, amount, 0});
    return true;
  }
  void push(const Body& body, float strength, float angle) override { pushes.push_back({body.id, strength, angle}); }
  void spawnBlastDebris(const MapBlock&) override { ++debrisBursts; }
  void spawnNoteDebris(engine::Vec2) override {}
  struct Push {
    uint32_t id;
    float strength, angle;
  };
  std::vector<Body> bodies;
  std::vector<Push> pushes, hurts;  // a hurt's strength holds the amount
  int debrisBursts = 0;
};

class ExplosionTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    defineBlock(kCharge, {.transparency = 2});
    defineBlock(kLitCharge, {.transparency = 2, .variants = 3});
    defineBlock(kTough, {.flags = bits({23}), .blastResistance = 50});
    defineBlock(kBedrock, {.flags = bits({13, 23})});
    for (uint8_t r = 1; r <= 30; ++r) defineBlock(static_cast<uint16_t>(100 + r), {.flags = bits({23}), .blastResistance = r});
    makeWorld(WorldParams{});
    logic.world = world.get();
    context.rules = &logic;
    context.bodies = &bodies;
    rebind();
  }
  static constexpr uint16_t resisting(uint8_t r) { return static_cast<uint16_t>(100 + r); }
  ExplosionSystem& explosions() { return world->explosions(); }
  void blast(const BlastSpec& spec = kStandardBlast) { explosions().explodeAt(at(kX, kY), spec, nullptr); }
  void charge(int32_t x, int32_t y, uint16_t on = kTough) {
    put(x, y, on);
    at(x, y).decos[0] = map_deco::make(kCharge, 0, MapBlock::kFront);
  }
  static PlayerBase* player(uintptr_t n) { return reinterpret_cast<PlayerBase*>(n * 64); }

  static constexpr uint16_t kTough = 40;
  static constexpr uint16_t kBedrock = 41;
  BlastLogic logic;
  BlastBodies bodies;
};

TEST_F(ExplosionTest, ForceFallsByTheDivisorAtEveryStep) {
  // Standard blast: 50 at the centre, 25 one step out, 12.5 two steps, 3.125 four steps.
  const struct {
    int dx;
    uint8_t resistance;
    bool breaks;
  } cases[] = {{1, 25, true}, {-1, 26, false}, {2, 12, true}, {-2, 13, false}, {4, 3, true}};
  for (const auto& c : cases) put(kX + c.dx, kY, resisting(c.resistance));
  put(kX, kY, kTough);
  put(kX, kY + 1, kBedrock);
  blast();
  for (const auto& c : cases) {
    EXPECT_EQ(at(kX + c.dx, kY).frontId() == kAir, c.breaks) << "step " << c.dx << " resistance " << int(c.resistance);
  }
  EXPECT_EQ(at(kX, kY).frontId(), kAir) << "50 reaches 50 in front";
  EXPECT_EQ(at(kX, kY + 1).frontId(), kBedrock) << "indestructible";
  EXPECT_EQ(bodies.debrisBursts, 41) << "every cell of a radius-4 diamond shows debris";
}

TEST_F(ExplosionTest, ARadiusPastTheGridIsClamped) {
  BlastSpec wide = kStandardBlast;
  wide[blast_byte::kBlockRadius] = 200;
  blast(wide);
  EXPECT_EQ(bodies.debrisBursts, 220) << "a radius-10 diamond and no more (its top cell is past the top row)";
}

TEST_F(ExplosionTest, AChargeInTheBlastIsLitAndGoesOffAfterItsFuse) {
  charge(kX + 2, kY);
  blast();
  ASSERT_EQ(explosions().pending().size(), 1u);
  const PendingExplosion& lit = explosions().pending()[0];
  EXPECT_GE(lit.timer, 15.0f);
  EXPECT_LE(lit.timer, 25.0f);
  EXPECT_EQ(map_deco::id(at(kX + 2, kY).decos[0]), kLitCharge);
  explosions().update(26.0f);
  EXPECT_TRUE(explosions().pending().empty());
  EXPECT_TRUE(map_deco::empty(at(kX + 2, kY).decos[0])) << "the lit charge is spent";
}

TEST_F(ExplosionTest, AFuseKeepsItsCauseByIdAndLosesItWhenThePlayerLeavesBeforeItGoesOff) {
  ASSERT_TRUE(explosions().add(at(5, 5), player(1), kStandardBlast, 1.0f, 0));
  ASSERT_TRUE(explosions().add(at(30, 5), player(2), kStandardBlast, 1.0f, 0));
  EXPECT_EQ(explosions().pending()[0].cause, 1u) << "an id, not the player's address";
  logic.left.insert(2);  // the second player quits while the fuse burns
  explosions().update(2.0f);
  EXPECT_EQ(logic.blastCauses, (std::vector<PlayerBase*>{player(1), nullptr}));
}

TEST_F(ExplosionTest, AtMostThirtyThreeGoOffPerFrame) {
  // Charges far enough apart that each blast lights nothing.
  for (int i = 0; i < 40; ++i) {
    MapBlock& c = at(i, 1 + (i % 2) * 10);
    ASSERT_TRUE(explosions().add(c, nullptr, {0, 0, 0, 0, 0, 2, 1}, 1.0f, 0));
  }
  EXPECT_EQ(explosions().pending().size(), 40u);
  explosions().update(2.0f);
  EXPECT_EQ(explosions().pending().size(), 7u);
  EXPECT_FLOAT_EQ(explosions().pending()[0].timer, 1.0f) << "entries past the cap are not counted down";
  explosions().update(2.0f);
  EXPECT_TRUE(explosions().pending().empty());
}

TEST_F(ExplosionTest, QueuingACellAgainKeepsOneEntryAndOnlyShortensTheFuse) {
  MapBlock& c = at(kX, kY);
  explosions().add(c, nullptr, kStandardBlast, 160.0f, 0);
  explosions().add(c, nullptr, kStandardBlast, 200.0f, 0);
  ASSERT_EQ(explosions().pending().size(), 1u);
  EXPECT_FLOAT_EQ(explosions().pending()[0].timer, 160.0f);
  explosions().add(c, nullptr, kStandardBlast, 20.0f, 0);
  explosions().add(c, nullptr, kStandardBlast, 5.0f, 1);
  EXPECT_FLOAT_EQ(explosions().pending()[0].timer, 20.0f) << "an impact does not shorten a lit fuse";
  EXPECT_EQ(logic.fuseSounds, 1);
}

TEST_F(ExplosionTest, TheExplosivesLockOfTheWorldsOptionsRefusesRemotePlayersButNotTheLocalOne) {
  FixedWorldOptions lock;
  lock.explosives = true;
  context.options = &lock;
  rebind();
  logic.localPlayer = player(1);
  EXPECT_FALSE(explosions().add(at(kX, kY), player(2), kStandardBlast, 160.0f, 0));
  EXPECT_EQ(logic.texts, 1);
  EXPECT_TRUE(explosions().add(at(kX, kY), player(1), kStandardBlast, 160.0f, 0));
  lock.explosives = false;
  EXPECT_TRUE(explosions().add(at(kX, kY + 5), player(2), kStandardBlast, 160.0f, 0));
  // The process-wide setting is not what this world obeys.
  lock.explosives = true;
  kel::options().permissionExplosivesLock = false;
  EXPECT_FALSE(explosions().add(at(kX, kY + 8), player(2), kStandardBlast, 160.0f, 0));
  context.options = nullptr;
  rebind();
}

TEST_F(ExplosionTest, BodiesArePushedAndHurtByTheirDistanceAcrossTheWrap) {
  const float cx = kX * 30.0f, cy = kY * 30.0f;
  const float radius = 4 * 30.0f;
  auto body = [](BodyGroup group, uint32_t id, float x, float y, uint8_t flags = 0) {
    return Body{.group = group, .id = id, .position = {x, y}, .flags = flags};
  };
  bodies.bodies = {
      body(BodyGroup::Player, 1, cx, cy),                  // at the centre: full damage
      body(BodyGroup::Mob, 3, cx, cy + radius / 2),        // halfway up
      body(BodyGroup::Mob, 4, cx, cy, body_flag::kPet),    // pushed, never hurt
  };
  blast();
  auto hurtOf = [&](uint32_t id) {
    auto h = std::find_if(bodies.hurts.begin(), bodies.hurts.end(), [&](const auto& x) { return x.id == id; });
    return h == bodies.hurts.end() ? -1.0f : h->strength;
  };
  EXPECT_FLOAT_EQ(hurtOf(1), 50.0f);
  EXPECT_FLOAT_EQ(hurtOf(3), (50.0f - 20.0f) * 0.75f + 20.0f);
  EXPECT_FLOAT_EQ(hurtOf(4), -1.0f);
  EXPECT_TRUE(std::any_of(bodies.pushes.begin(), bodies.pushes.end(), [](const auto& p) { return p.id == 4; }));

  // A body just across the seam of the world is close to a blast at column 0.
  bodies.bodies = {body(BodyGroup::Mob, 6, (kWidth - 1) * 30.0f, cy)};
  bodies.hurts.clear();
  explosions().explodeAt(at(0, kY), kStandardBlast, nullptr);
  EXPECT_GT(hurtOf(6), 20.0f);
}

}  // namespace
