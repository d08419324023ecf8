// A world saved again and again through one kept snapshot, as the local store saves it, while every
// kind of writer of cells changes it between the saves: each file reads back equal to the world,
// cell for cell. The snapshot copies only the chunks its writers marked, so a writer that changes
// cells without marking them leaves them out of the file: a test here fails, and in the sanitizer
// builds the save itself stops the process, naming the cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>
#include <string>

#include "engine/base/random.h"
#include "saves/world/saved_cells_check.h"
#include "tests/saves/world/cell_writers_fixture.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"

namespace {

using namespace saves_test;

TEST_F(EveryCellWriterTest, EachWritersChangesReachTheNextSave) {
  floor(0, map().width() - 1);
  saveAndReadBack("the floor");

  placeBlock(100, kFloor + 5, kDirt);
  placeBlock(300, kFloor + 1, kGlass);
  ASSERT_FALSE(apply(edit(edit_kind::kRemoveLayer, 200, kFloor)).wasRefused());
  saveAndReadBack("a player's edits");
  EXPECT_LT(lastCopied(), map().cellCount() / 20) << "only the chunks the edits marked";

  map().liquids().activateCell(at(60, kFloor + 1), kWater);
  settleLiquids();
  ASSERT_NE(at(63, kFloor + 1).liquid, 0) << "the water spread";
  saveAndReadBack("flowing water");

  placeBlock(130, 30, kAnalogSource);
  for (int32_t x = 131; x <= 160; ++x) place(x, 30, circuit_kind::kWire);
  steps(10);
  saveAndReadBack("laying a circuit");
  // One edit at the source: its new signal floods twenty wires, far past the edit's columns.
  BlockEdit setting = edit(edit_kind::kCircuitSetting, 130, 30);
  setting.setValueByte(0, circuit_tag::kAnalogSource);
  setting.setValueByte(2, 9);
  ASSERT_FALSE(apply(setting).wasRefused());
  steps(10);
  ASSERT_EQ(circuit_signal::analogValue(signal(148, 30)), 9) << "the signal reached the far wires";
  saveAndReadBack("a circuit's signal");

  grow(400, kFloor + 1, kWheatSprout);
  grow(420, kFloor + 1, kVineRoot);
  ASSERT_EQ(at(400, kFloor + 1).frontId(), kWheat);
  saveAndReadBack("growing plants");

  for (int32_t x = 246; x <= 254; ++x) {
    for (int32_t y = kFloor + 1; y <= kFloor + 9; ++y) placeBlock(x, y, kDirt);
  }
  for (int32_t x = 240; x <= 245; ++x) placeBlock(x, kFloor + 5, kDirt);
  ASSERT_TRUE(map().addDecoAt(ExplosionSystem::kCharge, 0, 247, kFloor + 5));
  saveAndReadBack("a heap to blow up, a charge on it");
  BlockEdit blast = edit(edit_kind::kExplosion, 250, kFloor + 5);
  for (size_t i = 0; i < kStandardBlast.size(); ++i) blast.setValueByte(i, kStandardBlast[i]);
  ASSERT_FALSE(apply(blast).wasRefused());
  ASSERT_EQ(at(253, kFloor + 5).frontId(), 0) << "the blast broke blocks four columns off";
  ASSERT_EQ(world->explosions().pending().size(), 1u) << "the blast lit the charge";
  saveAndReadBack("an explosion");
  // The lit charge goes off from the fuse queue, as the frame update counts it down.
  for (int tick = 0; tick < 40 && !world->explosions().pending().empty(); ++tick) world->explosions().update(1.0f);
  ASSERT_TRUE(world->explosions().pending().empty());
  ASSERT_EQ(at(244, kFloor + 5).frontId(), 0) << "the charge's blast broke blocks three columns off";
  saveAndReadBack("a charge gone off");

  // Blocks hanging under a ceiling fall when the player mines the ceiling: the break runs down
  // the column as edits of their own.
  placeBlock(350, 60, kDirt);
  for (int32_t y = 59; y >= 56; --y) placeBlock(350, y, kHanging);
  saveAndReadBack("blocks hanging from a ceiling");
  ASSERT_FALSE(apply(edit(edit_kind::kBreakEffects, 350, 60)).wasRefused());  // the block breaking
  ASSERT_FALSE(apply(edit(edit_kind::kRemoveLayer, 350, 60)).wasRefused());
  ASSERT_EQ(at(350, 56).frontId(), 0) << "the hanging blocks fell with their ceiling";
  saveAndReadBack("the ceiling mined");
}

// A part whose chunk only its own evaluation writes: a flip-flop in the first column of a chunk,
// clocked across the chunk's edge by a clock beside it, driving nothing. Each edge changes its
// memory and its output, and nothing else marks its chunk.
TEST_F(EveryCellWriterTest, APartEvaluatedAloneInItsChunkReachesTheNextSave) {
  constexpr int32_t kEdge = 200;  // columns 200-203 are one chunk
  place(kEdge - 1, 30, circuit_kind::kClock);
  turn(kEdge - 1, 30);  // its output to the right
  place(kEdge, 30, circuit_kind::kDFlipFlop);
  for (int32_t y : {29, 31}) {  // the data, and the third side taken
    place(kEdge, y, circuit_kind::kSourceBlock);
    circuits().setCellConfig(at(kEdge, y), circuit_signal::kHigh);
  }
  steps(4);
  saveAndReadBack("a clocked flip-flop");
  std::vector<uint8_t> seen;
  for (int save = 0; save < 6; ++save) {
    steps(3);
    seen.push_back(at(kEdge, 30).circuitB);
    saveAndReadBack("the flip-flop's clock edges, save " + std::to_string(save));
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_GT(std::unique(seen.begin(), seen.end()) - seen.begin(), 1) << "the flip-flop changed between saves";
}

// Many saves with edits all over the world between them, each read back whole.
TEST_F(EveryCellWriterTest, ManySavesWithEditsBetweenThemReadBack) {
  floor(0, map().width() - 1);
  saveAndReadBack("the floor");
  engine::randomSeed(79);
  for (int round = 0; round < 12; ++round) {
    for (int n = 0; n < 6; ++n) {
      const auto x = static_cast<int32_t>(engine::randomNext() % static_cast<uint32_t>(map().width()));
      const auto y = static_cast<int32_t>(kFloor + 1 + engine::randomNext() % 40);
      if (at(x, y).frontId() == 0) {
        placeBlock(x, y, (n & 1) != 0 ? kDirt : kGlass);
      } else {
        ASSERT_FALSE(apply(edit(edit_kind::kRemoveLayer, x, y)).wasRefused());
      }
    }
    saveAndReadBack("round " + std::to_string(round));
  }
  EXPECT_EQ(saves_, 13);
}

// A world made to be generated gets its cells on the generating thread; the copy kept there is
// where its first save starts, and the saves after it follow the world's edits.
TEST_F(EveryCellWriterTest, AGeneratedWorldsFirstSaveStartsFromTheCopyKeptWhenItWasMade) {
  useWorld(World::createToGenerate(nullptr, params_));
  ASSERT_EQ(map().cellCount(), 0u);
  world->generate({});
  ASSERT_EQ(map().cellCount(), static_cast<size_t>(map().width()) * static_cast<size_t>(map().height()));
  map().prepareKeptCopy();
  floor(10, 14);
  saveAndReadBack("the generated world and a floor");
  EXPECT_LT(lastCopied(), map().cellCount() / 20);
  placeBlock(500, kFloor + 3, kGlass);
  saveAndReadBack("an edit after the first save");
}

// The check compares what the file keeps of a cell: its light, which the loader recomputes and no
// writer marks, may differ.
TEST_F(EveryCellWriterTest, TheCheckFindsTheFirstCellWhoseKeptFieldsDiffer) {
  take();
  const CellGrid& kept = snapshot_.cells->cells();
  const std::span<const MapBlock> copy{kept.data(), kept.size()};
  EXPECT_EQ(firstUnsavedCell(copy, map()), map().cellCount());
  map().cell(40, 9).blockLight = 0x0FFF;
  map().cell(40, 9).skyShadow = 0xF0;
  EXPECT_EQ(firstUnsavedCell(copy, map()), map().cellCount()) << "light is not kept";
  map().cell(300, 40).circuitB = 7;
  map().cell(301, 2).liquid = 3;
  EXPECT_EQ(firstUnsavedCell(copy, map()), map().index(300, 40));
}

using EveryCellWriterDeathTest = EveryCellWriterTest;

// A writer that forgets its mark stops the save in every sanitizer test run, before a file is
// written without the cell.
TEST_F(EveryCellWriterDeathTest, ACellWrittenWithoutItsMarkStopsTheSaveNamingTheCell) {
  if (!kCheckSavedCells) GTEST_SKIP() << "only the sanitizer builds check each save";
  floor(0, 40);
  saveAndReadBack("the floor");
  map().cell(300, 40).circuitB = 7;  // written past the map's marks, as a forgetful writer would
  EXPECT_DEATH(take(), "cell \\(300, 40\\) was written without its chunk marked changed");
  map().markChanged(map().cell(300, 40));
  saveAndReadBack("the same cell, marked");
}

}  // namespace
