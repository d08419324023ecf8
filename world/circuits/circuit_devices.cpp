// CircuitSystem: the parts that touch the rest of the world. Sensors turn the world into signals,
// configurable parts keep their settings in the cell or in the device memory, and output devices
// act on the world only through block edits and pushes handed to the world's rules and bodies, so
// protection, the peers and the light follow as for any other change.

#include <cmath>
#include <optional>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "engine/base/random.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/chest.h"
#include "world/cells/block_flags.h"
#include "world/cells/cell_refresh.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/light/lamp_colours.h"
#include "world/light/light_map.h"
#include "world/light/light_refresh_batching.h"
#include "world/map/world_map.h"
#include "world/placement/switch_operations.h"
#include "world/rules/logic.h"
#include "world/seams/cell_sounds.h"
#include "world/seams/entity_effects.h"
#include "world/seams/world_bodies.h"
#include "world/world.h"

namespace ck = circuit_kind;
namespace cs = circuit_signal;

namespace {

constexpr uint16_t kToggle = 374;
constexpr uint16_t kAnalogSource = 2094;
constexpr uint16_t kPlayerPlate = 2084;
constexpr uint16_t kAnyBodyPlate = 2088;
constexpr uint16_t kLightSensor = 2117;
constexpr uint16_t kLamp = lamp_block::kLamp;
constexpr uint16_t kColouredLamp = lamp_block::kColouredLamp;
constexpr uint16_t kNumberDisplay = 2095;
constexpr uint16_t kLauncher = 2090;
constexpr uint16_t kDispenser = 2116;
constexpr uint16_t kPiston = 2119;
constexpr uint16_t kPistonHead = 2118;
constexpr uint16_t kToneEmitter = 2148;
constexpr uint16_t kBreakingTool = 835;
constexpr uint16_t kSoundPlate = 55;
constexpr uint16_t kSoundMachine = 66;
constexpr uint16_t kSoundDispenser = 57;
constexpr uint16_t kSoundTone = 71;
constexpr float kPi = 3.14159265f;
constexpr float kDegrees = kPi / 180.0f;

float uniform(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(engine::randomNext()) / 32767.0f; }

bool anyHighOf(const uint8_t inputs[4]) {
  for (int d = 0; d < 4; ++d) {
    if (cs::state(inputs[d]) == cs::kHigh) return true;
  }
  return false;
}

uint8_t valueNibble(const MapBlock& cell) { return cell.circuitB & 0x0F; }
void setValueNibble(MapBlock& cell, uint8_t v) { cell.circuitB = static_cast<uint8_t>((cell.circuitB & 0xF0) | (v & 15)); }
uint8_t memoryBits(const MapBlock& cell) { return static_cast<uint8_t>(cell.circuitB >> 6); }
void setMemoryBits(MapBlock& cell, uint8_t m) { cell.circuitB = static_cast<uint8_t>((cell.circuitB & 0x3F) | ((m & 3) << 6)); }
void setState(MapBlock& cell, uint8_t state) {
  cell.circuitA = static_cast<uint8_t>((cell.circuitA & ~cs::kStateMask) | (state & cs::kStateMask));
}

// A kind-8 edit giving the front block of the cell another variant (and block state).
BlockEdit frontVariant(const MapBlock& cell, uint16_t blockId, uint8_t variant, uint8_t state) {
  BlockEdit edit = editForCell(cell, edit_kind::kReplace, blockId);
  edit.variant = variant;
  edit.state = state;
  edit.layer = MapBlock::kFront;
  return edit;
}

void setFrontVariant(LogicCells& rules, const MapBlock& cell, uint8_t variant) {
  rules.editBlock(frontVariant(cell, cell.frontId(), variant, cell.blockState()), nullptr);
}

// A colour channel from one input: an analog value as it is, a high digital input 14.
uint16_t channelOf(uint8_t input) {
  if (cs::isAnalog(input)) return cs::analogValue(input);
  return cs::state(input) == cs::kHigh ? 14 : 0;
}

void pushBodiesInCell(WorldBodies& world, const MapBlock& cell, float strength, float angle,
                      bool (*chosen)(const Body&)) {
  std::vector<Body> bodies;
  world.collectInCell(cell, bodies);
  for (const Body& body : bodies) {
    if (chosen(body)) world.push(body, strength, angle);
  }
}

// One unit of the holder's slot leaves through the dispenser: shot when the rules name a projectile
// for it, else thrown with a force that grows with the dispenser's power.
void dispenseFrom(LogicPlayers& players, LogicEntities& rules, MapBlock& cell, LogicItemBlock& holder, size_t slot,
                  engine::Vec2 offset, float angle) {
  Item* item = holder.itemAt(slot);
  const float power = valueNibble(cell);
  const engine::Vec2 at{cellPixelPosition(cell).x + offset.x, cellPixelPosition(cell).y + offset.y};
  bool shoot = rules.useSpawningItem(0, nullptr, item, angle);
  Logic::ProjectileChoice choice;
  if (shoot) {
    choice = rules.projectileForItem(0, nullptr, item);
    shoot = choice.itemId >= 0 && choice.rangeFlag == 0;
  }
  if (shoot) {
    const float base = item->isKind(7) ? 10.0f : choice.baseSpeed;
    const float speed = ((power / 10.0f) * 0.5f + 0.5f) * base;
    rules.shootProjectile(item, nullptr, at, {std::cos(angle) * speed, std::sin(angle) * speed}, 0);
  } else {
    const float f = power * 0.5f + 1.0f;
    if (ItemPtr thrown = newItem(item->id, static_cast<int8_t>(item->variant), 1, static_cast<int16_t>(item->durability), item->word)) {
      rules.spawnItemEntity(std::move(thrown), at, uniform(f, f + 1.0f), angle, 0);
    }
  }
  players.playSound(cell, kSoundDispenser, 0);
  if (!item->consumeOne()) return;
  if (auto* chest = block_entity_cast<Chest>(&holder)) chest->setItem(static_cast<int32_t>(slot), nullptr);
  else if (auto* lab = block_entity_cast<AlchemyLab>(&holder)) lab->setItem(static_cast<uint8_t>(slot), nullptr);
  else holder.takeItem(slot);
}

}  // namespace

