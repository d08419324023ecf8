#pragma once
// What the player sees and hears when something happens at a tile or to an entity: chips and
// bursts of particles, a shaking tile, the refusal overlay and the sound of the event. The rules
// report events by kind (tile kinds 10-23, entity kinds 22-33); this is the one table that turns
// a kind into particles and sounds.
//
// Particles go to the world's particle list; sounds to the world's sound seam, at the cell unless
// the event has no place. Main thread only.

#include <cstdint>

class Entity;
class MapBlock;
class TileHits;
class World;

class WorldEffects {
 public:
  WorldEffects(World& world, TileHits& tiles) : world_(world), tiles_(tiles) {}

  // True only for the kinds whose tile hit found the cell in the window (10, 11, 12, 14).
  bool playTileEffect(MapBlock& cell, uint8_t kind);
  // True for a missing entity and for the mob kinds 25 and 27.
  bool playEntityEffect(Entity* entity, uint8_t kind, uint8_t value);
  // The step sound of a cell: its first decoration that has a sound, else its front block.
  void playTileSound(MapBlock& cell);

 private:
  bool playBlockHit(MapBlock& cell);
  void playTileBurst(MapBlock& cell, uint16_t list, uint32_t count);

  World& world_;
  TileHits& tiles_;
};
