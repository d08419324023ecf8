#include <gtest/gtest.h>

#include <cstring>

#include "tests/world/world_recorders.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/block_edit_validator.h"
#include "world/explosions/explosion_system.h"

namespace {

using namespace world_test;

class BlockEditValidatorTest : public EditWorldTest {};

BlockEdit make(uint8_t kind, void (*shape)(BlockEdit&) = nullptr) {
  BlockEdit e;
  e.kind = kind;
  e.x = 5;
  e.y = 5;
  e.slot = 0;
  if (shape != nullptr) shape(e);
  return e;
}

// A blast edit with its seven value bytes; extra bits are set after them, past the record.
BlockEdit blast(const BlastSpec& bytes, uint32_t extraBits = 0) {
  BlockEdit e = make(20);
  for (size_t i = 0; i < bytes.size(); ++i) e.setValueByte(i, bytes[i]);
  e.extra |= extraBits;
  return e;
}

TEST_F(BlockEditValidatorTest, EveryMalformedEditIsRefusedBeforeItTouchesTheCell) {
  const struct {
    const char* what;
    BlockEdit edit;
    EditRefusal refusal;
  } cases[] = {
      {"kind 21", make(21), EditRefusal::Kind},
      {"row at the height", make(2, [](BlockEdit& e) { e.y = 20; }), EditRefusal::Row},
      {"block id 4096", make(2, [](BlockEdit& e) { e.blockId = 4096; }), EditRefusal::BlockId},
      {"layer 2", make(6, [](BlockEdit& e) { e.layer = 2; }), EditRefusal::Layer},
      {"variant 8", make(4, [](BlockEdit& e) { e.variant = 8; }), EditRefusal::Variant},
      {"state 8", make(15, [](BlockEdit& e) { e.state = 8; }), EditRefusal::State},
      {"remove deco slot 4", make(9, [](BlockEdit& e) { e.slot = 4; }), EditRefusal::Slot},
      {"set deco by id", make(10, [](BlockEdit& e) { e.slot = 255; }), EditRefusal::Slot},
      {"circuit kind 26", make(12, [](BlockEdit& e) { e.setValueByte(0, 26); }), EditRefusal::CircuitKind},
      {"old liquid kind 4", make(18, [](BlockEdit& e) { e.setValueByte(1, 4); }), EditRefusal::LiquidKind},
      {"setting without a component", make(14), EditRefusal::Setting},
      {"setting with tag 9", make(14, [](BlockEdit& e) { e.setValueByte(0, 9); }), EditRefusal::Setting},
      {"blast radius 11, past the blast's grid", blast({2, 2, 2, 2, 11, 2, 2}), EditRefusal::Blast},
      {"blast with a trailing byte", blast({2, 2, 2, 2, 2, 2, 2}, 0x100), EditRefusal::Blast},
  };
  put(5, 5, kDirt);
  const MapBlock before = at(5, 5);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(validateBlockEdit(c.edit, world->map()), c.refusal);
    const EditResult host = world->applyBlockEdit(c.edit, nullptr);
    EXPECT_EQ(host.bits, refresh_bit::kRefused);
    EXPECT_EQ(host.cell, nullptr);
    EXPECT_EQ(world->applyCellChange(c.edit, nullptr).bits, refresh_bit::kRefused);
    EXPECT_EQ(std::memcmp(&at(5, 5), &before, sizeof(MapBlock)), 0);
  }
  EXPECT_TRUE(sounds.played.empty());
  EXPECT_TRUE(rules.drops.empty());
}

TEST_F(BlockEditValidatorTest, WellFormedEditsPassIncludingTheirEdges) {
  setCircuitKind(at(5, 5), circuit_kind::kClock);
  const struct {
    const char* what;
    BlockEdit edit;
  } cases[] = {
      {"x wraps", make(2, [](BlockEdit& e) { e.x = 0xFFFF; e.blockId = 4095; e.variant = 7; e.layer = 1; })},
      {"remove deco by id", make(9, [](BlockEdit& e) { e.slot = 255; })},
      {"circuit kind 25", make(12, [](BlockEdit& e) { e.setValueByte(0, 25); })},
      {"a clock's setting on a clock", make(14, [](BlockEdit& e) { e.blockId = 0xFF00; e.slot = 0xFF; })},
      {"blast dividing by zero (read as one)", blast({4, 4, 4, 4, 4, 0, 4})},
      {"liquid arrives with any level byte", make(18, [](BlockEdit& e) { e.setValueByte(0, 0xFF); e.setValueByte(1, 3); })},
  };
  for (const auto& c : cases) EXPECT_EQ(validateBlockEdit(c.edit, world->map()), EditRefusal::None) << c.what;
}

// A setting carries one device's record: on a part of another kind, or on a part that takes none
// (a wire, a lamp), it would write into memory that is not its own.
TEST_F(BlockEditValidatorTest, ASettingIsRefusedExceptOnTheDeviceItsTagNames) {
  for (uint8_t kind : {circuit_kind::kWire, circuit_kind::kClock}) {
    setCircuitKind(at(5, 5), kind);
    for (uint8_t tag = 0; tag <= circuit_tag::kLast; ++tag) {
      BlockEdit tagged = make(14);
      tagged.setValueByte(0, tag);
      const bool own = kind == circuit_kind::kClock && tag == circuit_tag::kClock;
      EXPECT_EQ(validateBlockEdit(tagged, world->map()), own ? EditRefusal::None : EditRefusal::Setting)
          << "tag " << int{tag} << " on kind " << int{kind};
    }
  }
}

}  // namespace
