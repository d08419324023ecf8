#pragma once
// The world file's block entity sections (chests, forges, signs, stables, alchemy labs, shelves):
// each a u32 count and one record per entity, written from the world's lists and read back into
// new entities of the cells they name. A record whose cell is outside the map, already holds an
// entity, or (for a chest) no longer holds a chest block is skipped; its items go back to the
// pool. A forge keeps what is left of its fuel and of its smelting, a shelf offers each stack to
// the place it was stored at, and a stable's animals come back through the world's save links.
// Main thread.

#include <utility>
#include <vector>

#include "saves/character/item_converter.h"
#include "saves/world/world_save_links.h"

class MapBlock;
class World;
class WorldSaveLinks;
namespace engine {
class ByteReader;
class ByteWriter;
}  // namespace engine

void writeChests(engine::ByteWriter& out, World& world);
void writeForges(engine::ByteWriter& out, World& world);
void writeSigns(engine::ByteWriter& out, World& world);
void writeStables(engine::ByteWriter& out, World& world, const WorldSaveLinks& links);
void writeAlchemyLabs(engine::ByteWriter& out, World& world);
void writeShelves(engine::ByteWriter& out, World& world);

// Stables read from a file, made through the save links only once the whole file has read (a
// damaged file must leave no animals behind).
class StableQueue {
 public:
  void add(MapBlock& cell, const StableContents& contents) { stables_.emplace_back(&cell, contents); }
  bool holds(const MapBlock& cell) const;
  // Each stable with its animals; the feed is converted here.
  void restore(World& world, WorldSaveLinks& links, ItemConverter convert);

 private:
  std::vector<std::pair<MapBlock*, StableContents>> stables_;
};

// Each reads one whole section body; a count the body cannot hold fails the body's reader.
void readChests(engine::ByteReader& in, World& world, ItemConverter convert);
void readForges(engine::ByteReader& in, World& world, ItemConverter convert);
void readSigns(engine::ByteReader& in, World& world);
void readStables(engine::ByteReader& in, World& world, StableQueue& stables);
void readAlchemyLabs(engine::ByteReader& in, World& world, ItemConverter convert);
void readShelves(engine::ByteReader& in, World& world, ItemConverter convert);
