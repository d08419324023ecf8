#include "world/map/world_map.h"

#include <algorithm>

#include "content/planets/planet_def.h"
#include "world/light/light_map.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/explored_bitmap.h"
#include "world/map/kept_cells.h"

namespace {

// A world on a content set without planets still needs one: plain ground, no surface line.
const PlanetDef& planetWithoutRules() {
  static const PlanetDef planet("", 0, 0);
  return planet;
}

const PlanetDef& findPlanet(uint32_t id) {
  const PlanetList& planets = planetDefs();
  for (const auto& planet : planets) {
    if (planet->id == id) return *planet;
  }
  return planets.empty() ? planetWithoutRules() : *planets.front();
}

}  // namespace

WorldMap::WorldMap(World* world, const WorldParams& params, int32_t width, int32_t height, CellsMade cells)
    : params_(params), world_(world), props_(std::make_unique<BlockPropsTable>()) {
  const WorldSize size = worldSizeFor(params.sizeIndex);
  width_ = width > 0 ? width : size.width;
  height_ = height > 0 ? height : size.height;
  heightLevel_ = static_cast<int32_t>(static_cast<float>(height_) * heightFractionFor(params.heightIndex));
  light_ = std::make_unique<LightMap>(*this);
  liquids_ = std::make_unique<LiquidSimulator>(*this);
  planet_ = &findPlanet(params.planetId);
  hasSurfaceLine_ = planet_->flag != 0;
  if (cells == CellsMade::Now) makeCells();
  surfaceLine_.assign(static_cast<size_t>(width_), 0);
  topHeight_.assign(static_cast<size_t>(width_), 0);
  if (!isCreativeWorld(params)) explored_ = std::make_unique<ExploredBitmap>(width_, height_);
}

WorldMap::~WorldMap() = default;

void WorldMap::makeCells() {
  if (cells_.size() == CellGrid::countOf(width_, height_)) return;
  cells_ = CellGrid(width_, height_);
  changed_ = ChangedChunks(cells_.size());
}

void WorldMap::markColumnsAround(int32_t x) {
  const auto column = [this](int32_t at) { return static_cast<size_t>(wrapX(at)) * static_cast<size_t>(height_); };
  const size_t height = static_cast<size_t>(height_);
  for (int32_t at = x - 1; at <= x + 1; ++at) changed_.markRange(column(at), column(at) + height);
}

void WorldMap::prepareKeptCopy() {
  preparedCopy_ = std::make_unique<KeptCells>();
  preparedCopy_->levelWith(*this);
}

std::unique_ptr<KeptCells> WorldMap::takePreparedCopy() { return std::move(preparedCopy_); }

MapBlock* WorldMap::cellAt(int32_t x, int32_t y) {
  if (y < 0 || y >= height_) return nullptr;
  return &cells_[index(wrapX(x), y)];
}

const MapBlock* WorldMap::cellAt(int32_t x, int32_t y) const {
  if (y < 0 || y >= height_) return nullptr;
  return &cells_[index(wrapX(x), y)];
}

void WorldMap::setBlockAt(uint16_t id, uint8_t variant, int32_t x, int32_t y, int layer) {
  MapBlock* c = cellAt(x, y);
  if (c == nullptr) return;
  markChanged(*c);
  if (layer == 2) {
    setBlockRandomVariantAt(id, x, y, 0);
    setBlockRandomVariantAt(id, x, y, 1);
    return;
  }
  uint16_t& word = c->layerWord(layer == 0 ? MapBlock::kFront : MapBlock::kBack);
  word &= block_word::kLayerMark;
  if ((id & 0xFFF) != 0) {
    word = block_word::compose(word, id, variant);
  } else {
    c->clearSideDecos(MapBlock::kFront);
  }
}

void WorldMap::setBlockRandomVariantAt(uint16_t id, int32_t x, int32_t y, int layer) {
  setBlockAt(id, randomVariantFor(*props_, id), x, y, layer);
}

bool WorldMap::addDecoAt(uint16_t id, uint8_t variant, int32_t x, int32_t y) {
  MapBlock* c = cellAt(x, y);
  if (c != nullptr) markChanged(*c);
  return c != nullptr && c->addDeco(id, variant, MapBlock::kFront) != MapBlock::kNoSlot;
}

void WorldMap::computeSurfaceHeights() {
  for (int32_t x = 0; x < width_; ++x) {
    for (int32_t y = height_ - 1; y >= 1; --y) {
      const MapBlock& c = cell(x, y);
      if (c.opaqueForScans(*props_) || c.blocksMovement(*props_)) {
        topHeight_[static_cast<size_t>(x)] = static_cast<uint16_t>(y + 1);
        break;
      }
    }
  }
}

void WorldMap::updateSurfaceHeight(int32_t x, int32_t y, bool placed) {
  if (y < 0 || y >= height_) return;
  uint16_t& top = topHeight_[static_cast<size_t>(wrapX(x))];
  if (placed) {
    if (y == height_ - 1) {
      top = static_cast<uint16_t>(height_);
    } else if (y >= top) {
      top = static_cast<uint16_t>(y + 1);
    }
    return;
  }
  if (y != static_cast<int32_t>(top) - 1) return;
  const int32_t column = wrapX(x);
  for (int32_t scan = y; scan >= 0; --scan) {
    const MapBlock& c = cell(column, scan);
    if ((*props_)[c.frontId()].opaque() || c.isSolid(*props_)) {
      top = static_cast<uint16_t>(scan + 1);
      return;
    }
  }
}

void normalizeToRange(float* values, float scale, int count) {
  if (values == nullptr || count <= 0) return;
  const auto [lo, hi] = std::minmax_element(values, values + count);
  const float min = *lo, range = *hi - *lo;
  for (int i = 0; i < count; ++i) values[i] = range > 0.0f ? (values[i] - min) / range * scale : 0.0f;
}
