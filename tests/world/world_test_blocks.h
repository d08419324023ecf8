#pragma once
// Block rows for world tests, built in code: each test names the few properties its blocks need
// (flags, transparency, variants, light) instead of loading a content file. The fixture resets the
// content tables and the planets around every test.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "content/format/record_layout.h"
#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "engine/base/random.h"
#include "tests/support/added_planets.h"

namespace world_test {

inline uint64_t bits(std::initializer_list<int> numbers) {
  uint64_t word = 0;
  for (int n : numbers) word |= uint64_t{1} << n;
  return word;
}

struct BlockShape {
  uint64_t flags = 0;
  uint8_t transparency = 0;  // 0 opaque, 1 clear
  uint8_t variants = 1;
  uint16_t light = 0;
  uint8_t blastResistance = 0;
};

inline void defineBlock(uint16_t id, const BlockShape& shape) {
  auto& bytes = contentTables().blockDefs[id].record.bytes;
  for (int i = 0; i < 8; ++i) {
    bytes[content::block_record::flags + static_cast<size_t>(i)] = static_cast<uint8_t>(shape.flags >> (8 * i));
  }
  bytes[content::block_record::lightColor] = static_cast<uint8_t>(shape.light);
  bytes[content::block_record::lightColor + 1] = static_cast<uint8_t>(shape.light >> 8);
  bytes[content::block_record::variantCount] = shape.variants;
  bytes[content::block_record::blastResistance] = shape.blastResistance;
  bytes[content::block_record::transparency] = shape.transparency;
}

// Ids of the blocks every world test can use.
constexpr uint16_t kAir = 0;
constexpr uint16_t kDirt = 10;    // solid, opaque, three variants
constexpr uint16_t kGlass = 11;   // solid, clear
constexpr uint16_t kTorch = 12;   // clear, emits orange light
constexpr uint16_t kVine = 13;    // clear, hangs from above
constexpr uint16_t kPlank = 14;   // a platform: solid part, clear
constexpr uint16_t kGate = 374;   // solid, opaque; open in variant 1
constexpr uint16_t kShutter = 2090;  // clear, but opaque in variant 1
constexpr uint16_t kGrate = 15;      // solid, opaque, but lets the sky through
constexpr uint16_t kRedLamp = 16;    // clear, emits bright red
constexpr uint16_t kBlueLamp = 17;   // clear, emits bright blue
constexpr uint16_t kWhiteLamp = 18;  // clear, emits 0xEEE
constexpr uint16_t kMeltStone = 82;  // solid, opaque: what two liquids leave where they meet
constexpr uint16_t kLamp = 2112;     // clear; on (0xCCC) in variant 1
constexpr uint16_t kColouredLamp = 2114;  // clear; on in variant 1, colour kept by the circuits

// Block 0 is air: clear, nothing else.
inline void defineStandardBlocks() {
  defineBlock(kAir, {.transparency = 1});
  defineBlock(kDirt, {.flags = bits({23}), .transparency = 0, .variants = 3});
  defineBlock(kGlass, {.flags = bits({23}), .transparency = 1});
  defineBlock(kTorch, {.flags = bits({20}), .transparency = 1, .light = 0x08F});
  defineBlock(kVine, {.flags = bits({17}), .transparency = 1});
  defineBlock(kPlank, {.flags = bits({23}), .transparency = 1});
  defineBlock(kGate, {.flags = bits({23}), .transparency = 0, .variants = 2});
  defineBlock(kShutter, {.transparency = 1, .variants = 2});
  defineBlock(kGrate, {.flags = bits({11, 23}), .transparency = 0});
  defineBlock(kRedLamp, {.flags = bits({20}), .transparency = 1, .light = 0x00E});
  defineBlock(kBlueLamp, {.flags = bits({20}), .transparency = 1, .light = 0xE00});
  defineBlock(kWhiteLamp, {.flags = bits({20}), .transparency = 1, .light = 0xEEE});
  defineBlock(kMeltStone, {.flags = bits({23}), .transparency = 0, .variants = 2});
  defineBlock(kLamp, {.transparency = 1, .variants = 2});
  defineBlock(kColouredLamp, {.transparency = 1, .variants = 2});
}

class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetContentTables();
    resetPlanetDefs();
    engine::randomSeed(7);
    defineStandardBlocks();
  }
  void TearDown() override {
    resetPlanetDefs();
    resetContentTables();
  }
  // A planet whose maps have a surface line (cells 3 rows below it are underground).
  static void addSurfacePlanet(uint32_t id) { testsupport::addPlanetDef("moor" + std::to_string(id), id, 1); }
};

}  // namespace world_test
