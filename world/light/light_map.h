#pragma once
// The light of a map: each cell's sky level (0-15) and coloured block light, computed for the whole
// map after a world is generated, loaded or received, and locally after every change that adds or
// removes a light source or opens or closes a cell to light.
//
// Runs on the thread that owns the world; nothing here locks.

#include <cstdint>
#include <vector>

class MapBlock;
class WorldMap;

class LightMap {
 public:
  explicit LightMap(WorldMap& map);
  ~LightMap();
  LightMap(const LightMap&) = delete;
  LightMap& operator=(const LightMap&) = delete;

  // The 12-bit colour the cell emits by itself.
  uint16_t emittedColour(const MapBlock& cell) const;
  void relightAll();
  void spreadFrom(MapBlock& cell);
  void refreshCell(MapBlock& cell);
  void updateAround(MapBlock& cell, bool carried);
  void raiseCellLight(MapBlock& cell, uint16_t colour);

  // ---- Hooks of the cell changes ----
  // Marks the cell emitting, stores its emitted colour as its block light and spreads it.
  void setCellEmitting(MapBlock& cell);
  // Layer 0 only, and only when the front block now shuts out the sky: darkens and relights
  // around the cell. Whether it acted.
  bool cellLostSky(MapBlock& cell, uint8_t layer);
  // The cell lets light through again: a top-row cell gets the full sky, then light spreads.
  bool cellGainedSky(MapBlock& cell);

 private:
  WorldMap& map_;
  std::vector<MapBlock*> work_;
};
