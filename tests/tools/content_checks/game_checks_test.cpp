#include "tools/content_checks/game_checks.h"

#include <gtest/gtest.h>

#include "content/loader/content_database.h"
#include "content/texts/language_texts.h"
#include "content_set_builder.h"
#include "tests/support/temp_dir.h"
#include "tools/content_checks/text_checks.h"

namespace {

using content_checks::CheckReport;
using content_checks::ContentIndex;

std::string strings(int emptyId) {
  std::string json = "[";
  for (int id = 0; id < 367; ++id) json += std::string(id ? "," : "") + (id == emptyId ? "\"\"" : "\"Text\"");
  return json + "]";
}

CheckReport checkTexts(const std::string& language, const checks_test::SetBuilder& set) {
  LanguageTexts texts;
  EXPECT_TRUE(texts.loadText(language));
  const auto sources = set.build();
  CheckReport report;
  content_checks::checkTexts(texts, "english.json", ContentIndex(sources), report);
  return report;
}

TEST(TextChecks, EveryTextTheCodeShowsMustBeWritten) {
  const CheckReport gap = checkTexts(R"({"strings": )" + strings(338) + "}", {});
  EXPECT_TRUE(mentions(gap, "english.json \"strings\", row 338: text 338 is shown by the game but empty"));
}

TEST(TextChecks, NamesMustExistAndFindTheirOwnRow) {
  checks_test::SetBuilder set;
  set.treasures = R"([{"id": 5}, {"id": 6}, {"id": 7}])";
  set.mobs = R"([{"maxHealth": 1}, {"maxHealth": 1}, {}, {"maxHealth": 1}])";
  const std::string language = R"({"strings": )" + strings(-1) + R"(,
    "treasures": [{"id": 5, "name": "Longsword of the Far Northern Kingdoms A"},
                  {"id": 6, "name": "LONGSWORD of the Far Northern Kingdoms B"}],
    "mobs": ["Pig", "Cow", "", "pig"]})";
  const CheckReport report = checkTexts(language, set);
  EXPECT_TRUE(mentions(report, "english.json \"treasures\": item 6 (treasures.json, row 1): its name "
                              "\"LONGSWORD of the Far Northern Kingdoms B\" finds item 5 first"));
  EXPECT_TRUE(mentions(report, "item 7 (treasures.json, row 2) has no name"));
  EXPECT_TRUE(mentions(report, "english.json \"mobs\", row 3: mob 3's name \"pig\" finds mob 0 first"));
}

class GameChecks : public ::testing::Test {
 protected:
  void SetUp() override { resetContentDatabase(); }
  void TearDown() override { resetContentDatabase(); }

  CheckReport check(const std::string& language = "english.json") {
    return content_checks::checkGame(dir.file("content"), dir.file(language));
  }

  testsupport::TempDir dir;
};

TEST_F(GameChecks, CompiledSetLoadsAndFindingsNameTheirPlace) {
  dir.write("content/planets.json", checks_test::planetsJson());
  dir.write("content/blocks.json", R"([{"id": 1248, "flags": "0x4"}])");
  dir.write("english.json", R"({"strings": )" + strings(-1) + "}");
  const CheckReport report = check();
  EXPECT_FALSE(mentions(report, "refuses")) << report.describe();
  EXPECT_TRUE(mentions(report, "blocks.json: block 84 (bedrock (must not be breakable)) is not defined"));
  EXPECT_FALSE(contentIsCompromised());
}

TEST_F(GameChecks, MissingOrDamagedSourcesAndLanguageFilesAreReported) {
  EXPECT_TRUE(mentions(check(), "planets.json: there must be exactly 12 planets"));
  dir.write("content/planets.json", checks_test::planetsJson().substr(0, 200));
  const CheckReport cut = check();
  ASSERT_EQ(cut.findings().size(), 1u) << cut.describe();
  EXPECT_TRUE(mentions(cut, "planets.json: not valid JSON at byte"));
  dir.write("content/planets.json", checks_test::planetsJson());
  dir.write("english.json", "[\"not an object\"");
  EXPECT_TRUE(mentions(check(), "english.json: cannot be read as a language file"));
}

}  // namespace
