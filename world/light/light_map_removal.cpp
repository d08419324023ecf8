// The two removals of the light map: darkening what a source lit, and darkening what the sky lit
// through a cell. Both mark the darkened cells and their lit border in the per-cell mark bytes
// and collect them in member lists, so the work is that of the region, whatever the map's size.
//
// Every lit neighbour of the darkened region that stays lit goes to the border, not only those
// brighter than the darkened cell could have made them: a neighbour lit equally from elsewhere
// must also refill the region. Darkened cells that are sources start the refill too.

#include "world/light/light_grid.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"

using namespace light_grid;

void LightMap::beginRemoval(uint32_t start) {
  if (marks_.size() != map_.cellCount()) marks_.assign(map_.cellCount(), 0);
  work_.clear();
  frontier_.clear();
  darkened_.clear();
  border_.clear();
  markDarkened(start);
}

void LightMap::markDarkened(uint32_t index) {
  marks_[index] |= kDarkened;
  darkened_.push_back(index);
  frontier_.push_back(index);
}

void LightMap::markBorder(uint32_t index) {
  if ((marks_[index] & kBorder) != 0) return;
  marks_[index] |= kBorder;
  border_.push_back(index);
}

// The border cells that were not darkened join the work list; every mark is cleared.
void LightMap::endRemoval() {
  for (uint32_t i : border_) {
    if ((marks_[i] & kDarkened) == 0) work_.push_back(i);
    marks_[i] = 0;
  }
  for (uint32_t i : darkened_) marks_[i] = 0;
}

void LightMap::removeSourceLight(MapBlock& cell) {
  const Grid grid(map_);
  beginRemoval(indexOf(cell));
  while (!frontier_.empty()) {
    const uint32_t i = frontier_.back();
    frontier_.pop_back();
    const MapBlock& c = grid.cells[i];
    for (int d = 0; d < 4; ++d) {
      const uint32_t j = grid.neighbour(i, c, d);
      if (j == kNone || (marks_[j] & kDarkened) != 0) continue;
      MapBlock& n = grid.cells[j];
      const uint16_t fromC = directionBit(opposite(d));
      if ((n.blockLight & fromC) != 0) {
        n.blockLight = static_cast<uint16_t>(n.blockLight & ~fromC);
        markDarkened(j);
      } else if (isSource(n) || (n.blockLight & kColourMask) != 0) {
        markBorder(j);
      }
    }
  }
  for (uint32_t i : darkened_) {
    MapBlock& c = grid.cells[i];
    if (isSource(c)) {
      c.blockLight = sourceColour(c);
      work_.push_back(i);
    } else {
      c.blockLight &= kDirectionMask;
    }
  }
  endRemoval();
}

void LightMap::removeAround(MapBlock& cell) {
  const Grid grid(map_);
  const uint32_t top = grid.height - 1;
  beginRemoval(indexOf(cell));
  while (!frontier_.empty()) {
    const uint32_t i = frontier_.back();
    frontier_.pop_back();
    const MapBlock& c = grid.cells[i];
    const int skyAfterLoss = c.skyLevel() - lossFrom(c);
    for (int d = 0; d < 4; ++d) {
      const uint32_t j = grid.neighbour(i, c, d);
      if (j == kNone || (marks_[j] & kDarkened) != 0) continue;
      const MapBlock& n = grid.cells[j];
      const bool skyFromC = (skyAfterLoss > 0 && n.skyLevel() == skyAfterLoss) ||
                            (c.skyLevel() == 15 && d == kDown);
      if (skyFromC || (n.blockLight & directionBit(opposite(d))) != 0) {
        markDarkened(j);
      } else if (n.skyLevel() != 0 || isSource(n) || (n.blockLight & kColourMask) != 0) {
        markBorder(j);
      }
    }
  }
  for (uint32_t i : darkened_) {
    MapBlock& c = grid.cells[i];
    c.setSkyLevel(0);
    c.blockLight = sourceColour(c);
    // A top-row cell takes its sky from the top row rule, whether or not a neighbour refills it.
    if (c.blockLight != 0 || c.y == top) work_.push_back(i);
  }
  endRemoval();
}
