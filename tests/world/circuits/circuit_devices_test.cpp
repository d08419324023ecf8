// Output devices acting on the world through the rules, sensors, the shift register and the
// configurator records. The device sits at (10, 10); its inputs are source blocks on its sides
// (up (10, 11), right (11, 10), down (10, 9), left (9, 10)).

#include <algorithm>

#include "content/items/item_pool.h"
#include "tests/world/circuits/circuit_fixture.h"
#include "world/blocks/alchemy_lab.h"
#include "world/light/light_map.h"

namespace {

using namespace world_test;
namespace ck = circuit_kind;
namespace cs = circuit_signal;

constexpr int kX = 10, kY = 10;

class CircuitDevicesTest : public CircuitTest {
 protected:
  void device(uint16_t block, uint8_t state = 0) {
    placeBlock(kX, kY, block, state);
    steps(1);
  }
  // Sets the inputs by circuit direction (up, right, down, left) and evaluates the device.
  void drive(uint8_t up, uint8_t right, uint8_t down, uint8_t left) {
    source(kX, kY + 1, up);
    source(kX + 1, kY, right);
    source(kX, kY - 1, down);
    source(kX - 1, kY, left);
    circuits().evaluateCell(at(kX, kY));
  }
  bool heard(uint16_t id) const {
    return std::any_of(logic.sounds.begin(), logic.sounds.end(), [id](const auto& s) { return s.id == id; });
  }
};

TEST_F(CircuitDevicesTest, ASwitchedBlockFollowsAnyHighInput) {
  device(kSwitchBlock);
  EXPECT_EQ(circuitKind(at(kX, kY)), ck::kOutputDevice);
  drive(0, cs::kLow, cs::kHigh, 0);
  EXPECT_EQ(at(kX, kY).frontVariant(), 1);
  drive(cs::kLow, cs::kLow, 0, 0);
  EXPECT_EQ(at(kX, kY).frontVariant(), 0);
  EXPECT_TRUE(heard(19));
}

TEST_F(CircuitDevicesTest, TheColouredLampTakesItsColourFromItsSides) {
  device(kColouredLamp);
  drive(0, 0, 0, cs::kHigh);  // red from the left only
  EXPECT_EQ(circuits().lampColourAt(at(kX, kY)), 0x00E);
  EXPECT_EQ(at(kX, kY).lightColour() & 0x00F, 0x00E) << "the lamp lights its own cell";

  drive(0, cs::analog(3), cs::kHigh, cs::analog(5));  // blue 3 from the right, green 14 from below
  EXPECT_EQ(circuits().lampColourAt(at(kX, kY)), 0x3E5);

  drive(cs::kHigh, cs::kLow, cs::kLow, cs::kLow);  // up carries no colour
  EXPECT_EQ(circuits().lampColourAt(at(kX, kY)), 0);
  EXPECT_EQ(at(kX, kY).frontVariant(), 0);
  EXPECT_EQ(at(kX, kY).lightColour(), 0) << "its light went with it";
}

TEST_F(CircuitDevicesTest, TheLauncherThrowsMobsAboveOnARisingInput) {
  device(kShutter);
  logic.launches = 0;  // setting a block on the front layer asks the rules to launch once
  bodies.bodies.push_back({.group = BodyGroup::Mob, .id = 7, .cellX = kX, .cellY = kY + 1});
  bodies.bodies.push_back({.group = BodyGroup::Player, .id = 8, .cellX = kX, .cellY = kY + 1});
  drive(0, 0, cs::kHigh, 0);
  EXPECT_EQ(logic.launches, 1);
  ASSERT_EQ(bodies.pushes.size(), 1u) << "only mobs";
  EXPECT_EQ(bodies.pushes[0].id, 7u);
  drive(0, 0, cs::kHigh, 0);
  EXPECT_EQ(logic.launches, 1) << "no second launch while the input stays high";
}

TEST_F(CircuitDevicesTest, TheDispenserThrowsOneUnitWithAForceByItsPower) {
  device(2116);
  setSignalByte(at(kX, kY), 0);
  at(kX, kY).circuitB = static_cast<uint8_t>((at(kX, kY).circuitB & 0xF0) | 15);
  auto& lab = world->alchemyLabs().add(std::make_unique<AlchemyLab>(at(kX + 1, kY)));
  lab.setItem(0, newItem(500, 0, 2, -1, 0));
  for (int edge = 0; edge < 3; ++edge) {
    drive(cs::kHigh, 0, 0, 0);
    drive(cs::kLow, 0, 0, 0);
  }
  ASSERT_EQ(logic.thrownForces.size(), 2u) << "two units, then nothing left to throw";
  for (float force : logic.thrownForces) {
    EXPECT_GE(force, 8.5f);
    EXPECT_LE(force, 9.5f);
  }
  EXPECT_EQ(lab.itemAt(0), nullptr) << "both units left and the slot emptied";
  world->alchemyLabs().clear();
}

TEST_F(CircuitDevicesTest, ThePistonPushesItsHeadOutAndPullsItBack) {
  device(2119, 0);  // pushes up
  bodies.bodies.push_back({.group = BodyGroup::Player, .id = 1, .cellX = kX, .cellY = kY + 1});
  bodies.bodies.push_back({.group = BodyGroup::Mob, .id = 2, .cellX = kX, .cellY = kY + 1});
  bodies.bodies.push_back({.group = BodyGroup::Entity, .id = 3, .cellX = kX, .cellY = kY + 1});
  drive(0, 0, 0, cs::kHigh);
  EXPECT_EQ(at(kX, kY + 1).frontId(), kPistonHead);
  ASSERT_EQ(bodies.pushes.size(), 2u) << "the player and the mob; the entity touches nothing";
  EXPECT_FLOAT_EQ(bodies.pushes[0].strength, 8.0f);
  EXPECT_FLOAT_EQ(bodies.pushes[1].strength, 6.0f);
  drive(0, 0, 0, cs::kLow);
  EXPECT_EQ(at(kX, kY + 1).frontId(), kAir);
}

TEST_F(CircuitDevicesTest, APistonFacingWhatTheToolCannotBreakOnlyTurnsOn) {
  device(2119, 1);  // pushes right
  put(kX + 1, kY, kGlass);
  drive(cs::kHigh, 0, 0, 0);
  EXPECT_EQ(at(kX + 1, kY).frontId(), kGlass);
  EXPECT_EQ(state(kX, kY), cs::kHigh);
}

TEST_F(CircuitDevicesTest, TheToneEmitterPlaysOnARisingInput) {
  device(2148);
  CircuitRecord tone{circuit_tag::kToneEmitter, 0, 0x0042, 0};
  circuits().applyCellConfig(at(kX, kY), tone);
  sounds.played.clear();
  drive(cs::kHigh, 0, 0, 0);
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0].id, 71);
  EXPECT_EQ(sounds.played[0].value, 0x0042);
  EXPECT_EQ(bodies.noteBursts, 1);
  drive(cs::kHigh, 0, 0, 0);
  EXPECT_EQ(sounds.played.size(), 1u) << "only on the rising edge";
}