// ---- Configuration ----

std::optional<uint8_t> circuitSettingTag(const MapBlock& cell) {
  switch (circuitKind(cell)) {
    case ck::kClock: return circuit_tag::kClock;
    case ck::kShiftRegister: return circuit_tag::kShiftRegister;
    case ck::kTruthTable: return circuit_tag::kTruthTable;
    case ck::kOperationalUnit: return circuit_tag::kOperationalUnit;
    case ck::kAnalogToBit: return circuit_tag::kAnalogToBit;
    case ck::kBitToAnalog: return circuit_tag::kBitToAnalog;
    case ck::kSourceBlock:
      if (cell.frontId() == kAnalogSource) return circuit_tag::kAnalogSource;
      break;
    default: break;
  }
  if (cell.frontId() == kDispenser) return circuit_tag::kDispenser;
  if (cell.frontId() == kToneEmitter) return circuit_tag::kToneEmitter;
  return std::nullopt;
}

bool isConfigurableCircuitCell(const MapBlock& cell) { return circuitSettingTag(cell).has_value(); }

CircuitRecord CircuitSystem::getCellConfig(const MapBlock& cell) const {
  const std::optional<uint8_t> tag = circuitSettingTag(cell);
  if (!tag) return {};
  const CircuitTimer* timer = timerAt(cell);
  const CircuitRecord* memory = findMemory(cell);
  const uint16_t period = timer != nullptr ? timer->period : 0;
  switch (*tag) {
    case circuit_tag::kClock: return {*tag, 0, period, 0};
    case circuit_tag::kShiftRegister:
      return {*tag, 0, period, static_cast<uint16_t>(memory != nullptr ? memory->second & 63 : 0)};
    case circuit_tag::kTruthTable:
      return {*tag, 0, static_cast<uint16_t>(memory != nullptr ? memory->value & 0xFF : 0), 0};
    case circuit_tag::kOperationalUnit:
    case circuit_tag::kAnalogToBit:
    case circuit_tag::kBitToAnalog: return {*tag, 0, memoryBits(cell), 0};
    case circuit_tag::kAnalogSource:
    case circuit_tag::kDispenser: return {*tag, 0, valueNibble(cell), 0};
    case circuit_tag::kToneEmitter: return {*tag, 0, memory != nullptr ? memory->value : uint16_t{0}, 0};
    default: return {};
  }
}

