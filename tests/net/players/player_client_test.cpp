// A client's copy of another player: the held and worn items it shows, and the motion records
// that move it, through the wire's own layout.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "net/players/player_client.h"
#include "net/players/player_records.h"
#include "net/wire/wire_check.h"
#include "net/wire/wire_in.h"
#include "net/wire/wire_out.h"
#include "tests/world/world_recorders.h"
#include "tests/support/item_pool_probe.h"

namespace {

class PlayerClientTest : public world_test::EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    player = std::make_unique<PlayerClientDesktop>(world.get());
  }
  void TearDown() override {
    player.reset();
    EditWorldTest::TearDown();
  }
  // The record as [2][20] carries it from the host, checked as a client checks it, then read.
  static std::optional<MotionEvent> throughTheWire(const MotionEvent& motion) {
    wire::WireOut out(wire::outgoing(20, wire::Side::Host));
    out.peer(1);
    player_record::writeMotion(out, motion);
    const wire::Checked checked = wire::checkIncoming(out.bytes(), wire::Side::Client);
    if (!checked.accepted()) return std::nullopt;
    wire::WireIn in(*checked.spec, out.bytes());
    in.peer();
    return player_record::readMotion(in);
  }

  std::unique_ptr<PlayerClientDesktop> player;
};

}  // namespace

TEST_F(PlayerClientTest, AMotionRecordCrossesTheWireWhole) {
  const MotionEvent motion{MotionEvent::kRight, MotionEvent::kPressed, 95.5f, 130.25f, 3.0f, -1.5f, 0.75f, -0.4f};
  const std::optional<MotionEvent> read = throughTheWire(motion);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->code, motion.code);
  EXPECT_EQ(read->phase, motion.phase);
  for (auto field : {&MotionEvent::x, &MotionEvent::y, &MotionEvent::vx, &MotionEvent::vy, &MotionEvent::ax,
                     &MotionEvent::ay}) {
    EXPECT_EQ(std::bit_cast<uint32_t>((*read).*field), std::bit_cast<uint32_t>(motion.*field));
  }
}

TEST_F(PlayerClientTest, AMotionRecordWithANumberThatIsNotFiniteIsRefused) {
  const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
  for (float value : bad) {
    for (auto field : {&MotionEvent::x, &MotionEvent::y, &MotionEvent::vx, &MotionEvent::vy, &MotionEvent::ax,
                       &MotionEvent::ay}) {
      MotionEvent motion{MotionEvent::kLeft, MotionEvent::kPressed, 1, 2, 3, 4, 5, 6};
      motion.*field = value;
      EXPECT_FALSE(throughTheWire(motion).has_value());
    }
  }
}

TEST_F(PlayerClientTest, AMotionRecordMovesTheCopyToItsCellAndHoldsItsKey) {
  player->applyMotionState({MotionEvent::kRight, MotionEvent::kPressed, 150.0f, 90.0f, 2.0f, 0.5f, 0, 0});
  EXPECT_EQ(player->position.x, 150.0f);
  EXPECT_EQ(player->cellX, 5u);
  EXPECT_EQ(player->cellY, 3u);
  EXPECT_EQ(player->body().velocity.x, 2.0f);
  EXPECT_EQ(player->body().hKey, 1) << "the right key is held until its release comes";
  player->applyMotionState({MotionEvent::kRight, MotionEvent::kReleased, 155.0f, 90.0f, 0, 0, 0, 0});
  EXPECT_EQ(player->body().hKey, PlayerBody::kNoKey);
  player->applyMotionState({MotionEvent::kPush, MotionEvent::kPushPhase, 155.0f, 90.0f, 0, 0, 4.0f, 1.0f});
  EXPECT_EQ(player->body().impulse.x, 4.0f);
  EXPECT_EQ(player->body().impulse.y, 1.0f);
  player->applyMotionState({MotionEvent::kLeft, MotionEvent::kPressed, 155.0f, 9000.0f, 0, 0, 0, 0});
  EXPECT_EQ(player->cellY, 3u) << "a point above the map keeps the last cell";
}

TEST_F(PlayerClientTest, TheCopyShowsTheItemsItIsToldOfAndFreesTheOldOnes) {
  player->heldItemChanged(newItem(40, 0, 3, 0, 0), 2);
  player->heldItemChanged(newItem(41, 0, 1, 0, 0), 5);
  ASSERT_NE(player->heldItem(), nullptr);
  EXPECT_EQ(player->heldItem()->id, 41);
  EXPECT_EQ(player->selectedSlot(), 5);
  player->setEquipment(newItem(300, 0, 1, 0, 0), 1, 4);
  player->setEquipment(newItem(301, 0, 1, 0, 0), 2, 0);
  player->setEquipment(newItem(302, 0, 1, 0, 0), 0, 5);
  EXPECT_EQ(player->wornItem(1, 4)->id, 300);
  EXPECT_EQ(player->wornItem(0, 4), nullptr);
  EXPECT_EQ(player->getEquipment(false, 5), nullptr) << "past the five of a part";
  const size_t freeBefore = freeItemSlots();
  player.reset();
  EXPECT_EQ(freeItemSlots(), freeBefore + 2) << "the copy kept the held item and one worn item";
}
