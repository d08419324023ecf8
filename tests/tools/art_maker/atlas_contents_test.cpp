// What the made atlases hold, checked against the layouts the game reads: every block, liquid
// frame, particle, tile effect and sky layer is inside its picture and drawn; no two blocks look
// the same.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>

#include "content/art/block_atlas_layout.h"
#include "content/art/debris_rect_lists.h"
#include "content/art/sky_layout.h"
#include "content/art/tile_effects_layout.h"
#include "content/items/block_rules.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/art_maker/block_looks.h"

namespace artmaker {
namespace {

using arttest::madeArt;
using arttest::madePicture;

PixelRect toPixels(const engine::Rect& r) {
  return {int(r.origin.x), int(r.origin.y), int(r.size.width), int(r.size.height)};
}

// Inside the picture and with at least one pixel that is not clear.
::testing::AssertionResult drawnInside(const Canvas* picture, PixelRect r) {
  if (picture == nullptr) return ::testing::AssertionFailure() << "no picture";
  if (r.x < 0 || r.y < 0 || r.w <= 0 || r.h <= 0 || r.right() > picture->width() || r.bottom() > picture->height()) {
    return ::testing::AssertionFailure() << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ") lies outside";
  }
  if (!picture->anyOpaque(r)) {
    return ::testing::AssertionFailure() << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ") is blank";
  }
  return ::testing::AssertionSuccess();
}

std::vector<BlockLook> blockLooks() {
  ArtSources sources(arttest::repositorySources());
  std::vector<BlockLook> looks;
  std::string error;
  EXPECT_TRUE(readBlockLooks(sources, looks, error)) << error;
  return looks;
}

TEST(ArtSet, EveryAtlasIsMadeAndShownOnTheSheet) {
  for (const AtlasMaker& atlas : registeredAtlases()) {
    const AtlasOutput& output = madeArt().at(atlas.name);
    EXPECT_TRUE(output.errors().empty()) << atlas.name << ": " << output.errors().front();
    EXPECT_FALSE(output.pictures().empty()) << atlas.name;
    EXPECT_FALSE(output.sheetSections().empty()) << atlas.name;
  }
}

TEST(BlockAtlas, EveryBlockAndVariantIsDrawnInsideTheAtlas) {
  const Canvas* rocks = madePicture("rocks.png");
  ASSERT_NE(rocks, nullptr);
  EXPECT_EQ(rocks->width(), art::kBlockAtlasSize);
  EXPECT_EQ(rocks->height(), art::kBlockAtlasSize);
  const std::vector<BlockLook> looks = blockLooks();
  ASSERT_GT(looks.size(), 1000u);
  for (const BlockLook& look : looks) {
    if (look.id == 0) continue;  // air
    for (int v = 0; v < look.variants; ++v) {
      EXPECT_TRUE(drawnInside(rocks, toPixels(art::blockSpriteRect(look.id, uint8_t(v))))) << "block " << look.id << " variant " << v;
    }
  }
}

TEST(BlockAtlas, NoTwoBlocksShareAFrame) {
  const Canvas* rocks = madePicture("rocks.png");
  ASSERT_NE(rocks, nullptr);
  std::map<std::vector<Colour>, uint16_t> seen;
  for (const BlockLook& look : blockLooks()) {
    if (look.id == 0) continue;
    const Canvas frame = rocks->crop(toPixels(art::blockSpriteRect(look.id, 0)));
    const auto [where, added] = seen.emplace(frame.pixels(), look.id);
    EXPECT_TRUE(added) << "blocks " << where->second << " and " << look.id << " look the same";
  }
}

// The mean colour of a frame, per channel.
std::array<double, 3> meanColour(const Canvas& frame) {
  std::array<double, 3> sum{};
  double weight = 0;
  for (Colour c : frame.pixels()) {
    sum[0] += red(c) * alpha(c), sum[1] += green(c) * alpha(c), sum[2] += blue(c) * alpha(c);
    weight += alpha(c);
  }
  for (double& channel : sum) channel /= weight > 0 ? weight : 1;
  return sum;
}

TEST(BlockAtlas, VariantsDifferInDetailNotInColour) {
  const Canvas* rocks = madePicture("rocks.png");
  int compared = 0;
  for (const BlockLook& look : blockLooks()) {
    if (look.id == 0 || look.variants < 2 || look.shape != BlockShape::Solid || look.id == art::kWireBlock ||
        look.id == art::kWireBlock2 || look.id == art::kDisplayBlock || look.id == art::kShadowEdgeOpenBlock ||
        look.id == art::kShadowEdgeBackBlock) {
      continue;
    }
    const Canvas first = rocks->crop(toPixels(art::blockSpriteRect(look.id, 0)));
    const std::array<double, 3> firstMean = meanColour(first);
    for (int v = 1; v < look.variants; ++v) {
      const Canvas other = rocks->crop(toPixels(art::blockSpriteRect(look.id, uint8_t(v))));
      EXPECT_NE(first.pixels(), other.pixels()) << "block " << look.id << " variant " << v << " repeats variant 0";
      const std::array<double, 3> mean = meanColour(other);
      for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(mean[size_t(c)], firstMean[size_t(c)], 14.0) << "block " << look.id << " variant " << v << " channel " << c;
      }
      ++compared;
    }
  }
  EXPECT_GT(compared, 100);
}

// A door a right click opens must look open: its doorway clear where the shut panel stood.
TEST(BlockAtlas, AnOpenDoorShowsItsDoorwayClear) {
  constexpr uint16_t kIronDoor = 288;
  const Canvas* rocks = madePicture("rocks.png");
  ASSERT_NE(rocks, nullptr);
  const Canvas shut = rocks->crop(toPixels(art::blockSpriteRect(kIronDoor, 0)));
  const Canvas open = rocks->crop(toPixels(art::blockSpriteRect(kIronDoor, 1)));
  const PixelRect doorway{shut.width() / 2 - 2, 4, 4, shut.height() - 8};
  EXPECT_TRUE(shut.anyOpaque(doorway)) << "the shut door fills its doorway";
  EXPECT_FALSE(open.anyOpaque(doorway)) << "the open door still fills its doorway";
  EXPECT_TRUE(open.anyOpaque({0, 0, open.width(), open.height()})) << "the open door is drawn";
}

TEST(BlockAtlas, TheSpecialTilesAreDrawnInEveryVariant) {
  struct Tile { uint16_t id; int variants; };
  const Canvas* rocks = madePicture("rocks.png");
  for (const Tile& tile : {Tile{art::kCaveShadeBlock, 1}, {art::kShadowEdgeOpenBlock, 4}, {art::kShadowEdgeBackBlock, 4},
                           {art::kTileOverlayBlock, 1}, {art::kWireBlock, 16}, {art::kWireBlock2, 16},
                           {art::kDisplayBlock, 16}}) {
    for (int v = 0; v < tile.variants; ++v) {
      EXPECT_TRUE(drawnInside(rocks, toPixels(art::blockSpriteRect(tile.id, uint8_t(v))))) << tile.id << " variant " << v;
    }
  }
  // A shadow edge darkens its own side only: variant 0 (up) is dark at the top, clear at the bottom.
  const PixelRect up = toPixels(art::blockSpriteRect(art::kShadowEdgeOpenBlock, 0));
  EXPECT_GT(alpha(rocks->at(up.x + 15, up.y)), 100);
  EXPECT_EQ(alpha(rocks->at(up.x + 15, up.y + 29)), 0);
}

TEST(LiquidAtlas, EveryPairOfAmountsAndTheMovingFrameAreDrawn) {
  const Canvas* fluids = madePicture("fluids.png");
  for (auto kind : {art::LiquidKind::Water, art::LiquidKind::Lava, art::LiquidKind::Acid}) {
    for (int a = 0; a <= art::kLiquidMaxAmount; ++a) {
      for (int b = 0; b <= art::kLiquidMaxAmount; ++b) {
        if (a == 0 && b == 0) continue;
        EXPECT_TRUE(drawnInside(fluids, toPixels(art::liquidSpriteRect(kind, uint8_t(a), uint8_t(b), false)))) << a << "," << b;
      }
    }
    EXPECT_TRUE(drawnInside(fluids, toPixels(art::liquidSpriteRect(kind, 1, 1, true))));
  }
}

TEST(ParticleAtlas, EveryListRectangleAndFireworkSparkIsDrawn) {
  const Canvas* debris = madePicture("debris.png");
  ASSERT_NE(debris, nullptr);
  EXPECT_GE(debris->width(), kDebrisAtlasWidth);
  EXPECT_GE(debris->height(), kDebrisAtlasHeight);
  for (uint16_t list = 0; list < kDebrisRectListCount; ++list) {
    const DebrisRectList& rects = debrisRectList(list);
    for (int i = 0; i < rects.count; ++i) {
      const DebrisRect& r = rects.rects[size_t(i)];
      EXPECT_TRUE(drawnInside(debris, {r.x, r.y, r.width, r.height})) << "list " << list << " rectangle " << i;
    }
  }
  for (int colour = 1; colour <= kFireworkColourCount; ++colour) {
    for (bool small : {false, true}) {
      const DebrisRect r = fireworkSparkRect(uint8_t(colour), small);
      EXPECT_TRUE(drawnInside(debris, {r.x, r.y, r.width, r.height})) << "firework colour " << colour;
    }
  }
}

// The colour most of the spark's drawn pixels have (its arms).
uint32_t sparkColour(const Canvas& debris, uint8_t colour) {
  const DebrisRect r = fireworkSparkRect(colour, false);
  const Canvas spark = debris.crop({r.x, r.y, r.width, r.height});
  std::map<Colour, int> counts;
  for (Colour c : spark.pixels()) {
    if (alpha(c) != 0) ++counts[c];
  }
  const auto most = std::max_element(counts.begin(), counts.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; });
  if (most == counts.end()) return 0;
  return uint32_t(red(most->first) << 16 | green(most->first) << 8 | blue(most->first));
}

