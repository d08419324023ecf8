#include <gtest/gtest.h>

#include "platform/settings/settings.h"
#include "tests/world/fixed_world_options.h"
#include "tests/world/world_recorders.h"
#include "world/edits/edit_kind.h"
#include "world/protection/protected_areas.h"

namespace {

using namespace world_test;
namespace ek = edit_kind;

struct Guard {
  int32_t x, y;
  bool guarded;
};

class ProtectedAreasTest : public EditWorldTest {
 protected:
  ProtectedAreas& areas() { return world->protectedAreas(); }
  void expectGuards(std::initializer_list<Guard> cells) {
    for (const Guard& c : cells) EXPECT_EQ(areas().isProtectedAt(c.x, c.y), c.guarded) << c.x << "," << c.y;
  }
};

TEST_F(ProtectedAreasTest, PlacingAProtectionBlockGuardsItsSquareAndBreakingItFreesIt) {
  WorldParams params;
  params.mode = 1;  // creative: no explored bitmap for the large map
  world.reset();
  world = World::create(nullptr, params, 512, 128);
  game = std::make_unique<WorldGame>(*world);
  context.edits = game.get();
  rebind();
  apply(edit(ek::kSetLayerBlock, 100, 50, 3));
  expectGuards({{80, 30, true}, {120, 70, true}, {79, 50, false}, {100, 71, false}});
  apply(edit(ek::kRemoveLayer, 100, 50));
  EXPECT_FALSE(areas().isProtectedAt(100, 50));
}

TEST_F(ProtectedAreasTest, AreasNearTheSeamAndTheBottomRowGuardWhatTheyCover) {
  apply(edit(ek::kSetLayerBlock, 2, 1, 1));  // size 10: columns -3..7 and rows 0..6
  expectGuards({{0, 0, true}, {kWidth - 3, 1, true}, {kWidth - 4, 1, false}, {2, 7, false}});
  apply(edit(ek::kSetLayerBlock, kWidth - 1, 18, 1));
  expectGuards({{3, 19, true}, {5, 19, false}});  // across the seam from the right edge
}

TEST_F(ProtectedAreasTest, ALockOrTheWorldLockOptionGuardsACell) {
  at(20, 12).addDeco(ProtectedAreas::kLockBlock, 0, MapBlock::kBack);
  EXPECT_FALSE(areas().isProtectedAt(20, 12)) << "a lock on the back side does not count";
  at(20, 12).addDeco(ProtectedAreas::kLockBlock, 0, MapBlock::kFront);
  EXPECT_TRUE(areas().isProtectedAt(20 + kWidth, 12));
  FixedWorldOptions options;
  options.world = true;
  context.options = &options;
  rebind();
  EXPECT_TRUE(areas().isProtectedAt(30, 12));
  context.options = nullptr;
  rebind();
}

TEST_F(ProtectedAreasTest, TheWorldLockIsTheWorldsOwnOptionNotTheProcesss) {
  kel::options().permissionWorldLock = true;
  EXPECT_FALSE(areas().isProtectedAt(30, 12)) << "a world with no options has no lock";
  FixedWorldOptions options;
  options.world = true;
  context.options = &options;
  rebind();
  std::unique_ptr<World> other = World::create(nullptr, WorldParams{}, kWidth, 20);
  EXPECT_TRUE(areas().isProtectedAt(30, 12));
  EXPECT_FALSE(other->protectedAreas().isProtectedAt(30, 12)) << "a second world keeps its own options";
  context.options = nullptr;
  rebind();
}

}  // namespace