void CircuitSystem::applyCellConfig(MapBlock& cell, const CircuitRecord& record) {
  map_.markChanged(cell);
  const uint8_t low = static_cast<uint8_t>(record.value & 0xFF);
  CircuitTimer* timer = timerAt(cell);
  switch (record.tag) {
    case circuit_tag::kClock:
      if (timer != nullptr) timer->period = timer->countdown = record.value;
      break;
    case circuit_tag::kShiftRegister: {
      if (timer != nullptr) timer->period = timer->countdown = record.value;
      CircuitRecord& memory = memoryAt(cell);
      memory.tag = record.tag;
      memory.value = 0;
      memory.second = record.second & 63;  // position 0
      break;
    }
    case circuit_tag::kTruthTable: {
      CircuitRecord& memory = memoryAt(cell);
      memory.tag = record.tag;
      memory.value = low;
      queueChange(cell, circuit_op::kEvaluate, 0);
      break;
    }
    case circuit_tag::kOperationalUnit:
    case circuit_tag::kAnalogToBit:
    case circuit_tag::kBitToAnalog:
      setMemoryBits(cell, low & 3);
      queueChange(cell, circuit_op::kEvaluate, 0);
      break;
    case circuit_tag::kAnalogSource:
      setCellConfig(cell, cs::analog(low & 15));
      break;
    case circuit_tag::kDispenser:
      setValueNibble(cell, low & 15);
      break;
    case circuit_tag::kToneEmitter: {
      CircuitRecord& memory = memoryAt(cell);
      memory.tag = record.tag;
      memory.value = record.value;
      break;
    }
    default:
      break;
  }
}

uint16_t CircuitSystem::lampColourAt(const MapBlock& cell) const {
  const CircuitRecord* memory = findMemory(cell);
  return memory != nullptr ? static_cast<uint16_t>(memory->value & 0x0FFF) : 0;
}

// ---- Sensors ----

uint8_t CircuitSystem::readSensor(MapBlock& cell) {
  const uint16_t block = cell.frontId();
  if (block == kLightSensor) return cs::analog(cell.lightLevel(world_.dayClock().darkness));
  if (block == kPlayerPlate || block == kAnyBodyPlate) return pressurePlate(cell);
  return cs::kNone;
}

uint8_t CircuitSystem::pressurePlate(MapBlock& cell) {
  std::vector<Body> bodies;
  world_.bodies().collectInCell(cell, bodies);
  bool pressed = false;
  for (const Body& body : bodies) {
    if (body.group == BodyGroup::Player && body.has(body_flag::kGrounded)) pressed = true;
    if (cell.frontId() == kAnyBodyPlate && body.group == BodyGroup::Mob && body.mobState < 4) pressed = true;
  }
  LogicCells& rules = world_.rules();
  LogicPlayers& players = world_.rules();
  const uint8_t state = cs::state(signalByte(cell));
  if (!pressed && state == cs::kHigh) {
    players.playSound(cell, kSoundPlate, 1);
    setFrontVariant(rules, cell, 0);
    rules.setCircuitInput(cell, cs::kLow);
    return cs::kLow;
  }
  if (pressed && (state == cs::kNone || state == cs::kLow)) {
    players.playSound(cell, kSoundPlate, 0);
    setFrontVariant(rules, cell, 1);
    rules.setCircuitInput(cell, cs::kHigh);
    return cs::kHigh;
  }
  return signalByte(cell);
}

void CircuitSystem::shiftRegisterStep(MapBlock& cell) {
  const CircuitDir forward = static_cast<CircuitDir>(circuitRotation(cell));
  const CircuitDir back = opposite(forward);
  MapBlock* in = circuitNeighbour(map(), cell, back);
  MapBlock* out = circuitNeighbour(map(), cell, forward);
  CircuitRecord& memory = memoryAt(cell);
  memory.tag = circuit_tag::kShiftRegister;
  const int length = memory.second & 63;
  int position = (memory.second >> 6) & 31;
  uint8_t next = cs::state(signalByte(cell));
  if (!drivesToward(in, forward) || !acceptsFrom(out, back)) {
    memory.value = 0;
    position = 0;
    next = cs::kNone;
  } else {
    const uint8_t s = cs::state(readSignal(map(), *in, forward));
    if (s == cs::kLow || s == cs::kHigh) {
      if (position == length - 1) {
        next = (memory.value & 1) != 0 ? cs::kHigh : cs::kLow;
        memory.value = static_cast<uint16_t>(memory.value >> 1);
      }
      if (s == cs::kHigh && position < 16) memory.value = static_cast<uint16_t>(memory.value | (1u << position));
      if (position < length - 1) ++position;
    } else if (position != 0) {
      next = (memory.value & 1) != 0 ? cs::kHigh : cs::kLow;
      --position;
    } else {
      next = cs::kNone;
    }
  }
  memory.second = static_cast<uint16_t>(length | (position << 6));
  if (next != cs::state(signalByte(cell))) replaceState(cell, next, true);
}

// ---- Output devices ----

