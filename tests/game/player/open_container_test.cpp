// The container a player has open is held by a checked handle: when the block entity goes (a blast
// breaks its block) the player's open container reads as none, even if the rules never told the
// player, and a new entity on the same cell (perhaps at the same address) is not taken for it.

#include <memory>

#include "tests/game/game_fixture.h"
#include "world/blocks/chest.h"
#include "world/blocks/sign.h"
#include "world/explosions/explosion_system.h"
#include "world/rules/world_game.h"

namespace game_test {
namespace {

constexpr uint16_t kChest = 213;  // a chest of the content's chest table

// Rules that forget to let players go of a released entity: the handle alone must keep them safe.
class ForgetfulRules final : public NullLogic {
 public:
  void releaseBlockEntity(LogicBlock&) override { ++released; }
  int released = 0;
};

class OpenContainerTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    worldEdits = std::make_unique<WorldGame>(*world);
    world->setContext({.rules = &forgetful, .edits = worldEdits.get()});
  }
  void TearDown() override {
    world->setContext({});
    GameTest::TearDown();
  }
  Chest& chestAt(int32_t x, int32_t y) {
    put(x, y, kChest);
    Chest& chest = world->chests().add(std::make_unique<Chest>(at(x, y), kChest));
    chest.setItem(0, makeItem(kStone, 3));
    return chest;
  }

  ForgetfulRules forgetful;
  std::unique_ptr<WorldGame> worldEdits;
};

TEST_F(OpenContainerTest, ABlastThatBreaksTheOpenChestLeavesThePlayerWithNone) {
  Chest& chest = chestAt(10, 10);
  player->setOpenContainer(&chest);
  chest.open();
  ASSERT_EQ(player->openContainer(), &chest);

  world->explosions().explodeAt(at(10, 10), kStandardBlast, nullptr);

  ASSERT_EQ(world->chests().size(), 0u) << "the blast broke the chest and the world deleted it";
  EXPECT_EQ(forgetful.released, 1);
  EXPECT_EQ(player->openContainer(), nullptr);
  EXPECT_EQ(player->openBlockEntity(), nullptr) << "the inventory sees no container either";
  EXPECT_FALSE(player->leaveContainer(true)) << "nothing left to close";

  Chest& rebuilt = chestAt(10, 10);
  EXPECT_EQ(player->openContainer(), nullptr) << "a new chest on the cell is not the one that was open";
  EXPECT_FALSE(rebuilt.inUse());
}

TEST_F(OpenContainerTest, AHandleResolvesOnlyInTheListAndWorldThatHoldTheEntity) {
  Chest& chest = chestAt(4, 4);
  const BlockEntityHandle handle = chest.handle();
  EXPECT_EQ(world->chests().resolve(handle), &chest);
  EXPECT_EQ(world->signs().resolve(handle), nullptr);
  EXPECT_EQ(world->resolve(BlockEntityHandle{}), nullptr) << "no handle names nothing";

  player->setOpenContainer(&chest);
  remakeWorld();  // the player moves on to a new world; the old one and its chest are gone
  EXPECT_EQ(player->openContainer(), nullptr);
  EXPECT_EQ(world->resolve(handle), nullptr);
}

}  // namespace
}  // namespace game_test
