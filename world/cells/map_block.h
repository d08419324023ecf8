#pragma once
// One cell of a world map: which block stands in front and behind, four attached decorations, the
// sky level and shadow edges, the coloured block light, the two circuit bytes, the flags byte and
// the liquid byte, packed into 24 bytes (the grid of a large world holds two million of them).
//
// Cells never reach a process-wide map: operations that look at neighbours or block properties take
// the map (or its block property table) from the caller, so a world being generated on the load
// thread, a world being saved and a test's own world can stand side by side.

#include <array>
#include <cstdint>
#include <functional>

#include "world/cells/map_deco.h"

class BlockPropsTable;
class WorldMap;

// A found decoration: the slot and its index 0-3, or none and -1.
struct DecoHit {
  MapDeco* slot = nullptr;
  int index = -1;
  explicit operator bool() const { return slot != nullptr; }
};

// One row of the special-deco colour table: the tint of a decoration with the special-deco flag.
struct SpecialDecoColour {
  uint16_t tile = 0;
  uint16_t blockId = 0;
  uint8_t red = 0, green = 0, blue = 0, unused = 0;
};

namespace cell_flag {
constexpr uint8_t kEmitsLight = 0x01;
constexpr uint8_t kCarriedLight = 0x02;
constexpr uint8_t kLetsLightThrough = 0x04;
constexpr uint8_t kLiquidSource = 0x08;
constexpr uint8_t kStateMask = 0x70;
constexpr uint8_t kForeign = 0x80;  // not the world model's; every operation keeps it
}  // namespace cell_flag

enum class LiquidKind : uint8_t { None = 0, Water = 1, Lava = 2, Acid = 3 };

class MapBlock {
 public:
  static constexpr uint8_t kFront = 0;
  static constexpr uint8_t kBack = 1;
  static constexpr uint8_t kNoSlot = 255;

  uint16_t front = block_word::kLayerMark;
  uint16_t back = 0;
  std::array<MapDeco, 4> decos{};
  uint16_t x = 0;
  uint16_t y = 0;
  uint8_t skyShadow = 0;   // bits 0-3 shadow edges (up, right, down, left), bits 4-7 sky level
  uint8_t reserved = 0;
  uint16_t blockLight = 0;  // bits 0-11 colour (red, green, blue nibbles), bits 12-15 light directions
  uint8_t circuitA = 0;
  uint8_t circuitB = 0;
  uint8_t flags = 0;
  uint8_t liquid = 0;  // bits 0-2 and 3-5 two liquid levels, bits 6-7 liquid kind

  // ---- Fields ----
  uint16_t frontId() const { return block_word::id(front); }
  uint16_t backId() const { return block_word::id(back); }
  uint8_t frontVariant() const { return block_word::variant(front); }
  uint8_t backVariant() const { return block_word::variant(back); }
  uint16_t& layerWord(uint8_t side) { return side == kFront ? front : back; }
  uint16_t layerWord(uint8_t side) const { return side == kFront ? front : back; }
  uint8_t skyLevel() const { return static_cast<uint8_t>(skyShadow >> 4); }
  void setSkyLevel(uint8_t level) { skyShadow = static_cast<uint8_t>((skyShadow & 0x0F) | ((level & 15) << 4)); }
  uint8_t shadowEdges() const { return skyShadow & 0x0F; }
  uint16_t lightColour() const { return blockLight & 0x0FFF; }
  uint8_t blockState() const { return static_cast<uint8_t>((flags >> 4) & 7); }
  void setBlockState(uint8_t state) {
    flags = static_cast<uint8_t>((flags & ~cell_flag::kStateMask) | ((state & 7) << 4));
  }
  // ---- The liquid byte ----
  LiquidKind liquidKind() const { return static_cast<LiquidKind>(liquid >> 6); }
  uint8_t liquidKindBits() const { return static_cast<uint8_t>(liquid >> 6); }
  uint8_t liquidLevelA() const { return liquid & 7; }
  uint8_t liquidLevelB() const { return static_cast<uint8_t>((liquid >> 3) & 7); }
  // Liquid stands in the cell: either level is above zero.
  bool hasLiquidLevel() const { return (liquid & 0x3F) != 0; }
  // A kind is set: a cell keeps the kind of the liquid it held while its levels drain.
  bool hasLiquidKind() const { return liquidKindBits() != 0; }
  // Both levels at their full 4.
  bool isFullOfLiquid() const { return liquidLevelA() == 4 && liquidLevelB() == 4; }
  // Liquid stands in the cell or a source will make it.
  bool holdsOrSourcesLiquid() const { return hasLiquidLevel() || hasFlag(cell_flag::kLiquidSource); }
  // Lava and acid give off light.
  bool holdsGlowingLiquid() const { return liquid >= 0x80; }
  bool hasFlag(uint8_t flag) const { return (flags & flag) != 0; }

