#pragma once
// A world whose rules apply every edit to it, bodies placed by cell, and helpers that lay out
// parts by writing their circuit bytes or by a player's edits.

#include <gtest/gtest.h>

#include <vector>

#include "tests/world/world_recorders.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"
#include "world/seams/world_bodies.h"

namespace world_test {

class ApplyingLogic final : public NullLogic {
 public:
  World* world = nullptr;
  bool editBlock(const BlockEdit& edit, PlayerBase* player) override {
    edits.push_back(edit);
    return !world->applyBlockEdit(edit, player).wasRefused();
  }
  void playSound(MapBlock& cell, uint16_t id, uint16_t value) override { sounds.push_back({cell.x, cell.y, id, value}); }
  void setCircuitInput(MapBlock& cell, uint8_t value) override { world->circuits().setCellConfig(cell, value); }
  void launchFromCell(MapBlock&) override { ++launches; }
  bool canBreakBlock(PlayerBase*, Item*, MapBlock&) override { return allowBreak; }
  bool isPlayerPresent(PlayerBase* player) override { return player != nullptr; }
  Entity* spawnItemEntity(ItemPtr /*item*/, engine::Vec2, float speed, float, uint8_t) override {
    thrownForces.push_back(speed);
    return nullptr;
  }
  Entity* spawnItemDrop(ItemPtr /*item*/, engine::Vec2, uint8_t) override {
    return nullptr;
  }
  struct Sound {
    uint16_t x, y, id, value;
  };
  std::vector<BlockEdit> edits;
  std::vector<Sound> sounds;
  std::vector<float> thrownForces;
  int launches = 0;
  bool allowBreak = false;
};

class TestBodies final : public WorldBodies {
 public:
  void collectAll(std::vector<Body>& out) override { out.insert(out.end(), bodies.begin(), bodies.end()); }
  void collectInCell(const MapBlock& cell, std::vector<Body>& out) override {
    for (const Body& b : bodies) {
      if (b.cellX == cell.x && b.cellY == cell.y) out.push_back(b);
    }
  }
  void push(const Body& body, float strength, float angle) override { pushes.push_back({body.id, strength, angle}); }
  bool hurt(const Body&, float) override { return true; }
  void spawnBlastDebris(const MapBlock&) override {}
  void spawnNoteDebris(engine::Vec2) override { ++noteBursts; }

  struct Push {
    uint32_t id;
    float strength;
    float angle;
  };
  std::vector<Body> bodies;
  std::vector<Push> pushes;
  int noteBursts = 0;
};

class CircuitTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    defineCircuitBlocks();
    makeWorld(WorldParams{});  // the map reads the block rows when it is made
    logic.world = world.get();
    context.rules = &logic;
    context.bodies = &bodies;
    rebind();
  }

  // The devices' blocks join the circuits when placed (flag 45).
  static void defineCircuitBlocks() {
    for (uint16_t id : {kLamp, kColouredLamp, uint16_t{2095}, uint16_t{2116}, uint16_t{2119}, uint16_t{2148},
                        uint16_t{2084}, uint16_t{2088}, uint16_t{2117}, uint16_t{2094}}) {
      defineBlock(id, {.flags = bits({45}), .transparency = 1, .variants = 2});
    }
    defineBlock(kShutter, {.flags = bits({45}), .transparency = 1, .variants = 2});  // the launcher
    defineBlock(kSwitchBlock, {.flags = bits({21, 45}), .transparency = 1, .variants = 2});
    defineBlock(kPistonHead, {.flags = bits({23}), .transparency = 1});
  }
  static constexpr uint16_t kSwitchBlock = 700;
  static constexpr uint16_t kPistonHead = 2118;

  CircuitSystem& circuits() { return world->circuits(); }
  // A part written straight into the cell's bytes (no queue, no evaluation).
  MapBlock& part(int32_t x, int32_t y, uint8_t kind, uint8_t rotation = 0, uint8_t signal = 0) {
    MapBlock& c = at(x, y);
    c.circuitA = 0;
    c.circuitB = 0;
    setCircuitKind(c, kind);
    c.circuitB = static_cast<uint8_t>(c.circuitB | ((rotation & 3) << 4));
    setSignalByte(c, signal);
    return c;
  }
  MapBlock& source(int32_t x, int32_t y, uint8_t signal) { return part(x, y, circuit_kind::kSourceBlock, 0, signal); }
  void place(int32_t x, int32_t y, uint8_t kind) {
    BlockEdit e = edit(edit_kind::kCircuitPartSet, x, y);
    e.setValueByte(0, kind);
    ASSERT_FALSE(apply(e).wasRefused());
  }
  void cut(int32_t x, int32_t y) { ASSERT_FALSE(apply(edit(edit_kind::kCircuitPartRemoved, x, y)).wasRefused()); }
  void turn(int32_t x, int32_t y) { ASSERT_FALSE(apply(edit(edit_kind::kCircuitEdit, x, y)).wasRefused()); }
  void placeBlock(int32_t x, int32_t y, uint16_t id, uint8_t state = 0) {
    BlockEdit e = edit(edit_kind::kSetLayerBlock, x, y, id);
    e.state = state;
    ASSERT_FALSE(apply(e).wasRefused());
  }
  void steps(int n) {
    for (int i = 0; i < n; ++i) circuits().step();
  }
  uint8_t signal(int32_t x, int32_t y) { return signalByte(at(x, y)); }
  uint8_t state(int32_t x, int32_t y) { return circuit_signal::state(signalByte(at(x, y))); }

  ApplyingLogic logic;
  TestBodies bodies;
};

}  // namespace world_test
