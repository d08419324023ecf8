#include "world/cells/map_block.h"

#include <algorithm>

#include "engine/base/random.h"
#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/map/world_map.h"

namespace {

constexpr uint16_t kPassableWhenOpen = 374;     // variant 1 lets bodies through
constexpr uint16_t kOpaqueWhenVariant1 = 2090;  // variant 1 counts as opaque for scans
constexpr uint16_t kBlocksWhileStateZero = 2118;
constexpr uint16_t kClearableDeco = 130;

bool meets(const BlockPropsTable& props, MapDeco deco, uint64_t mask) {
  return (props[map_deco::id(deco)].flags & mask) == mask;
}

bool isOpenVariant(uint16_t word) {
  return block_word::id(word) == kPassableWhenOpen && block_word::variant(word) == 1;
}

bool isScanOpaque(const BlockPropsTable& props, uint16_t word) {
  if (block_word::id(word) == kOpaqueWhenVariant1 && block_word::variant(word) == 1) return true;
  return props[block_word::id(word)].opaque();
}

}  // namespace

uint8_t randomVariantFor(const BlockPropsTable& props, uint16_t id) {
  const uint8_t count = props[id].variantCount;
  // A block with more looks than a cell's variant bits hold (a wire's sixteen side shapes, a
  // display's digits) is drawn from other state; its word keeps variant 0, which every cell holds.
  if (count > kCellVariantCount) return 0;
  // A switch, a door, a lever or a lamp keeps its state in its variant: it comes off (shut),
  // as the circuits that read it take it, never on by chance.
  if (props[id].has(block_flag::kCircuitOutput) || props[id].has(block_flag::kCircuitComponent)) return 0;
  return count >= 2 ? static_cast<uint8_t>(engine::randomNext() % count) : 0;
}

void setBlockWordRandomVariant(const BlockPropsTable& props, uint16_t& word, uint16_t id) {
  word = block_word::compose(word, id, randomVariantFor(props, id));
}

// ---- Block words ----

void MapBlock::setFrontRandomVariant(const BlockPropsTable& props, uint16_t id) {
  if ((id & 0xFFF) != 0) {
    setBlockWordRandomVariant(props, front, id);
    return;
  }
  front = block_word::kLayerMark;
  clearSideDecos(kFront);
}

void MapBlock::setLayerRandomVariant(const BlockPropsTable& props, uint16_t id, uint8_t side) {
  if ((id & 0xFFF) != 0) {
    setBlockWordRandomVariant(props, layerWord(side), id);
    return;
  }
  setLayer(0, 0, side);
}

void MapBlock::setFront(uint16_t id, uint8_t variant, uint8_t state) {
  if ((id & 0xFFF) != 0) {
    front = block_word::compose(block_word::kLayerMark, id, variant);
  } else {
    front = block_word::kLayerMark;
    clearSideDecos(kFront);
  }
  setBlockState(state);
}

void MapBlock::setLayer(uint16_t id, uint8_t variant, uint8_t side) {
  uint16_t& word = layerWord(side);
  if ((id & 0xFFF) != 0) {
    word = block_word::compose(word, id, variant);
    return;
  }
  word &= block_word::kLayerMark;
  clearSideDecos(side);
  if (side == kFront) setBlockState(0);
}

// ---- Decorations ----

bool MapBlock::hasDeco(uint16_t id, uint8_t side) const {
  return std::any_of(decos.begin(), decos.end(), [&](MapDeco d) {
    return map_deco::id(d) == id && map_deco::side(d) == side;
  });
}

bool MapBlock::hasDecoWithFlags(const BlockPropsTable& props, uint64_t mask, uint8_t side) const {
  return std::any_of(decos.begin(), decos.end(), [&](MapDeco d) {
    return map_deco::side(d) == side && meets(props, d, mask);
  });
}

bool MapBlock::hasAnyDeco(uint8_t side) const {
  return std::any_of(decos.begin(), decos.end(),
                     [&](MapDeco d) { return !map_deco::empty(d) && map_deco::side(d) == side; });
}

