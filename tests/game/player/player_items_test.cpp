// The player's held-item rules: tool wear, break power and reach.

#include "content/tables/item_def.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

class PlayerItemsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    player->setCell(10, 5);
    tools.resize(1);
    setTool(0, kPick, 2.5f, 0b00101, 3);
    contentTables().itemDefs[kPick].record.bytes[content::item_record::reach] = 3;
  }
  void setTool(size_t row, uint16_t id, float power, uint16_t capabilities, uint16_t durability) {
    ToolSpec& tool = tools[row];
    std::memcpy(tool.bytes.data() + content::tool_record::power, &power, 4);
    tool.bytes[content::tool_record::capabilities] = static_cast<uint8_t>(capabilities);
    tool.bytes[content::tool_record::maxDurability] = static_cast<uint8_t>(durability);
    contentTables().itemDefs[id].tool = &tool;
  }
  void hold(uint16_t id) {
    player->inventory->setSlot({SlotKind::Quick, 1, 0}, ItemPtr(id == ITEM_NONE ? nullptr : newItem(id, 0, 1, -1, 0)));
    player->inventory->select(1);
  }
  void requirement(uint16_t block, uint16_t bits) {
    contentTables().blockDefs[block].record.bytes[content::block_record::useKind] = static_cast<uint8_t>(bits);
  }

  std::vector<ToolSpec> tools;
};

TEST_F(PlayerItemsTest, BreakPowerByHeldItemAndTheBlocksRequirement) {
  requirement(50, 0b00000);  // anything breaks it
  requirement(51, 0b00001);  // needs capability 0
  requirement(52, 0b00011);  // needs capabilities 0 and 1
  put(11, 5, 50);
  put(12, 5, 51);
  put(13, 5, 52);
  const struct {
    uint16_t held;
    int32_t x;
    float power;
  } cases[] = {
      {ITEM_NONE, 11, 0.35f}, {kStone, 11, 0.45f}, {kPick, 12, 2.5f},
      {kPick, 13, 0.45f},     {kStone, 12, 0.45f},
  };
  for (const auto& c : cases) {
    hold(c.held);
    EXPECT_FLOAT_EQ(player->breakTimeFor(at(c.x, 5)), c.power) << c.held << " at " << c.x;
  }
}

TEST_F(PlayerItemsTest, ReachIsTakenTheShortWayRoundTheWorld) {
  player->setCell(0, 5);
  hold(ITEM_NONE);
  EXPECT_TRUE(player->isNextToCell(at(kWidth - 1, 6)));
  EXPECT_TRUE(player->canReach(at(kWidth - 1, 5), nullptr));
  EXPECT_FALSE(player->canReach(at(kWidth - 2, 5), nullptr));
  const Item pick(kPick, 0, 1, 0, 0);
  EXPECT_TRUE(player->canReach(at(kWidth - 3, 8), &pick));
  EXPECT_FALSE(player->canReach(at(kWidth - 4, 5), &pick));
}

TEST_F(PlayerItemsTest, ToolsWearDownAndBreak) {
  hold(kPick);
  player->wearTool(1);
  player->wearTool(1);
  EXPECT_EQ(player->heldItem()->durability, 1);
  EXPECT_TRUE(events.stats.empty());
  player->wearTool(1);
  ASSERT_EQ(events.stats.size(), 1u);
  EXPECT_EQ(events.stats[0].id, Player::kStatToolBroken);
  hold(kStone);
  player->wearTool(1);
  EXPECT_EQ(events.stats.size(), 1u);
}

TEST_F(PlayerItemsTest, TheSelectedSlotIsTheQuickSlotHeldAndNoneWithoutASelection) {
  const PlayerBase& asBody = *player;
  hold(kPick);
  EXPECT_EQ(asBody.selectedSlot(), 1);
  player->inventory->select(7);
  EXPECT_EQ(asBody.selectedSlot(), 7);
  player->inventory->select(Inventory::kQuickSlots);
  EXPECT_EQ(asBody.selectedSlot(), PlayerBase::kNoSlot) << "past the quick slots: nothing selected";
  Player bare(&game);
  bare.inventory.reset();
  EXPECT_EQ(bare.selectedSlot(), PlayerBase::kNoSlot) << "no inventory, no slot";
  const PlayerBase bodyOnly(world.get(), false);
  EXPECT_EQ(bodyOnly.selectedSlot(), PlayerBase::kNoSlot);
}

}  // namespace
}  // namespace game_test
