// The host's budget for each kind of message a client sends: every kind she can send has its row;
// an honest game at its busiest (typing, mashing keys, a death dropping all she carries, walking over
// a pile of items) is never cut; a flood is cut to the kind's allowance for its sender and kind
// alone, and the allowance comes back with time and for a newcomer.

#include "net/endpoint/host/request_budget.h"

#include <gtest/gtest.h>

#include <chrono>

#include "game/inventory/inventory.h"
#include "net/wire/wire_catalogue.h"
#include "net/wire/wire_messages.h"

namespace {

using Clock = std::chrono::steady_clock;

class RequestBudgetTest : public ::testing::Test {
 protected:
  template <wire::MessageId E>
  int passed(uint8_t peer, E kind, int messages) {
    int count = 0;
    for (int i = 0; i < messages; ++i) count += budget.spend(peer, wire::idOf(kind)) ? 1 : 0;
    return count;
  }
  void wait(double seconds) {
    now += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  }
  template <wire::MessageId E>
  static int most(E kind) {
    return static_cast<int>(host::RequestBudget::of(wire::idOf(kind)).allowance.most);
  }

  Clock::time_point now = Clock::time_point() + std::chrono::hours(1);
  host::RequestBudget budget{[this] { return now; }};
};

TEST_F(RequestBudgetTest, EveryKindAClientSendsHasItsRow) {
  for (const wire::MessageSpec& row : wire::catalogue()) {
    if (!row.receivedBy(wire::Side::Host)) continue;
    const host::KindAllowance& kind = host::RequestBudget::of(row.id);
    EXPECT_TRUE(kind.known) << row.name;
    EXPECT_GE(kind.allowance.most, 1) << row.name;
    EXPECT_GT(kind.allowance.perSecond, 0) << row.name;
  }
  EXPECT_EQ(host::RequestBudget::of(wire::idOf(wire::PlayerMsg::PlayerMotion)).overflow, host::Overflow::KeepLatest)
      << "her latest motion record carries her whole place";
}

TEST_F(RequestBudgetTest, AnHonestGameIsNeverCut) {
  // A minute of typing a line a second, a few pasted at once first.
  EXPECT_EQ(passed(1, wire::PlayerMsg::Chat, 5), 5);
  for (int second = 0; second < 60; ++second) {
    wait(1.0);
    ASSERT_EQ(passed(1, wire::PlayerMsg::Chat, 1), 1) << "second " << second;
  }
  // Ten seconds of mashing keys: a press and a release every frame.
  for (int frame = 0; frame < 600; ++frame) {
    wait(1.0 / 60);
    ASSERT_EQ(passed(1, wire::PlayerMsg::PlayerMotion, 2), 2) << "frame " << frame;
  }
  // A death on the hardest difficulty drops every stack she carries, a message each, in one frame.
  EXPECT_EQ(passed(1, wire::PlayerMsg::DropItem, Inventory::kStacksDroppedAtMost), Inventory::kStacksDroppedAtMost);
  // A pile of two hundred items on the cell she walks over, and a lever flipped ten times a second.
  EXPECT_EQ(passed(1, wire::EntityMsg::ItemTaken, 200), 200);
  for (int flip = 0; flip < 100; ++flip) {
    wait(0.1);
    ASSERT_EQ(passed(1, wire::PlayerMsg::UseBlock, 1), 1) << "flip " << flip;
  }
}

TEST_F(RequestBudgetTest, AFloodIsCutForItsSenderAndKindAlone) {
  EXPECT_EQ(passed(1, wire::PlayerMsg::Chat, 100000), most(wire::PlayerMsg::Chat));
  EXPECT_EQ(passed(1, wire::PlayerMsg::UseBlock, 5000), most(wire::PlayerMsg::UseBlock)) << "each kind its own";
  EXPECT_EQ(passed(2, wire::PlayerMsg::Chat, 3), 3) << "another client's budget is her own";
  wait(1.0);
  EXPECT_EQ(passed(1, wire::PlayerMsg::Chat, 100000), 2) << "a second's worth of typing later";
  budget.forget(1);
  EXPECT_EQ(passed(1, wire::PlayerMsg::Chat, 100000), most(wire::PlayerMsg::Chat)) << "a newcomer under the id";
}

TEST_F(RequestBudgetTest, AClockThatStepsBackRefillsNothing) {
  EXPECT_EQ(passed(1, wire::PlayerMsg::Chat, 100), most(wire::PlayerMsg::Chat));
  wait(-60.0);
  EXPECT_EQ(passed(1, wire::PlayerMsg::Chat, 100), 0);
  wait(60.0);
  EXPECT_EQ(passed(1, wire::PlayerMsg::Chat, 100), 0) << "back where it was: no time has passed since";
}

}  // namespace
