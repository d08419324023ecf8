// The timed step end to end: parts placed and removed by edits, the queue, the pending flag, the
// wire flood with its depth limits and redrive, the pass limit, timers and the saved structures.

#include <vector>

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
  EXPECT_EQ(state(2, 5), cs::kLow) << "the low driver sends again after the high one withdrew";
}

TEST_F(CircuitSimulationTest, ClockPeriodsComeFromTheConfiguratorAndZeroWrapsTheCountdown) {
  place(10, 10, ck::kClock);
  steps(1);
  BlockEdit setting = edit(edit_kind::kCircuitSetting, 10, 10);
  setting.setValueByte(0, circuit_tag::kClock);
  setting.setValueByte(2, 3);
  apply(setting);
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


}  // namespace
