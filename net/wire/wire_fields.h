#pragma once
// The small values that many payloads share, as a receiver reads them.

#include <cstdint>
#include <memory>

#include "content/items/item_ptr.h"

class Item;

namespace wire {

struct Cell {
  uint16_t column = 0;
  uint16_t row = 0;
  bool operator==(const Cell&) const = default;
};

// Pixels.
struct Point {
  float x = 0;
  float y = 0;
  bool operator==(const Point&) const = default;
};

// An item taken from the item pool for a received message; freed back to the pool with it.
using PooledItem = ItemPtr;

}  // namespace wire
