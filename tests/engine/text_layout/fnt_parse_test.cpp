// Reading bitmap-font descriptions: every glyph id form, kerning, the page image's path, and
// damaged files that must give a clear "no font" rather than a crash or garbage glyphs.
#include <gtest/gtest.h>

#include <string>

#include "engine/base/ref.h"
#include "engine/base/random.h"
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

std::string charLine(const std::string& idField) {
  return "char " + idField + " x=3 y=4 width=5 height=6 xoffset=-1 yoffset=2 xadvance=7 page=0\n";
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
  for (const std::string id : {"id=65", "id=0x41", "id=41h", "id=41H", "id='A'"}) {
    BMFontConfiguration config;
    config.parseConfigText(charLine(id), "f.fnt");
    ASSERT_EQ(config.fontDefDictionary.count(65), 1u) << id;
    const engine::BMFontDef& def = config.fontDefDictionary.at(65);
    EXPECT_EQ(def.rect, engine::Rect(3, 4, 5, 6)) << id;
    EXPECT_EQ(def.xOffset, -1);
    EXPECT_EQ(def.xAdvance, 7);
  }
  // At the end of the line, and before a carriage return, ids still read.
  BMFontConfiguration config;
  config.parseConfigText(
      "char x=1 y=1 width=2 height=2 xoffset=0 yoffset=0 xadvance=3 id=0x42\r\n"
      "char x=1 y=1 width=2 height=2 xoffset=0 yoffset=0 xadvance=3 id=43h\r\n"
      "common lineHeight=9 base=7\r\n",
      "f.fnt");
  EXPECT_EQ(config.fontDefDictionary.count(0x42), 1u);
  EXPECT_EQ(config.fontDefDictionary.count(0x43), 1u);
  EXPECT_EQ(config.commonHeight, 9);
}

TEST_F(FntParse, LaterDefinitionsReplaceEarlierOnesAndPagesLieBesideTheFont) {
  BMFontConfiguration config;
  config.parseConfigText("page id=0 file=\"small.png\"\n" + charLine("id=65") +
                             "char id=65 x=9 y=9 width=1 height=1 xoffset=0 yoffset=0 xadvance=2\n"
                             "kerning first=65 second=86 amount=-2\n"
                             "kerning first=65 second=86 amount=-3\n",
                         "fonts/small.fnt");
  EXPECT_EQ(config.fontDefDictionary.at(65).xAdvance, 2);
  EXPECT_EQ(config.kerningDictionary.at(BMFontConfiguration::kerningKey(65, 86)), -3);
  EXPECT_EQ(config.atlasName, "fonts/small.png");
  BMFontConfiguration bare;
  bare.parseConfigText("page id=0 file=\"small.png\"\n", "small.fnt");
  EXPECT_EQ(bare.atlasName, "small.png");
}

TEST_F(FntParse, LinesMissingAValueAreSkippedWhole) {
  BMFontConfiguration config;
  config.parseConfigText(
      "common base=10 scaleW=4\n"
      "char id=65 x=1 y=1 width=2 height=2 xoffset=0 yoffset=0\n"     // no advance
      "char id=66 x=1 y=1 width=2 height=2 xoffset=0 yoffset=0 xadvance=zz\n"
      "char id= x=1 y=1 width=2 height=2 xoffset=0 yoffset=0 xadvance=1\n"
      "char id=-5 x=1 y=1 width=2 height=2 xoffset=0 yoffset=0 xadvance=1\n"
      "char id=67 x=1 y=1 width=2 height=2 xoffset=0 yoffset=0 xadvance=99999\n"  // not 16 bits
      "kerning first=65 amount=3\n"
      "page id=0 file=\"unterminated.png\n"
      "common lineHeight=99999999999\n",
      "f.fnt");
  EXPECT_TRUE(config.fontDefDictionary.empty());
  EXPECT_TRUE(config.kerningDictionary.empty());
  EXPECT_EQ(config.atlasName, "");
  EXPECT_EQ(config.commonHeight, 0);
}

