#pragma once
// The table of circuit component kinds (0-25): the block that places each part, the item it drops,
// whether it turns, which sides take input and drive output at rotation 0 (bit d = `CircuitDir`
// d), and whether the periodic timer list steps it. A cell's kind field has room for 0-31; kinds
// past the table (only a damaged save can hold them) read as the empty row.

#include <array>
#include <cstdint>

namespace circuit_kind {
constexpr uint8_t kNone = 0;
constexpr uint8_t kWire = 1;
constexpr uint8_t kConnectorWire = 2;
constexpr uint8_t kConstantHigh = 3;
constexpr uint8_t kConstantLow = 4;
constexpr uint8_t kClock = 5;
constexpr uint8_t kBuffer = 6;
constexpr uint8_t kAnd = 7;
constexpr uint8_t kOr = 8;
constexpr uint8_t kXor = 9;
constexpr uint8_t kNot = 10;
constexpr uint8_t kNand = 11;
constexpr uint8_t kNor = 12;
constexpr uint8_t kXnor = 13;
constexpr uint8_t kCrossing = 14;
constexpr uint8_t kSourceBlock = 15;
constexpr uint8_t kSensorBlock = 16;
constexpr uint8_t kOutputDevice = 17;
constexpr uint8_t kDFlipFlop = 18;
constexpr uint8_t kJkFlipFlop = 19;
constexpr uint8_t kGateSwitch = 20;
constexpr uint8_t kShiftRegister = 21;
constexpr uint8_t kOperationalUnit = 22;
constexpr uint8_t kTruthTable = 23;
constexpr uint8_t kBitToAnalog = 24;
constexpr uint8_t kAnalogToBit = 25;
constexpr uint8_t kCount = 26;
}  // namespace circuit_kind

struct CircuitPart {
  uint16_t kind = 0;
  uint16_t block = 0;     // 0 for kinds that other blocks give their cell
  uint16_t item = 0xFFFF;  // 0xFFFF: drops nothing
  uint8_t turnable = 0;
  uint8_t inputs = 0;
  uint8_t outputs = 0;
  uint8_t timed = 0;
};

const std::array<CircuitPart, circuit_kind::kCount>& circuitParts();
// The row of a kind; the empty row for kinds past the table.
const CircuitPart& circuitPart(uint8_t kind);
