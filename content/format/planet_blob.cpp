#include "content/format/planet_blob.h"

#include <algorithm>
#include <cstring>

#include "engine/io/byte_reader.h"
#include "content/format/content_format.h"
#include "engine/io/byte_writer.h"

namespace content {

namespace {

// Reads fields from the blob; a list count that cannot fit the bytes left fails at once, so a
// damaged count never makes a large allocation.
class BlobIn {
 public:
  explicit BlobIn(std::span<const uint8_t> blob) : r_(blob) {}
  bool ok() const { return r_.ok(); }
  void align(size_t n) { r_.alignTo(n); }
  void pad(size_t n) { r_.skip(n); }
  void u8(uint8_t& v) { v = r_.u8(); }
  void i8(int8_t& v) { v = r_.i8(); }
  void u16(uint16_t& v) { v = r_.u16(); }
  void i16(int16_t& v) { v = r_.i16(); }
  void u32(uint32_t& v) { v = r_.u32(); }
  void i32(int32_t& v) { v = r_.i32(); }
  void f32(float& v) { v = r_.f32(); }
  void u64(uint64_t& v) { v = r_.u64(); }
  void name(std::string& v) {
    auto bytes = r_.take(kPlanetNameSize);
    if (bytes.empty()) return;
    auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    v.assign(bytes.begin(), end);
  }
  template <typename T, typename Fn>
  void list(std::vector<T>& out, Fn element) {
    align(4);
    uint32_t count = r_.u32();
    if (count > r_.remaining()) r_.fail();  // every element takes at least one byte
    out.clear();
    for (uint32_t i = 0; i < count && ok(); ++i) {
      T item{};
      element(*this, item);
      if (ok()) out.push_back(std::move(item));
    }
  }

 private:
  engine::ByteReader r_;
};

class BlobOut {
 public:
  bool ok() const { return true; }
  void align(size_t n) { w_.alignTo(n); }
  void pad(size_t n) { w_.zeros(n); }
  void u8(uint8_t& v) { w_.u8(v); }
  void i8(int8_t& v) { w_.i8(v); }
  void u16(uint16_t& v) { w_.u16(v); }
  void i16(int16_t& v) { w_.i16(v); }
  void u32(uint32_t& v) { w_.u32(v); }
  void i32(int32_t& v) { w_.i32(v); }
  void f32(float& v) { w_.f32(v); }
  void u64(uint64_t& v) { w_.u64(v); }
  void name(std::string& v) {
    uint8_t bytes[kPlanetNameSize] = {};
    std::memcpy(bytes, v.data(), std::min(v.size(), kPlanetNameSize - 1));
    w_.bytes(bytes);
  }
  template <typename T, typename Fn>
  void list(std::vector<T>& items, Fn element) {
    align(4);
    uint32_t count = static_cast<uint32_t>(items.size());
    w_.u32(count);
    for (T& item : items) element(*this, item);
  }
  std::vector<uint8_t> release() { return w_.release(); }

