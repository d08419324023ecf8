#pragma once
// Side numbering of the circuit code: 0 up (y + 1), 1 right (x + 1), 2 down (y - 1), 3 left
// (x - 1), the order of a cell's shadow-edge bits. It differs from the game's `Direction`
// (world/cells/direction.h) and is its own type so the two cannot be mixed. Side masks use bit d
// for side d.

#include <cstdint>

enum class CircuitDir : uint8_t { Up = 0, Right = 1, Down = 2, Left = 3 };

constexpr CircuitDir kCircuitDirs[4] = {CircuitDir::Up, CircuitDir::Right, CircuitDir::Down, CircuitDir::Left};

constexpr uint8_t dirIndex(CircuitDir d) { return static_cast<uint8_t>(d); }
constexpr uint8_t sideBit(CircuitDir d) { return static_cast<uint8_t>(1u << dirIndex(d)); }
constexpr CircuitDir opposite(CircuitDir d) { return static_cast<CircuitDir>((dirIndex(d) + 2) & 3); }
// d turned by a number of quarter turns (negative turns back).
constexpr CircuitDir turned(CircuitDir d, int quarterTurns) {
  return static_cast<CircuitDir>((dirIndex(d) + quarterTurns) & 3);
}
constexpr bool isHorizontal(CircuitDir d) { return (dirIndex(d) & 1) != 0; }

struct CellOffset {
  int dx;
  int dy;
};

constexpr CellOffset offsetOf(CircuitDir d) {
  constexpr CellOffset kOffsets[4] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
  return kOffsets[dirIndex(d)];
}
