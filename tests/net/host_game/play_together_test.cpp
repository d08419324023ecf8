// A host and two joined players in one process, playing together as the program plays: the
// hosting game's rules and endpoint on one side, two joined games (each its endpoint, its game and
// its local player, built from the world the host sends) on the other. They meet over real ENet on
// 127.0.0.1, then over the stand-in store-front hub. Each sees the others walk, mine, place and
// chat; one uses a chest; the two trade standing at it; one drops a stack at her feet and has it
// back, then throws it, and the other picks it up.
// Every item is accounted for before and after, and every world agrees cell for cell.

#include <gtest/gtest.h>

#include <utility>

#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

TEST_P(PlayTogether, TwoPlayersAndTheHostWalkMinePlaceChatUseAChestTradeAndShareADrop) {
  const std::vector<uint16_t> ids = stackingItems(2);
  ASSERT_EQ(ids.size(), 2u);
  const uint16_t stone = ids[0];
  const uint16_t apple = ids[1];
  carry(*ann, 0, stone, 6);
  carry(*ann, 1, apple, 2);
  carry(*bo, 0, apple, 3);
  give(*hostPlayer().inventory, 0, stone, 1);
  expectSameWorlds();

  // Each newcomer met the players already in: Bo knows where Ann and the host stand.
  ASSERT_NE(bo->net.remotePlayer(kAnn), nullptr);
  ASSERT_NE(bo->net.remotePlayer(0), nullptr);
  ASSERT_NE(ann->net.remotePlayer(kBo), nullptr);

  // Walking: Ann goes next to the ground she will mine; Bo and the host see her there.
  MapBlock& annStands = standingRoom(column + 2);
  walk(*ann, annStands);
  ASSERT_TRUE(runUntil([&] {
    const PlayerBase* copy = bo->net.remotePlayer(kAnn);
    return copy->cellX == annStands.x && copy->cellY == annStands.y && onHost(kAnn).cellX == annStands.x;
  })) << "Bo and the host see Ann walk";

  // Mining and placing: the host's rules decide, everyone's world follows. Each holds what the
  // change takes: a tool that breaks the ground, the item of the block placed.
  ItemPtr tool = toolBreaking(ground->frontId());
  ASSERT_NE(tool, nullptr);
  carryTool(*ann, 3, std::move(tool));
  hold(*ann, 3);
  edit(*ann, edit_kind::kRemoveLayer, *ground, 0);
  ASSERT_TRUE(runUntil([&] {
    return ground->frontId() == 0 && bo->world()->cellAt(ground->x, ground->y)->frontId() == 0 &&
           ann->world()->cellAt(ground->x, ground->y)->frontId() == 0;
  })) << "Ann mined, and Bo's world shows it";
  MapBlock& boStands = *hostWorld->cellAt(column - 2, groundIn(column - 2)->y + 1);
  walk(*bo, boStands);
  MapBlock& placed = *hostWorld->cellAt(boStands.x, boStands.y + 1);
  ASSERT_EQ(placed.frontId(), 0);
  const BlockItem placer = stackingBlockItem();
  ASSERT_NE(placer.item, 0);
  carry(*bo, 2, placer.item, 1);
  hold(*bo, 2);
  edit(*bo, edit_kind::kSetLayerBlock, placed, placer.block);
  ASSERT_TRUE(runUntil([&] { return ann->world()->cellAt(placed.x, placed.y)->frontId() == placer.block; }))
      << "Bo placed, and Ann's world shows it";

  // Chat: said once, heard by the other player and shown on the host's console.
  ann->game().submitChatLine("Meet me at the chest");
  ASSERT_TRUE(runUntil([&] {
    return std::find(bo->log.messages.begin(), bo->log.messages.end(), "[Ann] Meet me at the chest") != bo->log.messages.end();
  }));
  EXPECT_NE(std::find(hostNotices.lines.begin(), hostNotices.lines.end(), "[Ann] Meet me at the chest"),
            hostNotices.lines.end());

  // From here on the items only change hands: the chest, the trade and the drop.
  settle();
  const std::map<uint16_t, uint32_t> before = everyItem();

  // A chest beside Ann: she opens it, puts her apples in and closes it.
  MapBlock& chestCell = standingRoom(annStands.x + 1);
  Chest& chest = placeChest(chestCell, 8);
  useChest(*ann, chestCell);
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(ann->player().openContainer()) != nullptr; }));
  auto& copy = dynamic_cast<Chest&>(*ann->player().openContainer());
  copy.setItem(0, ann->inventory().takeSlot({SlotKind::Quick, 1, 0}));
  ASSERT_TRUE(runUntil([&] { return chest.itemAt(0) != nullptr && chest.itemAt(0)->id == apple; }));
  EXPECT_EQ(chest.itemAt(0)->count, 2);
  ann->game().closeContainer();
  ASSERT_TRUE(runUntil([&] { return !chest.inUse(); }));

  // Bo comes to the chest and the two trade there: Ann's stones for Bo's apples.
  MapBlock& boAtChest = standingRoom(chestCell.x + 1);
  walk(*bo, boAtChest);
  ASSERT_TRUE(runUntil([&] { return ann->net.remotePlayer(kBo)->cellX == boAtChest.x && onHost(kBo).cellX == boAtChest.x; }));
  ann->game().requestTrade(ann->net.remotePlayer(kBo));
  ASSERT_TRUE(runUntil([&] { return !bo->log.asked.empty(); }));
  EXPECT_EQ(bo->log.asked[0].name, "Ann");
  bo->game().answerTrade(trade::kAccept, bo->log.asked[0].askedAs, bo->log.asked[0].asking);
  ASSERT_TRUE(runUntil([&] { return ann->inventory().trade() != nullptr && bo->inventory().trade() != nullptr; }));
  EXPECT_EQ(ann->inventory().trade()->partner(), "Bo");
  ASSERT_TRUE(ann->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(bo->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(runUntil([&] {
    return ann->inventory().trade()->otherOffer(0) != nullptr && bo->inventory().trade()->otherOffer(0) != nullptr;
  }));
  ann->inventory().trade()->setReady(true);
  bo->inventory().trade()->setReady(true);
  ASSERT_TRUE(runUntil([&] { return ann->inventory().trade() == nullptr && bo->inventory().trade() == nullptr; }));
  EXPECT_EQ(ann->inventory().countItems(apple, false, true), 3u);
  EXPECT_EQ(ann->inventory().countItems(stone, false, true), 0u);
  EXPECT_EQ(bo->inventory().countItems(stone, false, true), 6u);
  EXPECT_TRUE(session->game().trades()->sessions().empty());

  // Ann drops her apples at her feet: they come to rest on her cell, and a player standing where
  // an item settles takes it, so she has them back.
  walk(*ann, annStands);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == annStands.x; }));
  const auto applesLying = [&] {
    TreasureEntity* found = nullptr;
    session->entities().lists().forEach([&](RealEntity& entity) {
      auto* treasure = dynamic_cast<TreasureEntity*>(&entity);
      if (treasure != nullptr && treasure->item().id == apple) found = treasure;
    });
    return found;
  };
  const auto takeApples = [&] {
    return ann->inventory().takeSlot(slotWith(ann->inventory(), apple));
  };
  ItemPtr dropped = takeApples();
  ASSERT_NE(dropped, nullptr);
  ann->game().dropItem(std::move(dropped));
  ASSERT_TRUE(runUntil([&] { return applesLying() != nullptr; }));
  ASSERT_TRUE(runUntil([&] {
    return applesLying() == nullptr && ann->inventory().countItems(apple, false, true) == 3u;
  })) << "the apples that settled at her feet are hers again";

  // Then she throws them away from her, up to the left (the chest stands on her right); Bo walks
  // over them and picks them up.
  ItemPtr thrown = takeApples();
  ASSERT_NE(thrown, nullptr);
  ann->game().throwItem(std::move(thrown), 5.0f, 2.6f, 0);
  TreasureEntity* lying = nullptr;
  ASSERT_TRUE(runUntil([&] {
    lying = applesLying();
    return lying != nullptr && !lying->data.moving && bo->world()->effects().entityById(lying->id()) != nullptr;
  })) << "the throw lies still in the host's world and Bo sees it";
  MapBlock* dropCell = lying->data.cell;
  ASSERT_NE(dropCell, nullptr);
  ASSERT_NE(dropCell->x, annStands.x) << "it flew away from her";
  const EntityId pickedUp = lying->id();  // the entity goes once taken
  walk(*bo, *dropCell);
  ASSERT_TRUE(runUntil([&] { return bo->inventory().countItems(apple, false, true) == 3u; }))
      << "Bo picked the apples up";
  ASSERT_TRUE(runUntil([&] { return ann->world()->effects().entityById(pickedUp) == nullptr; }))
      << "and they are gone from Ann's world";

  settle();
  EXPECT_EQ(everyItem(), before) << "nothing was created or lost";
  expectSameWorlds();
}

INSTANTIATE_TEST_SUITE_P(Transports, PlayTogether, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& transport) {
                           return transport.param ? "OverTheStandInHub" : "OverEnet";
                         });

}  // namespace
}  // namespace nettest
