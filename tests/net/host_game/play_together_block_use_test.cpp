// Using a block, over real ENet on 127.0.0.1, from a joined player's side: each kind of block use
// (doors, switches, trapdoors, levers, picking fruit, a shelf's display, a charge she placed lit by a light in hand, a circuit part cut off with
// a hammer, tilling, fertiliser, a stable, a lock and its key, writing on a sign) does for her what
// it does for the host's own player, on every machine's world, and what it spends is spent on her
// screen and in the host's copy of her items alike.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

#include "content/items/block_filter.h"
#include "content/tables/fruit_table.h"
#include "content/tables/plant_table.h"
#include "game/rules/block_use.h"
#include "game/rules/circuit_part_rule.h"
#include "game/rules/held_item_placement.h"
#include "tests/net/host_game/play_together_block_use.h"
#include "world/blocks/block_entity_cast.h"
#include "world/cells/block_flags.h"
#include "world/blocks/shelf.h"
#include "world/blocks/sign.h"
#include "world/blocks/stable.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/cell_edit.h"
#include "world/explosions/explosion_system.h"
#include "world/protection/protected_areas.h"
#include "world/plants/plant_system.h"

namespace nettest {
namespace {

constexpr uint16_t kDoor = 290, kTrapdoor = 374, kLever = 2086;
constexpr uint16_t kFuse = 239, kLitFuse = 191, kChargeItem = 1040, kTorchItem = 149;
constexpr uint16_t kHammer = 6, kHoe = 9, kTilled = 2435;
constexpr uint16_t kFertiliser = 1054, kPen = 484, kSign = 2599, kSignOnPost = 2601;
constexpr uint16_t kRustyKey = 19, kRustyLock = 467;
constexpr uint16_t kPigPen = 2407, kPig = 27;
constexpr uint16_t kFourPlaceShelf = 212, kMaterial = 13;

// The first block of the content that a hoe tills, 0 when there is none.
uint16_t tillableSoil() {
  for (uint16_t id = 1; id < 4096; ++id) {
    const BlockDef* def = blockDefinitionById(id);
    if (def != nullptr && def->record.transparency() == 0 && itemMatchesFilter(id, 0x14)) return id;
  }
  return 0;
}

TEST_P(PlayTogetherBlockUse, ADoorOpens) { opens(kDoor); }
TEST_P(PlayTogetherBlockUse, ATrapdoorOpens) { opens(kTrapdoor); }

TEST_P(PlayTogetherBlockUse, ALeverIsFlipped) {
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, kLever, 0);
    ASSERT_TRUE(sameEverywhere(cell));
    emptyHand(who);
    use(who, cell);
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return c.frontId() == kLever && c.frontVariant() == 1; }));
  });
}

TEST_P(PlayTogetherBlockUse, ATrapdoorHungOnACellIsToggled) {
  forEachPlayer([&](Who who, MapBlock& cell) {
    layDeco(cell, kTrapdoor, MapBlock::kFront);
    ASSERT_TRUE(sameEverywhere(cell));
    emptyHand(who);
    use(who, cell);
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) {
      const DecoHit hung = const_cast<MapBlock&>(c).findDeco(kTrapdoor);
      return hung && map_deco::variant(*hung.slot) == 1;
    }));
  });
}

TEST_P(PlayTogetherBlockUse, AKeyOpensALock) {
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, block_word::id(ground->front));
    layDeco(cell, kRustyLock, MapBlock::kFront);
    ASSERT_TRUE(sameEverywhere(cell));
    hold(who, kRustyKey);
    use(who, cell);
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return !c.hasDeco(kRustyLock, MapBlock::kFront); }));
    EXPECT_NE(heldStack(who), nullptr) << "the key is kept";
  });
}