TEST_F(FntParse, MetricsBeyondAnyPageImageAreRefusedLineByLine) {
  const std::string glyph = "char id=65 x=1 y=2 width=3 height=4 xoffset=0 yoffset=0 xadvance=5";
  const struct {
    std::string from;
    std::string to;
  } damages[] = {
      {"xadvance=5", "xadvance=4097"}, {"xoffset=0", "xoffset=-4097"},
      {"yoffset=0", "yoffset=30000"},  {"width=3", "width=inf"},
      {"x=1", "x=nan"},                {"height=4", "height=16385"},
      {"y=2", "y=-1"},
  };
  for (const auto& damage : damages) {
    std::string line = glyph;
    line.replace(line.find(damage.from), damage.from.size(), damage.to);
    BMFontConfiguration config;
    config.parseConfigText(line + "\n", "f.fnt");
    EXPECT_TRUE(config.fontDefDictionary.empty()) << line;
  }
  BMFontConfiguration config;
  config.parseConfigText(glyph +
                             "\ncommon lineHeight=4096\ncommon lineHeight=4097\n"
                             "common lineHeight=-1\nkerning first=65 second=65 amount=-4096\n"
                             "kerning first=65 second=66 amount=2147483647\n",
                         "f.fnt");
  EXPECT_EQ(config.fontDefDictionary.size(), 1u);  // the limits themselves are allowed
  EXPECT_EQ(config.commonHeight, 4096);
  EXPECT_EQ(config.kerningDictionary.size(), 1u);
  EXPECT_EQ(config.kerningDictionary.at(BMFontConfiguration::kerningKey(65, 65)), -4096);
}

TEST_F(FntParse, TruncatedAndGarbledTextNeverCrashes) {
  const std::string whole = texttest::testFontText();
  for (size_t cut = 0; cut <= whole.size(); cut += 7) {
    BMFontConfiguration config;
    config.parseConfigText(std::string_view(whole).substr(0, cut), "f.fnt");
    EXPECT_LE(config.fontDefDictionary.size(), 70u);
  }
  std::string garbled = whole;
  engine::randomSeed(7);
  for (int round = 0; round < 200; ++round) {
    garbled[static_cast<size_t>(engine::randomNext()) % garbled.size()] =
        static_cast<char>(engine::randomNext() % 256);
    BMFontConfiguration config;
    config.parseConfigText(garbled, "f.fnt");
  }
}

TEST_F(FntParse, LetterDefinitionsArePointsAtTheContentScaleAndNeedALineHeight) {
  auto config = std::make_unique<BMFontConfiguration>();
  config->parseConfigText(charLine("id=65"), "f.fnt");
  EXPECT_EQ(engine::Font::createWithConfiguration(std::move(config))->createLetterAtlas(1.0f),
            nullptr);

  texttest::TestFont font(charLine("id=65") + "common lineHeight=20\n", 2.0f);
  const engine::FontLetterDefinition* a = font.atlas()->findLetterDefinition(u'A');
  ASSERT_NE(a, nullptr);
  EXPECT_FLOAT_EQ(a->U, 1.5f);
  EXPECT_FLOAT_EQ(a->height, 3.0f);
  EXPECT_FLOAT_EQ(a->offsetX, -1.0f);  // offsets stay pixels
  EXPECT_EQ(font.atlas()->findLetterDefinition(u'B'), nullptr);
}

TEST_F(FntParse, IdsBeyondSixteenBitsNeverShadowExactOnes) {
  texttest::TestFont font("common lineHeight=5\n" + charLine("id=65") +
                          "char id=65601 x=0 y=0 width=1 height=1 xoffset=0 yoffset=0 xadvance=1\n");
  EXPECT_EQ(font.atlas()->findLetterDefinition(u'A')->xAdvance, 7);
}

TEST_F(FntParse, FilesReadThroughFileAccessStopAtAZeroByte) {
  testsupport::TempDir dir;
  const std::string path = dir.write(
      "z.fnt", std::string("common lineHeight=8\n") + charLine("id=65") + std::string(1, '\0') +
                   charLine("id=66"));
  BMFontConfiguration config(path);
  EXPECT_EQ(config.commonHeight, 8);
  EXPECT_EQ(config.fontDefDictionary.count(65), 1u);
  EXPECT_EQ(config.fontDefDictionary.count(66), 0u);
}

TEST_F(FntParse, MissingFileOrPageMakesNoFontAndNoAtlas) {
  testsupport::TempDir dir;
  EXPECT_FALSE(BMFontConfiguration().parseConfigFile(dir.file("absent.fnt")));
  EXPECT_EQ(engine::Font::createWithFntFile(dir.file("absent.fnt")), nullptr);
  // A description whose page image is missing, or that names none, makes no font either.
  const std::string noImage =
      dir.write("noimage.fnt", "common lineHeight=8\npage id=0 file=\"gone.png\"\n");
  const std::string noPage = dir.write("nopage.fnt", "common lineHeight=8\n");
  EXPECT_EQ(engine::FontAtlasCache::getFontAtlasFNT(noImage), nullptr);
  EXPECT_EQ(engine::FontAtlasCache::getFontAtlasFNT(noPage), nullptr);
  EXPECT_EQ(engine::FontAtlasCache::getCachedCount(), 0u);
  EXPECT_FALSE(engine::FontAtlasCache::releaseFontAtlas(nullptr));
}

}  // namespace
