#pragma once
// The areas that protection blocks guard against other players' edits. An area is a square of the
// protection block's size around the block's cell. Membership measures the column distance from
// the centre across the map's wrap (signed, folded into -W/2..W/2) and compares rows unsigned, so
// an area near column 0 or row 0 guards what it covers instead of wrapping its corners round.
// The world file keeps only each area's centre and size. Main thread only.

#include <cstdint>
#include <vector>

class MapBlock;
class World;
class WorldMap;

struct ProtectedArea {
  uint16_t centreX = 0;
  uint16_t centreY = 0;
  uint8_t size = 0;

  // The inclusive corners; columns may reach beyond 0..W-1 (they wrap), rows are clamped.
  int32_t x1() const { return centreX - size / 2; }
  int32_t x2() const { return centreX + size / 2; }
};

class ProtectedAreas {
 public:
  static constexpr uint16_t kLockBlock = 214;

  // Both borrowed: the world's map, and the world whose options it obeys.
  ProtectedAreas(WorldMap& map, const World& world) : map_(map), world_(world) {}

  // The world lock of the world's options guards every cell; so does a lock on the cell's front side,
  // and every stored area.
  bool isProtectedAt(int32_t x, int32_t y) const;
  bool coversCell(const ProtectedArea& area, int32_t x, int32_t y) const;

  void add(const MapBlock& cell, uint8_t size);
  // Removes the area made by the block at this cell.
  void removeAt(const MapBlock& cell);
  const std::vector<ProtectedArea>& areas() const { return areas_; }

 private:
  WorldMap& map_;
  const World& world_;
  std::vector<ProtectedArea> areas_;
};

// The area size of a protection block (blocks 1-4), 0 for any other block.
uint8_t protectionSizeFor(uint16_t blockId);
