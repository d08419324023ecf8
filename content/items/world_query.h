#pragma once
// What the content rules ask of the running world. The world model implements it; without a
// world the null answers make every world-dependent rule fail.

#include <cstdint>

class WorldQuery {
 public:
  virtual ~WorldQuery() = default;
  // The planet's id bit.
  virtual uint32_t planetIdBit() const = 0;
  // The current day phase: one of the bits 1, 2, 4 and 8.
  virtual uint32_t dayPhaseBits() const = 0;
  // The map's height in rows.
  virtual uint32_t mapHeight() const = 0;
};

class NullWorldQuery : public WorldQuery {
 public:
  uint32_t planetIdBit() const override { return 0; }
  uint32_t dayPhaseBits() const override { return 0; }
  uint32_t mapHeight() const override { return 0; }
};
