#include "world/light/light_map.h"

#include <algorithm>

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/light/carried_lights.h"
#include "world/light/lamp_colours.h"
#include "world/light/light_grid.h"
#include "world/map/world_map.h"
#include "world/world.h"

using namespace light_grid;

namespace {

constexpr uint16_t kLampColour = 0xCCC;
constexpr uint16_t kLavaColour = 0x22E;
constexpr uint16_t kAcidColour = 0x2C6;

}  // namespace

LightMap::LightMap(WorldMap& map) : map_(map) {}
LightMap::~LightMap() = default;

uint32_t LightMap::indexOf(const MapBlock& cell) const { return static_cast<uint32_t>(map_.indexOf(cell)); }

// ---- Colours ----

uint16_t LightMap::emittedColour(const MapBlock& cell) const {
  const BlockProps& props = map_.props()[cell.frontId()];
  if (props.has(block_flag::kEmitsLight)) return props.lightColor & kColourMask;
  if (cell.frontVariant() == 1) {
    if (cell.frontId() == kLamp) return kLampColour;
    if (cell.frontId() == kColouredLamp) {
      return lampColours_ != nullptr ? lampColours_->lampColourAt(cell) & kColourMask : 0;
    }
  }
  switch (cell.liquidKind()) {
    case LiquidKind::Lava: return kLavaColour;
    case LiquidKind::Acid: return kAcidColour;
    default: return 0;
  }
}

// A cell that both emits and carries a player's light holds the larger of the two in each
// channel, as a whole-map relight followed by raising the carried lights would give it.
uint16_t LightMap::carriedColour(const MapBlock& cell) const {
  const World* world = map_.world();
  return world != nullptr ? world->playerLights().carriedLightAt(cell) & kColourMask : 0;
}

uint16_t LightMap::sourceColour(const MapBlock& cell) const {
  const uint16_t emitted = emittedColour(cell);
  if (!cell.hasFlag(cell_flag::kCarriedLight)) return emitted;
  const uint16_t held = carriedColour(cell);
  uint16_t colour = 0;
  for (int shift = 0; shift < 12; shift += 4) {
    colour = static_cast<uint16_t>(colour | std::max(emitted & (15 << shift), held & (15 << shift)));
  }
  return colour;
}

// ---- Spreading ----

void LightMap::propagate() {
  const Grid grid(map_);
  const uint32_t top = grid.height - 1;
  for (size_t k = 0; k < work_.size(); ++k) {
    const uint32_t i = work_[k];
    MapBlock& c = grid.cells[i];
    if (c.y == top) c.setSkyLevel(letsLightThrough(c) ? 15 : 13);
    const int loss = lossFrom(c);
    for (int d = 0; d < 4; ++d) {
      const uint32_t j = grid.neighbour(i, c, d);
      if (j == kNone) continue;
      MapBlock& n = grid.cells[j];
      const bool colourRose = raiseColour(c, n, d, loss);
      if (raiseSky(c, n, d, loss) || colourRose) work_.push_back(j);
    }
  }
  work_.clear();
}

void LightMap::spreadFrom(MapBlock& cell) {
  const Grid grid(map_);
  const uint32_t i = indexOf(cell);
  work_.clear();
  work_.push_back(i);
  for (int d = 0; d < 4; ++d) {
    const uint32_t j = grid.neighbour(i, cell, d);
    if (j != kNone) work_.push_back(j);
  }
  propagate();
}

// A carried light only ever raises channels. The cell keeps its direction bits: its other
// channels still came from its neighbours, and removing their source must be able to find it.
void LightMap::raiseCellLight(MapBlock& cell, uint16_t colour) {
  int light = cell.blockLight;
  bool rose = false;
  for (int shift = 0; shift < 12; shift += 4) {
    const int wanted = (colour >> shift) & 15;
    if (wanted > ((light >> shift) & 15)) {
      light = (light & ~(15 << shift)) | (wanted << shift);
      rose = true;
    }
  }
  if (!rose) return;
  cell.blockLight = static_cast<uint16_t>(light);
  cell.flags |= cell_flag::kCarriedLight;
  spreadFrom(cell);
}

void LightMap::refreshCell(MapBlock& cell) { setCellEmitting(cell); }

void LightMap::updateAround(MapBlock& cell, bool carried) {
  cell.flags &= static_cast<uint8_t>(~(carried ? cell_flag::kCarriedLight : cell_flag::kEmitsLight));
  removeSourceLight(cell);
  propagate();
  const uint16_t carriedNow = carriedColour(cell);
  const uint16_t emitted = emittedColour(cell);
  const int carriedBrightness = brightness(carriedNow);
  const int emittedBrightness = brightness(emitted);
  if (carriedBrightness > emittedBrightness) {
    raiseCellLight(cell, carriedNow);
  } else if (emittedBrightness > carriedBrightness) {
    setCellEmitting(cell);
  }
}

// ---- Hooks of the cell changes ----

void LightMap::setCellEmitting(MapBlock& cell) {
  cell.flags |= cell_flag::kEmitsLight;
  cell.blockLight = sourceColour(cell);
  spreadFrom(cell);
}

bool LightMap::cellLostSky(MapBlock& cell, uint8_t layer) {
  if (layer != 0 || !cell.shutsOutLight(map_.props())) return false;
  removeAround(cell);  // with the cell's old loss, which lit what is darkened now
  cell.flags &= static_cast<uint8_t>(~cell_flag::kLetsLightThrough);
  propagate();
  return true;
}

bool LightMap::cellGainedSky(MapBlock& cell) {
  cell.flags |= cell_flag::kLetsLightThrough;
  if (cell.y == map_.height() - 1) cell.setSkyLevel(15);
  spreadFrom(cell);
  return true;
}
