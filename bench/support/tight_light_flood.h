#pragma once
// The light benchmark's baseline: a whole-map light flood written apart from the light map, which
// must compute exactly what `LightMap::relightAll` computes, so that timing the two compares like
// with like. From the block rows alone (never from the flags the light map keeps) it decides which
// cells let light through and what each cell emits; it lights the sky (the top row 15, or 13 where
// the roof is opaque; full sky falling down open columns; one level lost per step, 2 leaving an open
// cell and 6 an opaque one) and floods the three 4-bit channels of the block light from every
// emitter, each channel taking the brightest that reaches it. It writes its answer where the light
// map writes its own: the sky level, the block light and flags bits 0 and 2 of every cell.
//
// It keeps the sky and the colours in flat scratch arrays, one padded column per map column with
// a sentinel row above and below that nothing can raise, so its inner loops test no row edge.
//
// `lightDifference` compares the light of a map with a snapshot cell by cell: the benchmark runs it
// before timing and refuses to time the two when they differ. The direction bits of the block light
// (which neighbours raised it) are the light map's bookkeeping for removals; which neighbour got
// there first depends on the order of the work, so they are recorded by both but not compared.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class WorldMap;

namespace bench {

class TightLightFlood {
 public:
  // Expects sky levels and block light zero, as relightAll does.
  void run(WorldMap& map);

 private:
  void readBlocks(WorldMap& map);
  void lightSky();
  void floodColours();
  void writeBack(WorldMap& map) const;

  uint32_t width_ = 0, height_ = 0, stride_ = 0;
  std::vector<uint8_t> open_;     // per padded cell: 1 when it lets light through
  std::vector<uint8_t> sky_;      // per padded cell: sky level
  std::vector<uint16_t> colour_;  // per padded cell: block light (colour and direction bits)
  std::vector<uint32_t> levels_[16];
  std::vector<uint32_t> queue_;
};

// What a cell's light holds: sky level, the 12-bit colour and flags bits 0 (emits) and 2 (lets
// light through).
struct CellLight {
  uint8_t sky = 0;
  uint8_t flags = 0;
  uint16_t colour = 0;
  bool operator==(const CellLight&) const = default;
};

std::vector<CellLight> snapshotLight(const WorldMap& map);
// The first cell whose light differs from the snapshot, described; none when all agree.
std::optional<std::string> lightDifference(const WorldMap& map, const std::vector<CellLight>& expected);
// Zeroes the light and flags bits 0 and 2 of every cell, so a whole-map light starts afresh.
void clearLightAndFlags(WorldMap& map);

}  // namespace bench