// A firework filled with a paint bursts in that paint: the paint table's row k gives colour k + 1,
// whose spark is, of all the paints, nearest that paint.
TEST(ParticleAtlas, EachPaintsFireworkSparkShowsThatPaint) {
  const Canvas* debris = madePicture("debris.png");
  ASSERT_NE(debris, nullptr);
  const std::vector<ColoredBlock>& paints = coloredBlocks();
  ASSERT_LE(paints.size(), size_t(kFireworkColourCount));
  const auto distance = [](uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift : {16, 8, 0}) {
      const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
      sum += d * d;
    }
    return sum;
  };
  for (size_t row = 0; row < paints.size(); ++row) {
    const uint32_t shown = sparkColour(*debris, uint8_t(row + 1));
    size_t nearest = 0;
    for (size_t other = 1; other < paints.size(); ++other) {
      if (distance(shown, paints[other].rgb) < distance(shown, paints[nearest].rgb)) nearest = other;
    }
    EXPECT_EQ(nearest, row) << "the spark of paint row " << row << " looks like paint row " << nearest;
  }
}

TEST(TileEffectsAtlas, EveryFrameOfEveryEffectIsDrawn) {
  const Canvas* effects = madePicture("tile-effects.png");
  for (auto effect : {art::TileEffect::Crack, art::TileEffect::Highlight, art::TileEffect::Marker, art::TileEffect::Glint}) {
    for (int frame = 0; frame < art::tileEffectFrames(effect); ++frame) {
      EXPECT_TRUE(drawnInside(effects, toPixels(art::tileEffectRect(effect, frame)))) << int(effect) << " frame " << frame;
    }
  }
  // Later crack stages cover more of the tile than earlier ones.
  auto covered = [effects](int stage) {
    const Canvas frame = effects->crop(toPixels(art::tileEffectRect(art::TileEffect::Crack, stage)));
    return std::count_if(frame.pixels().begin(), frame.pixels().end(), [](Colour c) { return alpha(c) > 0; });
  };
  EXPECT_LT(covered(0), covered(art::kCrackStages - 1));
}

