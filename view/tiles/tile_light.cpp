#include "view/tiles/tile_light.h"

#include <algorithm>
#include <cstdlib>

#include "world/light/cell_light_levels.h"
#include "world/map/world_map.h"

namespace tile_light {

namespace {

constexpr float kCellPixels = 30.0f;

uint8_t times17(int level) { return static_cast<uint8_t>(level * 17); }

}  // namespace

std::array<uint8_t, 3> cellLevels(const MapBlock& cell, uint32_t darkness) { return cellLightLevels(cell, darkness); }

engine::Color3B flatColour(const MapBlock& cell, uint32_t darkness) {
  const auto levels = cellLevels(cell, darkness);
  return {times17(levels[0]), times17(levels[1]), times17(levels[2])};
}

Corners cornerColours(const WorldMap& map, const MapBlock& cell, uint32_t darkness, engine::Color3B& cellColour) {
  // levels[dy + 1][dx + 1], y growing upward; missing rows stay black.
  std::array<std::array<std::array<uint8_t, 3>, 3>, 3> levels{};
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const MapBlock* near = map.cellAt(static_cast<int32_t>(cell.x) + dx, static_cast<int32_t>(cell.y) + dy);
      if (near != nullptr) levels[dy + 1][dx + 1] = cellLevels(*near, darkness);
    }
  }
  const auto& own = levels[1][1];
  cellColour = {times17(own[0]), times17(own[1]), times17(own[2])};
  // Each corner: the brightest of the cell and the three neighbours that share it.
  auto corner = [&](int sx, int sy) {
    engine::Color4B out{0, 0, 0, 255};
    uint8_t* channels[3] = {&out.r, &out.g, &out.b};
    for (int c = 0; c < 3; ++c) {
      const int m = std::max({own[c], levels[1][1 + sx][c], levels[1 + sy][1][c], levels[1 + sy][1 + sx][c]});
      *channels[c] = times17(m);
    }
    return out;
  };
  return {corner(-1, 1), corner(1, 1), corner(-1, -1), corner(1, -1)};
}

const std::array<uint8_t, 4>& cornerForVertex(uint8_t orientation) {
  static constexpr std::array<std::array<uint8_t, 4>, 8> kTable{{
      {0, 1, 2, 3}, {1, 3, 0, 2}, {2, 3, 0, 1}, {0, 2, 1, 3}, {1, 0, 3, 2}, {3, 1, 2, 0}, {3, 2, 1, 0}, {2, 0, 3, 1}}};
  return kTable[orientation & 7];
}

bool splitsAlongFallingDiagonal(engine::Color4B topLeft, engine::Color4B topRight, engine::Color4B bottomLeft,
                                engine::Color4B bottomRight) {
  auto apart = [](engine::Color4B a, engine::Color4B b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
  };
  return apart(topLeft, bottomRight) < apart(topRight, bottomLeft);
}

engine::Color3B paintTimesLight(engine::Color3B light, engine::Color3B paint) {
  auto channel = [](uint8_t l, uint8_t p) {
    return static_cast<uint8_t>(static_cast<float>(l) / 255.0f * static_cast<float>(p));
  };
  return {channel(light.r, paint.r), channel(light.g, paint.g), channel(light.b, paint.b)};
}

engine::Color3B backLayerThird(engine::Color3B colour) {
  return {static_cast<uint8_t>(colour.r / 3), static_cast<uint8_t>(colour.g / 3), static_cast<uint8_t>(colour.b / 3)};
}

float seamPlacedX(float x, int visibleColumns, int worldWidth, int playerColumn) {
  const float width = static_cast<float>(worldWidth) * kCellPixels;
  if (playerColumn < visibleColumns && x >= static_cast<float>(worldWidth - visibleColumns) * kCellPixels) {
    return x - width;
  }
  if (playerColumn > worldWidth - visibleColumns && x <= static_cast<float>(visibleColumns) * kCellPixels) {
    return x + width;
  }
  return x;
}

}  // namespace tile_light
