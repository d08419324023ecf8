// The writers of cells that run after the action that started them, each between two saves: the
// world's timed tasks (the circuit step with its clocks, sensors and shift registers, the liquid
// step), the circuit changes a player's edit queues for the next step, and the signals that spread
// from them. Each writer is set where nothing else writes its chunk of the save's kept copy (four
// columns) between the saves, so a writer that wrote without marking its chunk would leave its
// cells out of the file: the read-back differs, and in the sanitizer builds the save stops.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/saves/world/cell_writers_fixture.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"
#include "world/light/light_map.h"
#include "world/time/day_clock.h"

namespace {

using namespace saves_test;
namespace ck = circuit_kind;
namespace cs = circuit_signal;

// Columns 200 to 203 are one chunk; 204 begins the next.
constexpr int32_t kChunk = 200, kLast = 203, kRow = 30;
constexpr uint16_t kLightSensor = 2117;

class TimedWritersTest : public EveryCellWriterTest {
 protected:
  // A wire from column `from` to `to` on the row, laid by a player.
  void wire(int32_t from, int32_t to) {
    for (int32_t x = from; x <= to; ++x) place(x, kRow, ck::kWire);
  }
  // Turned a quarter clockwise per turn by a player; a part's output starts facing up.
  void turnTimes(int32_t x, int turns) {
    for (int n = 0; n < turns; ++n) turn(x, kRow);
  }
  // Frames until the circuits have nothing left to do (a clock or a sensor keeps them going).
  void settle() { run(40); }
  // Frames until the condition holds, at most a minute of game time.
  bool runUntil(const std::function<bool()>& done) {
    for (int frame = 0; frame < 3000 && !done(); ++frame) run(1);
    return done();
  }
};

// A clock's timed toggle writes its own cell; its wire, in the next chunk, carries the signal.
TEST_F(TimedWritersTest, AClocksTimedToggleReachesTheNextSave) {
  place(kLast, kRow, ck::kClock);
  turnTimes(kLast, 1);
  wire(kLast + 1, kLast + 8);
  settle();
  saveAndReadBack("a clock and its wire");
  for (int save = 0; save < 4; ++save) {
    const uint8_t before = state(kLast, kRow);
    ASSERT_TRUE(runUntil([&] { return state(kLast, kRow) != before; }));
    saveAndReadBack("the clock's toggle " + std::to_string(save));
  }
}

// The light sensor reads its cell's light on its own timer: as dusk falls its reading drops, and
// the sensor writes the new reading into its cell.
TEST_F(TimedWritersTest, ALightSensorsTimedReadingReachesTheNextSave) {
  placeBlock(kLast, kRow, kLightSensor);
  wire(kLast + 1, kLast + 8);
  map().lightMap().relightAllWithShadows();  // lit as a generated or loaded world is
  run(100);  // past the sensor's first reading
  const uint8_t daylight = signal(kLast, kRow);
  ASSERT_TRUE(cs::isAnalog(daylight));
  saveAndReadBack("a light sensor in daylight");
  // The world's clock task steps the day into dusk.
  DayClock& clock = world->dayClock();
  for (int tick = 0; tick < 4 * 512 && clock.darkness < 6; ++tick) clock.advance();
  ASSERT_GE(clock.darkness, 6u);
  ASSERT_TRUE(runUntil([&] { return signal(kLast, kRow) != daylight; })) << "the sensor read the dusk";
  saveAndReadBack("the sensor's reading at dusk");
}

// A shift register steps on its own timer: fed a steady high from a source beside it, it puts the
// high out on its fourth step.
TEST_F(TimedWritersTest, AShiftRegistersTimedStepReachesTheNextSave) {
  place(kLast - 1, kRow, ck::kSourceBlock);
  circuits().setCellConfig(at(kLast - 1, kRow), cs::kHigh);
  place(kLast, kRow, ck::kShiftRegister);
  turnTimes(kLast, 1);  // in from the source on the left, out to the wire on the right
  wire(kLast + 1, kLast + 8);
  settle();
  BlockEdit setting = edit(edit_kind::kCircuitSetting, kLast, kRow);
  setting.setValueByte(0, circuit_tag::kShiftRegister);
  setting.setValueByte(2, 20);  // a step every 20 units: the save below comes before the first
  setting.setValueByte(4, 4);
  ASSERT_FALSE(apply(setting).wasRefused());
  ASSERT_NE(state(kLast, kRow), cs::kHigh);
  saveAndReadBack("a shift register set to four steps");
  ASSERT_TRUE(runUntil([&] { return state(kLast, kRow) == cs::kHigh; })) << "the high came out";
  ASSERT_EQ(state(kLast + 8, kRow), cs::kHigh) << "and went down the wire";
  saveAndReadBack("the shift register's output");
}

// A part a player turns is turned by the next circuit step, which also joins or parts the wire
// beside it (here in the chunk to its left) and evaluates the part. A save may come between the
// edit and that step.
TEST_F(TimedWritersTest, ATurnQueuedForTheNextStepReachesTheSaveAfterIt) {
  place(kChunk, kRow, ck::kNot);  // its output up, its input below: the wire on its left is apart
  wire(kChunk - 6, kChunk - 1);
  settle();
  saveAndReadBack("a gate beside a wire");
  turnTimes(kChunk, 1);
  saveAndReadBack("the turn edited, not yet stepped");
  run(2);
  saveAndReadBack("the turned gate, its input joined to the wire");
}

// A part a player cuts is taken off by the next step: its cell is cleared and what it drove let go.
TEST_F(TimedWritersTest, ARemovalQueuedForTheNextStepReachesTheSaveAfterIt) {
  place(kLast, kRow, ck::kSourceBlock);
  circuits().setCellConfig(at(kLast, kRow), cs::kHigh);
  wire(kLast + 1, kLast + 12);
  settle();
  ASSERT_EQ(state(kLast + 12, kRow), cs::kHigh);
  saveAndReadBack("a source driving a wire");
  cut(kLast, kRow);
  saveAndReadBack("the cut edited, not yet stepped");
  settle();
  ASSERT_EQ(state(kLast + 12, kRow), cs::kNone);
  saveAndReadBack("the source gone and its wire let go");
}

// A switch's new signal (what the rules set when a player throws it or a plate is pressed) is
// written by the next step and floods its wire far past the chunks the player's edits marked; a
// wire cut is cleared down its length by the step after the cut.
TEST_F(TimedWritersTest, ASignalSetAndAWireCutReachTheSaveAfterTheirStep) {
  place(kLast, kRow, ck::kSourceBlock);
  wire(kLast + 1, kLast + 16);  // as far as a signal is written
  settle();
  saveAndReadBack("a source and its long wire");
  circuits().setCellConfig(at(kLast, kRow), cs::kHigh);
  saveAndReadBack("the source set, not yet stepped");
  settle();
  ASSERT_EQ(state(kLast + 16, kRow), cs::kHigh);
  saveAndReadBack("the source's signal down the wire");
  cut(kLast + 1, kRow);
  saveAndReadBack("the wire cut, not yet stepped");
  settle();
  ASSERT_EQ(state(kLast + 16, kRow), cs::kNone);
  saveAndReadBack("the cut wire cleared");
}

// A gate evaluated alone in its chunk: its input wire comes from the chunk to its left, and its
// output faces a cell with nothing in it. Only its evaluation writes its new output.
TEST_F(TimedWritersTest, AGateEvaluatedAloneInItsChunkReachesTheNextSave) {
  place(kChunk - 8, kRow, ck::kSourceBlock);
  circuits().setCellConfig(at(kChunk - 8, kRow), cs::kLow);
  wire(kChunk - 7, kChunk - 1);
  place(kChunk, kRow, ck::kNot);
  turnTimes(kChunk, 1);  // in from the wire on its left
  settle();
  ASSERT_EQ(state(kChunk, kRow), cs::kHigh) << "a low input: its output is high";
  saveAndReadBack("a gate at the end of a wire");
  circuits().setCellConfig(at(kChunk - 8, kRow), cs::kHigh);
  settle();
  ASSERT_EQ(state(kChunk, kRow), cs::kLow) << "a high input: its output is low";
  saveAndReadBack("the gate's new output");
}

// Water a player pours spreads on the liquid step, timed by the world, into chunks her edit never
// marked.
TEST_F(TimedWritersTest, PouredWaterSpreadingOnTheLiquidStepReachesTheNextSave) {
  floor(40, 90);
  saveAndReadBack("a floor");
  BlockEdit pour = edit(edit_kind::kLiquidStarts, 60, kFloor + 1);
  pour.setValueByte(0, static_cast<uint8_t>(kWater << 6));
  ASSERT_FALSE(apply(pour).wasRefused());
  saveAndReadBack("water poured, not yet spread");
  ASSERT_TRUE(runUntil([&] { return at(63, kFloor + 1).liquid != 0; })) << "the water spread";
  saveAndReadBack("the water spreading");
  ASSERT_TRUE(runUntil([&] { return !map().liquids().running(); }));
  saveAndReadBack("the water settled");
}

}  // namespace
