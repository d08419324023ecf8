#include <gtest/gtest.h>

#include "tools/sound_maker/effect_families.h"
#include "tools/sound_maker/music_style.h"
#include "tools/sound_maker/recipe.h"

using namespace soundmaker;

namespace {

Recipe one(const std::string& line) {
  std::string error;
  auto recipes = parseRecipes(line, error);
  EXPECT_TRUE(recipes && recipes->size() == 1) << line << ": " << error;
  return recipes && !recipes->empty() ? (*recipes)[0] : Recipe("none", "none");
}

}  // namespace

TEST(Recipes, ReadNameFamilyAndParametersSkippingCommentsAndBlankLines) {
  std::string error;
  const auto recipes = parseRecipes(
      "# blocks\n\nDirt_dig1  dig material=dirt pitch=1.2  # soft\nrain rain drops=40\n", error);
  ASSERT_TRUE(recipes) << error;
  ASSERT_EQ(recipes->size(), 2u);
  const Recipe& dig = (*recipes)[0];
  EXPECT_EQ(dig.name(), "Dirt_dig1");  // case kept: the file name is spelt as the table spells it
  EXPECT_EQ(dig.family(), "dig");
  EXPECT_EQ(dig.line, 3);
  EXPECT_DOUBLE_EQ(dig.number("pitch", 1.0), 1.2);
  EXPECT_EQ(dig.word("material", ""), "dirt");
  EXPECT_DOUBLE_EQ(dig.number("length", 0.7), 0.7);
  EXPECT_TRUE(dig.problems().empty());
}

TEST(Recipes, RefuseDamagedLinesNamingTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"lonely\n", "line 1: lonely has no family"},
      {"ok dig\nx pitch=1\n", "line 2: x has no family"},
      {"x dig pitch\n", "\"pitch\" is not key=value"},
      {"x dig =3\n", "\"=3\" is not key=value"},
      {"x dig pitch=\n", "\"pitch=\" is not key=value"},
  };
  for (const auto& [text, why] : cases) {
    std::string error;
    EXPECT_FALSE(parseRecipes(text, error)) << text;
    EXPECT_NE(error.find(why), std::string::npos) << text << " -> " << error;
  }
}

TEST(Recipes, MistakesInParametersStopTheSound) {
  const std::pair<const char*, const char*> cases[] = {
      {"a dig pich=1.2", "unknown parameter pich"},
      {"a dig pitch=high", "pitch is not a number"},
      {"a dig material=cheese", "unknown material cheese"},
      {"a shoot wave=wobble", "unknown wave wobble"},
      {"a voice vowel=y", "unknown vowel y"},
      {"a voice style=sing", "unknown style sing"},
      {"a voice kind=bored", "unknown kind bored"},
      {"a humming", "unknown family humming"},
  };
  for (const auto& [line, why] : cases) {
    std::string error;
    EXPECT_FALSE(makeEffect(one(line), 44100, error)) << line;
    EXPECT_NE(error.find(why), std::string::npos) << line << " -> " << error;
  }
}

TEST(MusicStyles, ReadModeKeyTempoAndTimbreAndRefuseNonsense) {
  std::string error;
  const auto style = parseStyle(one("cryo style mode=lydian root=60 tempo=72 pad=triangle lead=bell"), error);
  ASSERT_TRUE(style) << error;
  EXPECT_EQ(style->scale, (std::vector<int>{0, 2, 4, 6, 7, 9, 11}));
  EXPECT_EQ(style->root, 60);
  EXPECT_EQ(style->pad, Wave::Triangle);
  for (const char* bad : {"x style mode=klingon", "x style tempo=500", "x style pad=noise",
                          "x style lead=kazoo", "x style root=3"}) {
    EXPECT_FALSE(parseStyle(one(bad), error)) << bad;
  }
  EXPECT_EQ(styleWordOf("ss-xeno-too-deep"), "xeno");
  EXPECT_EQ(styleWordOf("terra-cave-birds-1"), "terra");
  EXPECT_EQ(styleWordOf("alba"), "alba");
}
