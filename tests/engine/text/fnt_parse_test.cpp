// Reading bitmap-font descriptions: every glyph id form, kerning, the page image's path, and
// damaged files that must give a clear "no font" rather than garbage glyphs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/base/ref.h"
#include "engine/io/file_utils.h"
#include "engine/text/bm_font_configuration.h"
#include "engine/text/font.h"
#include "engine/text/font_atlas.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/text/text_environment.h"
#include "test_font.h"
#include "tests/support/temp_dir.h"

namespace {

using engine::BMFontConfiguration;

std::string charLine(const std::string& idField, int advance = 7) {
  return "char " + idField + " x=3 y=4 width=5 height=6 xoffset=-1 yoffset=2 xadvance=" +
         std::to_string(advance) + " page=0\n";
}

std::unique_ptr<BMFontConfiguration> parsed(std::string_view text,
                                            const std::string& file = "f.fnt") {
  auto config = std::make_unique<BMFontConfiguration>();
  config->parseConfigText(text, file);
  return config;
}

class FntParse : public ::testing::Test {
 protected:
  void TearDown() override {
    engine::PoolManager::getCurrentPool()->clear();
    engine::FileUtils::destroyInstance();
    engine::FontAtlasCache::purgeCachedData();
    engine::setTextEnvironment(nullptr);
  }
};

TEST_F(FntParse, EveryIdFormNamesTheSameGlyph) {
  for (const std::string id : {"id=65", "id=0x41", "id=41h", "id='A'"}) {
    const auto config = parsed(charLine(id));
    ASSERT_EQ(config->fontDefDictionary.count(65), 1u) << id;
    EXPECT_EQ(config->fontDefDictionary.at(65).rect, engine::Rect(3, 4, 5, 6)) << id;
  }
}

TEST_F(FntParse, LaterDefinitionsReplaceEarlierOnesAndPagesLieBesideTheFont) {
  const auto config =
      parsed("page id=0 file=\"small.png\"\n" + charLine("id=65") + charLine("id=65", 2) +
                 "kerning first=65 second=86 amount=-2\nkerning first=65 second=86 amount=-3\n",
             "fonts/small.fnt");
  EXPECT_EQ(config->fontDefDictionary.at(65).xAdvance, 2);
  EXPECT_EQ(config->kerningDictionary.at(BMFontConfiguration::kerningKey(65, 86)), -3);
  EXPECT_EQ(config->atlasName, "fonts/small.png");
}

TEST_F(FntParse, LinesMissingAValueOrBeyondTheLimitsAreRefusedWhole) {
  const std::string glyph = "char id=65 x=1 y=2 width=3 height=4 xoffset=0 yoffset=0 xadvance=5";
  const std::pair<std::string, std::string> damages[] = {
      {" xadvance=5", ""}, {"xadvance=5", "xadvance=zz"}, {"xadvance=5", "xadvance=4097"},
      {"width=3", "width=inf"},
  };
  for (const auto& [from, to] : damages) {
    std::string line = glyph;
    line.replace(line.find(from), from.size(), to);
    EXPECT_TRUE(parsed(line + "\n")->fontDefDictionary.empty()) << line;
  }
  const auto config = parsed(glyph +
                             "\ncommon lineHeight=4096\ncommon lineHeight=4097\n"
                             "kerning first=65 amount=3\n"
                             "kerning first=65 second=65 amount=-4096\n"
                             "kerning first=65 second=66 amount=2147483647\n");
  EXPECT_EQ(config->fontDefDictionary.size(), 1u);  // the limits themselves are allowed
  EXPECT_EQ(config->commonHeight, 4096);
  EXPECT_EQ(config->kerningDictionary.size(), 1u);
}

TEST_F(FntParse, LetterDefinitionsArePointsAtTheContentScaleAndNeedALineHeight) {
  EXPECT_EQ(engine::Font::createWithConfiguration(parsed(charLine("id=65")))->createLetterAtlas(1),
            nullptr);
  texttest::TestFont font(charLine("id=65") + "common lineHeight=20\n", 2.0f);
  const engine::FontLetterDefinition* a = font.atlas()->findLetterDefinition(u'A');
  ASSERT_NE(a, nullptr);
  EXPECT_FLOAT_EQ(a->height, 3.0f);
  EXPECT_FLOAT_EQ(a->offsetX, -1.0f);  // offsets stay pixels
  // Ids beyond sixteen bits never shadow exact ones.
  texttest::TestFont wide("common lineHeight=5\n" + charLine("id=65") + charLine("id=65601", 1));
  EXPECT_EQ(wide.atlas()->findLetterDefinition(u'A')->xAdvance, 7);
}

TEST_F(FntParse, FilesStopAtAZeroByteAndAMissingPageMakesNoFont) {
  testsupport::TempDir dir;
  const std::string path = dir.write("z.fnt", "common lineHeight=8\n" + charLine("id=65") +
                                                  std::string(1, '\0') + charLine("id=66"));
  BMFontConfiguration config(path);
  EXPECT_EQ(config.fontDefDictionary.count(65), 1u);
  EXPECT_EQ(config.fontDefDictionary.count(66), 0u);
  const std::string bad = dir.write("bad.fnt", "common lineHeight=8\npage id=0 file=\"gone.png\"\n");
  EXPECT_EQ(engine::FontAtlasCache::getFontAtlasFNT(bad), nullptr);
}

}  // namespace