void CircuitSystem::runOutputDevice(MapBlock& cell, const uint8_t inputs[4]) {
  LogicCells& rules = world_.rules();
  LogicPlayers& players = world_.rules();
  const bool anyHigh = anyHighOf(inputs);
  if (map().props()[cell.frontId()].has(block_flag::kCircuitOutput)) {
    setSwitchState(players, rules, cell, anyHigh);
    return;
  }
  if (cell.frontId() == kToggle || cell.findDeco(kToggle)) setToggleAttachmentState(world_, cell, anyHigh);
  switch (cell.frontId()) {
    case kLamp: setFrontVariant(rules, cell, anyHigh ? 1 : 0); break;
    case kColouredLamp: colouredLamp(cell, inputs); break;
    case kNumberDisplay: numberDisplay(cell, inputs); break;
    case kLauncher: launcher(cell, anyHigh); break;
    case kDispenser: dispenser(cell, inputs); break;
    case kPiston: piston(cell, anyHigh); break;
    case kToneEmitter: toneEmitter(cell, inputs); break;
    default: break;
  }
}

void CircuitSystem::colouredLamp(MapBlock& cell, const uint8_t inputs[4]) {
  const uint16_t colour = static_cast<uint16_t>(channelOf(inputs[3]) | (channelOf(inputs[2]) << 4) | (channelOf(inputs[1]) << 8));
  if (colour == lampColourAt(cell)) return;
  LightMap& light = map().lightMap();
  LogicCells& rules = world_.rules();
  if (lampColourAt(cell) != 0) {
    memoryAt(cell).value = 0;
    light.updateAround(cell, false);
  }
  if (colour == 0) {
    setFrontVariant(rules, cell, 0);
  } else {
    memoryAt(cell).value = colour;
    setFrontVariant(rules, cell, 1);
    light.refreshCell(cell);
  }
  world().lightBatching().refreshWorldLighting();
}

void CircuitSystem::numberDisplay(MapBlock& cell, const uint8_t inputs[4]) {
  bool anyAnalog = false;
  for (int d = 0; d < 4; ++d) anyAnalog = anyAnalog || cs::isAnalog(inputs[d]);
  uint8_t value = 0;
  bool active = anyAnalog;
  for (int d = 0; d < 4; ++d) {
    if (anyAnalog) {
      value |= cs::analogValue(inputs[d]);
    } else {
      if (cs::state(inputs[d]) == cs::kHigh) value |= static_cast<uint8_t>(1u << d);
      if (cs::state(inputs[d]) != 0) active = true;
    }
  }
  setValueNibble(cell, value);
  setState(cell, active ? cs::kHigh : cs::kNone);
  world_.refresh().refreshCell(cell);
}

void CircuitSystem::launcher(MapBlock& cell, bool anyHigh) {
  LogicCells& rules = world_.rules();
  LogicPlayers& players = world_.rules();
  const uint8_t state = cs::state(signalByte(cell));
  if (state != cs::kHigh && anyHigh) {
    setFrontVariant(rules, cell, 1);
    players.playSound(cell, kSoundMachine, 0);
    rules.launchFromCell(cell);
    const BlockPropsTable& props = map().props();
    MapBlock* target = cell.neighbourUp(map());
    float angle = 90 * kDegrees;
    if (target == nullptr || props[target->frontId()].transparency == 0) {
      target = cell.neighbourLeft(map());
      angle = 140 * kDegrees;
      if (target == nullptr || target->blocksMovement(props)) {
        target = cell.neighbourRight(map());
        angle = 40 * kDegrees;
      }
    }
    if (target != nullptr && !target->blocksMovement(props)) {
      pushBodiesInCell(world_.bodies(), *target, 5.0f, angle, [](const Body& b) { return b.group == BodyGroup::Mob; });
    }
    setState(cell, cs::kHigh);
  } else if (state == cs::kHigh && !anyHigh) {
    setFrontVariant(rules, cell, 0);
    players.playSound(cell, kSoundMachine, 0);
    setState(cell, cs::kLow);
  }
}

void CircuitSystem::dispenser(MapBlock& cell, const uint8_t inputs[4]) {
  uint8_t combined = 0;
  for (int d = 0; d < 4; ++d) combined |= cs::state(inputs[d]);
  if (combined == cs::kHigh && cs::state(signalByte(cell)) != cs::kHigh) {
    engine::Vec2 offset{7.5f, 0};
    float angle = uniform(-0.19634955f, 0.19634955f);
    if (cell.blockState() == 4) {
      offset = {-7.5f, 0};
      angle = uniform(2.9452431f, 2.9452431f + 0.39269924f);
    }
    MapBlock* source = cell.blockState() == 0 ? cell.neighbourRight(map()) : cell.neighbourLeft(map());
    auto* holder = source != nullptr ? block_entity_cast<LogicItemBlock>(world_.blockEntityAt(*source)) : nullptr;
    if (holder != nullptr && !holder->inUse() && holder->slotCount() > 0) {
      for (size_t slot = 0; slot < holder->slotCount(); ++slot) {
        Item* item = holder->itemAt(slot);
        if (item == nullptr || item->count == 0) continue;
        dispenseFrom(world_.rules(), world_.rules(), cell, *holder, slot, offset, angle);
        break;
      }
    }
  }
  setState(cell, combined);
}

