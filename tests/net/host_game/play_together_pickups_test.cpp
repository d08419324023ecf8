// A joined player's pickups land where they land alone, over real ENet on 127.0.0.1: with the
// first quick slots full, a stack the host hands her goes to the next empty quick slot, never to
// the backpack while her quick row has room.

#include <gtest/gtest.h>

#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

using PlayTogetherPickups = PlayTogether;

TEST_P(PlayTogetherPickups, HerPickupsFillTheQuickRowBeforeTheBackpack) {
  const std::vector<uint16_t> ids = stackingItems(7);
  ASSERT_EQ(ids.size(), 7u);
  // Her first six slots hold her kit; the last four are empty.
  for (uint8_t slot = 0; slot < 6; ++slot) carry(*ann, slot, ids[slot], 1);
  const uint16_t picked = ids[6];
  onHost(kAnn).giveItem(Item(picked, 0, 3, 0, 0));
  ASSERT_TRUE(runUntil([&] { return !carriedSlot(ann->inventory(), picked).isNone(); })) << "the stack reaches her";
  const SlotRef slot = carriedSlot(ann->inventory(), picked);
  EXPECT_EQ(slot.kind, SlotKind::Quick) << "it went to the backpack while her quick row had room";
  EXPECT_EQ(slot.x, 6);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherPickups, ::testing::Values(false));

}  // namespace
}  // namespace nettest
