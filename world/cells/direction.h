#pragma once
// The game's direction numbering outside the circuit code: 0 left, 1 down, 2 right, 3 up; the
// opposite of d is (d + 2) mod 4. The circuit code numbers its sides differently (`CircuitDir`,
// world/circuits/circuit_dir.h); the two are separate types so one cannot be passed for the other.

#include <cstdint>

enum class Direction : uint8_t { Left = 0, Down = 1, Right = 2, Up = 3 };

constexpr Direction opposite(Direction d) {
  return static_cast<Direction>((static_cast<uint8_t>(d) + 2) & 3);
}
