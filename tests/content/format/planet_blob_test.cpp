#include <gtest/gtest.h>

#include "content/format/planet_blob.h"

namespace {

TEST(PlanetBlob, HeaderAfterAnUnalignedCursorStartsAtTheNextMultipleOfFour) {
  // One terrain block (4 bytes) leaves the cursor aligned; a surface rule with one u16 block does
  // not, so the next planet's header must skip two bytes.
  PlanetDef first("A", 1, 0);
  first.surfaceRules.push_back(SurfaceRule{});
  first.surfaceRules[0].blocks = {42};
  PlanetDef second("B", 2, 0);
  const auto blob = content::writePlanetBlob({&first, &second});
  PlanetList planets;
  ASSERT_TRUE(content::readPlanetBlob(blob, 2, planets));
  ASSERT_EQ(planets.size(), 2u);
  EXPECT_EQ(planets[0]->surfaceRules[0].blocks, std::vector<uint16_t>{42});
  EXPECT_EQ(planets[1]->name, "B");
}

TEST(PlanetBlob, NestedAndSignedRuleListsSurviveTheRoundTrip) {
  PlanetDef p("Rich", 4, 1);
  p.parameters = {20, 3, 9, 12, 2, 0};
  p.wormRules.push_back({1.5f, 2.0f, 0.5f, 0.3f, 0.9f, 10, 20, 2, 5, -30, 45});
  BiomeRule biome;
  biome.layers.push_back({8, 0.9f, 70});
  biome.replacements.push_back({16, 71, 2});
  biome.mask = 0x80000020u;
  p.biomeRules.push_back(biome);
  CaveDressing dressing;
  dressing.filter = 99;
  dressing.replacements.push_back({3, 44, -1});
  dressing.backLayer = 1;
  DecorationPattern pattern;
  pattern.entries = {{300, 1, 3}, {301, 0, 2}};
  pattern.placement = 3;
  dressing.decorationGroups.push_back({{pattern}, 0.5f});
  dressing.maxRegion = -1;
  p.caveDressings.push_back(dressing);
  p.surfacePatternRules.push_back({{64, 0x100000000ull}, {{{pattern}, 0.3f}}, 1});

  const std::vector<uint8_t> blob = content::writePlanetBlob({&p});
  PlanetList planets;
  ASSERT_TRUE(content::readPlanetBlob(blob, 1, planets));
  // Writing what was read gives the same bytes, so every field came back where it belongs; the
  // signed fields are checked apart because a lost sign writes the same bytes.
  EXPECT_EQ(content::writePlanetBlob({planets[0].get()}), blob);
  const PlanetDef& r = *planets[0];
  EXPECT_EQ(r.wormRules[0].minTurn, -30);
  EXPECT_EQ(r.caveDressings[0].replacements[0].variant, -1);
  EXPECT_EQ(r.caveDressings[0].maxRegion, -1);
}

TEST(PlanetBlob, ShortOrOversizedBlobsFailWithoutReadingPastTheEnd) {
  PlanetDef p("Home", 1, 0);
  p.terrainBlocks.push_back({1, 1});
  const auto blob = content::writePlanetBlob({&p});
  for (size_t cut = 0; cut < blob.size(); ++cut) {
    PlanetList planets;
    std::vector<uint8_t> shortBlob(blob.begin(), blob.begin() + static_cast<long>(cut));
    EXPECT_FALSE(content::readPlanetBlob(shortBlob, 1, planets)) << "cut at " << cut;
  }
  // A list count far larger than the blob is refused before anything is allocated for it.
  std::vector<uint8_t> huge = blob;
  for (size_t i = 0; i < 4; ++i) huge[40 + 20 + i] = i == 3 ? 0x7F : 0xFF;
  PlanetList none;
  EXPECT_FALSE(content::readPlanetBlob(huge, 1, none));
}

}  // namespace
