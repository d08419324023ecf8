// Running the maker: the same sources give the same bytes, a damaged recipe stops the run with a
// message and writes nothing, and the command line is read strictly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/temp_dir.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/art_maker/art_run.h"
#include "tools/art_maker/contact_sheet.h"
#include "tools/art_maker/block_looks.h"
#include "tools/png_writer/png_writer.h"

namespace artmaker {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every file below the folder by its path relative to the folder.
std::map<std::string, std::string> filesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = readFile(entry.path());
  }
  return files;
}

int run(const ArtRunOptions& options) {
  std::FILE* sink = std::tmpfile();
  const int code = runArtMaker(options, sink, sink);
  std::fclose(sink);
  return code;
}

TEST(ArtRun, TheSameSourcesGiveTheSameBytes) {
  testsupport::TempDir first, second;
  ArtRunOptions options;
  options.sources = arttest::repositorySources();
  options.outputFolder = first.path().string();
  ASSERT_EQ(run(options), 0);
  options.outputFolder = second.path().string();
  ASSERT_EQ(run(options), 0);
  const auto a = filesBelow(first.path()), b = filesBelow(second.path());
  EXPECT_TRUE(a.count("rocks.png") && a.count("fluids.png") && a.count("debris.png") && a.count("tile-effects.png"));
  EXPECT_TRUE(a.count("sky/sky-terra-day-ipad.png"));
  EXPECT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    EXPECT_TRUE(b.count(name) && b.at(name) == bytes) << name << " differs between two runs";
    // What was written is what the picture encodes to.
    if (const Canvas* made = arttest::madePicture(name)) {
      EXPECT_EQ(bytes.size(), toolpng::encodePng(made->width(), made->height(), made->pixels()).size()) << name;
    }
  }
}

// A copy of the repository's recipes with one file replaced.
struct DamagedRecipes {
  testsupport::TempDir dir;
  explicit DamagedRecipes(const std::string& file, const std::string& text) {
    const fs::path art = fs::path(RUBBLE_SOURCE_DIR) / "assets" / "art";
    for (const auto& entry : fs::directory_iterator(art)) fs::copy_file(entry.path(), dir.path() / entry.path().filename());
    if (text == "<missing>") fs::remove(dir.path() / file);
    else dir.write(file, text);
  }
};

