#pragma once
// The particles of one world, stepped after the other entity lists in each fixed tick. A step
// updates the particles present when it began (one made during the step, a splash's follow-up,
// waits for the next tick) and deletes the removed ones at its end. The list keeps room for the
// live limit, so stepping it allocates nothing beyond the particles themselves.
//
// Blasts reach particles as bodies of the debris group: a push adds to their impulse and sets them
// moving. A body's id is the particle's place in the list, good for the call that collected it.
//
// Main thread only.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "world/seams/world_bodies.h"

#include "content/art/debris_rect_lists.h"

class DebrisEntity;
class World;
enum class DebrisLayer : uint8_t;

// Where a block's picture lies in the block atlas (the view knows the atlas).
using BlockPictureLookup = DebrisRect (*)(uint16_t blockId, uint8_t variant);

class DebrisList {
 public:
  DebrisList();
  ~DebrisList();
  DebrisList(const DebrisList&) = delete;
  DebrisList& operator=(const DebrisList&) = delete;

  // The world new particles belong to; null while the list serves none (nothing is made).
  void setWorld(World* world) { world_ = world; }
  World* world() const { return world_; }

  // The layers the view has opened; all are open until it says otherwise. Chips of blocks need
  // layer B.
  void setLayerOpen(DebrisLayer layer, bool open);
  bool layerOpen(DebrisLayer layer) const;
  // The block pictures that chips are cut from; null restores the whole first tile (0, 0, 30, 30).
  void setBlockPictures(BlockPictureLookup lookup) { pictures_ = lookup; }
  DebrisRect blockPicture(uint16_t blockId, uint8_t variant) const;

  // Takes the particle (made with `new`).
  DebrisEntity& add(DebrisEntity* particle);
  void step();
  void clear();

  size_t size() const { return particles_.size(); }
  DebrisEntity& at(size_t i) const { return *particles_[i]; }

  void collectAll(std::vector<Body>& out) const;
  void collectInCell(const MapBlock& cell, std::vector<Body>& out) const;
  void push(const Body& body, float strength, float angle);

 private:
  Body debrisBody(size_t index) const;

  World* world_ = nullptr;
  uint8_t openLayers_ = 7;
  BlockPictureLookup pictures_ = nullptr;
  std::vector<DebrisEntity*> particles_;
};
