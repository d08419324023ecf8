#include "entities/particles/debris_builders.h"

#include <algorithm>
#include <cmath>

#include "engine/base/random.h"
#include "entities/core/cell_operations.h"
#include "world/cells/map_block.h"
#include "world/seams/entity_effects.h"

namespace {

float scatter(float size) { return randomBetween(-size / 2, size / 2); }

}  // namespace

float randomBetween(float a, float b) {
  if (a == b) return a;
  return a + static_cast<float>(engine::randomNext()) / static_cast<float>(engine::RANDOM_MAX) * (b - a);
}

DebrisStart DebrisPositionTile::build(WorldMap&) {
  if (cell == nullptr) return {};
  const engine::Vec2 base = cellPixelPosition(*cell);
  const float dx = scatter(width);
  const float dy = scatter(height);
  return {cell, {base.x + dx, base.y + dy}};
}

DebrisStart DebrisPositionOffsetted::build(WorldMap& map) {
  const float dx = scatter(width);
  const float dy = scatter(height);
  const engine::Vec2 at{point.x + dx, point.y + dy};
  return {blockAtPoint(map, at), at};
}

DebrisStart LightSparklePositionBuilder::build(WorldMap& map) {
  engine::Vec2 at = point;
  if (xMin != 0 && xMax != 0) at.x += randomBetween(xMin, xMax);
  if (yMin != 0 && yMax != 0) at.y += randomBetween(yMin, yMax);
  return {blockAtPoint(map, at), at};
}

DebrisStart WaterBubblePositionBuilder::build(WorldMap&) {
  if (cell == nullptr) return {};
  const float a = static_cast<float>(cell->liquidLevelA());
  const float b = static_cast<float>(cell->liquidLevelB());
  const float u = randomBetween(0, 30);
  const float top = u * (a - b) / 4 + b * 7.5f;
  const float v = randomBetween(0, top);
  const engine::Vec2 base = cellPixelPosition(*cell);
  return {cell, {base.x + u - 15, base.y + v - 15}};
}

DebrisImpulse DebrisImpulseParametric::build() {
  const float strength = randomBetween(min, max);
  const float r = static_cast<float>(engine::randomNext()) / static_cast<float>(engine::RANDOM_MAX);
  return {strength, base + spread * r};
}

DebrisRect DebrisCutRect::build() {
  const float size = std::min({randomBetween(sizeMin, sizeMax), sourceWidth, sourceHeight});
  const int spanX = static_cast<int>(sourceWidth - size);
  const int spanY = static_cast<int>(sourceHeight - size);
  const int ox = spanX > 0 ? engine::randomNext() % (spanX + 1) : 0;
  const int oy = spanY > 0 ? engine::randomNext() % (spanY + 1) : 0;
  const auto side = static_cast<uint16_t>(std::max(0.0f, size));
  const auto x = static_cast<uint16_t>(sourceX + static_cast<float>(ox));
  const auto y = static_cast<uint16_t>(sourceY + static_cast<float>(oy));
  return {x, y, side, side};
}

DebrisRect DebrisSpecRects::build() {
  if (rects == nullptr || rects->count == 0) return {};
  return rects->rects[static_cast<size_t>(engine::randomNext() % rects->count)];
}

DebrisRect DebrisSpecRectsFixed::build() {
  if (rects == nullptr || index >= rects->count) return {};
  return rects->rects[index];
}

DebrisRect FireworkSparkRectBuilder::build() {
  const bool small = (engine::randomNext() & 1) != 0;
  return fireworkSparkRect(colour, small);
}
