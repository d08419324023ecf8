// The local rules' circuit input: a lever's signal reaches the world's circuits, so the wire it
// feeds carries it after the circuit steps, and turning the lever off takes it away again.

#include "content/items/block_edit.h"
#include "tests/game/game_fixture.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"

namespace game_test {
namespace {

constexpr uint16_t kLever = 2086;
constexpr uint8_t kOn = 2, kOff = 1;  // the signals a thrown lever sends

class CircuitInputTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    defineBlock(kLever, {.flags = bits({45}), .transparency = 1, .variants = 2});
    // The map reads the block rows when it is made.
    remakeWorld();
    apply(edit_kind::kSetLayerBlock, 5, kLever);
    for (int32_t x = 6; x <= 9; ++x) apply(edit_kind::kCircuitPartSet, x, 0, circuit_kind::kWire);
    steps(3);
  }
  // The edit placing a block or a circuit part at (x, 5) makes.
  void apply(uint8_t kind, int32_t x, uint16_t id, uint8_t part = 0) {
    BlockEdit e;
    e.kind = kind;
    e.x = static_cast<uint16_t>(x);
    e.y = 5;
    e.blockId = id;
    if (part != 0) e.setValueByte(0, part);
    ASSERT_FALSE(world->applyBlockEdit(e, nullptr).wasRefused());
  }
  void steps(int n) {
    for (int i = 0; i < n; ++i) world->circuits().step();
  }
  uint8_t wireState(int32_t x) { return circuit_signal::state(signalByte(at(x, 5))); }
};

TEST_F(CircuitInputTest, ALeversSignalDrivesTheWireItFeeds) {
  ASSERT_NE(wireState(9), circuit_signal::kHigh);
  rules.setCircuitInput(at(5, 5), kOn);
  steps(3);
  EXPECT_EQ(wireState(6), circuit_signal::kHigh);
  EXPECT_EQ(wireState(9), circuit_signal::kHigh);
  rules.setCircuitInput(at(5, 5), kOff);
  steps(3);
  EXPECT_NE(wireState(9), circuit_signal::kHigh);
}

}  // namespace
}  // namespace game_test