TEST(SkyPictures, EveryPlanetHasFourPhasesWithEveryLayerDrawn) {
  ArtSources sources(arttest::repositorySources());
  const rapidjson::Document* planets = sources.content("planets");
  ASSERT_TRUE(planets && planets->IsArray());
  ASSERT_GT(planets->Size(), 0u);
  for (const rapidjson::Value& planet : planets->GetArray()) {
    const std::string sky = art::skyNameOfPlanet(planet["name"].GetString());
    for (std::string_view phase : art::kSkyPhaseNames) {
      const Canvas* full = madePicture("sky/" + art::skyPictureName(sky, phase, false));
      const Canvas* low = madePicture("sky/" + art::skyPictureName(sky, phase, true));
      ASSERT_NE(full, nullptr) << sky << " " << phase;
      ASSERT_NE(low, nullptr) << sky << " " << phase;
      for (int layer = 0; layer < art::kSkyLayerCount; ++layer) {
        EXPECT_TRUE(drawnInside(full, toPixels(art::skyLayerRect(art::SkyLayer(layer))))) << sky << " " << phase << " layer " << layer;
      }
      EXPECT_TRUE(drawnInside(low, toPixels(art::skyLayerRect(art::SkyLayer::Backdrop))));
    }
    // Each phase has its own colours.
    const Canvas* day = madePicture("sky/" + art::skyPictureName(sky, "day", false));
    const Canvas* night = madePicture("sky/" + art::skyPictureName(sky, "night", false));
    EXPECT_NE(day->at(10, 10), night->at(10, 10)) << sky;
  }
}