// A charge she holds is placed as her click places it (the one placement rule, sent through her
// game to the host): it hangs on the rock's face on every machine, one spent. A torch in her hand
// lights it, and the host's fuse burns down to a blast that breaks the rock on every machine.
TEST_P(PlayTogetherBlockUse, AChargePlacedByHandIsLitByATorchAndBursts) {
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, block_word::id(ground->front));
    ASSERT_TRUE(sameEverywhere(cell));
    hold(who, kChargeItem, 3);
    World& hers = who == Who::Guest ? *ann->world() : *hostWorld;
    Player& placer = who == Who::Guest ? ann->player() : hostPlayer();
    BlockEdit edit = placeHeldItemRule(hers, placer, in(hers, cell), *heldStack(who), true);
    ASSERT_EQ(edit.kind, edit_kind::kAttach) << "the charge hangs on the rock";
    edit.takeHeld = 1;
    ASSERT_TRUE(who == Who::Guest ? ann->game().editBlock(edit) : session->game().editBlock(edit));
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return c.hasDeco(kFuse, MapBlock::kFront); }));
    EXPECT_TRUE(runUntil([&] { return heldStack(who) != nullptr && heldStack(who)->count == 2; })) << "one spent";
    hold(who, kTorchItem, 5);
    use(who, cell);
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return c.hasDeco(kLitFuse, MapBlock::kFront); }));
    // The host's frames count the fuse down.
    ASSERT_TRUE(runUntil([&] {
      hostWorld->explosions().update(1.0f);
      return hostWorld->explosions().pending().empty();
    }));
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return c.frontId() == 0; })) << "the rock is blown away";
  });
}

// A charge hangs on a block and never stands as one: a front-block placement of it forged in her
// name, with the charge in her hand, sets nothing and spends nothing.
TEST_P(PlayTogetherBlockUse, AChargeForgedAsAFrontBlockStandsNowhere) {
  MapBlock& cell = target(Who::Guest);
  hold(Who::Guest, kChargeItem, 3);
  BlockEdit forged = editForCell(cell, edit_kind::kSetLayerBlock, kFuse);
  forged.layer = MapBlock::kFront;
  forged.takeHeld = 1;
  ann->game().editBlock(forged);
  settle();
  EXPECT_EQ(cell.frontId(), 0) << "no charge stands as a block on the host";
  EXPECT_EQ(onHost(kAnn).items().countOf(kChargeItem), 3) << "nothing spent in the host's copy";
}

TEST_P(PlayTogetherBlockUse, AHammerCutsACircuitPartOffTheBackLayer) {
  forEachPlayer([&](Who who, MapBlock& cell) {
    for (World* world : {hostWorld, ann->world(), bo->world()}) setCircuitKind(in(*world, cell), 1);
    ASSERT_TRUE(hasCircuitPart(cell));
    hold(who, newItem(kHammer, 0, 1, 60, 0));
    use(who, cell, MapBlock::kBack);
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return !hasCircuitPart(c); }));
  });
}

// A wire held and placed goes into the open cell's circuit on every machine, one spent on her
// screen and in the host's copy; a hammer cuts it out and it lies in the world again. A placement
// she forges without a wire in hand sets nothing.
TEST_P(PlayTogetherBlockUse, AWireIsSetIntoAnOpenCellAndCutOutAgain) {
  constexpr uint16_t kWireItem = 1616;
  forEachPlayer([&](Who who, MapBlock& cell) {
    hold(who, kWireItem, 3);
    BlockEdit edit = placeCircuitPartRule(cell, *heldStack(who));
    ASSERT_EQ(edit.kind, edit_kind::kCircuitPartSet);
    edit.takeHeld = 1;
    ASSERT_TRUE(who == Who::Guest ? ann->game().editBlock(edit) : session->game().editBlock(edit));
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return circuitKind(c) == circuit_kind::kWire; }));
    EXPECT_TRUE(runUntil([&] { return heldStack(who) != nullptr && heldStack(who)->count == 2; })) << "one wire spent";
    if (who == Who::Guest) {
      EXPECT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(kWireItem) == 2; })) << "and in the host's copy";
    }
    hold(who, newItem(kHammer, 0, 1, 60, 0));
    use(who, cell, MapBlock::kBack);
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return circuitKind(c) == circuit_kind::kNone; }));
    bool lying = false;
    EXPECT_TRUE(runUntil([&] {
      session->entities().lists().forEach([&](const RealEntity& entity) {
        const auto* treasure = dynamic_cast<const TreasureEntity*>(&entity);
        if (treasure != nullptr && !treasure->data.removed && treasure->item().id == kWireItem) lying = true;
      });
      return lying;
    })) << "the cut wire lies in the world";
  });
  // Her hand holds the hammer: a wire placement forged in her name sets nothing.
  MapBlock& cell = target(Who::Guest);
  BlockEdit forged = editForCell(cell, edit_kind::kCircuitPartSet, 0);
  forged.setValueByte(0, circuit_kind::kWire);
  forged.takeHeld = 1;
  ann->game().editBlock(forged);
  settle();
  EXPECT_EQ(circuitKind(cell), circuit_kind::kNone) << "a part set without its item in hand";
}

