// A player's pet plans its way to the player whenever the player enters another cell on the
// ground: the rules hear of the move and hand it to the pets of that player only.

#include "entities/mobs/mob_factory.h"
#include "entities/mobs/mob_pet_entity.h"
#include "tests/game/session/mob_session_fixture.h"

namespace game_test {
namespace {

class PetFollowTest : public ShotAndCatchTest {
 protected:
  void SetUp() override {
    ShotAndCatchTest::SetUp();
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < 20; ++y) world().map().cell(x, y).setFront(world_test::kDirt, 0, 0);
    }
  }
  MobPetEntity& petOf(uint32_t ownerId, int x) {
    MobDef& row = contentTables().mobDefs[kMobRow];
    row.bytes[content::mob_record::mobId] = kMobRow;
    row.bytes[content::mob_record::width] = row.bytes[content::mob_record::height] = 16;
    return static_cast<MobPetEntity&>(lists().add(createPetEntity(world(), row, ownerId, {x * 30.0f, 20 * 30.0f})));
  }
  // The player walks from its cell into the next on the right.
  void stepRight() {
    MapBlock* left = player().currentMapBlock();
    player().setCellCoordinates(player().cellX + 1, player().cellY);
    player().moveToCell(left);
  }
};

TEST_F(PetFollowTest, APlayerWhoEntersAnotherCellHasItsPetPlanTheWayToIt) {
  MobPetEntity& pet = petOf(playerId(), 4);
  ASSERT_TRUE(pet.path().empty());
  stepRight();
  ASSERT_FALSE(pet.path().empty());
  EXPECT_EQ(pet.path().back().cell, &world().map().cell(11, 20));
  stepRight();
  EXPECT_EQ(pet.path().back().cell, &world().map().cell(12, 20)) << "planned on";
}

TEST_F(PetFollowTest, AnotherPlayersPetDoesNotFollow) {
  MobPetEntity& stray = petOf(playerId() + 1, 4);
  stepRight();
  EXPECT_TRUE(stray.path().empty());
}

}  // namespace
}  // namespace game_test
