#include <gtest/gtest.h>

#include <cstring>

#include "tests/world/world_recorders.h"
#include "world/circuits/circuit_cells.h"
#include "world/edits/block_edit_validator.h"

namespace {

using namespace world_test;

class BlockEditValidatorTest : public EditWorldTest {};

BlockEdit make(uint8_t kind, void (*shape)(BlockEdit&)) {
  BlockEdit e;
  e.kind = kind;
  e.x = 5;
  e.y = 5;
  e.slot = 0;
  shape(e);
  return e;
}

TEST_F(BlockEditValidatorTest, EveryMalformedEditIsRefusedBeforeItTouchesTheCell) {
  const struct {
    const char* what;
    BlockEdit edit;
    EditRefusal refusal;
  } cases[] = {
      {"kind 0", make(0, [](BlockEdit&) {}), EditRefusal::Kind},
      {"kind 1", make(1, [](BlockEdit&) {}), EditRefusal::Kind},
      {"kind 21", make(21, [](BlockEdit&) {}), EditRefusal::Kind},
      {"kind 255", make(255, [](BlockEdit&) {}), EditRefusal::Kind},
      {"row at the height", make(2, [](BlockEdit& e) { e.y = 20; }), EditRefusal::Row},
      {"row far out", make(7, [](BlockEdit& e) { e.y = 0xFFFF; }), EditRefusal::Row},
      {"block id 4096", make(2, [](BlockEdit& e) { e.blockId = 4096; }), EditRefusal::BlockId},
      {"block id 0xFFFF on replace", make(8, [](BlockEdit& e) { e.blockId = 0xFFFF; }), EditRefusal::BlockId},
      {"layer 2", make(6, [](BlockEdit& e) { e.layer = 2; }), EditRefusal::Layer},
      {"layer 2 on remove", make(7, [](BlockEdit& e) { e.layer = 2; }), EditRefusal::Layer},
      {"layer 2 on break effects", make(5, [](BlockEdit& e) { e.layer = 2; }), EditRefusal::Layer},
      {"variant 8", make(4, [](BlockEdit& e) { e.variant = 8; }), EditRefusal::Variant},
      {"state 8", make(15, [](BlockEdit& e) { e.state = 8; }), EditRefusal::State},
      {"remove deco slot 4", make(9, [](BlockEdit& e) { e.slot = 4; }), EditRefusal::Slot},
      {"remove deco slot 254", make(9, [](BlockEdit& e) { e.slot = 254; }), EditRefusal::Slot},
      {"set deco slot 4", make(10, [](BlockEdit& e) { e.slot = 4; }), EditRefusal::Slot},
      {"set deco by id", make(10, [](BlockEdit& e) { e.slot = 255; }), EditRefusal::Slot},
      {"set deco layer 3", make(10, [](BlockEdit& e) { e.layer = 3; }), EditRefusal::Layer},
      {"circuit kind 26", make(12, [](BlockEdit& e) { e.setValueByte(0, 26); }), EditRefusal::CircuitKind},
      {"old liquid kind 4", make(18, [](BlockEdit& e) { e.setValueByte(1, 4); }), EditRefusal::LiquidKind},
      {"setting without a component", make(14, [](BlockEdit&) {}), EditRefusal::Setting},
      {"setting with tag 9", make(14, [](BlockEdit& e) { e.x = 5; e.y = 5; e.setValueByte(0, 9); }),
       EditRefusal::Setting},
      {"blast radius 11, past the blast's grid",
       make(20, [](BlockEdit& e) { for (size_t i = 0; i < 7; ++i) e.setValueByte(i, i == 4 ? 11 : 2); }),
       EditRefusal::Blast},
      {"blast radius 255",
       make(20, [](BlockEdit& e) { for (size_t i = 0; i < 7; ++i) e.setValueByte(i, i == 4 ? 255 : 2); }),
       EditRefusal::Blast},
      {"blast with a trailing byte",
       make(20, [](BlockEdit& e) { for (size_t i = 0; i < 7; ++i) e.setValueByte(i, 2); e.extra |= 0x100; }),
       EditRefusal::Blast},
  };
  put(5, 5, kDirt);
  const MapBlock before = at(5, 5);
  for (const auto& c : cases) {
    EXPECT_EQ(validateBlockEdit(c.edit, world->map()), c.refusal) << c.what;
    const EditResult host = world->applyBlockEdit(c.edit, nullptr);
    const EditResult client = world->applyCellChange(c.edit, nullptr);
    EXPECT_EQ(host.bits, refresh_bit::kRefused) << c.what;
    EXPECT_EQ(client.bits, refresh_bit::kRefused) << c.what;
    EXPECT_EQ(host.cell, nullptr) << c.what;
    EXPECT_EQ(std::memcmp(&at(5, 5), &before, sizeof(MapBlock)), 0) << c.what;
  }
  EXPECT_TRUE(sounds.played.empty());
  EXPECT_TRUE(rules.drops.empty());
}

TEST_F(BlockEditValidatorTest, WellFormedEditsPassIncludingTheirEdges) {
  setCircuitKind(at(5, 5), 3);
  const struct {
    const char* what;
    BlockEdit edit;
  } cases[] = {
      {"x wraps", make(2, [](BlockEdit& e) { e.x = 0xFFFF; e.blockId = 4095; e.variant = 7; e.layer = 1; })},
      {"top row", make(15, [](BlockEdit& e) { e.y = 19; e.state = 7; })},
      {"remove deco by id", make(9, [](BlockEdit& e) { e.slot = 255; })},
      {"last deco slot", make(10, [](BlockEdit& e) { e.slot = 3; })},
      {"circuit kind 25", make(12, [](BlockEdit& e) { e.setValueByte(0, 25); })},
      {"setting on a component", make(14, [](BlockEdit& e) { e.blockId = 0xFF08; e.slot = 0xFF; })},
      {"blast dividing by zero (read as one)",
       make(20, [](BlockEdit& e) { for (size_t i = 0; i < 7; ++i) e.setValueByte(i, i == 5 ? 0 : 4); })},
      {"blast radius 10", make(20, [](BlockEdit& e) { for (size_t i = 0; i < 7; ++i) e.setValueByte(i, i == 4 ? 10 : 2); })},
      {"standard blast", make(20, [](BlockEdit& e) {
         const uint8_t spec[7] = {50, 20, 5, 4, 4, 2, 50};
         for (size_t i = 0; i < 7; ++i) e.setValueByte(i, spec[i]);
       })},
      {"liquid arrives with any level byte", make(18, [](BlockEdit& e) { e.setValueByte(0, 0xFF); e.setValueByte(1, 3); })},
  };
  for (const auto& c : cases) EXPECT_EQ(validateBlockEdit(c.edit, world->map()), EditRefusal::None) << c.what;
}

}  // namespace
