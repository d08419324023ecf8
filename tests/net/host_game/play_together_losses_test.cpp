// Playing together loses nothing for an honest player, over real ENet on 127.0.0.1: a placement
// spends the placed item even when the player moves on to another slot before the host answers; a
// chest a player had open when its game went away opens for the others; a player who joins while
// the world is being built ends with the host's cells; and the host counts a friend's joining among
// its achievements.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "game/rules/player_rules.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

class PlayTogetherLosses : public PlayTogether {
 protected:
  // Empty cells within the joined player's placing reach, none of them her own.
  std::vector<MapBlock*> emptyCellsNear(const MapBlock& stands, size_t count) {
    std::vector<MapBlock*> cells;
    for (int32_t dy = 3; dy >= -2 && cells.size() < count; --dy) {
      for (int32_t dx = -4; dx <= 4 && cells.size() < count; ++dx) {
        MapBlock* cell = hostWorld->cellAt(stands.x + dx, stands.y + dy);
        const bool hers = dx == 0 && (dy == 0 || dy == 1);
        if (cell != nullptr && !hers && cell->frontId() == 0 && cell->backId() == 0) cells.push_back(cell);
      }
    }
    return cells;
  }
};

TEST_P(PlayTogetherLosses, ASlotChangedRightAfterPlacingStillSpendsWhatWasPlaced) {
  const BlockItem blockItem = stackingBlockItem();
  const uint16_t block = blockItem.block;
  const uint16_t placer = blockItem.item;
  ASSERT_NE(placer, 0);
  carry(*ann, 0, placer, 4);
  carry(*ann, 1, stackingItems(1)[0], 1);
  MapBlock& annStands = standingRoom(column + 2);
  walk(*ann, annStands);
  hold(*ann, 0);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == annStands.x && onHost(kAnn).heldItem() != nullptr; }));
  const std::vector<MapBlock*> cells = emptyCellsNear(annStands, 4);
  ASSERT_EQ(cells.size(), 4u);

  for (MapBlock* cell : cells) {
    // The placement and the next slot leave together: the host answers for slot 0 once she holds 1.
    edit(*ann, edit_kind::kSetLayerBlock, *cell, block);
    hold(*ann, 1);
    ASSERT_TRUE(runUntil([&] { return ann->world()->cellAt(cell->x, cell->y)->frontId() == block; }));
    settle();
    hold(*ann, 0);
  }
  settle();
  EXPECT_EQ(ann->inventory().countItems(placer, false, true), 0u) << "four placed, four spent";
  for (MapBlock* cell : cells) EXPECT_EQ(cell->frontId(), block);
  expectSameWorlds();
}

TEST_P(PlayTogetherLosses, AChestOpenWhenItsPlayerDropsOutOpensForTheOthers) {
  MapBlock& annStands = standingRoom(column + 2);
  walk(*ann, annStands);
  walk(*bo, annStands);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == annStands.x && onHost(kBo).cellX == annStands.x; }));
  MapBlock& chestCell = *hostWorld->cellAt(annStands.x + 1, annStands.y);
  Chest& chest = placeChest(chestCell, 8);
  useChest(*ann, chestCell);
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(ann->player().openContainer()) != nullptr; }));
  ASSERT_TRUE(chest.inUse());

  loseConnection(*ann, kAnn);
  EXPECT_FALSE(chest.inUse()) << "nobody holds it open any more";
  useChest(*bo, chestCell);
  EXPECT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(bo->player().openContainer()) != nullptr; }))
      << "Bo opens the chest Ann had open";
}

// Every frame of Cy's join, from her connection to her entry, the host's world changes: the blocks
// come and go on the same cells, so that changes fall before the copy of her cells, between the
// copy and her world's header (the copy is taken one frame and sent a later one), and between the
// header and her entry.
TEST_P(PlayTogetherLosses, AClientJoiningWhileTheWorldIsBuiltEndsWithTheHostsCells) {
  const uint16_t block = stackingBlockItem().block;
  const std::vector<MapBlock*> cells = emptyCellsNear(*hostWorld->cellAt(column, ground->y + 4), 12);
  ASSERT_GE(cells.size(), 10u);
  Joiner cy("Cy");
  ASSERT_TRUE(meeting->connect(cy.net, "Cy", 203));
  size_t changes = 0;
  const auto change = [&] {
    MapBlock& cell = *cells[changes % cells.size()];
    BlockEdit edit;
    edit.kind = cell.frontId() == 0 ? edit_kind::kSetLayerBlock : edit_kind::kRemoveLayer;
    edit.x = cell.x;
    edit.y = cell.y;
    edit.blockId = block;
    if (edit.kind == edit_kind::kRemoveLayer) edit.extra = 1;
    if (session->rules().editBlock(edit, nullptr)) ++changes;
  };
  ASSERT_TRUE(runUntil([&] {
    cy.net.dispatchQueued();
    if (!inGame(cy)) change();
    return inGame(cy) && server.joinStage(3) == host::JoinStage::Entered;
  }));
  ASSERT_GT(changes, cells.size()) << "blocks came and went while Cy joined";
  // The last changes may still be on their way to her.
  EXPECT_TRUE(runUntil([&] {
    cy.net.dispatchQueued();
    return std::all_of(cells.begin(), cells.end(), [&](const MapBlock* cell) {
      return cy.world()->cellAt(cell->x, cell->y)->front == cell->front;
    });
  })) << "Cy's cells end as the host's";
  transfertest::expectSameCells(hostWorld->map(), cy.world()->map(), false);
}

