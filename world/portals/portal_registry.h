#pragma once
// The world's portal frames, as far as placing and breaking blocks reach them: a placed frame
// block is noted for the frame check of the portal rules, a broken one leaves the registry.
// Building portals from the noted frames and travelling through them belong to the portal rules.
// Main thread only.

#include <cstddef>
#include <set>

class MapBlock;
class WorldMap;

class PortalRegistry {
 public:
  explicit PortalRegistry(WorldMap& map) : map_(map) {}

  void noteFrameAt(const MapBlock& cell);
  void removeFrameAt(const MapBlock& cell);
  bool hasFrameAt(const MapBlock& cell) const;

 private:
  WorldMap& map_;
  std::set<size_t> frames_;
};