TEST_P(PlayTogetherBlockUse, AHoeTillsTheGroundAndWears) {
  const uint16_t soil = tillableSoil();
  ASSERT_NE(soil, 0) << "a block a hoe tills";
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, soil);
    ASSERT_TRUE(sameEverywhere(cell));
    hold(who, newItem(kHoe, 0, 1, 60, 0));
    use(who, cell);
    EXPECT_TRUE(everywhere(cell, [](const MapBlock& c) { return c.hasDeco(kTilled, MapBlock::kFront); }));
    EXPECT_TRUE(runUntil([&] { return heldStack(who) != nullptr && heldStack(who)->durability == 59; }))
        << "the hoe wore on the player's screen";
    if (who == Who::Guest) {
      const ItemPtr kept = onHost(kAnn).items().peek(kHoe, 1);
      ASSERT_NE(kept, nullptr);
      EXPECT_EQ(kept->durability, 59) << "the host's copy of her hoe wore too";
    }
  });
}

// In the host's protected area the rules refuse her edits, and she is told so: a lever she uses
// stays as it stood and sends nothing into its circuit, and her hoe tills nothing and does not wear.
TEST_P(PlayTogetherBlockUse, InAProtectedAreaHerLeverAndHerHoeChangeNothing) {
  MapBlock& cell = target(Who::Guest);
  // What she is told from here on: the refusals' texts (this world's texts may be blank).
  const size_t toldBefore = ann->log.messages.size();
  const auto toldTimes = [&] { return ann->log.messages.size() - toldBefore; };
  lay(cell, kLever, 0);
  ASSERT_TRUE(sameEverywhere(cell));
  for (int i = 0; i < 3; ++i) hostWorld->circuits().step();
  const uint8_t signal = signalByte(cell);
  hostWorld->protectedAreas().add(cell, 4);
  emptyHand(Who::Guest);
  use(Who::Guest, cell);
  ASSERT_TRUE(runUntil([&] { return toldTimes() == 1u; })) << "she was not told the lever is protected";
  for (int i = 0; i < 3; ++i) hostWorld->circuits().step();
  EXPECT_EQ(cell.frontVariant(), 0) << "the lever was thrown";
  EXPECT_EQ(signalByte(cell), signal) << "the lever that stayed sent its signal all the same";

  // Soil on her other side, inside the same area.
  const uint16_t soil = tillableSoil();
  ASSERT_NE(soil, 0);
  room(column + 5);
  MapBlock& field = *hostWorld->cellAt(column + 5, row_);
  lay(field, soil);
  ASSERT_TRUE(sameEverywhere(field));
  hold(Who::Guest, newItem(kHoe, 0, 1, 60, 0));
  use(Who::Guest, field);
  ASSERT_TRUE(runUntil([&] { return toldTimes() == 2u; })) << "she was not told the soil is protected";
  settle();
  EXPECT_FALSE(field.hasDeco(kTilled, MapBlock::kFront)) << "protected soil was tilled";
  ASSERT_NE(heldStack(Who::Guest), nullptr);
  EXPECT_EQ(heldStack(Who::Guest)->durability, 60) << "her hoe wore for a refused till";
  const ItemPtr kept = onHost(kAnn).items().peek(kHoe, 1);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->durability, 60) << "the host's copy of her hoe wore for a refused till";
}

TEST_P(PlayTogetherBlockUse, FertiliserGrowsAPlant) {
  const PlantRow* grown = nullptr;
  for (const PlantRow& row : plantTable()) {
    const BlockProps& planted = hostWorld->map().props()[row.block0];
    if (row.growth == plant_growth::kReplace && row.block0 != 0 && row.block1 != 0 && row.block0 != row.block1 &&
        plantRowForBlock(row.block0) == &row && planted.has(block_flag::kStackingPlant) && !planted.has(block_flag::kLeaves)) {
      grown = &row;
      break;
    }
  }
  ASSERT_NE(grown, nullptr);
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, grown->block0);
    hostWorld->plants().registerPlant(cell, 0);
    cell.skyShadow = static_cast<uint8_t>(0xF0 | (cell.skyShadow & 0x0F));  // in daylight, where it grows
    ASSERT_TRUE(sameEverywhere(cell));
    hold(who, kFertiliser, 3);
    use(who, cell);
    EXPECT_TRUE(everywhere(cell, [&](const MapBlock& c) { return c.frontId() == grown->block1; }));
  });
}