DecoHit MapBlock::findDecoIf(const std::function<bool(MapDeco)>& predicate) {
  for (int i = 0; i < 4; ++i) {
    if (predicate(decos[static_cast<size_t>(i)])) return {&decos[static_cast<size_t>(i)], i};
  }
  return {};
}

MapDeco* MapBlock::decoSlotOf(uint16_t id) { return findDeco(id).slot; }

DecoHit MapBlock::findDeco(uint16_t id) {
  return findDecoIf([&](MapDeco d) { return map_deco::id(d) == id; });
}

DecoHit MapBlock::findDecoOnSide(uint16_t id, uint8_t side) {
  return findDecoIf([&](MapDeco d) { return map_deco::id(d) == id && map_deco::side(d) == side; });
}

MapDeco* MapBlock::findDecoWithFlags(const BlockPropsTable& props, uint64_t mask, uint8_t side) {
  return findDecoIf([&](MapDeco d) { return map_deco::side(d) == side && meets(props, d, mask); }).slot;
}

DecoHit MapBlock::findFrontDecoWithFlags(const BlockPropsTable& props, uint64_t mask) {
  return findDecoIf([&](MapDeco d) { return map_deco::side(d) == kFront && meets(props, d, mask); });
}

DecoHit MapBlock::findFrontPlainDeco(const BlockPropsTable& props) {
  return findDecoIf([&](MapDeco d) {
    return !map_deco::empty(d) && map_deco::side(d) == kFront &&
           !props[map_deco::id(d)].has(block_flag::kBreakable);
  });
}

DecoHit MapBlock::findFreeDecoSlot() {
  return findDecoIf([](MapDeco d) { return map_deco::empty(d); });
}

uint8_t MapBlock::addDeco(uint16_t id, uint8_t variant, uint8_t side) {
  const DecoHit free = findFreeDecoSlot();
  if (!free) return kNoSlot;
  *free.slot = map_deco::make(id, variant, side);
  return static_cast<uint8_t>(free.index);
}

uint8_t MapBlock::addDecoRandomVariant(const BlockPropsTable& props, uint16_t id, uint8_t side) {
  return addDeco(id, randomVariantFor(props, id), side);
}

void MapBlock::clearBlock130Decos() {
  for (MapDeco& d : decos) {
    if (map_deco::id(d) == kClearableDeco && map_deco::side(d) == kFront) map_deco::clear(d);
  }
}

void MapBlock::clearSideDecos(uint8_t side) {
  for (MapDeco& d : decos) {
    if (map_deco::side(d) == side) map_deco::clear(d);
  }
}

// ---- Neighbours ----

MapBlock* MapBlock::neighbourUp(WorldMap& map) const { return map.cellAt(x, y + 1); }
MapBlock* MapBlock::neighbourDown(WorldMap& map) const { return map.cellAt(x, y - 1); }
MapBlock* MapBlock::neighbourLeft(WorldMap& map) const { return map.cellAt(x - 1, y); }
MapBlock* MapBlock::neighbourRight(WorldMap& map) const { return map.cellAt(x + 1, y); }
MapBlock* MapBlock::neighbourAt(WorldMap& map, int dx, int dy) const {
  return map.cellAt(x + dx, y + dy);
}

// ---- Predicates ----

bool MapBlock::isSolid(const BlockPropsTable& props) const {
  if (props[frontId()].has(block_flag::kSolid)) return true;
  return hasDecoWithFlags(props, uint64_t{1} << block_flag::kSolid, kFront);
}

bool MapBlock::blocksMovement(const BlockPropsTable& props) const {
  if (props[frontId()].has(block_flag::kSolid)) return !isOpenVariant(front);
  if (frontId() == kBlocksWhileStateZero && blockState() == 0) return true;
  for (MapDeco d : decos) {
    if (map_deco::side(d) != kFront || !props[map_deco::id(d)].has(block_flag::kSolid)) continue;
    return !(map_deco::id(d) == kPassableWhenOpen && map_deco::variant(d) == 1);
  }
  return false;
}

bool MapBlock::shutsOutLight(const BlockPropsTable& props) const {
  if (frontId() == kOpaqueWhenVariant1 && frontVariant() == 1) return true;
  const BlockProps& p = props[frontId()];
  return p.opaque() && !p.has(block_flag::kLetsSkyThrough);
}

