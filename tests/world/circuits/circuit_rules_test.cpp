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
  // The output of a two-input gate (A at side 1, B at side 3) that started from `before`.
  uint8_t gate(uint8_t kind, uint8_t a, uint8_t b, uint8_t before = 0, uint8_t memory = 0) {
    input(kX + 1, kY, a);
    input(kX - 1, kY, b);
    MapBlock& g = part(kX, kY, kind, 0, before);
    g.circuitB = static_cast<uint8_t>(g.circuitB | (memory << 6));
    circuits().evaluateCell(g);
    return signalByte(g);
  }
  uint8_t single(uint8_t kind, uint8_t in, uint8_t memory = 0) {
    input(kX, kY - 1, in);
    MapBlock& g = part(kX, kY, kind);
    g.circuitB = static_cast<uint8_t>(g.circuitB | (memory << 6));
    circuits().evaluateCell(g);
    return signalByte(g);
  }
};

struct GateCase {
  uint8_t a, b, expected;
};

TEST_F(CircuitRulesTest, AndAndNand) {
  const uint8_t a5 = cs::analog(5), a3 = cs::analog(3);
  const std::initializer_list<GateCase> andTable = {
      {kLow, kLow, kLow},   {kLow, kHigh, kLow},          {kHigh, kHigh, kHigh},     {kHigh, kNone, kNone},
      {kNone, kHigh, kConflict}, {kConflict, kHigh, kConflict}, {kNone, kNone, kNone}, {a5, a3, cs::analog(1)},
      {kHigh, kLow, kLow}};
  for (const GateCase& c : andTable) {
    EXPECT_EQ(gate(ck::kAnd, c.a, c.b), c.expected) << int(c.a) << "," << int(c.b);
  }
  const GateCase nandTable[] = {{kLow, kLow, kHigh}, {kHigh, kHigh, kLow}, {kNone, kHigh, kConflict},
                                {kHigh, kNone, kNone}, {a5, a3, cs::analog(14)}};
  for (const GateCase& c : nandTable) EXPECT_EQ(gate(ck::kNand, c.a, c.b), c.expected) << int(c.a) << "," << int(c.b);
}

TEST_F(CircuitRulesTest, OrAndNor) {
  const GateCase orTable[] = {{kHigh, kLow, kHigh},  {kLow, kHigh, kHigh},   {kLow, kLow, kLow},
                              {kLow, kNone, kConflict}, {kConflict, kLow, kConflict}, {kNone, kNone, kNone},
                              {cs::analog(5), cs::analog(3), cs::analog(7)}};
  for (const GateCase& c : orTable) EXPECT_EQ(gate(ck::kOr, c.a, c.b), c.expected) << int(c.a) << "," << int(c.b);
  const GateCase norTable[] = {{kHigh, kLow, kLow}, {kLow, kLow, kHigh}, {kNone, kNone, kNone},
                               {cs::analog(5), cs::analog(3), cs::analog(8)}};
  for (const GateCase& c : norTable) EXPECT_EQ(gate(ck::kNor, c.a, c.b), c.expected) << int(c.a) << "," << int(c.b);
}

TEST_F(CircuitRulesTest, XorAndXnor) {
  const GateCase xorTable[] = {{kHigh, kLow, kHigh}, {kLow, kHigh, kHigh}, {kHigh, kHigh, kLow},
                               {kLow, kLow, kLow},   {kNone, kNone, kLow}, {kConflict, kHigh, kConflict},
                               {cs::analog(5), cs::analog(3), cs::analog(6)}};
  for (const GateCase& c : xorTable) EXPECT_EQ(gate(ck::kXor, c.a, c.b), c.expected) << int(c.a) << "," << int(c.b);
  const GateCase xnorTable[] = {{kHigh, kLow, kLow}, {kHigh, kHigh, kHigh}, {kConflict, kLow, kConflict},
                                {cs::analog(5), cs::analog(3), cs::analog(9)}};
  for (const GateCase& c : xnorTable) EXPECT_EQ(gate(ck::kXnor, c.a, c.b), c.expected) << int(c.a) << "," << int(c.b);
}

