#include "bench/support/tight_light_flood.h"

#include <algorithm>

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/circuits/circuit_system.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace bench {
namespace {

constexpr uint16_t kOpaqueInVariant1 = 2090;
constexpr uint16_t kLampOn = 2112;          // variant 1
constexpr uint16_t kColouredLampOn = 2114;  // variant 1; colour kept by the circuit devices
constexpr uint8_t kEmits = 0x01;
constexpr uint8_t kLetsThrough = 0x04;
constexpr uint8_t kSentinelSky = 15;         // above anything a neighbour can offer (13)
constexpr uint16_t kSentinelColour = 0x0FFF;  // likewise for every channel
constexpr int kLowestSpreading = 3;           // sky below this cannot raise anything

bool letsLightThrough(const BlockProps& row, const MapBlock& c) {
  if (c.frontId() == kOpaqueInVariant1 && c.frontVariant() == 1) return false;
  return row.transparency != 0 || row.has(block_flag::kLetsSkyThrough);
}

// First match wins: an emitting block's colour, a lamp that is on, glowing liquid.
uint16_t emitted(const WorldMap& map, const BlockProps& row, const MapBlock& c) {
  if (row.has(block_flag::kEmitsLight)) return row.lightColor & 0x0FFF;
  if (c.frontVariant() == 1 && c.frontId() == kLampOn) return 0x0CCC;
  if (c.frontVariant() == 1 && c.frontId() == kColouredLampOn) {
    return map.world() != nullptr ? map.world()->circuits().lampColourAt(c) & 0x0FFF : 0;
  }
  const int kind = c.liquid >> 6;
  return kind == 2 ? 0x022E : kind == 3 ? 0x02C6 : 0;
}

// Per channel, the larger of `to` and `from` less the loss; bit `mark` records a raise.
inline bool raise(uint16_t from, uint16_t& to, int loss, uint16_t mark) {
  int next = to;
  for (int shift = 0; shift < 12; shift += 4) {
    const int offered = ((from >> shift) & 15) - loss;
    if (offered > ((next >> shift) & 15)) next = (next & ~(15 << shift)) | (offered << shift);
  }
  if (next == to) return false;
  to = static_cast<uint16_t>(next | mark);
  return true;
}

}  // namespace

void TightLightFlood::run(WorldMap& map) {
  readBlocks(map);
  lightSky();
  floodColours();
  writeBack(map);
}

// Padded cell of (x, y) is x * stride + y + 1; rows 0 and stride - 1 of each column are sentinels.
void TightLightFlood::readBlocks(WorldMap& map) {
  width_ = static_cast<uint32_t>(map.width());
  height_ = static_cast<uint32_t>(map.height());
  stride_ = height_ + 2;
  const size_t padded = static_cast<size_t>(width_) * stride_;
  open_.assign(padded, 0);
  sky_.assign(padded, 0);
  colour_.assign(padded, 0);
  queue_.clear();
  const BlockPropsTable& props = map.props();
  MapBlock* cells = map.cells();
  for (uint32_t x = 0; x < width_; ++x) {
    const uint32_t column = x * stride_;
    sky_[column] = sky_[column + stride_ - 1] = kSentinelSky;
    colour_[column] = colour_[column + stride_ - 1] = kSentinelColour;
    for (uint32_t y = 0; y < height_; ++y) {
      MapBlock& c = cells[x * height_ + y];
      const BlockProps& row = props[c.frontId()];
      const uint32_t p = column + y + 1;
      open_[p] = letsLightThrough(row, c) ? 1 : 0;
      c.flags = static_cast<uint8_t>(open_[p] != 0 ? c.flags | kLetsThrough : c.flags & ~kLetsThrough);
      const uint16_t colour = emitted(map, row, c);
      if (colour != 0) {
        c.flags |= kEmits;
        colour_[p] = colour;
        queue_.push_back(p);
      }
    }
  }
}

// By levels from 15 down: a cell is expanded at its final level, so each lit cell is expanded once.
// Full sky (15) only ever comes from the top row falling down open cells, so it is laid first.
void TightLightFlood::lightSky() {
  for (auto& level : levels_) level.clear();
  for (uint32_t x = 0; x < width_; ++x) {
    const uint32_t top = x * stride_ + height_;
    if (open_[top] == 0) {
      sky_[top] = 13;
      levels_[13].push_back(top);
      continue;
    }
    for (uint32_t p = top; p > x * stride_ && open_[p] != 0; --p) {
      sky_[p] = 15;
      levels_[15].push_back(p);
    }
  }
  const uint32_t wrap = (width_ - 1) * stride_;
  for (int level = 15; level >= kLowestSpreading; --level) {
    for (size_t k = 0; k < levels_[level].size(); ++k) {
      const uint32_t p = levels_[level][k];
      if (sky_[p] != level) continue;
      const int offered = level - (open_[p] != 0 ? 2 : 6);
      if (offered <= 0) continue;
      const uint32_t around[4] = {p < stride_ ? p + wrap : p - stride_, p - 1,
                                  p >= wrap ? p - wrap : p + stride_, p + 1};
      for (uint32_t n : around) {
        if (sky_[n] >= offered) continue;
        sky_[n] = static_cast<uint8_t>(offered);
        if (offered >= kLowestSpreading) levels_[offered].push_back(n);
      }
    }
  }
}

// Breadth-first from every emitter until nothing rises; a raise marks the side it came from
// (left, down, right, up in bits 12-15), as the light map does.
void TightLightFlood::floodColours() {
  const uint32_t wrap = (width_ - 1) * stride_;
  for (size_t k = 0; k < queue_.size(); ++k) {
    const uint32_t p = queue_[k];
    const uint16_t from = colour_[p];
    const int loss = open_[p] != 0 ? 2 : 6;
    const uint32_t around[4] = {p < stride_ ? p + wrap : p - stride_, p - 1,
                                p >= wrap ? p - wrap : p + stride_, p + 1};
    for (int d = 0; d < 4; ++d) {
      const uint32_t n = around[d];  // a sentinel never rises
      if (raise(from, colour_[n], loss, static_cast<uint16_t>(1u << (12 + (d + 2) % 4)))) queue_.push_back(n);
    }
  }
}

void TightLightFlood::writeBack(WorldMap& map) const {
  MapBlock* cells = map.cells();
  for (uint32_t x = 0; x < width_; ++x) {
    const uint8_t* sky = &sky_[x * stride_ + 1];
    const uint16_t* colour = &colour_[x * stride_ + 1];
    MapBlock* column = cells + static_cast<size_t>(x) * height_;
    for (uint32_t y = 0; y < height_; ++y) {
      column[y].setSkyLevel(sky[y]);
      column[y].blockLight = colour[y];
    }
  }
}

std::vector<CellLight> snapshotLight(const WorldMap& map) {
  std::vector<CellLight> out(map.cellCount());
  const MapBlock* cells = map.cells();
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = {cells[i].skyLevel(), static_cast<uint8_t>(cells[i].flags & (kEmits | kLetsThrough)),
              cells[i].lightColour()};
  }
  return out;
}

std::optional<std::string> lightDifference(const WorldMap& map, const std::vector<CellLight>& expected) {
  const std::vector<CellLight> actual = snapshotLight(map);
  if (actual.size() != expected.size()) return "the maps differ in size";
  const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin());
  if (at.first == actual.end()) return std::nullopt;
  const MapBlock& c = map.cells()[at.first - actual.begin()];
  const auto describe = [](const CellLight& l) {
    return "sky " + std::to_string(l.sky) + ", colour " + std::to_string(l.colour) + ", flags " +
           std::to_string(l.flags);
  };
  return "cell (" + std::to_string(c.x) + ", " + std::to_string(c.y) + "): " + describe(*at.first) +
         " where the snapshot has " + describe(*at.second);
}

void clearLightAndFlags(WorldMap& map) {
  MapBlock* cells = map.cells();
  for (size_t i = 0; i < map.cellCount(); ++i) {
    cells[i].skyShadow &= 0x0F;
    cells[i].blockLight = 0;
    cells[i].flags &= static_cast<uint8_t>(~(kEmits | kLetsThrough));
  }
}

}  // namespace bench
