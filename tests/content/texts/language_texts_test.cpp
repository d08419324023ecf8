#include "content/texts/language_texts.h"
#include "tests/support/language_texts_reset.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/io/damaged_data_files.h"
#include "tests/support/temp_dir.h"

namespace {

// An array of `count` texts "s0", "s1", ... (or with another prefix).
std::string stringsArray(int count, const std::string& prefix = "s") {
  std::string json = "[";
  for (int i = 0; i < count; ++i) json += (i ? ",\"" : "\"") + prefix + std::to_string(i) + "\"";
  return json + "]";
}

std::string goodFile() {
  return "{\"strings\":" + stringsArray(367) +
         ",\"treasures\":[{\"id\":64,\"name\":\"Copper Ore\"},{\"id\":65537,\"name\":\"Dirt\"},"
         "{\"id\":64,\"name\":\"Copper\"}],"
         "\"mobs\":[\"Slime\",\"Bat\",\"slime\",\"A Very Long Mob Name That Goes On And On\"],"
         "\"book\":[{\"name\":\"Tools\",\"icon\":3,\"pages\":[{\"title\":\"Pick\",\"text\":\"Dig."
         "\"},"
         "{\"title\":\"Axe\",\"text\":\"Chop.\"}]},{\"name\":\"Empty\",\"icon\":1,\"pages\":[]}],"
         "\"settings\":[[\"music\",\"Music\",\"Plays music.\"]],"
         "\"unknown\":42}";
}

class LanguageTextsTest : public ::testing::Test {
 protected:
  void SetUp() override { resetLanguageTexts(); }
  void TearDown() override { resetLanguageTexts(); }

  LanguageTexts& texts() { return languageTexts(); }
  testsupport::TempDir dir_;
};

TEST_F(LanguageTextsTest, AGoodFileFillsEveryTable) {
  ASSERT_TRUE(texts().loadFile(dir_.write("english.json", goodFile())));
  EXPECT_EQ(texts().treasureName(64), "Copper");  // the later entry wins
  EXPECT_EQ(texts().treasureName(1), "Dirt");     // only the low 16 bits of the id count

  const auto& book = texts().bookEntries();
  ASSERT_EQ(book[0].pages.size(), 2u);
  EXPECT_EQ(book[0].pages[1].title, "Axe");

  const OptionText* music = texts().optionText("option-music");
  ASSERT_NE(music, nullptr);
  EXPECT_EQ(music->description, "Plays music.");
}

TEST_F(LanguageTextsTest, NameLookupsIgnoreCaseAndLookAt32Characters) {
  ASSERT_TRUE(texts().loadText(goodFile()));
  EXPECT_EQ(texts().mobIndexByName("SLIME"), 0);  // index 2 has the same name: the lower wins
  EXPECT_EQ(texts().mobIndexByName("A Very Long Mob Name That Goes "), -1);  // 31 characters
  EXPECT_EQ(texts().mobIndexByName("a very long mob name that goes oXX"), 3);  // the first 32
  // Asking for an unnamed item never makes it match the empty name.
  EXPECT_EQ(texts().treasureName(500), "");
  EXPECT_EQ(texts().treasureIdByName(""), -1);
}

TEST_F(LanguageTextsTest, DamagedFilesAreRefusedWhole) {
  const std::string good = goodFile();
  EXPECT_FALSE(texts().loadFile(dir_.write("cut.json", good.substr(0, good.size() / 2))));
  EXPECT_EQ(texts().text(0), "");
  for (const char* bad : {"[1,2,3]", "{}}"}) EXPECT_FALSE(texts().loadText(bad)) << bad;
  // Bytes after a zero are not part of the text.
  EXPECT_FALSE(texts().loadFile(dir_.write("zero.json", std::string("{\"strings\"\0", 11))));
}

TEST_F(LanguageTextsTest, ADamagedOrMissingFileIsNamedWithTheOtherDamagedDataFiles) {
  engine::DamagedDataFiles::clear();
  const std::string good = dir_.write("english.json", goodFile());
  ASSERT_TRUE(texts().loadFile(good));
  EXPECT_FALSE(engine::DamagedDataFiles::isReported(good));
  const std::string cut = dir_.write("cut.json", goodFile().substr(0, 100));
  EXPECT_FALSE(texts().loadFile(cut));
  EXPECT_TRUE(engine::DamagedDataFiles::isReported(cut)) << "the start view names it";
  const std::string missing = dir_.file("missing.json");
  EXPECT_FALSE(texts().loadFile(missing));
  EXPECT_TRUE(engine::DamagedDataFiles::isReported(missing));
  engine::DamagedDataFiles::clear();
}

TEST_F(LanguageTextsTest, AnotherLoadReplacesStringsAndBookPagesInsteadOfAddingThem) {
  ASSERT_TRUE(texts().loadText(goodFile()));
  ASSERT_TRUE(texts().loadText("{\"strings\":" + stringsArray(10) + "}"));
  EXPECT_EQ(texts().text(9), "s9");
  EXPECT_EQ(texts().text(10), "");
  EXPECT_TRUE(texts().bookEntries().empty());
}

TEST_F(LanguageTextsTest, MembersOfTheWrongTypeAreTolerated) {
  ASSERT_TRUE(texts().loadText(goodFile()));
  const std::string odd =
      "{\"strings\":{\"0\":\"x\"},"
      "\"treasures\":[5,{\"id\":\"64\",\"name\":\"Str\"},{\"id\":-1,\"name\":\"Neg\"}],"
      "\"mobs\":[1,null,\"ok\"],"
      "\"book\":[7,{\"name\":3,\"icon\":\"x\",\"pages\":[1,{\"title\":2}]},{\"pages\":{}}],"
      "\"settings\":[\"flat\",[],[1,\"a\",\"b\"],[\"only\"]]}";
  ASSERT_TRUE(texts().loadText(odd));
  EXPECT_EQ(texts().treasureName(64), "") << "a text id is no id, and the old names are gone";
  EXPECT_EQ(texts().treasureName(0xFFFF), "Neg");
  const auto& book = texts().bookEntries();
  ASSERT_EQ(book.size(), 3u);
  ASSERT_EQ(book[1].pages.size(), 1u);
  EXPECT_EQ(book[1].pages[0].title, "");
  ASSERT_NE(texts().optionText("option-only"), nullptr);
  EXPECT_EQ(texts().optionText("option-only")->label, "");
}

}  // namespace