TEST_P(PlayTogetherLosses, AFriendJoiningCountsForTheHostToo) {
  EXPECT_TRUE(hostStats.isUnlocked(105));
}

// What she mines is hers: the host's player, standing where the drop lands, does not take it.
TEST_P(PlayTogetherLosses, WhatAJoinedPlayerMinesReachesHerNotThePlayerWhereItLands) {
  const auto carried = [](const Inventory& inventory) {
    uint32_t total = 0;
    for (auto area : {Inventory::Area::Quick, Inventory::Area::Backpack}) {
      for (const ItemPtr& item : inventory.area(area)) total += item != nullptr ? item->count : 0;
    }
    return total;
  };
  MapBlock& annStands = *hostWorld->cellAt(column + 2, groundIn(column + 2)->y + 1);
  walk(*ann, annStands);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == annStands.x; }));
  // A block of an item beside her, which gives its item back when mined.
  const BlockItem placer = stackingBlockItem();
  ASSERT_NE(placer.item, 0);
  MapBlock& mined = *hostWorld->cellAt(column + 1, groundIn(column + 1)->y + 1);
  ASSERT_EQ(mined.frontId(), 0);
  BlockEdit set;
  set.kind = edit_kind::kSetLayerBlock;
  set.x = mined.x;
  set.y = mined.y;
  set.blockId = placer.block;
  hostWorld->rules().editBlock(set, nullptr);
  ASSERT_TRUE(runUntil([&] { return ann->world()->cellAt(mined.x, mined.y)->frontId() == placer.block; }));
  ItemPtr tool = toolBreaking(mined.frontId());
  ASSERT_NE(tool, nullptr);
  carryTool(*ann, 3, std::move(tool));
  hold(*ann, 3);
  settle();
  const uint32_t annBefore = carried(ann->inventory());
  const uint32_t hostBefore = carried(*hostPlayer().inventory);
  edit(*ann, edit_kind::kRemoveLayer, mined, 0);
  const auto lying = [&] {
    size_t count = 0;
    session->entities().lists().forEach([&](const RealEntity& entity) {
      if (dynamic_cast<const TreasureEntity*>(&entity) != nullptr && !entity.data.removed) ++count;
    });
    return count;
  };
  ASSERT_TRUE(runUntil([&] { return mined.frontId() == 0; })) << "she mined the ground";
  // The host's player steps onto the cell where the drop falls.
  hostPlayer().setCellCoordinates(static_cast<uint32_t>(mined.x), static_cast<uint32_t>(mined.y));
  hostWorld->rules().pickUpAtPlayerCell(&hostPlayer());
  ASSERT_TRUE(runUntil([&] { return lying() == 0 && carried(ann->inventory()) > annBefore; }))
      << "she has what she mined";
  EXPECT_EQ(carried(*hostPlayer().inventory), hostBefore) << "the host's player took none of it";
}

// Dying where she mined (in lava or acid, as like as not), she comes back on her spawn cell: on her
// own screen as on the host, or she would die there again.
TEST_P(PlayTogetherLosses, AJoinedPlayerWhoDiesComesBackOnHerSpawnNotWhereSheDied) {
  PlayerServerDesktop& annOnHost = onHost(kAnn);
  MapBlock& away = *hostWorld->cellAt(column + 6, groundIn(column + 6)->y + 1);
  walk(*ann, away);
  ASSERT_TRUE(runUntil([&] { return annOnHost.cellX == away.x; }));
  auto* rules = dynamic_cast<PlayerRules*>(&hostWorld->rules());
  ASSERT_NE(rules, nullptr);
  rules->damagePlayer(annOnHost, 100000.0f, 10);
  ASSERT_TRUE(runUntil([&] { return ann->player().dead != 0; })) << "she hears of her death";
  ann->game().respawn();
  ASSERT_TRUE(runUntil([&] { return ann->player().dead == 0; })) << "and comes back";
  EXPECT_EQ(annOnHost.cellX, annOnHost.spawnCellX);
  EXPECT_EQ(ann->player().cellX, annOnHost.spawnCellX) << "on her spawn cell, not where she died";
  EXPECT_EQ(ann->player().cellY, annOnHost.spawnCellY);
  EXPECT_NE(ann->player().cellX, away.x);
}

INSTANTIATE_TEST_SUITE_P(Enet, PlayTogetherLosses, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>&) { return "OverEnet"; });

}  // namespace
}  // namespace nettest
