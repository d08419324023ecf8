// Each component's rule. The part under test sits at (10, 10) with rotation 0, output up; inputs
// are source blocks carrying the wanted signal; a missing input is an empty cell.

#include "tests/world/circuits/circuit_fixture.h"

namespace {

using namespace world_test;
namespace ck = circuit_kind;
namespace cs = circuit_signal;

constexpr uint8_t kNone = 0, kLow = 1, kHigh = 2, kConflict = 3, kMissing = 0xFF;
constexpr int kX = 10, kY = 10;

class CircuitRulesTest : public CircuitTest {
 protected:
  void input(int32_t x, int32_t y, uint8_t value) {
    if (value == kMissing) {
      part(x, y, ck::kNone);
    } else {
      source(x, y, value);
    }
  }
  // The part's output after one evaluation, its memory bits and its output set beforehand.
  uint8_t evaluate(uint8_t kind, uint8_t before, uint8_t memory) {
    MapBlock& g = part(kX, kY, kind, 0, before);
    g.circuitB = static_cast<uint8_t>(g.circuitB | (memory << 6));
    circuits().evaluateCell(g);
    return signalByte(g);
  }
};

// Two-input gates and the operational unit read A at the right and B at the left, single-input
// parts the side below; the memory bits name the operation or the bit.
TEST_F(CircuitRulesTest, PartsByTheirTables) {
  constexpr uint8_t M = kMissing;
  const auto a = [](int v) { return cs::analog(static_cast<uint8_t>(v)); };
  const struct {
    uint8_t kind, right, down, left, memory, before, expected;
  } cases[] = {
      {ck::kAnd, kLow, M, kHigh, 0, 0, kLow},         {ck::kAnd, kHigh, M, kHigh, 0, 0, kHigh},
      {ck::kAnd, kHigh, M, kNone, 0, 0, kNone},       {ck::kAnd, kNone, M, kHigh, 0, 0, kConflict},
      {ck::kAnd, a(5), M, a(3), 0, 0, a(1)},          {ck::kNand, a(5), M, a(3), 0, 0, a(14)},
      {ck::kOr, kLow, M, kNone, 0, 0, kConflict},     {ck::kOr, a(5), M, a(3), 0, 0, a(7)},
      {ck::kNor, kLow, M, kLow, 0, 0, kHigh},         {ck::kXor, kHigh, M, kHigh, 0, 0, kLow},
      {ck::kXor, kNone, M, kNone, 0, 0, kLow},        {ck::kXnor, a(5), M, a(3), 0, 0, a(9)},
      // A missing input keeps whatever output the gate had.
      {ck::kAnd, kHigh, M, M, 0, kHigh, kHigh},       {ck::kXor, M, M, kLow, 0, kLow, kLow},
      {ck::kOperationalUnit, kHigh, M, M, 0, kHigh, kHigh},
      {ck::kBuffer, M, M, M, 0, 0, kNone},            {ck::kBuffer, M, a(5), M, 0, 0, a(5)},
      {ck::kNot, M, kLow, M, 0, 0, kHigh},            {ck::kNot, M, kConflict, M, 0, 0, kConflict},
      {ck::kNot, M, a(5), M, 0, 0, a(10)},            {ck::kAnalogToBit, M, a(4), M, 2, 0, kHigh},
      {ck::kAnalogToBit, M, a(4), M, 1, 0, kLow},     {ck::kAnalogToBit, M, kHigh, M, 1, 0, kNone},
      {ck::kOperationalUnit, a(4), M, a(4), 0, 0, kHigh},
      {ck::kOperationalUnit, a(5), M, a(4), 1, 0, kLow},
      {ck::kOperationalUnit, a(9), M, a(8), 2, 0, a(15)},
      {ck::kOperationalUnit, a(4), M, a(9), 3, 0, a(5)},
      {ck::kOperationalUnit, kHigh, M, a(3), 2, 0, kNone},
      // Bit-to-analog: A (digital) at the left sets its bit on the analog bus from below.
      {ck::kBitToAnalog, M, a(1), kHigh, 2, 0, a(5)}, {ck::kBitToAnalog, M, M, kHigh, 3, 0, a(8)},
      {ck::kBitToAnalog, M, kHigh, M, 0, 0, kNone},
      // The gate switch passes the data from below while the right side enables it.
      {ck::kGateSwitch, kHigh, a(7), M, 0, 0, a(7)},
      {ck::kGateSwitch, kLow, kHigh, M, 0, kHigh, kNone},
      {ck::kGateSwitch, M, kHigh, M, 0, kHigh, kHigh},
  };
  for (const auto& c : cases) {
    input(kX + 1, kY, c.right);
    input(kX, kY - 1, c.down);
    input(kX - 1, kY, c.left);
    EXPECT_EQ(evaluate(c.kind, c.before, c.memory), c.expected)
        << "kind " << int(c.kind) << ": " << int(c.right) << "," << int(c.down) << ","
        << int(c.left);
  }
}

TEST_F(CircuitRulesTest, TruthTableLooksUpItsInputsIndex) {
  const uint8_t parity = 0x96;  // bit i set when i has an odd number of ones
  // The ninth round feeds an analog 5, which gives the index itself: it selects bit 5.
  for (uint8_t index = 0; index < 9; ++index) {
    const bool analog = index == 8;
    source(kX + 1, kY, analog ? cs::analog(5) : (index & 1) != 0 ? kHigh : kLow);
    source(kX, kY - 1, !analog && (index & 2) != 0 ? kHigh : kLow);
    source(kX - 1, kY, !analog && (index & 4) != 0 ? kHigh : kLow);
    MapBlock& t = part(kX, kY, ck::kTruthTable);
    circuits().memoryAt(t).value = analog ? 1 << 5 : parity;
    circuits().evaluateCell(t);
    EXPECT_EQ(cs::state(signalByte(t)), analog || ((parity >> index) & 1) != 0 ? kHigh : kLow) << int(index);
  }
}

// Flip-flops: clock at side 3 (left), data or J at side 0 (up), enable or K at side 2 (down),
// output at side 1 (right).
class FlipFlopTest : public CircuitRulesTest {
 protected:
  void clock(uint8_t value) {
    source(kX - 1, kY, value);
    circuits().evaluateCell(at(kX, kY));
  }
  void edge() {
    clock(kLow);
    clock(kHigh);
  }
  void data(uint8_t value) { input(kX, kY + 1, value); }
  void other(uint8_t value) { input(kX, kY - 1, value); }
};

TEST_F(FlipFlopTest, DLatchesOnARisingEdgeThatFollowsALowClock) {
  part(kX, kY, ck::kDFlipFlop);
  data(kHigh);
  other(kHigh);
  clock(kHigh);  // starts high: no edge
  EXPECT_EQ(state(kX, kY), kNone);
  const struct {
    uint8_t clock, data, expected;
  } sequence[] = {{kLow, kHigh, kNone}, {kHigh, kHigh, kHigh}, {kHigh, kLow, kHigh},
                  {kLow, kLow, kHigh},  {kHigh, kLow, kLow},   {kNone, kHigh, kLow},
                  {kHigh, kHigh, kLow}, {kLow, kHigh, kLow},   {kHigh, kHigh, kHigh}};
  for (const auto& s : sequence) {
    data(s.data);
    clock(s.clock);
    EXPECT_EQ(state(kX, kY), s.expected) << "clock " << int(s.clock) << " data " << int(s.data);
  }
}

TEST_F(FlipFlopTest, JkSetsResetsTogglesAndClearsOnEachRisingEdge) {
  part(kX, kY, ck::kJkFlipFlop);
  const struct {
    uint8_t j, k, expected;
  } edges[] = {{kHigh, kLow, kHigh}, {kLow, kHigh, kLow}, {kHigh, kHigh, kHigh},
               {kHigh, kHigh, kLow}, {kHigh, kHigh, kHigh}, {kLow, kLow, kNone}};
  for (const auto& e : edges) {
    data(e.j);
    other(e.k);
    edge();
    EXPECT_EQ(state(kX, kY), e.expected) << "J " << int(e.j) << " K " << int(e.k);
  }
  setSignalByte(at(kX, kY), kHigh);
  other(kMissing);  // every input must drive toward the part
  clock(kLow);
  EXPECT_EQ(state(kX, kY), kNone);
}

}  // namespace
