#pragma once
// The light map's view of the cell grid: side neighbours by index (columns wrap, rows end) and the
// raising of one neighbour by one cell, as every light operation does it. Internal to world/light;
// used in the hot loops, so everything here is inline and allocation-free.

#include <cstdint>

#include "world/cells/direction.h"
#include "world/cells/map_block.h"
#include "world/light/lamp_colours.h"
#include "world/map/world_map.h"

namespace light_grid {

// Side directions in the game's `Direction` order; bit 12 + d of a block-light word says the
// cell's block light was raised by its neighbour in direction d.
constexpr int kLeft = static_cast<int>(Direction::Left);
constexpr int kDown = static_cast<int>(Direction::Down);
constexpr int kRight = static_cast<int>(Direction::Right);
constexpr int kUp = static_cast<int>(Direction::Up);
static_assert(kLeft == 0 && kDown == 1 && kRight == 2 && kUp == 3, "loops run d = 0..3 in this order");
constexpr uint16_t kColourMask = 0x0FFF;
constexpr uint16_t kDirectionMask = 0xF000;
constexpr uint32_t kNone = 0xFFFFFFFFu;
constexpr uint16_t kLamp = lamp_block::kLamp;
constexpr uint16_t kColouredLamp = lamp_block::kColouredLamp;

constexpr int opposite(int d) { return static_cast<int>(::opposite(static_cast<Direction>(d))); }
constexpr uint16_t directionBit(int d) { return static_cast<uint16_t>(1u << (12 + d)); }

inline bool letsLightThrough(const MapBlock& c) { return c.hasFlag(cell_flag::kLetsLightThrough); }
inline int lossFrom(const MapBlock& c) { return letsLightThrough(c) ? 2 : 6; }
inline bool isSource(const MapBlock& c) {
  return (c.flags & (cell_flag::kEmitsLight | cell_flag::kCarriedLight)) != 0;
}
inline int brightness(uint16_t colour) {
  const int r = colour & 15, g = (colour >> 4) & 15, b = (colour >> 8) & 15;
  return r > g ? (r > b ? r : b) : (g > b ? g : b);
}

struct Grid {
  MapBlock* cells;
  uint32_t width;
  uint32_t height;

  explicit Grid(WorldMap& map)
      : cells(map.cells()), width(static_cast<uint32_t>(map.width())),
        height(static_cast<uint32_t>(map.height())) {}

  uint32_t wrapSpan() const { return (width - 1) * height; }

  // The neighbour of cell i (whose place is c) in direction d, or kNone beyond the top or bottom.
  uint32_t neighbour(uint32_t i, const MapBlock& c, int d) const {
    switch (d) {
      case kLeft: return c.x == 0 ? i + wrapSpan() : i - height;
      case kDown: return c.y == 0 ? kNone : i - 1;
      case kRight: return c.x + 1u == width ? i - wrapSpan() : i + height;
      default: return c.y + 1u == height ? kNone : i + 1;
    }
  }
};

// Raises each channel of n to c's channel less the loss; a raise records that n was lit from c (the
// direction opposite to d, seen from n). Whether any channel rose.
inline bool raiseColour(const MapBlock& c, MapBlock& n, int d, int loss) {
  const int from = c.blockLight;
  int to = n.blockLight;
  bool rose = false;
  for (int shift = 0; shift < 12; shift += 4) {
    const int offered = ((from >> shift) & 15) - loss;
    if (offered > ((to >> shift) & 15)) {
      to = (to & ~(15 << shift)) | (offered << shift);
      rose = true;
    }
  }
  if (rose) n.blockLight = static_cast<uint16_t>(to | directionBit(opposite(d)));
  return rose;
}

// Raises n's sky from c's: full sky falls straight down into an open cell, else it loses the loss.
inline bool raiseSky(const MapBlock& c, MapBlock& n, int d, int loss) {
  const int sky = c.skyLevel();
  if (sky - loss < 0) return false;
  const int nsky = n.skyLevel();
  if (sky == 15 && d == kDown && letsLightThrough(n)) {
    if (nsky >= 15) return false;
    n.setSkyLevel(15);
    return true;
  }
  if (nsky >= sky - loss) return false;
  n.setSkyLevel(static_cast<uint8_t>(sky - loss));
  return true;
}

}  // namespace light_grid
