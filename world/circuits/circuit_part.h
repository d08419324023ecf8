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

// kind, block, item, turnable, inputs, outputs, timed
inline constexpr std::array<CircuitPart, circuit_kind::kCount> kCircuitParts{{
    {0, 0, 0xFFFF, 0, 0x00, 0x00, 0},     {1, 2064, 1616, 0, 0x0F, 0x0F, 0},  {2, 2096, 1872, 0, 0x0F, 0x0F, 0},
    {3, 2081, 1935, 1, 0x00, 0x01, 0},    {4, 2080, 1871, 1, 0x00, 0x01, 0},  {5, 2056, 1554, 1, 0x00, 0x01, 1},
    {6, 2050, 1681, 1, 0x04, 0x01, 0},    {7, 2048, 1553, 1, 0x0A, 0x01, 0},  {8, 2049, 1617, 1, 0x0A, 0x01, 0},
    {9, 2051, 1745, 1, 0x0A, 0x01, 0},    {10, 2054, 1937, 1, 0x04, 0x01, 0}, {11, 2052, 1809, 1, 0x0A, 0x01, 0},
    {12, 2053, 1873, 1, 0x0A, 0x01, 0},   {13, 2055, 2001, 1, 0x0A, 0x01, 0}, {14, 2059, 1746, 0, 0x0F, 0x0F, 0},
    {15, 0, 0xFFFF, 0, 0x00, 0x0F, 0},    {16, 0, 0xFFFF, 0, 0x00, 0x0F, 1},  {17, 0, 0xFFFF, 0, 0x0F, 0x00, 0},
    {18, 2057, 1618, 1, 0x0D, 0x02, 0},   {19, 2058, 1682, 1, 0x0D, 0x02, 0}, {20, 2083, 2000, 1, 0x06, 0x01, 0},
    {21, 2060, 1810, 1, 0x04, 0x01, 1},   {22, 2061, 1874, 1, 0x0A, 0x01, 0}, {23, 2082, 1936, 1, 0x0E, 0x01, 0},
    {24, 2063, 1551, 1, 0x0C, 0x01, 0},   {25, 2062, 1615, 1, 0x04, 0x01, 0},
}};

inline const std::array<CircuitPart, circuit_kind::kCount>& circuitParts() { return kCircuitParts; }
// The row of a kind; the empty row for kinds past the table.
inline const CircuitPart& circuitPart(uint8_t kind) {
  return kCircuitParts[kind < kCircuitParts.size() ? kind : circuit_kind::kNone];
}
