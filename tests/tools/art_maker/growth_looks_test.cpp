// What the generators grow is drawn as what it is: a tree's cells carry its root, trunk, canopy and
// fruit; every block a planet places has the look of the part it plays; a generated block the maker
// cannot name stops the run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "content/art/block_atlas_layout.h"
#include "content/tables/fruit_table.h"
#include "content/tables/process_spec.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/block_looks.h"
#include "tools/art_maker/generated_blocks.h"
#include "tools/art_maker/growth_painter.h"

namespace artmaker {
namespace {

namespace fs = std::filesystem;

std::map<uint16_t, BlockLook> looksById(const SourceFolders& folders) {
  ArtSources sources(folders);
  std::vector<BlockLook> looks;
  std::string error;
  EXPECT_TRUE(readBlockLooks(sources, looks, error)) << error;
  std::map<uint16_t, BlockLook> byId;
  for (const BlockLook& look : looks) byId[look.id] = look;
  return byId;
}

Canvas frameOf(uint16_t id) {
  const Canvas* atlas = arttest::madePicture("rocks.png");
  EXPECT_NE(atlas, nullptr);
  const engine::Rect r = art::blockSpriteRect(id, 0);
  return atlas ? atlas->crop({int(r.origin.x), int(r.origin.y), art::kFrameSize, art::kFrameSize}) : Canvas();
}

int opaquePixels(const Canvas& f, PixelRect r) {
  int count = 0;
  for (int y = r.y; y < r.bottom(); ++y) {
    for (int x = r.x; x < r.right(); ++x) count += alpha(f.at(x, y)) == 255 ? 1 : 0;
  }
  return count;
}

bool holdsColour(const Canvas& f, Colour c) {
  for (int y = 0; y < f.height(); ++y) {
    for (int x = 0; x < f.width(); ++x) {
      if (f.at(x, y) == c) return true;
    }
  }
  return false;
}

// Terra's pine-cone tree (growth row 2): root, lower trunk, trunk and leaves, the trunk and the
// leaves bearing cones.
TEST(TreeLooks, ATreesCellsCarryTrunkCanopyAndFruit) {
  const std::map<uint16_t, BlockLook> looks = looksById(arttest::repositorySources());
  const ProcessSpec& tree = buildProcessSpecs()[2];
  const BlockShape parts[4] = {BlockShape::Root, BlockShape::LowerTrunk, BlockShape::Trunk, BlockShape::Canopy};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(looks.at(tree.blocks[i]).shape, parts[i]) << "block " << tree.blocks[i];

  const Canvas trunk = frameOf(tree.blocks[2]);
  const Canvas canopy = frameOf(tree.blocks[3]);
  // The trunk runs through its cell from top to bottom in the middle; the canopy fills most of its cell.
  EXPECT_EQ(opaquePixels(trunk, {13, 0, 4, 30}), 4 * 30);
  EXPECT_GT(opaquePixels(canopy, {0, 0, 30, 30}), 30 * 30 * 3 / 4);
  // Bark is brown (more red than blue), the canopy green for the most part.
  const Colour bark = trunk.at(15, 28);
  EXPECT_GT(red(bark), blue(bark));
  int green = 0;
  for (Colour c : canopy.pixels()) green += alpha(c) == 255 && artmaker::green(c) > red(c) && artmaker::green(c) > blue(c);
  EXPECT_GT(green, opaquePixels(canopy, {0, 0, 30, 30}) / 2);
  // Both the trunk and the canopy bear the tree's fruit, drawn in the fruit's colour.
  for (uint16_t id : {tree.blocks[2], tree.blocks[3]}) {
    ASSERT_NE(fruitRowForBlock(id), nullptr);
    const BlockLook& look = looks.at(id);
    ASSERT_NE(look.fruit, kClear) << "block " << id;
    EXPECT_TRUE(holdsColour(frameOf(id), makeRamp(look.fruit, 0.9f)[2])) << "block " << id;
  }
}

TEST(TreeLooks, EachPlanetsTreesGrowInItsForm) {
  const std::map<uint16_t, BlockLook> looks = looksById(arttest::repositorySources());
  // Mykon's tree with a crown wears a cap; Cryo's frostpines are conifers with snow; Seth's palms have fronds.
  EXPECT_EQ(looks.at(buildProcessSpecs()[20].blocks[3]).flora, Flora::Fungus);
  const BlockLook& frostpine = looks.at(buildProcessSpecs()[15].blocks[3]);
  EXPECT_EQ(frostpine.flora, Flora::Conifer);
  EXPECT_TRUE(frostpine.snow);
  EXPECT_EQ(looks.at(buildProcessSpecs()[3].blocks[3]).flora, Flora::Palm);
  // A tree that lays no leaves (Mykon's stalk) is crowned by its trunk rows.
  const ProcessSpec& stalk = buildProcessSpecs()[5];
  ASSERT_EQ(stalk.blocks[3], 0);
  EXPECT_EQ(looks.at(stalk.blocks[2]).shape, BlockShape::Canopy);
  EXPECT_EQ(looks.at(stalk.blocks[2]).flora, Flora::Fungus);
}

TEST(GeneratedLooks, EveryBlockThePlanetsPlaceIsDrawnAsThePartItPlays) {
  ArtSources sources(arttest::repositorySources());
  GeneratedBlocks generated;
  std::string error;
  ASSERT_TRUE(readGeneratedBlocks(sources, generated, error)) << error;
  const std::map<uint16_t, BlockLook> looks = looksById(arttest::repositorySources());
  const std::map<GrowthRole, BlockShape> shapes = {
      {GrowthRole::Root, BlockShape::Root},       {GrowthRole::LowerTrunk, BlockShape::LowerTrunk},
      {GrowthRole::Trunk, BlockShape::Trunk},     {GrowthRole::Canopy, BlockShape::Canopy},
      {GrowthRole::Bush, BlockShape::Bush},       {GrowthRole::Tuft, BlockShape::Tuft},
      {GrowthRole::CaveGrowth, BlockShape::CaveGrowth}, {GrowthRole::CaveObject, BlockShape::CaveObject},
      {GrowthRole::Waystone, BlockShape::Waystone},     {GrowthRole::Overlay, BlockShape::Overlay}};
  std::map<GrowthRole, int> seen;
  for (const auto& [id, block] : generated) {
    ASSERT_TRUE(looks.count(id)) << "block " << id << " placed on " << block.planet << " has no row";
    const BlockLook& look = looks.at(id);
    EXPECT_FALSE(look.name.empty()) << "block " << id;
    ++seen[block.role];
    if (block.role == GrowthRole::Ground) EXPECT_FALSE(isGrowthShape(look.shape)) << "block " << id;
    else EXPECT_EQ(look.shape, shapes.at(block.role)) << "block " << id << " on " << block.planet;
  }
  // Every kind of part occurs in the real planets.
  for (const auto& [role, shape] : shapes) EXPECT_GT(seen[role], 0) << int(role);
  // Mykon's surface growths are fungi.
  EXPECT_EQ(looks.at(4035).flora, Flora::Fungus);
}

// A surface growth is a decoration of the top ground block itself: its picture lies in the tile's
// top rows, growing from the block's upper edge, and leaves the rest of the block bare (flowers
// drawn in its lower half looked planted inside the floor).
TEST(GeneratedLooks, ASurfaceGrowthIsDrawnOnTheTopOfItsBlock) {
  ArtSources sources(arttest::repositorySources());
  GeneratedBlocks generated;
  std::string error;
  ASSERT_TRUE(readGeneratedBlocks(sources, generated, error)) << error;
  int tufts = 0;
  for (const auto& [id, block] : generated) {
    if (block.role != GrowthRole::Tuft) continue;
    const Canvas frame = frameOf(id);
    ASSERT_EQ(frame.width(), art::kFrameSize);
    const int top = art::kFrameSize / 3;
    EXPECT_GT(opaquePixels(frame, {0, 0, art::kFrameSize, top}), 0) << "block " << id << " on " << block.planet;
    int below = 0;
    for (int y = top; y < art::kFrameSize; ++y) {
      for (int x = 0; x < art::kFrameSize; ++x) below += alpha(frame.at(x, y)) != 0;
    }
    EXPECT_EQ(below, 0) << "block " << id << " on " << block.planet << " is drawn inside its block";
    ++tufts;
  }
  EXPECT_GT(tufts, 10);
  // The grass and flowers that the game later grows on lit soil (a dug shaft's floor too) are the
  // same surface growths, drawn the same way.
  for (uint16_t cover : {1221, 483, 485, 2531, 2564, 2037, 3781, 454, 1943, 4003, 1987, 2907, 4035, 4036}) {
    ASSERT_TRUE(generated.count(cover)) << "block " << cover;
    EXPECT_EQ(generated.at(cover).role, GrowthRole::Tuft) << "block " << cover;
  }
}

TEST(GeneratedLooks, AGeneratedBlockTheMakerCannotNameStopsTheLooks) {
  const fs::path art = fs::path(RUBBLE_SOURCE_DIR) / "assets" / "art";
  testsupport::TempDir dir;
  for (const auto& entry : fs::directory_iterator(art)) fs::copy_file(entry.path(), dir.path() / entry.path().filename());
  std::stringstream text;
  text << std::ifstream(art / "blocks.json").rdbuf();
  std::string blocks = text.str();
  const std::string named = R"(, "name": "Cave Moss")";
  ASSERT_NE(blocks.find(named), std::string::npos);
  blocks.erase(blocks.find(named), named.size());
  dir.write("blocks.json", blocks);

  SourceFolders folders = arttest::repositorySources();
  folders.art = dir.path().string();
  ArtSources sources(folders);
  std::vector<BlockLook> looks;
  std::string error;
  EXPECT_FALSE(readBlockLooks(sources, looks, error));
  EXPECT_NE(error.find("block 1700"), std::string::npos) << error;
}

}  // namespace
}  // namespace artmaker
