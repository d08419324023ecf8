#pragma once
// The builders that fix a particle's start: where it appears (position builders), how it is thrown
// (impulse builders) and which picture it shows (rectangle builders). Presets keep them in
// long-lived objects and rewrite only the per-call fields (a cell, a point) before each particle;
// a particle keeps no builder after its construction.
//
// Every draw comes from the game's one generator (engine/base/random.h), so a seeded run repeats.
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"
#include "content/art/debris_rect_lists.h"

class MapBlock;
class WorldMap;

// a when a = b, else a + rand / 32767 * (b - a).
float randomBetween(float a, float b);

struct DebrisStart {
  MapBlock* cell = nullptr;
  engine::Vec2 point{};
};

struct DebrisImpulse {
  float strength = 0;
  float angle = 0;  // radians, y up
};

class BuilderPosition {
 public:
  virtual ~BuilderPosition() = default;
  virtual DebrisStart build(WorldMap& map) = 0;
};

class DebrisPositionFixed final : public BuilderPosition {
 public:
  DebrisStart build(WorldMap&) override { return {cell, point}; }
  MapBlock* cell = nullptr;
  engine::Vec2 point{};
};

// The positions anchored to a cell that the caller sets before each particle.
class DebrisPositionMutableTile : public BuilderPosition {
 public:
  MapBlock* cell = nullptr;
};

// The cell's pixel position scattered by up to half the width and height each way.
class DebrisPositionTile final : public DebrisPositionMutableTile {
 public:
  DebrisPositionTile(float w, float h) : width(w), height(h) {}
  DebrisStart build(WorldMap& map) override;
  float width;
  float height;
};

// A point scattered by up to half the width and height each way; the cell is the one under it.
class DebrisPositionOffsetted : public BuilderPosition {
 public:
  DebrisPositionOffsetted(float w, float h) : width(w), height(h) {}
  DebrisStart build(WorldMap& map) override;
  engine::Vec2 point{};
  float width;
  float height;
};

// A glint around a light: the point moved within [min, max] on each axis whose two ends are both
// non-zero (an axis with a zero end keeps the point's coordinate).
class LightSparklePositionBuilder final : public DebrisPositionOffsetted {
 public:
  LightSparklePositionBuilder() : DebrisPositionOffsetted(0, 0) {}
  DebrisStart build(WorldMap& map) override;
  float xMin = 0;
  float yMin = 0;
  float xMax = 0;
  float yMax = 0;
};

// A bubble somewhere below the liquid surface of the cell (its two liquid levels give the slope).
class WaterBubblePositionBuilder final : public DebrisPositionMutableTile {
 public:
  DebrisStart build(WorldMap& map) override;
};

// The plain builder throws nothing.
class DebrisImpulseBuilder {
 public:
  virtual ~DebrisImpulseBuilder() = default;
  virtual DebrisImpulse build() { return {}; }
};

class DebrisImpulseFixed final : public DebrisImpulseBuilder {
 public:
  DebrisImpulseFixed(float s, float a) : strength(s), angle(a) {}
  DebrisImpulse build() override { return {strength, angle}; }
  float strength;
  float angle;
};

// Strength uniform in [min, max]; angle base + spread * r with r uniform in [0, 1].
class DebrisImpulseParametric final : public DebrisImpulseBuilder {
 public:
  DebrisImpulseParametric(float lo, float hi, float sp, float b) : min(lo), max(hi), spread(sp), base(b) {}
  DebrisImpulse build() override;
  float min;
  float max;
  float spread;
  float base;
};

class DebrisRectBuilder {
 public:
  virtual ~DebrisRectBuilder() = default;
  virtual DebrisRect build() = 0;
  // The list the rectangle came from; null when it was cut from a source picture.
  virtual const DebrisRectList* list() const { return nullptr; }
};

// A square chip cut at a random place from a source rectangle (a block's or a mob's picture).
class DebrisCutRect final : public DebrisRectBuilder {
 public:
  DebrisCutRect(float lo, float hi) : sizeMin(lo), sizeMax(hi) {}
  DebrisRect build() override;
  float sizeMin;
  float sizeMax;
  float sourceX = 0;
  float sourceY = 0;
  float sourceWidth = 0;
  float sourceHeight = 0;
};

// A random rectangle of a list.
class DebrisSpecRects : public DebrisRectBuilder {
 public:
  explicit DebrisSpecRects(const DebrisRectList* l) : rects(l) {}
  DebrisRect build() override;
  const DebrisRectList* list() const override { return rects; }
  const DebrisRectList* rects;
};

// One chosen rectangle of a list.
class DebrisSpecRectsFixed final : public DebrisSpecRects {
 public:
  DebrisSpecRectsFixed(const DebrisRectList* l, uint16_t i) : DebrisSpecRects(l), index(i) {}
  DebrisRect build() override;
  uint16_t index;
};

// A firework spark of a colour (1-based): a 7 x 7 star, or on an odd draw a 5 x 5 one beside it.
class FireworkSparkRectBuilder final : public DebrisRectBuilder {
 public:
  DebrisRect build() override;
  uint8_t colour = 1;
};
