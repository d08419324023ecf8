#include "tools/world_tool/world_picture.h"

#include <algorithm>

#include "content/art/block_atlas_layout.h"
#include "engine/render/image.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace world_tool {

namespace {

constexpr uint32_t kSky = 0x9CC8F0;
constexpr uint32_t kCaveAir = 0x141418;
constexpr uint32_t kBedrock = 0x303030;
constexpr uint32_t kLiquidColours[4] = {0, 0x2050E0, 0xFF6010, 0x70F030};
constexpr uint32_t kBlockIdCount = 4096;

uint32_t channel(uint32_t rgb, int shift) { return (rgb >> shift) & 0xFF; }

uint32_t scale(uint32_t rgb, float f) {
  auto c = [&](int shift) { return std::min<uint32_t>(255, static_cast<uint32_t>(static_cast<float>(channel(rgb, shift)) * f)); };
  return c(16) << 16 | c(8) << 8 | c(0);
}

uint32_t mix(uint32_t a, uint32_t b, float t) {
  auto c = [&](int shift) {
    return static_cast<uint32_t>(static_cast<float>(channel(a, shift)) * (1.0f - t) + static_cast<float>(channel(b, shift)) * t);
  };
  return c(16) << 16 | c(8) << 8 | c(0);
}

// The level the light map gave the cell, 0-15: its sky level or its brightest block-light channel.
int lightLevelOf(const MapBlock& cell) {
  const uint16_t colour = cell.lightColour();
  const int block = std::max({colour & 15, (colour >> 4) & 15, (colour >> 8) & 15});
  return std::max<int>(cell.skyLevel(), block);
}

}  // namespace

uint32_t blockColour(uint16_t id) {
  if (id == 0) return kCaveAir;
  if (id == 84) return kBedrock;
  uint32_t h = id * 2654435761u;
  h ^= h >> 15;
  h *= 2246822519u;
  h ^= h >> 13;
  // Muted colours with enough spread that neighbouring ids stay apart.
  const uint32_t r = 60 + (h & 0x7F), g = 60 + ((h >> 8) & 0x7F), b = 50 + ((h >> 16) & 0x7F);
  return r << 16 | g << 8 | b;
}

BlockColours::BlockColours() : colours_(kBlockIdCount) {
  for (uint32_t id = 0; id < kBlockIdCount; ++id) colours_[id] = blockColour(static_cast<uint16_t>(id));
}

bool BlockColours::loadAtlas(const std::string& rocksPath) {
  auto* image = new engine::Image();
  const bool read = image->initWithImageFile(rocksPath) &&
                    image->getDataLen() == int64_t(image->getWidth()) * image->getHeight() * 4;
  if (read) setFromAtlas(image->getData(), image->getWidth(), image->getHeight());
  image->release();
  return read;
}

void BlockColours::setFromAtlas(const unsigned char* rgba, int width, int height) {
  for (uint32_t id = 1; id < kBlockIdCount; ++id) {
    const engine::Rect r = art::blockSpriteRect(static_cast<uint16_t>(id), 0);
    const int x0 = static_cast<int>(r.origin.x), y0 = static_cast<int>(r.origin.y);
    if (x0 + art::kFrameSize > width || y0 + art::kFrameSize > height) continue;
    uint64_t sum[3] = {0, 0, 0}, weight = 0;
    for (int y = y0; y < y0 + art::kFrameSize; ++y) {
      const unsigned char* p = rgba + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x0)) * 4;
      for (int x = 0; x < art::kFrameSize; ++x, p += 4) {
        for (int c = 0; c < 3; ++c) sum[c] += uint64_t(p[c]) * p[3];
        weight += p[3];
      }
    }
    if (weight == 0) continue;  // no art: keep the id's own colour
    colours_[id] = uint32_t(sum[0] / weight) << 16 | uint32_t(sum[1] / weight) << 8 | uint32_t(sum[2] / weight);
  }
}

uint32_t BlockColours::colour(uint16_t id) const { return id < colours_.size() ? colours_[id] : blockColour(id); }

uint32_t cellColour(const WorldMap& map, const MapBlock& cell, const BlockColours& colours) {
  uint32_t rgb;
  if (cell.frontId() != 0) {
    rgb = colours.colour(cell.frontId());
  } else if (cell.backId() != 0) {
    rgb = scale(colours.colour(cell.backId()), 0.45f);
  } else {
    rgb = cell.y >= map.surfaceLine(cell.x) ? kSky : kCaveAir;
  }
  const auto kind = static_cast<uint8_t>(cell.liquidKind());
  if (kind != 0 && cell.hasLiquidLevel()) rgb = mix(rgb, kLiquidColours[kind], 0.8f);
  if (kind == 2) return rgb;  // lava glows
  return scale(rgb, 0.3f + 0.7f * static_cast<float>(lightLevelOf(cell)) / 15.0f);
}

std::vector<uint32_t> drawWorld(const WorldMap& map, const BlockColours& colours) {
  const int32_t w = map.width(), h = map.height();
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int32_t x = 0; x < w; ++x) {
    for (int32_t y = 0; y < h; ++y) {
      const size_t row = static_cast<size_t>(h - 1 - y);
      pixels[row * static_cast<size_t>(w) + static_cast<size_t>(x)] = cellColour(map, map.cell(x, y), colours) << 8 | 0xFF;
    }
  }
  return pixels;
}

}  // namespace world_tool
