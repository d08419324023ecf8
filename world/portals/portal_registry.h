#pragma once
// Building and breaking portals in a world, as placing and breaking portal frame blocks reach
// them. In a world of the third mode, an empty cell closed on its left, its right and above by
// three frame blocks of one kind fills with the portal block (44) and joins the portal list;
// breaking a frame block removes the portal blocks beside it and their records. Every change of
// a cell is a block edit through the world's rules. Main thread only.

#include <cstdint>

class MapBlock;
class WorldMap;

// The planet a frame block's portals lead to; 0 for a block that is no frame.
uint32_t portalTargetForFrame(uint16_t frameBlock);

class PortalRegistry {
 public:
  static constexpr uint16_t kPortalBlock = 44;

  explicit PortalRegistry(WorldMap& map) : map_(map) {}

  // A frame block was placed in the cell: completes a portal when the frame is whole.
  void noteFrameAt(MapBlock& cell);
  // A frame block left the cell: the portals beside it go.
  void removeFrameAt(MapBlock& cell);

 private:
  MapBlock* frameEnclosure(const MapBlock& cell);
  uint32_t planet() const;

  WorldMap& map_;
};
