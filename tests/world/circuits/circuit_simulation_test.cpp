// The timed step end to end: parts placed and removed by edits, the queue, the pending flag, the
// wire flood with its depth limits and redrive, the pass limit, timers and the saved structures.

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "tests/world/circuits/circuit_fixture.h"

namespace {

using namespace world_test;
namespace ck = circuit_kind;
namespace cs = circuit_signal;

constexpr uint16_t kLampPart = kLamp;  // output device in variant 1 when any input is high

class CircuitSimulationTest : public CircuitTest {
 protected:
  // A driver at (x, y) that sends the signal toward every side (set through the source's own op).
  void driver(int32_t x, int32_t y, uint8_t signal) {
    place(x, y, ck::kSourceBlock);
    circuits().setCellConfig(at(x, y), signal);
  }
  void wireRun(int32_t fromX, int32_t toX, int32_t y) {
    for (int32_t x = fromX; x <= toX; ++x) place(x, y, ck::kWire);
  }
};

TEST_F(CircuitSimulationTest, ALampLightsAtTheEndOfNineteenWiresButNotTwenty) {
  for (const int wires : {19, 20}) {
    const int32_t y = wires == 19 ? 4 : 8;
    place(1, y, ck::kSourceBlock);
    wireRun(2, 1 + wires, y);
    placeBlock(2 + wires, y, kLampPart);
    steps(3);
    circuits().setCellConfig(at(1, y), cs::kHigh);
    steps(3);
    EXPECT_EQ(state(1 + wires, y), cs::kHigh) << wires << " wires: the last wire carries the signal";
    EXPECT_EQ(at(2 + wires, y).frontVariant(), wires == 19 ? 1 : 0) << wires << " wires";
  }
}

TEST_F(CircuitSimulationTest, CuttingAWireDarkensWhatItFed) {
  driver(1, 5, cs::kHigh);
  wireRun(2, 8, 5);
  placeBlock(9, 5, kLampPart);
  steps(3);
  ASSERT_EQ(at(9, 5).frontVariant(), 1);
  cut(5, 5);
  steps(3);
  EXPECT_EQ(state(4, 5), cs::kHigh);
  EXPECT_EQ(state(6, 5), cs::kNone);
  EXPECT_EQ(at(9, 5).frontVariant(), 0);
  place(5, 5, ck::kWire);  // mended: the new wire pulls the signal back in
  steps(3);
  EXPECT_EQ(state(8, 5), cs::kHigh);
  EXPECT_EQ(at(9, 5).frontVariant(), 1);
}

TEST_F(CircuitSimulationTest, TwoDriversOnOneWireConflictAndRemovingOneRedrivesTheOther) {
  driver(1, 5, cs::kHigh);
  driver(6, 5, cs::kLow);
  wireRun(2, 5, 5);
  steps(3);
  EXPECT_EQ(state(3, 5), cs::kConflict);
  cut(1, 5);
  steps(3);
  EXPECT_EQ(state(3, 5), cs::kLow) << "the low driver sends again after the high one withdrew";
  EXPECT_EQ(state(2, 5), cs::kLow);
}

TEST_F(CircuitSimulationTest, AConflictingWireIntoAnAndGateGivesConflict) {
  driver(1, 5, cs::kHigh);
  driver(5, 5, cs::kLow);
  wireRun(2, 4, 5);
  part(3, 6, ck::kAnd, 1);  // turned once: A from the wire below, B from above, output right
  source(3, 7, cs::kHigh);
  steps(3);
  circuits().evaluateCell(at(3, 6));
  EXPECT_EQ(state(3, 6), cs::kConflict);
}

TEST_F(CircuitSimulationTest, AClockOfPeriodOneTogglesEveryOtherStep) {
  place(10, 10, ck::kClock);
  std::vector<uint8_t> seen;
  for (int i = 0; i < 8; ++i) {
    circuits().step();
    seen.push_back(state(10, 10));
  }
  EXPECT_EQ(seen, (std::vector<uint8_t>{2, 1, 1, 2, 2, 1, 1, 2}));
  ASSERT_EQ(circuits().timers().size(), 1u);
  EXPECT_EQ(circuits().timers()[0].period, 1);
}

TEST_F(CircuitSimulationTest, ClocksOfOnePhaseToggleTogetherAndTheirWireReadsBoth) {
  // Clock A (period 1) at the left end, clock B (period 2) at the right end of one wire; both
  // turned to face it.
  wireRun(2, 7, 5);
  place(1, 5, ck::kClock);
  place(8, 5, ck::kClock);
  turn(1, 5);
  for (int i = 0; i < 3; ++i) turn(8, 5);
  steps(1);
  BlockEdit slow = edit(edit_kind::kCircuitSetting, 8, 5);
  slow.setValueByte(0, circuit_tag::kClock);
  slow.setValueByte(2, 2);
  apply(slow);
  steps(1);  // the turns are done: both drive the wire
  std::vector<uint8_t> seen;
  for (int tick = 0; tick < 8; ++tick) {
    steps(2);
    const uint8_t both = static_cast<uint8_t>(state(1, 5) | state(8, 5));
    for (int x = 2; x <= 7; ++x) ASSERT_EQ(state(x, 5), both) << "tick " << tick << " wire " << x;
    seen.push_back(both);
  }
  // Out of step, the two clocks drive the wire low, high and both at once in turn.
  for (uint8_t wanted : {cs::kLow, cs::kHigh, cs::kConflict}) {
    EXPECT_NE(std::find(seen.begin(), seen.end(), wanted), seen.end()) << int(wanted);
  }
}

TEST_F(CircuitSimulationTest, ClockPeriodsComeFromTheConfiguratorAndZeroWrapsTheCountdown) {
  place(10, 10, ck::kClock);
  steps(1);
  BlockEdit setting = edit(edit_kind::kCircuitSetting, 10, 10);
  setting.setValueByte(0, circuit_tag::kClock);
  setting.setValueByte(2, 3);
  apply(setting);
  EXPECT_EQ(circuits().getCellConfig(at(10, 10)), (CircuitRecord{circuit_tag::kClock, 0, 3, 0}));
  const uint8_t before = state(10, 10);
  steps(4);
  EXPECT_EQ(state(10, 10), before) << "three timer units are six steps";
  steps(1);
  EXPECT_NE(state(10, 10), before);

  setting.setValueByte(2, 0);
  apply(setting);
  const uint8_t held = state(10, 10);
  steps(2 * 65535);
  EXPECT_EQ(state(10, 10), held);
  steps(2);
  EXPECT_NE(state(10, 10), held) << "a period of 0 fires after 65,536 units";
}

TEST_F(CircuitSimulationTest, TheStepUnschedulesItselfWhenNothingIsLeft) {
  place(10, 10, ck::kConstantHigh);
  EXPECT_TRUE(circuits().pending());
  steps(1);
  EXPECT_TRUE(circuits().pending());
  steps(1);
  EXPECT_FALSE(circuits().pending());
  place(12, 10, ck::kClock);  // a timed part keeps it running
  steps(10);
  EXPECT_TRUE(circuits().pending());
}

TEST_F(CircuitSimulationTest, WorkBeyondThirtyTwoPassesWaitsForTheNextStep) {
  // A row of 36 buffers turned to pass right, each fed by the one on its left.
  for (int32_t x = 1; x <= 36; ++x) part(x, 3, ck::kBuffer, 1);
  source(0, 3, cs::kHigh);
  circuits().evaluateCell(at(1, 3));  // buffer 1 drives; buffer 2 is dirty
  circuits().step();
  EXPECT_EQ(state(33, 3), cs::kHigh) << "buffers 2 to 33: one per pass";
  EXPECT_EQ(state(34, 3), cs::kNone);
  EXPECT_EQ(circuits().dirtyCells(), std::vector<MapBlock*>{&at(34, 3)});
  circuits().step();
  EXPECT_EQ(state(36, 3), cs::kHigh);
}

TEST_F(CircuitSimulationTest, TurningAGateWithdrawsItsOutputAndDrivesTheNewSide) {
  source(11, 10, cs::kHigh);
  source(9, 10, cs::kHigh);
  place(10, 10, ck::kAnd);
  place(10, 11, ck::kWire);
  steps(2);
  EXPECT_EQ(state(10, 11), cs::kHigh);
  turn(10, 10);  // output now right, A below is empty: the gate keeps the 0 it was reset to
  steps(2);
  EXPECT_EQ(state(10, 11), cs::kNone);
  EXPECT_EQ(state(10, 10), cs::kNone);
}

TEST_F(CircuitSimulationTest, TheSavedStructuresRoundTripThroughRestore) {
  place(10, 10, ck::kClock);
  part(5, 5, ck::kTruthTable);
  circuits().memoryAt(at(5, 5)).value = 0x5A;
  steps(1);
  place(3, 3, ck::kWire);
  const auto changes = circuits().pendingChanges();
  const auto timers = circuits().timers();
  const auto memory = circuits().deviceMemory();
  const auto dirty = circuits().dirtyCells();
  ASSERT_EQ(changes.size(), 1u);
  ASSERT_EQ(timers.size(), 1u);

  // The saved structures name cells by position: the old world is gone before the new one is
  // made, as after loading, so a restore that kept an old cell would read freed memory.
  struct Spot {
    int32_t x, y;
  };
  auto spot = [](const MapBlock* c) { return Spot{c->x, c->y}; };
  std::vector<std::pair<Spot, CircuitChange>> savedChanges;
  for (const CircuitChange& c : changes) savedChanges.push_back({spot(c.cell), c});
  std::vector<std::pair<Spot, CircuitTimer>> savedTimers;
  for (const CircuitTimer& t : timers) savedTimers.push_back({spot(t.cell), t});
  std::vector<std::pair<Spot, CircuitRecord>> savedMemory;
  for (const auto& [cell, record] : memory) savedMemory.push_back({spot(cell), record});
  std::vector<Spot> savedDirty;
  for (const MapBlock* c : dirty) savedDirty.push_back(spot(c));

  makeWorld(WorldParams{});
  logic.world = world.get();
  setCurrentLogic(&logic);
  std::vector<CircuitChange> movedChanges;
  for (const auto& [s, c] : savedChanges) movedChanges.push_back({c.operation, &at(s.x, s.y), c.value});
  std::vector<CircuitTimer> movedTimers;
  for (const auto& [s, t] : savedTimers) movedTimers.push_back({&at(s.x, s.y), t.countdown, t.period});
  std::unordered_map<MapBlock*, CircuitRecord> movedMemory;
  for (const auto& [s, r] : savedMemory) movedMemory[&at(s.x, s.y)] = r;
  std::vector<MapBlock*> movedDirty;
  for (Spot s : savedDirty) movedDirty.push_back(&at(s.x, s.y));
  EXPECT_FALSE(circuits().pending());
  circuits().restore(movedDirty, movedChanges, movedTimers, movedMemory);
  EXPECT_TRUE(circuits().pending()) << "the game schedules a step for saved work";
  EXPECT_EQ(circuits().pendingChanges().size(), 1u);
  EXPECT_EQ(circuits().timers()[0].cell, &at(10, 10));
  EXPECT_EQ(circuits().findMemory(at(5, 5))->value, 0x5A);
}

}  // namespace