TEST_F(CircuitRulesTest, TwoInputGatesKeepTheirOutputWhenAnInputIsMissing) {
  for (uint8_t kind : {ck::kAnd, ck::kOr, ck::kXor, ck::kNand, ck::kNor, ck::kXnor, ck::kOperationalUnit}) {
    EXPECT_EQ(gate(kind, kHigh, kMissing, kHigh), kHigh) << int(kind);
    EXPECT_EQ(gate(kind, kMissing, kLow, kLow), kLow) << int(kind);
  }
}

TEST_F(CircuitRulesTest, BufferAndNot) {
  const struct {
    uint8_t in, buffer, inverted;
  } cases[] = {{kMissing, kNone, kNone}, {kNone, kNone, kNone},          {kLow, kLow, kHigh},
               {kHigh, kHigh, kLow},     {kConflict, kConflict, kConflict}, {cs::analog(5), cs::analog(5), cs::analog(10)}};
  for (const auto& c : cases) {
    EXPECT_EQ(single(ck::kBuffer, c.in), c.buffer) << int(c.in);
    EXPECT_EQ(single(ck::kNot, c.in), c.inverted) << int(c.in);
  }
}

TEST_F(CircuitRulesTest, OperationalUnitByItsOperation) {
  const struct {
    uint8_t op, a, b, expected;
  } cases[] = {
      {0, cs::analog(4), cs::analog(4), kHigh},  {0, cs::analog(4), cs::analog(5), kLow},
      {1, cs::analog(4), cs::analog(5), kHigh},  {1, cs::analog(5), cs::analog(4), kLow},
      {2, cs::analog(9), cs::analog(8), cs::analog(15)}, {2, cs::analog(2), cs::analog(3), cs::analog(5)},
      {3, cs::analog(9), cs::analog(4), cs::analog(0)},  {3, cs::analog(4), cs::analog(9), cs::analog(5)},
      {2, kHigh, cs::analog(3), kNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gate(ck::kOperationalUnit, c.a, c.b, 0, c.op), c.expected) << "op " << int(c.op);
  }
}

TEST_F(CircuitRulesTest, BitToAnalogAndAnalogToBit) {
  // Bit-to-analog: A (digital) at side 3, B (analog bus) at side 2.
  const struct {
    uint8_t bit, a, b, expected;
  } toAnalog[] = {
      {2, kHigh, cs::analog(1), cs::analog(5)}, {2, kLow, cs::analog(1), cs::analog(1)},
      {3, kHigh, kMissing, cs::analog(8)},      {0, kMissing, cs::analog(6), cs::analog(6)},
      {0, kMissing, kHigh, kNone},              {0, kMissing, kMissing, kNone},
  };
  for (const auto& c : toAnalog) {
    input(kX - 1, kY, c.a);
    input(kX, kY - 1, c.b);
    MapBlock& g = part(kX, kY, ck::kBitToAnalog);
    g.circuitB = static_cast<uint8_t>(g.circuitB | (c.bit << 6));
    circuits().evaluateCell(g);
    EXPECT_EQ(signalByte(g), c.expected) << int(c.bit) << "," << int(c.a) << "," << int(c.b);
  }
  // Analog-to-bit: bit n of the analog input at side 2.
  EXPECT_EQ(single(ck::kAnalogToBit, cs::analog(4), 2), kHigh);
  EXPECT_EQ(single(ck::kAnalogToBit, cs::analog(4), 1), kLow);
  EXPECT_EQ(single(ck::kAnalogToBit, kHigh, 1), kNone);
}