 private:
  engine::ByteWriter w_;
};

// ---- The layout, one function per record; each serves reading and writing. ----

template <class A> void veinPlacement(A& a, VeinPlacement& p) {
  a.align(8);
  a.u64(p.filter); a.f32(p.lo); a.f32(p.hi); a.f32(p.density); a.u16(p.minSize); a.u16(p.maxSize);
}

template <class A> void veinRule(A& a, VeinRule& r) {
  a.align(2); a.u16(r.block);
  a.align(4); a.f32(r.factor);
  a.list(r.placements, veinPlacement<A>);
}

template <class A> void caveRule(A& a, CaveRule& r) {
  a.align(8);
  a.f32(r.lo); a.f32(r.hi); a.f32(r.density); a.f32(r.dropChance); a.u32(r.size); a.pad(4);
}

template <class A> void wormRule(A& a, WormRule& r) {
  a.align(4);
  a.f32(r.step); a.f32(r.radius); a.f32(r.density); a.f32(r.lo); a.f32(r.hi);
  a.u16(r.minLength); a.u16(r.maxLength); a.u16(r.minLegSteps); a.u16(r.maxLegSteps);
  a.i16(r.minTurn); a.i16(r.maxTurn);
}

template <class A> void blockPlacement(A& a, BlockPlacement& p) {
  a.align(4);
  a.f32(p.density); a.f32(p.lo); a.f32(p.hi); a.u8(p.layer); a.pad(3);
}

template <class A> void blockRule(A& a, BlockRule& r) {
  a.align(8); a.u64(r.filter);
  a.align(2); a.u16(r.block);
  a.list(r.placements, blockPlacement<A>);
}

template <class A> void surfaceObjectRule(A& a, SurfaceObjectRule& r) {
  a.align(8);
  a.u64(r.filter); a.u16(r.block); a.pad(2); a.f32(r.lo); a.f32(r.hi); a.f32(r.density);
}

template <class A> void terrainBlock(A& a, TerrainBlock& t) {
  a.align(2);
  a.u16(t.block); a.u16(t.weight);
}

// 16-byte record, 8-aligned.
template <class A> void replacement(A& a, BlockReplacement& r) {
  a.align(8);
  a.u64(r.filter); a.u16(r.block); a.i8(r.variant); a.pad(5);
}

// 16-byte record, 8-aligned (fill and top rules of the cave dressings).
template <class A> void chanceBlock16(A& a, ChanceBlock& c) {
  a.align(8);
  a.u64(c.filter); a.f32(c.chance); a.u16(c.block); a.pad(2);
}

// 24-byte record, 8-aligned (biome layers).
template <class A> void chanceBlock24(A& a, ChanceBlock& c) {
  a.align(8);
  a.u64(c.filter); a.f32(c.chance); a.u16(c.block); a.pad(10);
}

template <class A> void patternEntry(A& a, PatternEntry& e) {
  a.align(4);
  a.u16(e.block); a.u8(e.minCount); a.u8(e.maxCount);
}

// The four bytes come in the blob as kind, fixed variant, placement, mirror.
template <class A> void pattern(A& a, DecorationPattern& p) {
  a.u8(p.kind); a.u8(p.fixedVariant); a.u8(p.placement); a.u8(p.mirror);
  a.list(p.entries, patternEntry<A>);
}

template <class A> void patternGroup(A& a, PatternGroup& g) {
  a.align(4); a.f32(g.chance);
  a.list(g.patterns, pattern<A>);
}

template <class A> void biomeRule(A& a, BiomeRule& r) {
  a.align(4); a.f32(r.chance);
  a.align(4); a.f32(r.decay);
  a.align(2); a.u16(r.minWidth);
  a.align(2); a.u16(r.maxWidth);
  a.align(4); a.u32(r.mask);
  a.list(r.replacements, replacement<A>);
  a.list(r.layers, chanceBlock24<A>);
}

template <class A> void caveDressing(A& a, CaveDressing& r) {
  a.align(8); a.u64(r.filter);
  a.align(4); a.f32(r.spreadChance);
  a.u8(r.decideOnce); a.u8(r.decaying); a.u8(r.backLayer);
  a.list(r.replacements, replacement<A>);
  a.list(r.decorationGroups, patternGroup<A>);
  a.list(r.fillRules, chanceBlock16<A>);
  a.list(r.topRules, chanceBlock16<A>);
  a.align(4); a.f32(r.density);
  a.align(4); a.i32(r.minRegion);
  a.align(4); a.i32(r.maxRegion);
  a.align(4); a.f32(r.lo); a.f32(r.hi);
}

template <class A> void blockId(A& a, uint16_t& id) {
  a.align(2);
  a.u16(id);
}

template <class A> void filterWord(A& a, uint64_t& filter) {
  a.align(8);
  a.u64(filter);
}

template <class A> void surfaceRule(A& a, SurfaceRule& r) {
  a.align(8); a.u64(r.filter);
  a.align(4); a.f32(r.chance);
  a.list(r.blocks, blockId<A>);
}

template <class A> void surfacePatternRule(A& a, SurfacePatternRule& r) {
  a.list(r.filters, filterWord<A>);
  a.list(r.groups, patternGroup<A>);
  a.align(4); a.u32(r.mask);
}

template <class A> void poolRule(A& a, PoolRule& r) {
  a.align(4);
  a.f32(r.lo); a.f32(r.hi); a.f32(r.density);
  a.u16(r.minRegion); a.u16(r.maxRegion); a.u16(r.minLevel); a.u16(r.maxLevel);
  a.u8(r.liquidKind); a.pad(3);
}

template <class A> void parameters(A& a, PlanetParameters& p) {
  a.align(4);
  a.u32(p.surfaceAmplitude); a.u32(p.runCount); a.u32(p.runMaxLength); a.i32(p.liquidLevel);
  a.u8(p.liquidKind); a.u8(p.covered); a.pad(2);
}

// The eleven rule lists in blob order. The blob numbers them 1 to 11 and the record names them
// by letter; their roles follow from the record layouts:
//   list 1  rulesA  veinRules           u16 block, u32 factor, 24-byte placements
//   list 2  rulesB  caveRules           24-byte records, 8-aligned
//   list 3  rulesC  wormRules           32-byte records, 4-aligned
//   list 4  rulesD  blockRules          filter, u16 block, 16-byte placements
//   list 5  rulesE  surfaceObjectRules  24-byte records led by a filter, 8-aligned
//   list 6  rulesF  terrainBlocks       two u16: block and weight
//   list 7  rulesG  biomeRules          two lists, chance, decay, width range, mask
//   list 8  rulesJ  caveDressings       replacements, flags, pattern groups, fill and top rules
//   list 9  rulesK  surfaceRules        filter, chance, u16 blocks
//   list 10 rulesL  surfacePatternRules filters, pattern groups, mask
//   list 11 rulesM  poolRules           24-byte records, 4-aligned
// Lists 2 and 5 share one layout; the caves sit next to the worm caves as the generator runs them.
template <class A> void planetBody(A& a, PlanetDef& p) {
  parameters(a, p.parameters);
  a.list(p.veinRules, veinRule<A>);
  a.list(p.caveRules, caveRule<A>);
  a.list(p.wormRules, wormRule<A>);
  a.list(p.blockRules, blockRule<A>);
  a.list(p.surfaceObjectRules, surfaceObjectRule<A>);
  a.list(p.terrainBlocks, terrainBlock<A>);
  a.list(p.biomeRules, biomeRule<A>);
  a.list(p.caveDressings, caveDressing<A>);
  a.list(p.surfaceRules, surfaceRule<A>);
  a.list(p.surfacePatternRules, surfacePatternRule<A>);
  a.list(p.poolRules, poolRule<A>);
}

template <class A> void planetHeader(A& a, uint32_t& id, std::string& name, uint8_t& flag) {
  a.align(4);
  a.u32(id);
  a.name(name);
  a.u8(flag);
  a.pad(3);
}

}  // namespace

bool readPlanetBlob(std::span<const uint8_t> blob, size_t count, PlanetList& out) {
  BlobIn in(blob);
  for (size_t i = 0; i < count; ++i) {
    uint32_t id = 0;
    std::string name;
    uint8_t flag = 0;
    planetHeader(in, id, name, flag);
    if (!in.ok()) return false;
    auto planet = std::make_unique<PlanetDef>(name, id, flag);
    planetBody(in, *planet);
    if (!in.ok()) return false;
    out.push_back(std::move(planet));
  }
  return true;
}

std::vector<uint8_t> writePlanetBlob(const std::vector<const PlanetDef*>& planets) {
  BlobOut out;
  for (const PlanetDef* source : planets) {
    PlanetDef planet = *source;  // the layout functions take mutable records
    planetHeader(out, planet.id, planet.name, planet.flag);
    planetBody(out, planet);
  }
  return out.release();
}

}  // namespace content
