// Travelling through a portal in a game played alone: a cell without a portal of this planet and
// a portal back to this planet are refused with their texts; a portal elsewhere saves the world
// and starts the game again in the target planet's world, arriving at the partner portal's cell.

#include "game/session/game_slots.h"
#include "tests/game/session/session_fixture.h"
#include "world/map/world_map.h"
#include "world/portals/portal_list.h"

namespace game_test {
namespace {

constexpr uint32_t kHere = 0;  // the fixture world's planet
constexpr uint32_t kElsewhere = 16;

class PortalTravelTest : public SessionTest {
 protected:
  void TearDown() override {
    portalList().records().clear();
    SessionTest::TearDown();
  }
  void addRecord(uint32_t planet, uint16_t x, uint16_t y, uint32_t target, uint32_t link) {
    portalList().records().push_back({planet, target, x, y, link});
  }
  bool use(int32_t x, int32_t y) { return rules.usePortal(&local(), theWorld().cellAt(x, y)); }
  int lastText() const { return events.texts.empty() ? -1 : events.texts.back().id; }
};

TEST_F(PortalTravelTest, NoPortalOfThisPlanetOrOneBackToItIsRefused) {
  addRecord(kElsewhere, 6, 6, kHere, packPortalCell(20, 9));  // stands on another planet
  addRecord(kHere, 8, 6, kHere, packPortalCell(20, 9));
  addRecord(kHere, 8, 6, kElsewhere, packPortalCell(20, 9));  // only the first record counts
  for (const auto& [x, text] : {std::pair{6, 140}, std::pair{7, 140}, std::pair{8, 138}}) {
    EXPECT_FALSE(use(x, 6)) << x;
    EXPECT_EQ(lastText(), text) << x;
    EXPECT_EQ(events.texts.back().kind, 3);
  }
  EXPECT_TRUE(saves.worldIndexes.empty());
  EXPECT_EQ(saves.characterSaves, 0) << "nothing is saved for a refusal";
}

TEST_F(PortalTravelTest, APortalElsewhereTakesThePlayerToItsPlanetsWorld) {
  game.started = true;
  addRecord(kHere, 6, 6, kElsewhere, packPortalCell(20, 9));
  ASSERT_TRUE(use(6, 6));
  EXPECT_TRUE(events.texts.empty());
  EXPECT_EQ(saves.characterSaves, 1);
  EXPECT_EQ(saves.worldIndexes, (std::vector<uint32_t>{kElsewhere}));
  ASSERT_TRUE(game.pendingTravel().has_value());
  EXPECT_EQ(game.pendingTravel()->column, 20);
  EXPECT_EQ(game.pendingTravel()->row, 9);
  EXPECT_TRUE(slotTaken(game_slot::kStartLoading)) << "the target world's file is read next";
}

}  // namespace
}  // namespace game_test