TEST_F(CircuitRulesTest, TruthTableLooksUpItsInputsIndex) {
  const uint8_t parity = 0x96;  // bit i set when i has an odd number of ones
  for (uint8_t index = 0; index < 8; ++index) {
    source(kX + 1, kY, (index & 1) != 0 ? kHigh : kLow);
    source(kX, kY - 1, (index & 2) != 0 ? kHigh : kLow);
    source(kX - 1, kY, (index & 4) != 0 ? kHigh : kLow);
    MapBlock& t = part(kX, kY, ck::kTruthTable);
    circuits().memoryAt(t).value = parity;
    circuits().evaluateCell(t);
    EXPECT_EQ(cs::state(signalByte(t)), ((parity >> index) & 1) != 0 ? kHigh : kLow) << int(index);
  }
  // An analog input gives the index itself: 5 selects bit 5.
  source(kX + 1, kY, cs::analog(5));
  source(kX, kY - 1, kLow);
  source(kX - 1, kY, kLow);
  MapBlock& t = part(kX, kY, ck::kTruthTable);
  circuits().memoryAt(t).value = 1 << 5;
  circuits().evaluateCell(t);
  EXPECT_EQ(cs::state(signalByte(t)), kHigh);
}

TEST_F(CircuitRulesTest, GateSwitchPassesDataOnlyWhileEnabled) {
  const struct {
    uint8_t data, enable, before, expected;
  } cases[] = {{kHigh, kHigh, 0, kHigh},  {cs::analog(7), kHigh, 0, cs::analog(7)},
               {kHigh, kLow, kHigh, kNone}, {kHigh, kMissing, kHigh, kHigh}};
  for (const auto& c : cases) {
    input(kX, kY - 1, c.data);
    input(kX + 1, kY, c.enable);
    MapBlock& g = part(kX, kY, ck::kGateSwitch, 0, c.before);
    circuits().evaluateCell(g);
    EXPECT_EQ(signalByte(g), c.expected) << int(c.data) << "," << int(c.enable);
  }
}

// Flip-flops: clock at side 3 (left), data or J at side 0 (up), enable or K at side 2 (down),
// output at side 1 (right).
class FlipFlopTest : public CircuitRulesTest {
 protected:
  MapBlock& flipFlop(uint8_t kind) { return part(kX, kY, kind); }
  void clock(uint8_t value) {
    source(kX - 1, kY, value);
    circuits().evaluateCell(at(kX, kY));
  }
  void data(uint8_t value) { input(kX, kY + 1, value); }
  void other(uint8_t value) { input(kX, kY - 1, value); }
};

TEST_F(FlipFlopTest, DLatchesOnARisingEdgeThatFollowsALowClock) {
  flipFlop(ck::kDFlipFlop);
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

TEST_F(FlipFlopTest, DIgnoresTheEdgeWhileEnableIsLowAndCountsAnUndrivenEnableAsHigh) {
  flipFlop(ck::kDFlipFlop);
  data(kHigh);
  other(kLow);
  clock(kLow);
  clock(kHigh);
  EXPECT_EQ(state(kX, kY), kNone);
  part(kX, kY - 1, ck::kConstantHigh, 2, kLow);  // there, but driving away from the part: counts as high
  clock(kLow);
  clock(kHigh);
  EXPECT_EQ(state(kX, kY), kHigh);
  other(kMissing);  // an empty cell is there and does not drive: still high
  clock(kLow);
  clock(kHigh);
  EXPECT_EQ(state(kX, kY), kHigh);
  part(kX - 1, kY, ck::kNone);  // no clock: the output drops
  circuits().evaluateCell(at(kX, kY));
  EXPECT_EQ(state(kX, kY), kNone);
}

TEST_F(FlipFlopTest, JkSetsResetsTogglesAndClearsOnEachRisingEdge) {
  flipFlop(ck::kJkFlipFlop);
  const struct {
    uint8_t j, k, expected;
  } edges[] = {{kHigh, kLow, kHigh}, {kLow, kHigh, kLow}, {kHigh, kHigh, kHigh},
               {kHigh, kHigh, kLow}, {kHigh, kHigh, kHigh}, {kLow, kLow, kNone}};
  for (const auto& e : edges) {
    data(e.j);
    other(e.k);
    clock(kLow);
    clock(kHigh);
    EXPECT_EQ(state(kX, kY), e.expected) << "J " << int(e.j) << " K " << int(e.k);
  }
  setSignalByte(at(kX, kY), kHigh);
  other(kMissing);  // every input must drive toward the part
  clock(kLow);
  EXPECT_EQ(state(kX, kY), kNone);
}

}  // namespace
