// Two worlds side by side in one process, each with its own context: every rule, follow-up edit,
// sound and effect of one world's edits reaches that world's recorders only, and the process-wide
// current objects (left registered with recorders of their own) hear nothing.

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "engine/base/main_thread.h"
#include "tests/world/world_recorders.h"
#include "world/cascade/break_cascade.h"
#include "world/edits/edit_kind.h"
#include "world/liquid/liquid_simulator.h"
#include "tests/support/settings_reset.h"

namespace {

using namespace world_test;
namespace ek = edit_kind;

constexpr uint16_t kSapling = 720;  // stands on the block below

// Records every edit handed to it, then applies it to its world (when it has one).
class RecordingSink final : public NullGame {
 public:
  bool applyBlockEdit(const BlockEdit& edit, PlayerBase* actor) override {
    edits.push_back(edit);
    return world != nullptr && !world->applyBlockEdit(edit, actor).wasRefused();
  }
  World* world = nullptr;
  std::vector<BlockEdit> edits;
};

// One world and everything its context points at.
struct OwnWorld {
  OwnWorld() {
    world = World::create(nullptr, WorldParams{}, 40, 20,
                          {.rules = &rules, .edits = &sink, .sounds = &sounds, .effects = &effects});
    sink.world = world.get();
  }
  RecordingLogic rules;
  RecordingSounds sounds;
  RecordingEffects effects;
  RecordingSink sink;
  std::unique_ptr<World> world;

  MapBlock& at(int32_t x, int32_t y) { return *world->cellAt(x, y); }
  void apply(uint8_t kind, int32_t x, int32_t y, uint16_t blockId = 0, uint8_t value = 0) {
    BlockEdit edit;
    edit.kind = kind;
    edit.x = static_cast<uint16_t>(x);
    edit.y = static_cast<uint16_t>(y);
    edit.blockId = blockId;
    if (value != 0) edit.setValueByte(0, value);
    world->applyBlockEdit(edit, nullptr);
  }
  // Every edit the sink saw happened at column x.
  bool allEditsInColumn(int32_t x) const {
    for (const BlockEdit& edit : sink.edits) {
      if (edit.x != x) return false;
    }
    return true;
  }
};

class WorldContextTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    testsupport::resetSettings();
    defineBlock(kSapling, {.flags = bits({16}), .transparency = 1});
    a = std::make_unique<OwnWorld>();
    b = std::make_unique<OwnWorld>();
  }
  void TearDown() override {
    a.reset();
    b.reset();
    testsupport::resetSettings();
    WorldTest::TearDown();
  }
  // Places a block, starts a water source and breaks a block that a sapling stands on, at column x.
  static void runEdits(OwnWorld& w, int32_t x) {
    w.apply(ek::kSetLayerBlock, x, 2, kDirt);
    w.apply(ek::kLiquidStarts, x, 10, 0, 0x40 | 0x07);
    w.at(x, 5).setLayer(kDirt, 0, MapBlock::kFront);
    w.at(x, 6).setLayer(kSapling, 0, MapBlock::kFront);
    const uint16_t word = w.at(x, 5).front;
    w.apply(ek::kRemoveLayer, x, 5);
    updateNeighboursAfterBlockChange(*w.world, w.at(x, 5), word, nullptr);
  }

  RecordingLogic processRules;
  RecordingSink processGame;
  RecordingEffects processEffects;
  // The process-wide rules and game stay registered with recorders of their own all along.
  engine::Seam<Logic, NullLogic>::Scoped currentRules{currentLogicSeam(), processRules};
  engine::Seam<GameInterface, NullGame>::Scoped currentGameSlot{currentGameSeam(), processGame};
  std::unique_ptr<OwnWorld> a, b;
};