// The fruit hanging on the plant's cell in a world, or null.
const TreasureEntity* fruitOn(World& world, const MapBlock& cell, uint16_t fruit) {
  const TreasureEntity* found = nullptr;
  world.entities()->forEach([&](const RealEntity& entity) {
    const auto* lying = dynamic_cast<const TreasureEntity*>(&entity);
    if (lying != nullptr && !lying->data.removed && lying->item().id == fruit && lying->data.frozen &&
        static_cast<int32_t>(lying->data.x / 30.0f + 0.5f) == cell.x) {
      found = lying;
    }
  });
  return found;
}

TEST_P(PlayTogetherBlockUse, AnEmptyHandPicksTheFruitThatHangs) {
  const FruitRow& row = fruitTable().front();
  ASSERT_TRUE(hostWorld->map().props()[row.block].has(block_flag::kFruitPlant));
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, row.block);
    ASSERT_TRUE(sameEverywhere(cell));
    hostWorld->plants().restoreFruitCell(cell);
    cell.skyShadow = static_cast<uint8_t>(0xF0 | (cell.skyShadow & 0x0F));  // in daylight, where fruit hangs
    // Fruit hangs by chance: the plant's job runs until one does.
    for (int tries = 0; tries < 2000 && fruitOn(*hostWorld, cell, row.fruit) == nullptr; ++tries) {
      hostWorld->plants().growFruits(hostWorld->rules());
    }
    ASSERT_NE(fruitOn(*hostWorld, cell, row.fruit), nullptr) << "no fruit hung on the plant";
    ASSERT_TRUE(runUntil([&] { return fruitOn(*ann->world(), cell, row.fruit) != nullptr; }))
        << "her world does not show the fruit hanging";
    emptyHand(who);
    use(who, cell);
    EXPECT_TRUE(runUntil([&] {
      return fruitOn(*hostWorld, cell, row.fruit) == nullptr && fruitOn(*ann->world(), cell, row.fruit) == nullptr &&
             fruitOn(*bo->world(), cell, row.fruit) == nullptr;
    })) << "the fruit still hangs in some world";
    EXPECT_EQ(in(*hostWorld, cell).frontId(), row.block) << "picking takes the fruit, not the plant";
  });
}

TEST_P(PlayTogetherBlockUse, AnEmptyHandTakesBackWhatAShelfShows) {
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, kFourPlaceShelf);
    ItemPtr unit = newItem(kMaterial, 0, 1, 0, 0);
    ASSERT_TRUE(putItemOnShelf(*hostWorld, cell, unit, 0));
    Shelf* shelf = hostWorld->shelves().findAt(cell);
    ASSERT_NE(shelf, nullptr);
    // What lies in her world of the material before: the shelf's display among it.
    std::set<EntityId> before;
    ASSERT_TRUE(runUntil([&] {
      before.clear();
      ann->world()->entities()->forEach([&](const RealEntity& entity) {
        const auto* lying = dynamic_cast<const TreasureEntity*>(&entity);
        if (lying != nullptr && !lying->data.removed && lying->item().id == kMaterial) before.insert(lying->id());
      });
      return !before.empty();
    })) << "her world shows the shelf's display";
    emptyHand(who);
    use(who, cell);
    EXPECT_TRUE(runUntil([&] { return shelf->itemAt(0) == nullptr; })) << "the shelf still shows it";
    // What it showed falls loose: in her world too it moves off the shelf.
    EXPECT_TRUE(runUntil([&] {
      bool loose = false;
      ann->world()->entities()->forEach([&](const RealEntity& entity) {
        const auto* lying = dynamic_cast<const TreasureEntity*>(&entity);
        if (lying != nullptr && !lying->data.removed && lying->item().id == kMaterial &&
            (before.count(lying->id()) == 0 || lying->data.moving)) {
          loose = true;
        }
      });
      return loose;
    })) << "what the shelf showed still stands on it in her world";
  });
}

