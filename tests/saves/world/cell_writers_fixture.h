#pragma once
// A world of the smallest size (512 x 128: a chunk of a save's kept copy is four columns) saved
// again and again through one kept snapshot, as the local store saves it, each file read back and
// compared with the world cell for cell. The world's timed tasks run on a scheduler of the test's
// own, frame by frame. In the sanitizer builds the save itself stops the process when a written
// cell's chunk was not marked (saves/world/saved_cells_check.h).

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "content/items/block_edit.h"
#include "engine/scene/scheduler.h"
#include "platform/file_handle.h"
#include "saves/store/world_entry.h"
#include "saves/world/map_packing.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_snapshot.h"
#include "saves/world/world_info.h"
#include "saves/world/world_save_links.h"
#include "tests/support/temp_dir.h"
#include "tests/world/circuits/circuit_fixture.h"
#include "world/cells/block_flags.h"
#include "world/explosions/explosion_system.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/kept_cells.h"
#include "world/map/world_map.h"
#include "world/plants/plant_system.h"
#include "world/rules/world_game.h"
#include "world/world.h"

namespace saves_test {

using namespace world_test;

constexpr uint16_t kWheatSprout = 2340, kWheatGreen = 2338, kWheat = 2337;
constexpr uint16_t kVineRoot = 276, kVineSegment = 2005, kVineTip = 1973;
constexpr uint16_t kAnalogSource = 2094;
constexpr uint16_t kHanging = 2490;  // hangs from the block above it
constexpr int32_t kFloor = 20;
constexpr uint8_t kWater = 1;

class EveryCellWriterTest : public CircuitTest {
 protected:
  void SetUp() override {
    CircuitTest::SetUp();
    scheduler_ = new engine::Scheduler();
    context.scheduler = scheduler_;  // the world's timed tasks run as the frames pass (run)
    for (uint16_t id : {kWheatSprout, kWheat}) defineBlock(id, {.transparency = 1});
    defineBlock(kWheatGreen, {.transparency = 1, .variants = 2});
    for (uint16_t id : {kVineRoot, kVineSegment, kVineTip}) defineBlock(id, {.flags = bits({7}), .transparency = 1});
    defineBlock(kHanging, {.flags = bits({block_flag::kHangsFromAbove}), .transparency = 1});
    defineBlock(ExplosionSystem::kCharge, {.transparency = 2});
    defineBlock(ExplosionSystem::kLitCharge, {.transparency = 2, .variants = 3});
    params_.sizeIndex = 0;  // 512 x 128: a chunk of the kept copy is four columns
    params_.heightIndex = 1;
    useWorld(World::create(nullptr, params_));
  }

  void TearDown() override {
    world.reset();
    game.reset();
    scheduler_->release();
    CircuitTest::TearDown();
  }

  void useWorld(std::unique_ptr<World> made) {
    world = std::move(made);
    game = std::make_unique<WorldGame>(*world);
    context.edits = game.get();
    logic.world = world.get();
    rebind();
  }

  WorldMap& map() { return world->map(); }
  void floor(int32_t from, int32_t to) {
    for (int32_t x = from; x <= to; ++x) placeBlock(x, kFloor, kDirt);
  }
  void grow(int32_t x, int32_t y, uint16_t seed) {
    BlockEdit planting;
    makeBlockValue(planting, static_cast<uint16_t>(x), static_cast<uint16_t>(y), 4, seed, 0, MapBlock::kFront, 0);
    ASSERT_FALSE(apply(planting).wasRefused());
    for (int step = 0; step < 20 && world->plants().growPlantAt(logic, at(x, y)); ++step) {
    }
  }
  void settleLiquids() {
    LiquidSimulator& liquids = map().liquids();
    if (!liquids.running()) liquids.scheduleStep();
    for (int step = 0; step < 300 && liquids.running(); ++step) liquids.step();
    EXPECT_FALSE(liquids.running());
  }

  // Saves through the kept snapshot and reads the file into a new world; every kept field of every
  // cell must match. The first cell that differs is named.
  void take() {
    WorldEntry entry;
    entry.fileName = "World1.dat";
    entry.displayName = "writers";
    entry.params = params_;
    NullWorldSaveLinks links;
    takeWorldFileSnapshot(snapshot_, entry, *world, {}, links);
  }
  void saveAndReadBack(const std::string& after) {
    NullWorldSaveLinks links;
    take();
    const std::string path = dir_.file("world.dat");
    {
      kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
      ASSERT_TRUE(writeWorldFileSnapshot(file, snapshot_)) << after;
    }
    std::unique_ptr<World> read = World::create(nullptr, params_);
    kel::FileHandle file(path, kel::FileHandle::READ);
    ASSERT_TRUE(readWorldFile(file, *read, links)) << after;
    const WorldMap& live = map();
    for (size_t i = 0; i < live.cellCount(); ++i) {
      const MapBlock& want = live.cells()[i];
      if (packMapBlock(read->map().cells()[i]) != packMapBlock(want)) {
        FAIL() << "after " << after << ": cell (" << want.x << ", " << want.y << ") differs in the file";
      }
    }
    ++saves_;
  }
  size_t lastCopied() const { return snapshot_.cells->lastCopied(); }
  // Frames of the running world: its timed tasks (the circuit and liquid steps) run as they fall due.
  void run(int frames) {
    for (int frame = 0; frame < frames; ++frame) scheduler_->update(kFrameSeconds);
  }
  static constexpr float kFrameSeconds = 0.02f;

  WorldParams params_;
  WorldFileSnapshot snapshot_;
  testsupport::TempDir dir_;
  engine::Scheduler* scheduler_ = nullptr;
  int saves_ = 0;
};

}  // namespace saves_test