TEST_F(CircuitDevicesTest, PressurePlatesFeelPlayersAndTheAnyBodyPlateMobsToo) {
  for (const uint16_t plate : {uint16_t{2088}, uint16_t{2084}}) {
    device(plate);
    bodies.bodies = {{.group = BodyGroup::Mob, .id = 4, .cellX = kX, .cellY = kY, .mobState = 1}};
    steps(8);
    EXPECT_EQ(state(kX, kY), plate == 2088 ? cs::kHigh : cs::kLow) << plate;
    bodies.bodies = {{.group = BodyGroup::Player, .id = 5, .cellX = kX, .cellY = kY, .flags = body_flag::kGrounded}};
    steps(8);
    EXPECT_EQ(at(kX, kY).frontVariant(), 1) << plate;
    bodies.bodies.clear();
    steps(8);
    EXPECT_EQ(state(kX, kY), cs::kLow) << plate;
    cut(kX, kY);
    steps(2);
  }
}

TEST_F(CircuitDevicesTest, AShiftRegisterOfLengthFourPassesASteadyHighOnTheFourthStep) {
  source(kX, kY - 1, cs::kHigh);
  place(kX, kY + 1, ck::kWire);
  place(kX, kY, ck::kShiftRegister);
  steps(1);
  BlockEdit setting = edit(edit_kind::kCircuitSetting, kX, kY);
  setting.setValueByte(0, circuit_tag::kShiftRegister);
  setting.setValueByte(2, 1);
  setting.setValueByte(4, 4);
  apply(setting);
  std::vector<uint8_t> outputs;
  for (int unit = 0; unit < 5; ++unit) {
    steps(2);
    outputs.push_back(state(kX, kY));
  }
  EXPECT_EQ(outputs, (std::vector<uint8_t>{0, 0, 0, 2, 2}));
  EXPECT_EQ(state(kX, kY + 1), cs::kHigh);
}

TEST_F(CircuitDevicesTest, AnAnalogSourceDrivesItsSetValueAndOnlyPartsWithSettingsTakeThem) {
  put(kX, kY, 2094);
  part(kX, kY, ck::kSourceBlock);
  circuits().applyCellConfig(at(kX, kY), {circuit_tag::kAnalogSource, 0, 11, 0});
  steps(1);
  EXPECT_EQ(signal(kX, kY), cs::analog(11));
  EXPECT_EQ(circuits().getCellConfig(at(kX, kY)), (CircuitRecord{circuit_tag::kAnalogSource, 0, 11, 0}));
  put(kX, kY, kDirt);
  part(kX, kY, ck::kAnd);
  EXPECT_FALSE(isConfigurableCircuitCell(at(kX, kY)));
}

}  // namespace
