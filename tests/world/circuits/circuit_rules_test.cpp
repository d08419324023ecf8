// Each component's rule by its truth table. The part under test sits at (10, 10) with rotation 0:
// output up, side 1 right (11, 10), side 2 down (10, 9), side 3 left (9, 10), side 0 up (10, 11).
// Inputs are source blocks carrying the wanted signal; a missing input is an empty cell.

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
  // A two-input gate: A at side 1, B at side 3.
  uint8_t gate(uint8_t kind, uint8_t a, uint8_t b, uint8_t before = 0, uint8_t memory = 0) {
    input(kX + 1, kY, a);
    input(kX - 1, kY, b);
    return evaluate(kind, before, memory);
  }
  uint8_t single(uint8_t kind, uint8_t in, uint8_t memory = 0) {
    input(kX, kY - 1, in);
    return evaluate(kind, 0, memory);
  }
};

TEST_F(CircuitRulesTest, TwoInputGatesByTheirTables) {
  const uint8_t a5 = cs::analog(5), a3 = cs::analog(3);
  const struct {
    uint8_t kind, a, b, expected;
  } cases[] = {
      {ck::kAnd, kLow, kHigh, kLow},       {ck::kAnd, kHigh, kHigh, kHigh},
      {ck::kAnd, kHigh, kNone, kNone},     {ck::kAnd, kNone, kHigh, kConflict},
      {ck::kAnd, a5, a3, cs::analog(1)},   {ck::kNand, a5, a3, cs::analog(14)},
      {ck::kOr, kLow, kNone, kConflict},   {ck::kOr, a5, a3, cs::analog(7)},
      {ck::kNor, kLow, kLow, kHigh},       {ck::kXor, kHigh, kHigh, kLow},
      {ck::kXor, kNone, kNone, kLow},      {ck::kXor, a5, a3, cs::analog(6)},
      {ck::kXnor, a5, a3, cs::analog(9)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gate(c.kind, c.a, c.b), c.expected) << "kind " << int(c.kind) << ": " << int(c.a) << "," << int(c.b);
  }
  // A missing input keeps whatever output the gate had.
  for (uint8_t kind : {ck::kAnd, ck::kXor, ck::kOperationalUnit}) {
    EXPECT_EQ(gate(kind, kHigh, kMissing, kHigh), kHigh) << int(kind);
    EXPECT_EQ(gate(kind, kMissing, kLow, kLow), kLow) << int(kind);
  }
}

TEST_F(CircuitRulesTest, SingleInputParts) {
  const struct {
    uint8_t kind, in, memory, expected;
  } cases[] = {
      {ck::kBuffer, kMissing, 0, kNone}, {ck::kBuffer, cs::analog(5), 0, cs::analog(5)},
      {ck::kNot, kLow, 0, kHigh},        {ck::kNot, kConflict, 0, kConflict},
      {ck::kNot, cs::analog(5), 0, cs::analog(10)},
      // Analog-to-bit: bit n (its memory) of the analog input.
      {ck::kAnalogToBit, cs::analog(4), 2, kHigh}, {ck::kAnalogToBit, cs::analog(4), 1, kLow},
      {ck::kAnalogToBit, kHigh, 1, kNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(single(c.kind, c.in, c.memory), c.expected) << "kind " << int(c.kind) << " in " << int(c.in);
  }
}

TEST_F(CircuitRulesTest, OperationalUnitByItsOperation) {
  const struct {
    uint8_t op, a, b, expected;
  } cases[] = {
      {0, cs::analog(4), cs::analog(4), kHigh},          {1, cs::analog(5), cs::analog(4), kLow},
      {2, cs::analog(9), cs::analog(8), cs::analog(15)}, {3, cs::analog(9), cs::analog(4), cs::analog(0)},
      {3, cs::analog(4), cs::analog(9), cs::analog(5)},  {2, kHigh, cs::analog(3), kNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gate(ck::kOperationalUnit, c.a, c.b, 0, c.op), c.expected) << "op " << int(c.op);
  }
}

TEST_F(CircuitRulesTest, BitToAnalogSetsItsBitOnTheBus) {
  // A (digital) at side 3, B (analog bus) at side 2; the memory names the bit.
  const struct {
    uint8_t bit, a, b, expected;
  } cases[] = {
      {2, kHigh, cs::analog(1), cs::analog(5)}, {3, kHigh, kMissing, cs::analog(8)},
      {0, kMissing, cs::analog(6), cs::analog(6)}, {0, kMissing, kHigh, kNone},
  };
  for (const auto& c : cases) {
    input(kX - 1, kY, c.a);
    EXPECT_EQ(single(ck::kBitToAnalog, c.b, c.bit), c.expected) << int(c.bit) << "," << int(c.a) << "," << int(c.b);
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

TEST_F(CircuitRulesTest, GateSwitchPassesDataOnlyWhileEnabled) {
  const struct {
    uint8_t data, enable, before, expected;
  } cases[] = {{kHigh, kHigh, 0, kHigh},  {cs::analog(7), kHigh, 0, cs::analog(7)},
               {kHigh, kLow, kHigh, kNone}, {kHigh, kMissing, kHigh, kHigh}};
  for (const auto& c : cases) {
    input(kX, kY - 1, c.data);
    input(kX + 1, kY, c.enable);
    EXPECT_EQ(evaluate(ck::kGateSwitch, c.before, 0), c.expected) << int(c.data) << "," << int(c.enable);
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