TEST_P(PlayTogetherBlockUse, AnAnimalIsLedIntoItsStable) {
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, kPigPen);
    ASSERT_TRUE(sameEverywhere(cell));
    Stable* stable = hostWorld->stables().findAt(cell);
    ASSERT_NE(stable, nullptr);
    hold(who, kPig, 2);
    use(who, cell);
    EXPECT_TRUE(runUntil([&] { return stable->mobCount() == 1; })) << "no animal in the stable";
    EXPECT_TRUE(runUntil([&] { return heldStack(who) != nullptr && heldStack(who)->count == 1; }))
        << "the animal's item stayed on the player's screen";
    if (who == Who::Guest) {
      EXPECT_EQ(onHost(kAnn).items().countOf(kPig), 1u) << "and in the host's copy of her items";
    }
  });
}

TEST_P(PlayTogetherBlockUse, APencilOpensASignToWriteOn) {
  forEachPlayer([&](Who who, MapBlock& cell) {
    lay(cell, kSign);
    ASSERT_TRUE(sameEverywhere(cell));
    Sign* sign = hostWorld->signs().findAt(cell);
    ASSERT_NE(sign, nullptr);
    hold(who, kPen);
    use(who, cell);
    PlayerBase& writer = who == Who::Guest ? static_cast<PlayerBase&>(ann->player()) : hostPlayer();
    ASSERT_TRUE(runUntil([&] { return block_entity_cast<Sign>(writer.openContainer()) != nullptr; }))
        << "the sign did not open for writing";
    EXPECT_TRUE(sign->inUse()) << "nobody else may write on it meanwhile";
    block_entity_cast<Sign>(writer.openContainer())->setText("Welcome home");
    EXPECT_TRUE(runUntil([&] { return sign->text() == "Welcome home"; }));
    if (who == Who::Guest) {
      ann->game().closeContainer();
    } else {
      session->game().closeContainer();
    }
    EXPECT_TRUE(runUntil([&] { return !sign->inUse(); }));
  });
}

// A sign in the host's protected area is hers to read only: her pen does not open it for
// rewriting, and her game's requests to take it off or to change it change nothing, each told.
// Outside the area the same requests are hers, and inside it they stay the host's own player's.
TEST_P(PlayTogetherBlockUse, ASignInTheHostsProtectedAreaIsNotHersToRewriteOrTakeOff) {
  const size_t toldBefore = ann->log.messages.size();
  const auto toldTimes = [&] { return ann->log.messages.size() - toldBefore; };
  const auto hasSign = [](const MapBlock& c) { return c.hasDeco(kSignOnPost, MapBlock::kFront); };
  room(column + 5);
  MapBlock& board = *hostWorld->cellAt(column + 5, row_);
  MapBlock& notice = target(Who::Guest);
  layDeco(board, kSignOnPost, MapBlock::kFront);
  lay(notice, kSign);
  ASSERT_TRUE(sameEverywhere(board) && sameEverywhere(notice));

  // Outside any area she takes the board's sign off.
  ann->game().placeSign(in(*ann->world(), board), 0);
  ASSERT_TRUE(everywhere(board, [&](const MapBlock& c) { return !hasSign(c); })) << "she could not take it off";

  layDeco(board, kSignOnPost, MapBlock::kFront);
  ASSERT_TRUE(sameEverywhere(board));
  const auto standing = board.decos;
  hostWorld->protectedAreas().add(notice, 4);
  ASSERT_TRUE(hostWorld->protectedAreas().isProtectedAt(board.x, board.y));
  ann->game().placeSign(in(*ann->world(), board), 0);
  ASSERT_TRUE(runUntil([&] { return toldTimes() == 1u; })) << "she was not told the sign is protected";
  ann->game().placeSign(in(*ann->world(), board), 2);
  ASSERT_TRUE(runUntil([&] { return toldTimes() == 2u; })) << "she was not told the sign is protected";
  hold(Who::Guest, kPen);
  use(Who::Guest, notice);
  ASSERT_TRUE(runUntil([&] { return toldTimes() == 3u; })) << "she was not told the sign is protected";
  settle();
  EXPECT_TRUE(everywhere(board, [&](const MapBlock& c) { return c.decos == standing; }))
      << "her requests took off or changed the protected sign";
  EXPECT_EQ(ann->player().openContainer(), nullptr) << "the protected sign opened for her to write";
  EXPECT_FALSE(hostWorld->signs().findAt(notice)->inUse());

  // The host's own player takes it off inside the area.
  session->game().placeSign(board, 0);
  EXPECT_TRUE(everywhere(board, [&](const MapBlock& c) { return !hasSign(c); }));
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherBlockUse, ::testing::Values(false));

}  // namespace
}  // namespace nettest