TEST(ArtRun, ADamagedRecipeStopsTheRunAndWritesNothing) {
  const std::string blocks = readFile(fs::path(RUBBLE_SOURCE_DIR) / "assets" / "art" / "blocks.json");
  struct Case { const char* what; const char* file; std::string text; };
  const Case cases[] = {
      {"truncated", "blocks.json", blocks.substr(0, blocks.size() / 2)},
      {"empty", "blocks.json", ""},
      {"missing", "blocks.json", "<missing>"},
      {"not an object", "blocks.json", "[1, 2, 3]"},
      {"unknown family", "blocks.json", R"({"familyRules": [{"family": "plastic", "words": ["x"]}], "shapeRules": [], "colours": {}, "materials": {}})"},
      {"unknown shape", "blocks.json", R"({"familyRules": [], "shapeRules": [{"shape": "cube", "words": ["x"]}], "colours": {}, "materials": {}})"},
      {"bad colour", "blocks.json", R"({"familyRules": [], "shapeRules": [], "colours": {"red": "#12"}, "materials": {}})"},
      {"block without family", "blocks.json", R"({"familyRules": [], "shapeRules": [], "colours": {}, "materials": {}, "blocks": {"5": {}}})"},
      {"skies missing", "skies.json", "<missing>"},
      {"skies not JSON", "skies.json", "{\"skies\": "},
  };
  for (const Case& k : cases) {
    DamagedRecipes recipes(k.file, k.text);
    testsupport::TempDir out;
    ArtRunOptions options;
    options.sources = arttest::repositorySources();
    options.sources.art = recipes.dir.path().string();
    options.outputFolder = out.path().string();
    EXPECT_EQ(run(options), 1) << k.what;
    EXPECT_TRUE(fs::is_empty(out.path())) << k.what << ": a failed run wrote pictures";
  }
}

TEST(ArtRun, SkiesOfAPlanetMissingFromTheTableGetColoursOfTheirOwn) {
  DamagedRecipes recipes("skies.json", R"({"skies": {}})");
  testsupport::TempDir out;
  ArtRunOptions options;
  options.sources = arttest::repositorySources();
  options.sources.art = recipes.dir.path().string();
  options.outputFolder = out.path().string();
  options.only = {"skies"};
  ASSERT_EQ(run(options), 0);
  EXPECT_TRUE(fs::exists(out.path() / "sky" / "sky-umbra-night-ipad-low.png"));
  EXPECT_FALSE(fs::exists(out.path() / "rocks.png"));  // only what was asked for
}

TEST(ArtRun, TheSheetAloneWritesNoAtlasAndStacksEverySection) {
  testsupport::TempDir dir;
  ArtRunOptions options;
  options.sources = arttest::repositorySources();
  options.sheetPath = dir.file("sheet.png");
  options.only = {"fluids", "debris"};
  ASSERT_EQ(run(options), 0);
  EXPECT_EQ(filesBelow(dir.path()).size(), 1u);  // the sheet and nothing else

  Canvas a(10, 4, rgba(255, 0, 0)), b(30, 6, rgba(0, 0, 255));
  const Canvas sheet = composeContactSheet({{"a", a}, {"b", b}});
  EXPECT_GE(sheet.width(), 30);
  EXPECT_GE(sheet.height(), 10);
  auto count = [&sheet](Colour c) { return std::count(sheet.pixels().begin(), sheet.pixels().end(), c); };
  EXPECT_EQ(count(rgba(255, 0, 0)), 40);
  EXPECT_EQ(count(rgba(0, 0, 255)), 180);
  EXPECT_EQ(sheet.at(0, 0), kSheetBackground);
}

TEST(ArtRun, ReadsItsCommandLineStrictly) {
  struct Case { std::vector<const char*> args; bool ok; };
  const Case cases[] = {
      {{"art_maker"}, true},
      {{"art_maker", "--sheet", "/tmp/x.png", "--only", "rocks", "--timings"}, true},
      {{"art_maker", "--sheet"}, false},
      {{"art_maker", "--colour", "red"}, false},
  };
  for (const Case& k : cases) {
    ArtRunOptions options;
    std::string error;
    EXPECT_EQ(parseArtArguments(int(k.args.size()), k.args.data(), options, error), k.ok) << error;
    if (!k.ok) {
      EXPECT_FALSE(error.empty());
    }
  }
  ArtRunOptions options;
  std::string error;
  const char* args[] = {"art_maker", "--only", "rocks", "--only", "skies", "--out", "/o"};
  ASSERT_TRUE(parseArtArguments(7, args, options, error));
  EXPECT_EQ(options.only, (std::vector<std::string>{"rocks", "skies"}));
  EXPECT_EQ(options.outputFolder, "/o");
}

// What one command printed on its two streams, and its exit code.
struct CommandResult {
  int code;
  std::string out, err;
};

CommandResult command(std::vector<const char*> args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  ArtRunOptions options;
  options.sources = arttest::repositorySources();
  const int code = artMakerCommand(int(args.size()), args.data(), options, out, err);
  auto text = [](std::FILE* f) {
    std::string s(size_t(std::ftell(f)), '\0');
    std::rewind(f);
    s.resize(std::fread(s.data(), 1, s.size(), f));
    std::fclose(f);
    return s;
  };
  return {code, text(out), text(err)};
}

TEST(ArtRun, HelpPrintsTheUsageAndSucceedsWhereAMistakeFails) {
  for (const char* flag : {"--help", "-h"}) {
    const CommandResult help = command({"art_maker", flag});
    EXPECT_EQ(help.code, 0) << flag;
    EXPECT_NE(help.out.find("usage: art_maker"), std::string::npos) << flag;
    EXPECT_NE(help.out.find("--only NAME"), std::string::npos) << flag;
    EXPECT_TRUE(help.err.empty()) << help.err;
  }
  const CommandResult wrong = command({"art_maker", "--colour", "red"});
  EXPECT_EQ(wrong.code, 2);
  EXPECT_NE(wrong.err.find("unknown option --colour"), std::string::npos);
  EXPECT_NE(wrong.err.find("usage: art_maker"), std::string::npos);
  EXPECT_TRUE(wrong.out.empty());
}

TEST(BlockLooks, NamesGiveFamiliesShapesAndColours) {
  ArtSources sources(arttest::repositorySources());
  std::vector<BlockLook> looks;
  std::string error;
  ASSERT_TRUE(readBlockLooks(sources, looks, error)) << error;
  std::map<std::string, const BlockLook*> byName;
  for (const BlockLook& look : looks) byName.emplace(look.name, &look);
  struct Case { const char* name; Family family; BlockShape shape; };
  for (const Case& k : {Case{"Stone", Family::Stone, BlockShape::Solid}, {"Desert Sand", Family::Sand, BlockShape::Solid},
                        {"Iron Vein Block", Family::Ore, BlockShape::Solid}, {"Ice Bricks", Family::Brick, BlockShape::Solid},
                        {"Palm Planks", Family::Wood, BlockShape::Solid}, {"Torch", Family::Wood, BlockShape::Light},
                        {"Oak Shelf", Family::Wood, BlockShape::Platform}}) {
    ASSERT_TRUE(byName.count(k.name)) << k.name;
    EXPECT_EQ(byName[k.name]->family, k.family) << k.name;
    EXPECT_EQ(byName[k.name]->shape, k.shape) << k.name;
  }
  // An ore shows its metal: gold clusters are yellow, not grey.
  const Colour gold = byName.count("Gold Vein Block") ? byName["Gold Vein Block"]->accent : kClear;
  EXPECT_GT(red(gold), blue(gold) + 60);
  EXPECT_EQ(parseHexColour("#10A0ff"), rgba(0x10, 0xA0, 0xFF));
  for (const char* bad : {"", "#12345", "123456x", "#12345G"}) EXPECT_EQ(parseHexColour(bad), kClear) << bad;
}

// Terra's grass cover, for one, is open blocks no item names: they are drawn as small plants, and no
// block without a name is drawn as an object such as a chest.
TEST(BlockLooks, ABlockNothingNamesIsAPlantOrAPlainBlockNeverAnObject) {
  ArtSources sources(arttest::repositorySources());
  std::vector<BlockLook> looks;
  std::string error;
  ASSERT_TRUE(readBlockLooks(sources, looks, error)) << error;
  int unnamedOpen = 0;
  for (const BlockLook& look : looks) {
    if (!look.name.empty()) continue;
    EXPECT_NE(look.shape, BlockShape::Furniture) << "block " << look.id;
    unnamedOpen += look.shape == BlockShape::Plant ? 1 : 0;
  }
  EXPECT_GT(unnamedOpen, 0);
}

}  // namespace
}  // namespace artmaker