bool MapBlock::opaqueForScans(const BlockPropsTable& props) const { return isScanOpaque(props, front); }

bool MapBlock::isBelowSurface(const WorldMap& map) const {
  return map.hasSurfaceLine() && static_cast<int>(y) < static_cast<int>(map.surfaceLine(x)) - 3;
}

uint8_t MapBlock::lightLevel(uint32_t darkness) const {
  const int sky = std::max(0, static_cast<int>(skyLevel()) - static_cast<int>(std::min<uint32_t>(darkness, 15)));
  const int red = blockLight & 15, green = (blockLight >> 4) & 15, blue = (blockLight >> 8) & 15;
  return static_cast<uint8_t>(std::max({sky, red, green, blue}));
}

void MapBlock::lookupSpecialDecos(const BlockPropsTable& props, SpecialDecoColour& outFront,
                                  SpecialDecoColour& outBack) const {
  static const SpecialDecoColour kFallback{};
  for (MapDeco d : decos) {
    if (!props[map_deco::id(d)].has(block_flag::kSpecialDeco)) continue;
    const SpecialDecoColour* row = &kFallback;
    for (const SpecialDecoColour& candidate : specialDecoColours()) {
      if (candidate.blockId == map_deco::id(d)) {
        row = &candidate;
        break;
      }
    }
    (map_deco::side(d) == kFront ? outFront : outBack) = *row;
  }
}

// ---- Shadow edges ----

void MapBlock::computeShadowEdges(WorldMap& map) {
  const bool underground = map.hasSurfaceLine() && static_cast<int>(y) < static_cast<int>(map.surfaceLine(x)) - 3;
  computeShadowEdges(map.props(), underground,
                     {map.cellAt(x, y + 1), map.cellAt(x + 1, y), map.cellAt(x, y - 1), map.cellAt(x - 1, y)});
}

void MapBlock::computeShadowEdges(const BlockPropsTable& props, bool underground,
                                  const std::array<const MapBlock*, 4>& neighbours) {
  skyShadow &= 0xF0;
  const bool noBack = backId() == 0;
  if (noBack && !underground) return;
  const BlockProps& own = props[frontId()];
  if (own.opaque()) return;
  for (size_t edge = 0; edge < neighbours.size(); ++edge) {
    const MapBlock* n = neighbours[edge];
    if (n == nullptr) continue;
    const bool neighbourOpaque = isScanOpaque(props, n->front);
    if ((neighbourOpaque && (own.fullyClear() || noBack)) || (n->backId() != 0 && noBack)) {
      skyShadow = static_cast<uint8_t>(skyShadow | (1 << edge));
    }
  }
}

void MapBlock::refreshShadowsAround(WorldMap& map) {
  computeShadowEdges(map);
  for (MapBlock* n : {neighbourRight(map), neighbourUp(map), neighbourLeft(map), neighbourDown(map)}) {
    if (n != nullptr) n->computeShadowEdges(map);
  }
}

// ---- Special-deco tints ----

const std::array<SpecialDecoColour, 15>& specialDecoColours() {
  static const std::array<SpecialDecoColour, 15> rows = [] {
    static constexpr uint16_t kIds[15] = {4022, 4023, 4024, 4025, 4026, 4027, 4028, 4029,
                                          4054, 4055, 4056, 4057, 4058, 4059, 4060};
    static constexpr uint8_t kRgb[15][3] = {
        {245, 245, 245}, {155, 155, 155}, {84, 84, 84},   {180, 101, 71}, {255, 161, 4},
        {240, 63, 55},   {240, 166, 176}, {233, 74, 159}, {196, 102, 245}, {72, 118, 249},
        {0, 178, 255},   {94, 227, 239},  {203, 237, 65}, {67, 197, 73},  {252, 229, 54}};
    std::array<SpecialDecoColour, 15> out{};
    for (size_t row = 0; row < out.size(); ++row) {
      out[row] = {static_cast<uint16_t>(39 + 64 * row), kIds[row], kRgb[row][0], kRgb[row][1],
                  kRgb[row][2], 0};
    }
    return out;
  }();
  return rows;
}