TEST_F(WorldContextTest, EachWorldsEditsReachOnlyItsOwnContext) {
  {
    const engine::Seam<EntityEffects, NullEntityEffects>::Scoped effects(entityEffectsSeam(), processEffects);
    runEdits(*a, 4);
    runEdits(*b, 30);
  }

  for (OwnWorld* w : {a.get(), b.get()}) {
    const int32_t x = w == a.get() ? 4 : 30;
    SCOPED_TRACE(x);
    ASSERT_FALSE(w->sounds.played.empty()) << "the placed block sounded";
    for (const auto& played : w->sounds.played) EXPECT_EQ(played.x, x);
    EXPECT_EQ(w->at(x, 10).liquid, 0x40 + 0x24) << "the source's first water came back through the sink";
    EXPECT_EQ(w->at(x, 6).frontId(), 0) << "the cascade's removal reached the world";
    EXPECT_EQ(w->effects.debris.size(), 1u) << "the sapling's debris, in its own world";
    ASSERT_GE(w->sink.edits.size(), 2u) << "liquid arrival and the sapling's removal";
    EXPECT_TRUE(w->allEditsInColumn(x));
  }
  EXPECT_EQ(b->at(4, 10).liquid, 0) << "nothing of the first world's edits reached the second";
  EXPECT_EQ(a->sink.edits.size(), b->sink.edits.size()) << "the same edits in each, and no more";

  EXPECT_TRUE(processRules.edits.empty());
  EXPECT_TRUE(processRules.sounds.empty());
  EXPECT_TRUE(processGame.edits.empty());
  EXPECT_TRUE(processEffects.debris.empty());
}

TEST_F(WorldContextTest, ALiquidStepHandsItsFlowToItsOwnWorld) {
  for (int32_t x = 0; x < 40; ++x) {
    a->at(x, 0).setLayer(kDirt, 0, MapBlock::kFront);
    b->at(x, 0).setLayer(kDirt, 0, MapBlock::kFront);
  }
  a->apply(ek::kLiquidStarts, 10, 1, 0, 0x40 | 0x07);
  const size_t before = b->sink.edits.size();
  a->sink.edits.clear();
  for (int i = 0; i < 6; ++i) a->world->map().liquids().step();

  EXPECT_GT(a->sink.edits.size(), 2u) << "the water spread through the first world's sink";
  EXPECT_NE(a->at(11, 1).liquid, 0) << "and arrived beside the source";
  EXPECT_EQ(b->sink.edits.size(), before);
  for (int32_t x = 0; x < 40; ++x) EXPECT_EQ(b->at(x, 1).liquid, 0) << x;
  EXPECT_TRUE(processGame.edits.empty());
}

TEST_F(WorldContextTest, AWorldWithoutAContextRefusesItsFollowUpsAndPlaysNothing) {
  World bare(nullptr, WorldParams{}, 40, 20);
  BlockEdit start;
  start.kind = ek::kLiquidStarts;
  start.x = 4;
  start.y = 4;
  start.setValueByte(0, 0x40 | 0x07);
  bare.applyBlockEdit(start, nullptr);
  EXPECT_TRUE(bare.cellAt(4, 4)->hasFlag(cell_flag::kLiquidSource));
  EXPECT_EQ(bare.cellAt(4, 4)->liquid, 0) << "the null edit sink refused the arrival";
  EXPECT_TRUE(processGame.edits.empty()) << "and the process-wide game was not asked instead";
  EXPECT_TRUE(processRules.edits.empty());
}

#ifndef NDEBUG
TEST_F(WorldContextTest, APlayedWorldEditedOffTheMainThreadStopsInDebugBuilds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  engine::isMainThread();  // this thread asked first: it is the main one
  EXPECT_DEATH(std::thread([&] { a->apply(ek::kSetLayerBlock, 3, 3, kDirt); }).join(), "main thread");
  EXPECT_DEATH(std::thread([&] { a->world->removeBlockEntityAt(a->at(3, 3), 0, nullptr, false); }).join(),
               "main thread");
}
#endif

}  // namespace
