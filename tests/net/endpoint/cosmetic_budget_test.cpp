// The host's budget for what it passes on of a client's cosmetic messages: an honest game, entering
// with every buff a player can have and then sending the most it sends each frame, is never cut;
// a flood is cut to the budget, and the budget comes back with time.

#include "net/endpoint/host/cosmetic_budget.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

class CosmeticBudgetTest : public ::testing::Test {
 protected:
  int passed(uint8_t peer, int messages) {
    int count = 0;
    for (int i = 0; i < messages; ++i) count += budget.spend(peer) ? 1 : 0;
    return count;
  }
  void wait(double seconds) {
    now += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  }

  Clock::time_point now = Clock::time_point() + std::chrono::hours(1);
  host::CosmeticBudget budget{[this] { return now; }};
};

TEST_F(CosmeticBudgetTest, AnHonestGameIsNeverCut) {
  // Entering: look, held item, ten worn items, mode, and one effect for each of the 110 potions.
  EXPECT_EQ(passed(1, 13 + 110), 13 + 110);
  // Then ten seconds of the busiest play: a swing, a cell effect, a held, a worn and a mode change
  // every frame.
  for (int frame = 0; frame < 600; ++frame) {
    wait(1.0 / 60);
    ASSERT_EQ(passed(1, 5), 5) << "frame " << frame;
  }
}

TEST_F(CosmeticBudgetTest, AFloodIsCutToTheBudgetForItsSenderAlone) {
  EXPECT_EQ(passed(1, 200000), static_cast<int>(host::CosmeticBudget::kMost));
  EXPECT_EQ(passed(2, 10), 10) << "another client's budget is her own";
  wait(1.0);
  EXPECT_EQ(passed(1, 200000), static_cast<int>(host::CosmeticBudget::kPerSecond)) << "a second's worth later";
  budget.forget(1);
  EXPECT_EQ(passed(1, 200000), static_cast<int>(host::CosmeticBudget::kMost)) << "a newcomer under the id starts afresh";
}

}  // namespace
