// The headless game of one world: every edit handed to it reaches that world, an edit the world
// refuses is answered no, and whatever a player would do goes nowhere.
#include <gtest/gtest.h>

#include "tests/world/world_recorders.h"
#include "world/cascade/break_cascade.h"
#include "world/edits/edit_kind.h"

namespace {

using namespace world_test;
namespace ek = edit_kind;

class WorldGameTest : public EditWorldTest {};

TEST_F(WorldGameTest, AnEditReachesItsWorld) {
  EXPECT_TRUE(game->applyBlockEdit(edit(ek::kSetLayerBlock, 3, 4, kDirt), nullptr));
  EXPECT_EQ(at(3, 4).frontId(), kDirt);
}

TEST_F(WorldGameTest, AnEditTheWorldRefusesIsAnsweredNoAndChangesNothing) {
  put(3, 4, kGlass);
  BlockEdit outside = edit(ek::kSetLayerBlock, 3, kHeight + 2, kDirt);
  EXPECT_FALSE(game->applyBlockEdit(outside, nullptr)) << "a row outside the map";
  BlockEdit unknownKind = edit(ek::kLast + 1, 3, 4, kDirt);
  EXPECT_FALSE(game->applyBlockEdit(unknownKind, nullptr));
  EXPECT_EQ(at(3, 4).frontId(), kGlass);
}

TEST_F(WorldGameTest, TheWorldsOwnFollowUpEditsComeBackThroughIt) {
  // A vine hangs from the block above: breaking that block makes the world hand the vine's removal
  // to its edit sink, which is this game.
  put(5, 10, kDirt);
  put(5, 9, kVine);
  const uint16_t word = at(5, 10).front;
  EXPECT_TRUE(game->applyBlockEdit(edit(ek::kRemoveLayer, 5, 10), nullptr));
  EXPECT_EQ(at(5, 10).frontId(), kAir);
  updateNeighboursAfterBlockChange(*world, at(5, 10), word, nullptr);
  EXPECT_EQ(at(5, 9).frontId(), kAir) << "the cascade's edit reached the world";
}

TEST_F(WorldGameTest, APlayersEditGoesNowhere) {
  EXPECT_FALSE(game->editBlock(edit(ek::kSetLayerBlock, 3, 4, kDirt)));
  EXPECT_EQ(at(3, 4).frontId(), kAir);
}

}  // namespace