// The backdrop's sun and moon columns are kept beside the strips without them: the copies that
// carry the backdrop past a wide window take those, so the window shows one sun. The two agree but
// for a small patch around the sun or the moons, which the kept columns lack.
TEST(SkyPictures, TheSunAndMoonColumnsAreKeptOnceMoreWithoutThem) {
  for (const char* sky : {"terra", "thetis", "seth"}) {
    for (std::string_view phase : {std::string_view("day"), std::string_view("night")}) {
      for (bool low : {false, true}) {
        const Canvas* picture = madePicture("sky/" + art::skyPictureName(sky, phase, low));
        ASSERT_NE(picture, nullptr) << sky << " " << phase;
        const PixelRect band = toPixels(art::skyLightlessRect());
        const PixelRect backdrop = toPixels(art::skyLayerRect(art::SkyLayer::Backdrop));
        int differing = 0;
        for (int y = 0; y < band.h; ++y) {
          for (int x = 0; x < band.w; ++x) {
            if (picture->at(band.x + x, band.y + y) != picture->at(art::kSkyLightsLeft + x, backdrop.y + y)) ++differing;
          }
        }
        EXPECT_GT(differing, 20) << sky << " " << phase << ": the sun or a moon stands in those columns";
        EXPECT_LT(differing, 60 * 60) << sky << " " << phase << ": and nothing else differs";
      }
    }
  }
}

// The mean colour of a band of rows across the backdrop.
std::array<double, 3> bandColour(const Canvas& sky, int top, int bottom) {
  const PixelRect backdrop = toPixels(art::skyLayerRect(art::SkyLayer::Backdrop));
  return meanColour(sky.crop({backdrop.x, top, backdrop.w, bottom - top}));
}

// No two planets share a day sky: the tops and the horizons of any two stand well apart, so a
// planet is known by its sky at a glance.
TEST(SkyPictures, EveryPlanetsDaySkyIsItsOwn) {
  ArtSources sources(arttest::repositorySources());
  const rapidjson::Document* planets = sources.content("planets");
  ASSERT_TRUE(planets && planets->IsArray());
  std::vector<std::pair<std::string, std::array<double, 6>>> skies;
  for (const rapidjson::Value& planet : planets->GetArray()) {
    const std::string sky = art::skyNameOfPlanet(planet["name"].GetString());
    const Canvas* day = madePicture("sky/" + art::skyPictureName(sky, "day", false));
    ASSERT_NE(day, nullptr) << sky;
    const auto top = bandColour(*day, 0, 40), horizon = bandColour(*day, 180, 224);
    skies.push_back({sky, {top[0], top[1], top[2], horizon[0], horizon[1], horizon[2]}});
  }
  for (size_t a = 0; a < skies.size(); ++a) {
    for (size_t b = a + 1; b < skies.size(); ++b) {
      double sum = 0;
      for (size_t i = 0; i < 6; ++i) sum += (skies[a].second[i] - skies[b].second[i]) * (skies[a].second[i] - skies[b].second[i]);
      EXPECT_GT(std::sqrt(sum), 55.0) << skies[a].first << " and " << skies[b].first << " have near-twin skies";
    }
  }
}

TEST(SkyLayout, NamesFollowThePlanetAndPhase) {
  EXPECT_EQ(art::skyNameOfPlanet("Terra"), "terra");
  EXPECT_EQ(art::skyPictureName("terra", "dusk", false), "sky-terra-dusk-ipad.png");
  EXPECT_EQ(art::skyPictureName("nadir", "dawn", true), "sky-nadir-dawn-ipad-low.png");
}

// Each planet's caves have walls of their own, and a deep cave's differ from a shallow one's.
TEST(BlockAtlas, CaveWallsDifferByPlanetAndDepth) {
  const Canvas* rocks = madePicture("rocks.png");
  ASSERT_NE(rocks, nullptr);
  std::map<std::vector<Colour>, std::pair<int, int>> seen;
  for (int planet = 0; planet < art::kCaveWallPlanets; ++planet) {
    for (int band = 0; band < art::kCaveWallBands; ++band) {
      const PixelRect r = toPixels(art::caveWallSpriteRect(1u << planet, band));
      ASSERT_TRUE(drawnInside(rocks, r)) << "planet " << planet << " band " << band;
      const Canvas wall = rocks->crop(r);
      for (Colour c : wall.pixels()) ASSERT_EQ(alpha(c), 255) << "a wall is whole";
      const auto [where, added] = seen.emplace(wall.pixels(), std::pair{planet, band});
      EXPECT_TRUE(added) << "planet " << planet << " band " << band << " looks like planet " << where->second.first
                         << " band " << where->second.second;
    }
  }
}

}  // namespace
}  // namespace artmaker