void CircuitSystem::piston(MapBlock& cell, bool anyHigh) {
  const uint8_t next = anyHigh ? cs::kHigh : cs::kNone;
  if (next == cs::state(signalByte(cell))) return;
  LogicCells& rules = world_.rules();
  LogicPlayers& players = world_.rules();
  const uint8_t s = cell.blockState() & 3;
  static constexpr float kAngles[4] = {90 * kDegrees, 15 * kDegrees, 270 * kDegrees, 165 * kDegrees};
  const CircuitDir towards = s == 0 ? CircuitDir::Up : s == 1 ? CircuitDir::Right : s == 2 ? CircuitDir::Down : CircuitDir::Left;
  MapBlock* target = circuitNeighbour(map(), cell, towards);
  const float angle = kAngles[s];
  if (anyHigh && target != nullptr) {
    const uint8_t clear = map().props()[target->frontId()].transparency;
    bool room = target->frontId() == 0;
    if (!room && clear == 1) {
      const ItemPtr tool = newItem(kBreakingTool, static_cast<int8_t>(-1), 1, -1, 0);
      if (tool != nullptr) tool->variant = 255;
      room = rules.canBreakBlock(nullptr, tool.get(), *target);
    }
    if (room) {
      if (target->frontId() != 0) {
        BlockEdit breakIt = editForCell(*target, edit_kind::kBreakEffects);
        breakIt.layer = MapBlock::kFront;
        rules.editBlock(breakIt, nullptr);
      }
      rules.editBlock(frontVariant(*target, kPistonHead, 0, s), nullptr);
      rules.launchEntitiesAtCell(*target, 6.0f, angle);
      std::vector<Body> bodies;
      world_.bodies().collectInCell(*target, bodies);
      for (const Body& body : bodies) {
        if (body.group == BodyGroup::Player) world_.bodies().push(body, 8.0f, angle);
        if (body.group == BodyGroup::Mob || (body.group == BodyGroup::Entity && body.has(body_flag::kContact))) {
          world_.bodies().push(body, 6.0f, angle);
        }
      }
      players.playSound(cell, kSoundMachine, 0);
      rules.editBlock(frontVariant(cell, cell.frontId(), 1, s), nullptr);
    }
  } else if (!anyHigh && target != nullptr && target->frontId() == kPistonHead && (target->blockState() & 3) == s) {
    BlockEdit remove = editForCell(*target, edit_kind::kRemoveLayer);
    remove.layer = MapBlock::kFront;
    rules.editBlock(remove, nullptr);
    players.playSound(cell, kSoundMachine, 0);
    rules.editBlock(frontVariant(cell, cell.frontId(), 0, s), nullptr);
  }
  setState(cell, next);
}

void CircuitSystem::toneEmitter(MapBlock& cell, const uint8_t inputs[4]) {
  const CircuitRecord* memory = findMemory(cell);
  const uint16_t stored = memory != nullptr ? memory->value : 0;
  uint16_t tone = stored;
  uint8_t next = anyHighOf(inputs) ? cs::kHigh : cs::kNone;
  if ((stored & 0x100) != 0) {
    if (!cs::isAnalog(inputs[3]) || !cs::isAnalog(inputs[1])) {
      next = cs::kNone;
    } else {
      next = cs::state(inputs[0]) == cs::kHigh || cs::state(inputs[2]) == cs::kHigh ? cs::kHigh : cs::kLow;
      const uint16_t octave = cs::analogValue(inputs[3]) & 3;
      const uint16_t semitone = cs::analogValue(inputs[1]) % 12;
      tone = static_cast<uint16_t>((stored & 0xFF) | ((1u | (octave << 1) | (semitone << 4)) << 8));
    }
  }
  if (next == cs::kHigh && cs::state(signalByte(cell)) != cs::kHigh) {
    world_.sounds().playAt(cell, kSoundTone, tone);
    world_.refresh().refreshCell(cell);
    world_.bodies().spawnNoteDebris(cellPixelPosition(cell));
  }
  setState(cell, next);
}