  // ---- Block words and variants ----
  void setFrontRandomVariant(const BlockPropsTable& props, uint16_t id);
  void setLayerRandomVariant(const BlockPropsTable& props, uint16_t id, uint8_t side);
  void setFront(uint16_t id, uint8_t variant, uint8_t state);
  void setLayer(uint16_t id, uint8_t variant, uint8_t side);

  // ---- Decorations (slot order 0-3, first hit) ----
  bool hasDeco(uint16_t id, uint8_t side) const;
  bool hasDecoWithFlags(const BlockPropsTable& props, uint64_t mask, uint8_t side) const;
  bool hasAnyDeco(uint8_t side) const;
  MapDeco* decoSlotOf(uint16_t id);
  MapDeco* findDecoWithFlags(const BlockPropsTable& props, uint64_t mask, uint8_t side);
  DecoHit findDecoIf(const std::function<bool(MapDeco)>& predicate);
  DecoHit findDeco(uint16_t id);
  DecoHit findDecoOnSide(uint16_t id, uint8_t side);
  DecoHit findFrontDecoWithFlags(const BlockPropsTable& props, uint64_t mask);
  DecoHit findFrontPlainDeco(const BlockPropsTable& props);
  DecoHit findFreeDecoSlot();
  // The slot index used, or kNoSlot when all four are taken.
  uint8_t addDeco(uint16_t id, uint8_t variant, uint8_t side);
  uint8_t addDecoRandomVariant(const BlockPropsTable& props, uint16_t id, uint8_t side);
  void clearBlock130Decos();
  void clearSideDecos(uint8_t side);

  // ---- Neighbours on the given map (x wraps, rows outside the map have no cell) ----
  MapBlock* neighbourUp(WorldMap& map) const;
  MapBlock* neighbourDown(WorldMap& map) const;
  MapBlock* neighbourLeft(WorldMap& map) const;
  MapBlock* neighbourRight(WorldMap& map) const;
  MapBlock* neighbourAt(WorldMap& map, int dx, int dy) const;

  // ---- Predicates and measures ----
  bool isSolid(const BlockPropsTable& props) const;
  bool blocksMovement(const BlockPropsTable& props) const;
  // The front block shuts out light: opaque and not letting the sky through, or block 2090 in
  // variant 1.
  bool shutsOutLight(const BlockPropsTable& props) const;
  // Opaque for surface and shadow scans: an opaque front block, or block 2090 in variant 1.
  bool opaqueForScans(const BlockPropsTable& props) const;
  bool isBelowSurface(const WorldMap& map) const;
  // Sky level less the world's darkness, or the brightest block-light channel, whichever is more.
  uint8_t lightLevel(uint32_t darkness) const;
  void lookupSpecialDecos(const BlockPropsTable& props, SpecialDecoColour& outFront,
                          SpecialDecoColour& outBack) const;

  // ---- Shadow edges ----
  void computeShadowEdges(WorldMap& map);
  // The same from what a pass over whole columns already knows: whether the cell lies below its
  // column's surface line by more than 3 rows, and its neighbours up, right, down and left (null
  // outside the map).
  void computeShadowEdges(const BlockPropsTable& props, bool underground,
                          const std::array<const MapBlock*, 4>& neighbours);
  void refreshShadowsAround(WorldMap& map);
};

static_assert(sizeof(MapBlock) == 24, "the map grid and the cell packing rely on 24-byte cells");

// The variants a block word or a decoration holds (bits 12-14).
inline constexpr uint8_t kCellVariantCount = 8;

// Picks a variant for a block: random among its variants when it has two or more, else 0. A block
// with more variants than a cell holds gets 0: its looks beyond those are not the word's to pick.
uint8_t randomVariantFor(const BlockPropsTable& props, uint16_t id);
// Rewrites a block word with a block and a random variant, keeping its layer mark.
void setBlockWordRandomVariant(const BlockPropsTable& props, uint16_t& word, uint16_t id);

// The fifteen rows of tints of the special decorations.
const std::array<SpecialDecoColour, 15>& specialDecoColours();
