// What the player's shots use up: a thrown ball leaves the hand one at a time, so the balls lying
// about and the balls held always add up to the stack there was; a bow spends its arrows from the
// ammunition slot and stays in the hand; a rod spends nothing when it casts.

#include <gtest/gtest.h>

#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"
#include "game/inventory/inventory.h"
#include "tests/game/session/mob_session_fixture.h"

namespace game_test {
namespace {

constexpr uint16_t kBall = 120;
constexpr uint16_t kBow = 775;     // takes arrows
constexpr uint16_t kArrow = 916;
constexpr SlotRef kHand{SlotKind::Quick, 0, 0};
constexpr SlotRef kAmmunition{SlotKind::Single, 0, 0};

class ShotCostTest : public ShotAndCatchTest {
 protected:
  void TearDown() override {
    for (uint16_t id : {kBall, kBow, kArrow}) contentTables().itemDefs[id].rangedSpec = nullptr;
    ShotAndCatchTest::TearDown();
  }
  static RangedSpec rangedRow(bool needsAmmunition) {
    namespace r = content::ranged_record;
    RangedSpec row;
    row.bytes[r::bulletRow] = kArrowRow;
    row.bytes[r::ammunition] = row.bytes[r::ammunition + 1] = 0xFF;
    row.bytes[r::sound] = row.bytes[r::sound + 1] = 0xFF;
    row.bytes[r::needsAmmunition] = needsAmmunition ? 1 : 0;
    return row;
  }
  void hold(uint16_t id, uint16_t count) {
    player().inventory->setSlot(kHand, makeItem(id, count));
    player().inventory->select(0);
  }
  uint16_t countIn(SlotRef slot) {
    const Item* item = player().inventory->slotItem(slot);
    return item != nullptr && !item->isNone() ? item->count : 0;
  }
  void shoot() { session.game().shoot(2, 1); }
};

TEST_F(ShotCostTest, ThrownBallsLeaveTheHandOneAtATime) {
  defineItem(kBall, 6, true);
  defineArrow(0, 0, 0);
  namespace b = content::bullet_record;
  contentTables().bulletDefs[kArrowRow].bytes[b::thrownItem] = kBall & 0xFF;
  contentTables().bulletDefs[kArrowRow].bytes[b::thrownItem + 1] = kBall >> 8;
  RangedSpec ball = rangedRow(false);
  contentTables().itemDefs[kBall].rangedSpec = &ball;
  hold(kBall, 2);
  shoot();
  EXPECT_EQ(countIn(kHand), 1);
  shoot();
  EXPECT_EQ(countIn(kHand), 0) << "the last one is gone from the hand";
  EXPECT_EQ(lists().treasures().size(), 2u) << "both lie in the world";
  shoot();
  EXPECT_EQ(lists().treasures().size(), 2u) << "an empty hand throws nothing";
}

TEST_F(ShotCostTest, ABowSpendsItsArrowsAndStaysInTheHand) {
  defineItem(kBow, 6, false);
  defineItem(kArrow, 7, true);
  defineArrow(1, 0, 0);
  RangedSpec bow = rangedRow(true);
  RangedSpec arrow = rangedRow(false);
  contentTables().itemDefs[kBow].rangedSpec = &bow;
  contentTables().itemDefs[kArrow].rangedSpec = &arrow;
  hold(kBow, 1);
  player().inventory->setSlot(kAmmunition, makeItem(kArrow, 2));
  shoot();
  shoot();
  EXPECT_EQ(lists().bullets().size(), 2u);
  EXPECT_EQ(countIn(kAmmunition), 0);
  EXPECT_EQ(countIn(kHand), 1) << "the bow is kept";
  shoot();
  EXPECT_EQ(lists().bullets().size(), 2u) << "no arrow, no shot";
}

}  // namespace
}  // namespace game_test
