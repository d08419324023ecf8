// Using a portal with others present: the player who enters first is shown the travel dialog and
// waits; once every present player has chosen the same portal they travel, the rules' own player
// last. Alone, the player travels at once.

#include <vector>

#include "game/rules/portal_rules.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

constexpr uint32_t kHere = 0;
constexpr uint32_t kElsewhere = 16;

class WaitingEvents final : public PlayerEvents {
 public:
  void portalTravelDialog(uint32_t planet) override { dialogs.push_back(planet); }
  std::vector<uint32_t> dialogs;
};

class PortalWaitTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    other = std::make_unique<PlayerDesktopLocal>(&game, &waiting);
    other->setWorld(world.get());
    portals.push_back({kHere, kElsewhere, 6, 6, 0});
  }
  void TearDown() override {
    other.reset();
    GameTest::TearDown();
  }
  bool use(PlayerBase& who, const std::vector<PlayerBase*>& present) {
    return usePortal(who, portals, kHere, *world->map().cellAt(6, 6), choices, present,
                     [this](PlayerBase& p, const PortalRecord&) { travelled.push_back(&p); });
  }

  std::unique_ptr<PlayerDesktopLocal> other;
  std::vector<PortalRecord> portals;
  PortalChoices choices;
  std::vector<PlayerBase*> travelled;
  WaitingEvents waiting;
  PlayerEvents& playerSink() override { return waiting; }
};

TEST_F(PortalWaitTest, TheFirstToEnterWaitsWithTheDialogUntilEveryoneHasChosenThePortal) {
  const std::vector<PlayerBase*> present{player.get(), other.get()};
  EXPECT_FALSE(use(*player, present));
  EXPECT_EQ(waiting.dialogs, std::vector<uint32_t>{kElsewhere}) << "the dialog names the portal's planet";
  EXPECT_TRUE(travelled.empty());
  EXPECT_TRUE(use(*other, present));
  EXPECT_EQ(travelled, (std::vector<PlayerBase*>{other.get(), player.get()})) << "the rules' own player goes last";
  EXPECT_EQ(waiting.dialogs.size(), 1u);
  EXPECT_EQ(choices.chosenBy(*player), nullptr) << "the choices are cleared for the next time";
}

TEST_F(PortalWaitTest, APlayerAloneTravelsAtOnceWithoutTheDialog) {
  EXPECT_TRUE(use(*player, {player.get()}));
  EXPECT_EQ(travelled, std::vector<PlayerBase*>{player.get()});
  EXPECT_TRUE(waiting.dialogs.empty());
}

}  // namespace
}  // namespace game_test
