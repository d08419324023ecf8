#pragma once
// The grid of cells of one world with what belongs to the grid: the surface line and the top
// height of every column, the explored cells, the light map and the liquid simulator, the world's
// planet and a snapshot of the block properties the cell code reads.
//
// Cells are stored column by column (cell (x, y) at index y + x * height). `cellAt` is the checked
// accessor for positions from anywhere (x wraps, rows outside the map give null); `cell` is the
// unchecked one for loops that already keep x and y in range.
//
// Every writer of a cell in a running world marks it changed through the map (`markChanged`,
// `markColumnsAround`) in the same step as it writes: a copy kept level with the cells (`KeptCells`,
// a save's) then copies only the chunks that changed. A new map counts every cell changed, so the
// generator and the file reader, which fill a new map before any copy of it is kept, mark nothing.
// The sanitizer builds compare each save's copy with the whole grid (saves/world/saved_cells_check.h):
// a writer that forgets its mark stops the test run that saves after it.
//
// A map belongs to the thread that builds or plays its world; nothing here locks.

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/map/cell_grid.h"
#include "world/map/changed_chunks.h"
#include "world/map/world_params.h"

class ExploredBitmap;
class KeptCells;
class LightMap;
class LiquidSimulator;
class PlanetDef;
class World;

class WorldMap {
 public:
  // Width or height 0 takes the size table of the parameters' size index.
  WorldMap(World* world, const WorldParams& params, int32_t width = 0, int32_t height = 0,
           CellsMade cells = CellsMade::Now);
  ~WorldMap();
  WorldMap(const WorldMap&) = delete;
  WorldMap& operator=(const WorldMap&) = delete;

  // ---- Cells ----
  MapBlock* cellAt(int32_t x, int32_t y);
  const MapBlock* cellAt(int32_t x, int32_t y) const;
  MapBlock& cell(int32_t x, int32_t y) { return cells_[index(x, y)]; }
  const MapBlock& cell(int32_t x, int32_t y) const { return cells_[index(x, y)]; }
  // x brought into 0..width-1.
  int32_t wrapX(int32_t x) const {
    x %= width_;
    return x < 0 ? x + width_ : x;
  }
  // A horizontal pixel offset the short way round the world, in -width/2 .. width/2 (30 pixels a
  // cell): what lies just across the seam is near.
  float shortDeltaX(float dx) const {
    const float world = static_cast<float>(width_) * 30.0f;
    dx = std::fmod(dx, world);
    if (dx > world / 2) dx -= world;
    if (dx < -world / 2) dx += world;
    return dx;
  }
  size_t index(int32_t x, int32_t y) const {
    return static_cast<size_t>(y) + static_cast<size_t>(x) * static_cast<size_t>(height_);
  }
  size_t indexOf(const MapBlock& block) const { return static_cast<size_t>(&block - cells_.data()); }
  MapBlock* cells() { return cells_.data(); }
  const MapBlock* cells() const { return cells_.data(); }
  size_t cellCount() const { return cells_.size(); }
  // Makes the grid of empty cells when it is not made yet.
  void makeCells();

  // ---- Changes, for a copy kept level with the cells ----
  void markChanged(size_t index) { changed_.mark(index); }
  void markChanged(const MapBlock& cell) { changed_.mark(indexOf(cell)); }
  // The columns x - 1 to x + 1 (wrapping): an edit's own and those its consequences write.
  void markColumnsAround(int32_t x);
  ChangedChunks& changedChunks() { return changed_; }
  // The copy the marks were last cleared for (compared only, never followed).
  const KeptCells* keptCopy() const { return keptCopy_; }
  void setKeptCopy(const KeptCells* copy) { keptCopy_ = copy; }
  // A copy of the cells as they stand, made by the thread that built the map before it is handed
  // on, for whoever keeps a copy next (the world's first save) to start from; null once taken.
  void prepareKeptCopy();
  std::unique_ptr<KeptCells> takePreparedCopy();

  // ---- Writing blocks ----
  // Layer 0 front, 1 back, 2 both (each with its own random variant). Rows outside the map are
  // ignored. Id 0 empties the front-side decorations of the cell, whichever layer is cleared.
  void setBlockAt(uint16_t id, uint8_t variant, int32_t x, int32_t y, int layer);
  void setBlockRandomVariantAt(uint16_t id, int32_t x, int32_t y, int layer);
  // A front-side decoration in the first free slot; false when the row is outside the map or the
  // four slots are taken.
  bool addDecoAt(uint16_t id, uint8_t variant, int32_t x, int32_t y);

  // ---- Columns ----
  void computeSurfaceHeights();
  void updateSurfaceHeight(int32_t x, int32_t y, bool placed);
  uint16_t surfaceLine(int32_t x) const { return surfaceLine_[static_cast<size_t>(wrapX(x))]; }
  uint16_t topHeight(int32_t x) const { return topHeight_[static_cast<size_t>(wrapX(x))]; }
  std::vector<uint16_t>& surfaceLines() { return surfaceLine_; }
  std::vector<uint16_t>& topHeights() { return topHeight_; }
  const std::vector<uint16_t>& surfaceLines() const { return surfaceLine_; }
  const std::vector<uint16_t>& topHeights() const { return topHeight_; }

  // ---- What belongs to the map ----
  const WorldParams& params() const { return params_; }
  World* world() const { return world_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  int32_t heightLevel() const { return heightLevel_; }
  const PlanetDef& planet() const { return *planet_; }
  // The planet has a surface line: cells more than 3 rows below it count as underground.
  bool hasSurfaceLine() const { return hasSurfaceLine_; }
  const BlockPropsTable& props() const { return *props_; }
  BlockPropsTable& mutableProps() { return *props_; }
  ExploredBitmap* explored() { return explored_.get(); }
  const ExploredBitmap* explored() const { return explored_.get(); }
  LightMap& lightMap() { return *light_; }
  LiquidSimulator& liquids() { return *liquids_; }

 private:
  WorldParams params_;
  World* world_ = nullptr;
  std::unique_ptr<BlockPropsTable> props_;
  CellGrid cells_;
  ChangedChunks changed_;
  const KeptCells* keptCopy_ = nullptr;
  std::unique_ptr<KeptCells> preparedCopy_;
  std::vector<uint16_t> surfaceLine_;
  std::vector<uint16_t> topHeight_;
  std::unique_ptr<ExploredBitmap> explored_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t heightLevel_ = 0;
  std::unique_ptr<LightMap> light_;
  std::unique_ptr<LiquidSimulator> liquids_;
  const PlanetDef* planet_ = nullptr;
  bool hasSurfaceLine_ = false;
};

// `normalizeToRange`: min-max normalisation of count values in place to 0..scale; a constant
// array (max equal to min) becomes all 0.
void normalizeToRange(float* values, float scale, int count);
