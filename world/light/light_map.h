#pragma once
// The light of a map: each cell's sky level (0-15) and coloured block light (three 4-bit channels),
// computed for the whole map after a world is generated, loaded or received
// (`relightAllWithShadows`, which works out every cell's shadow edges in the same pass; `relightAll`
// is that pass without them, the light alone), and locally after every change that adds or removes a light source or opens or closes a cell to light.
//
// Light spreads breadth-first over the four side neighbours (columns wrap, rows end), losing 2 when
// it leaves a cell that lets light through (flags bit 2, kept by `relightAll` and the sky hooks) and
// 6 when it leaves an opaque one; full sky falls straight down open cells without loss, and the top
// row holds sky 15 (13 where opaque). Each channel of a cell is the largest that reaches it, so the
// result does not depend on the order of the work. Bits 12-15 of a cell's block-light word record
// which neighbours (bit 12 + `Direction`: left, down, right, up) raised its block light: removing a
// source darkens what it lit (never less, sometimes a little more) and refills that region from its
// border, so after any series of local updates the light equals a fresh `relightAll` of the map.
//
// Speed: cells are addressed by index; the work list, the removal lists and a mark byte per cell are
// members reused by every call, so local updates allocate nothing once warm and cost what the
// darkened region and its border cost. `relightAll` lights the sky level by level (each cell is
// expanded once) in a byte per cell of its own, stores it in the cells and then spreads the emitters;
// a map is lit whole once, so that scratch lives only as long as the call.
//
// Runs on the thread that owns the world (the main thread in play, the world-load thread while a
// world is built); nothing here locks and nothing is reentrant. Carried lights come from the
// world's `CarriedLights` (none for a map without a world); coloured lamps from the `LampColours` the circuit devices hand over.

#include <cstdint>
#include <vector>

class LampColours;
class MapBlock;
class WorldMap;

class LightMap {
 public:
  explicit LightMap(WorldMap& map);
  ~LightMap();
  LightMap(const LightMap&) = delete;
  LightMap& operator=(const LightMap&) = delete;

  // ---- Colours ----
  // The 12-bit colour the cell emits by itself: a light-emitting front block's colour, a lamp
  // that is on, glowing liquid (lava, acid); else 0.
  uint16_t emittedColour(const MapBlock& cell) const;
  // The emitted colour; for a cell lit by a carried light, the larger of it and the carried light
  // in each channel.
  uint16_t sourceColour(const MapBlock& cell) const;
  // The light a player carries in the cell, from the map's world (0 without one).
  uint16_t carriedColour(const MapBlock& cell) const;

  // ---- Whole map ----
  // Expects a map whose sky levels and block light are zero (new, loaded or received): marks which
  // cells let light through and which emit, then lights the sky and spreads every emitter.
  void relightAll();
  // The same, and the shadow edges of every cell as the cell works its own out
  // (MapBlock::computeShadowEdges), in the same pass over the cells.
  void relightAllWithShadows();

  // ---- Local updates ----
  // Spreads light from every cell of the work list (filled by a removal) until nothing rises;
  // empties the list.
  void propagate();
  // Light flows into the cell from its side neighbours and out of it.
  void spreadFrom(MapBlock& cell);
  // Darkens the block light that reached cells through this cell and fills the work list with the
  // cells to re-light from; the caller propagates.
  void removeSourceLight(MapBlock& cell);
  // Darkens the sky (and block) light of the region whose sky came through this cell and fills the
  // work list with the cells to re-light from; the caller propagates.
  void removeAround(MapBlock& cell);
  // Raises the cell's channels to at least the colour as a carried light, then spreads.
  void raiseCellLight(MapBlock& cell, uint16_t colour);
  // Makes the cell an emitter of its current emitted colour and spreads it.
  void refreshCell(MapBlock& cell);
  // The cell lost a light source (the carried one when `carried`, else its own emission): removes
  // its light, re-lights around it and re-applies whichever source remains brighter.
  void updateAround(MapBlock& cell, bool carried);

  // ---- Hooks of the cell changes ----
  // Marks the cell emitting, stores its source colour as its block light and spreads it.
  void setCellEmitting(MapBlock& cell);
  // Layer 0 only, and only when the front block now shuts out the sky: darkens and relights
  // around the cell. Whether it acted.
  bool cellLostSky(MapBlock& cell, uint8_t layer);
  // The cell lets light through again: a top-row cell gets the full sky, then light spreads.
  bool cellGainedSky(MapBlock& cell);

  // Not owned; null makes coloured lamps dark.
  void setLampColours(const LampColours* colours) { lampColours_ = colours; }

 private:
  // Per-cell marks of the removals; every mark set is cleared before the removal returns.
  static constexpr uint8_t kDarkened = 1;
  static constexpr uint8_t kBorder = 2;

  void beginRemoval(uint32_t start);
  void markDarkened(uint32_t index);
  void markBorder(uint32_t index);
  void endRemoval();
  uint32_t indexOf(const MapBlock& cell) const;

  WorldMap& map_;
  const LampColours* lampColours_ = nullptr;
  std::vector<uint32_t> work_;
  std::vector<uint32_t> frontier_;
  std::vector<uint32_t> darkened_;
  std::vector<uint32_t> border_;
  std::vector<uint8_t> marks_;
};
