// Players are told apart by id, never by address: a new player that the allocator put at an old
// player's address has chosen no portal and lies in no bed, whatever the old one did.

#include <vector>

#include "game/rules/bed_rules.h"
#include "game/rules/portal_rules.h"
#include "tests/game/game_fixture.h"
#include "tests/support/remake_in_place.h"

namespace game_test {
namespace {

class PlayerIdentityTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    other = std::make_unique<PlayerDesktopLocal>(&game);
    other->setWorld(world.get());
  }
  // A new player takes the old other's place, at its address.
  Player& remakeOther() {
    const uint32_t oldId = other->playerId();
    PlayerDesktopLocal* old = other.get();
    PlayerDesktopLocal& fresh = testsupport::remakeInPlace(other, &game);
    EXPECT_EQ(&fresh, old);
    EXPECT_NE(fresh.playerId(), oldId) << "an id is never given twice";
    fresh.setWorld(world.get());
    return fresh;
  }

  std::unique_ptr<PlayerDesktopLocal> other;
};

TEST_F(PlayerIdentityTest, ANewPlayerAtAnOldOnesAddressHasChosenNoPortalAndLiesInNoBed) {
  const PortalRecord portal{0, 16, 6, 6, 0};
  PortalChoices choices;
  BedRoll beds;
  const std::vector<PlayerBase*> present{player.get(), other.get()};
  choices.choose(*other, portal, present);
  beds.lieDown(*other, true, present);
  ASSERT_EQ(choices.chosenBy(*other), &portal);
  ASSERT_TRUE(beds.inBed(*other));

  Player& fresh = remakeOther();
  EXPECT_EQ(choices.chosenBy(fresh), nullptr);
  EXPECT_FALSE(beds.inBed(fresh));
}

}  // namespace
}  // namespace game_test
