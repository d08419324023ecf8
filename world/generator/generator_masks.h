#pragma once
// The working state of the cave dressing and the liquid pools: one mark per cell (kept for the rest
// of the middle stages once set, so no pocket cell serves two pockets or two pools), the region
// list of the pocket last found, and the decoration lists of the dressing rule at work.
//
// Spreading into the rock around a pocket walks an explicit stack of frames, depth first in the
// neighbour order (+1, 0), (0, +1), (-1, 0), (0, -1), drawing its chances in the same order a
// recursive walk would, without the recursion's depth.
//
// Threads: the generating thread only (see world_generator.h).

#include <cstdint>
#include <span>
#include <vector>

#include "world/generator/decoration_patterns.h"
#include "world/generator/spread_stack.h"
#include "world/generator/world_generator.h"

struct CaveDressing;
struct DecorationPattern;
struct PoolRule;

class GeneratorMasks {
 public:
  // Cells of a region list; one more entry would be the end marker of its 16,384.
  static constexpr size_t kRegionCapacity = 16383;
  // Floods a pocket search may reject before it gives up.
  static constexpr int kPocketFloods = 64;

  explicit GeneratorMasks(WorldGenerator& generator);

  bool marked(int32_t x, int32_t y) const { return marks_[index(x, y)] != 0; }
  // `findPocket`: a region of empty, unmarked cells seeded in the rows, its size within the bounds
  // (-1: no bound); its cells stay marked. False when the search gave up.
  bool findPocket(int32_t minSize, int32_t maxSize, const RowRange& rows);
  // The cells of the pocket last found, in the order the flood reached them.
  std::span<const GridPoint> region() const { return {region_.data(), regionSize_}; }

  void dressCaves();
  void dressWith(const CaveDressing& rule);
  void fillPools();
  void fillPool(const PoolRule& rule);

 private:
  struct Candidate {
    const DecorationPattern* pattern = nullptr;
    uint8_t minSpace = 1;
    uint8_t maxSpace = 1;
  };
  struct Group {
    float chance = 0;
    std::vector<Candidate> candidates;
  };
  enum Side { kFloor, kCeiling, kRightWall, kLeftWall, kSides };

  // Column after column, as the map's cells: a flood's step up or down touches the byte beside.
  size_t index(int32_t x, int32_t y) const { return static_cast<size_t>(y) + static_cast<size_t>(x) * static_cast<size_t>(height_); }
  // How many points of the region ahead of the one being looked at the flood asks for.
  static constexpr size_t kFloodLookAhead = 8;
  int floodFrom(int32_t x, int32_t y);
  [[gnu::always_inline]] inline void prefetchAround(const GridPoint& p) const;
  void buildDecorationLists(const CaveDressing& rule);
  void dressPocket(const CaveDressing& rule);
  // Steps 1-5 of a spreading visit; whether to go on into the neighbours.
  bool enterCell(const CaveDressing& rule, int32_t x, int32_t y, float strength);
  void spread(const CaveDressing& rule, int32_t x, int32_t y);
  void applyReplacements(const CaveDressing& rule, MapBlock& c, uint8_t side);
  void runFillRules(const CaveDressing& rule, MapBlock& c);
  void runTopRules(const CaveDressing& rule, MapBlock& c);
  void decorate(int32_t x, int32_t y, Side side);

  WorldGenerator& g_;
  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> marks_;
  std::vector<GridPoint> region_;  // kept at its full size; the pocket is its first regionSize_ cells
  size_t regionSize_ = 0;
  std::vector<Group> lists_[kSides];
  std::vector<const Candidate*> candidates_;
  std::vector<SpreadFrame> stack_;
};
