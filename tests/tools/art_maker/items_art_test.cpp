// How things are drawn: item names and kinds choose shapes and materials, regions are lit from the
// top left with a selective outline, and a damaged recipe for items, mobs or achievements stops
// the maker with a message instead of drawing half an atlas.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/temp_dir.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/art_maker/item_looks.h"
#include "tools/art_maker/item_shapes.h"
#include "tools/art_maker/region_grid.h"

namespace artmaker {
namespace {

namespace fs = std::filesystem;

ItemLooks repositoryLooks() {
  ArtSources sources(arttest::repositorySources());
  std::string error;
  std::optional<ItemLooks> looks = ItemLooks::load(sources, error);
  EXPECT_TRUE(looks.has_value()) << error;
  return looks ? std::move(*looks) : ItemLooks();
}

TEST(ItemLooks, NamesAndKindsChooseShapeAndMaterial) {
  const ItemLooks looks = repositoryLooks();
  struct Case { const char* name; uint8_t kind; const char* shape; Family family; };
  const Case cases[] = {
      {"Copper Pickaxe", 1, "pickaxe", Family::Metal},  {"Wooden Sword", 5, "sword", Family::Wood},
      {"Pocket Boar", 7, "creature", Family::Flesh},    {"Potion Tonic", 2, "potion", Family::Glass},
      {"Sandstone Bricks", 4, "block", Family::Sand},   {"Ruby Ore Block", 4, "block", Family::Crystal},
      {"Iron Helmet", 11, "helmet", Family::Metal},     {"Zzyzx", 5, "sword", Family::Metal},
      {"Workbench", 4, "workbench", Family::Wood},          {"Oak Acorn", 3, "acorn", Family::Wood},
  };
  for (const Case& c : cases) {
    const ItemLook look = looks.lookOf({100, c.kind, 0, c.name});
    EXPECT_EQ(look.shape, c.shape) << c.name;
    EXPECT_EQ(look.family, c.family) << c.name;
  }
  EXPECT_TRUE(looks.lookOf({100, 4, 0, "Ruby Ore Block"}).oreBlock);
  // Tiers of one tool differ in colour; a deeper rock is darker than its plain kind.
  EXPECT_NE(looks.lookOf({1, 1, 0, "Iron Axe"}).main.base(), looks.lookOf({1, 1, 0, "Cobalt Axe"}).main.base());
  auto value = [](Colour c) { return red(c) + green(c) + blue(c); };
  EXPECT_LT(value(looks.lookOf({1, 4, 0, "Deep Stone"}).main.base()), value(looks.lookOf({1, 4, 0, "Stone"}).main.base()));
}

TEST(ItemLooks, EveryShapeDrawsSomethingAtBothSizes) {
  for (const std::string& shape : itemShapeNames()) {
    for (int size : {14, 16, 32}) {
      RegionGrid grid(size);
      ASSERT_TRUE(drawItemShape(shape, grid));
      EXPECT_FALSE(grid.empty()) << shape << " at " << size;
    }
  }
  RegionGrid grid(16);
  EXPECT_FALSE(drawItemShape("teapot", grid));
}

TEST(RegionGrid, RegionsAreLitFromTheTopLeftAndOutlined) {
  RegionGrid grid(8, 8);
  grid.rect(2, 2, 4, 4, 'M');
  const Ramp ramp = makeRamp(rgba(120, 90, 60));
  const Canvas c = renderRegions(grid, [&ramp](char r) { return r == 'M' ? &ramp : nullptr; });
  EXPECT_EQ(c.at(2, 3), ramp[3]) << "left edge lit";
  EXPECT_EQ(c.at(3, 2), ramp[3]) << "top edge lit";
  EXPECT_EQ(c.at(5, 3), ramp[1]) << "right edge in shadow";
  EXPECT_EQ(c.at(3, 5), ramp[1]) << "bottom edge in shadow";
  EXPECT_EQ(c.at(3, 3), ramp[2]) << "inside at the base shade";
  EXPECT_EQ(c.at(2, 2), ramp[3]) << "the top-left corner is lit";
  EXPECT_EQ(c.at(5, 2), ramp[2]) << "a corner both lit and shaded keeps the base";
  EXPECT_NE(alpha(c.at(1, 3)), 0) << "outline on the left";
  EXPECT_NE(alpha(c.at(6, 3)), 0) << "outline on the right";
  EXPECT_NE(c.at(1, 3), c.at(6, 3)) << "the outline is darker on the shadow side";
  EXPECT_EQ(alpha(c.at(0, 0)), 0);
  EXPECT_EQ(alpha(c.at(1, 1)), 0) << "no outline at a diagonal";
}

// A copy of the recipes with one file replaced (or removed when the text is "<missing>").
class DamagedArt {
 public:
  DamagedArt(const std::string& file, const std::string& text) {
    for (const auto& entry : fs::directory_iterator(fs::path(RUBBLE_SOURCE_DIR) / "assets" / "art")) {
      fs::copy_file(entry.path(), dir.path() / entry.path().filename());
    }
    if (text == "<missing>") fs::remove(dir.path() / file);
    else dir.write(file, text);
  }
  testsupport::TempDir dir;
};

TEST(ThingsRecipes, ADamagedRecipeIsReportedAndNothingHalfDrawnIsKept) {
  struct Case { const char* what; const char* file; const char* atlas; std::string text; };
  const std::string items = R"({"shapes": {}, "kindShapes": {}, "materials": {}, "shapeMaterials": {}, "tints": {}, "shades": {}})";
  const Case cases[] = {
      {"items missing", "items.json", "treasures", "<missing>"},
      {"items truncated", "items.json", "treasures", items.substr(0, 30)},
      {"items not an object", "items.json", "tools", "[]"},
      {"a table missing", "items.json", "equip", R"({"shapes": {}})"},
      {"unknown shape", "items.json", "treasures", R"({"shapes": {"Pot": "teapot"}, "kindShapes": {}, "materials": {}, "shapeMaterials": {}, "tints": {}, "shades": {}})"},
      {"unknown kind shape", "items.json", "tools", R"({"shapes": {}, "kindShapes": {"1": "teapot"}, "materials": {}, "shapeMaterials": {}, "tints": {}, "shades": {}})"},
      {"unknown family", "items.json", "treasures", R"({"shapes": {}, "kindShapes": {}, "materials": {"Tin": ["plastic"]}, "shapeMaterials": {}, "tints": {}, "shades": {}})"},
      {"bad colour", "items.json", "treasures", R"({"shapes": {}, "kindShapes": {}, "materials": {"Tin": ["metal", "12"]}, "shapeMaterials": {}, "tints": {}, "shades": {}})"},
      {"bad tint", "items.json", "treasures", R"({"shapes": {}, "kindShapes": {}, "materials": {}, "shapeMaterials": {}, "tints": {"Red": 5}, "shades": {}})"},
      {"mobs missing", "mobs.json", "mobs", "<missing>"},
      {"mobs without marks", "mobs.json", "mobs", R"({"colours": {}})"},
      {"achievements short", "achievements.json", "achievements", R"({"icons": [["fruit", "d83030", 1]]})"},
      {"achievements not JSON", "achievements.json", "achievements", R"({"icons": )"},
  };
  for (const Case& k : cases) {
    DamagedArt art(k.file, k.text);
    SourceFolders folders = arttest::repositorySources();
    folders.art = art.dir.path().string();
    ArtSources sources(folders);
    AtlasOutput out;
    for (const AtlasMaker& atlas : registeredAtlases()) {
      if (std::string(atlas.name) == k.atlas) atlas.make(sources, out);
    }
    EXPECT_FALSE(out.errors().empty()) << k.what;
    if (std::string(k.atlas) != "achievements") {
      EXPECT_TRUE(out.pictures().empty()) << k.what;
    }
  }
}

TEST(ThingsRecipes, AnAchievementWithAnUnknownEmblemIsNamed) {
  std::string icons = R"({"icons": [)";
  for (int i = 0; i < 109; ++i) icons += std::string(i ? "," : "") + (i == 7 ? R"(["teapot", "d83030", 1])" : R"(["fruit", "d83030", 1])");
  icons += "]}";
  DamagedArt art("achievements.json", icons);
  SourceFolders folders = arttest::repositorySources();
  folders.art = art.dir.path().string();
  ArtSources sources(folders);
  AtlasOutput out;
  for (const AtlasMaker& atlas : registeredAtlases()) {
    if (std::string(atlas.name) == "achievements") atlas.make(sources, out);
  }
  ASSERT_EQ(out.errors().size(), 1u);
  EXPECT_NE(out.errors().front().find("achievement 7"), std::string::npos) << out.errors().front();
  EXPECT_EQ(out.picture("achievements/7.png"), nullptr);
}

}  // namespace
}  // namespace artmaker
