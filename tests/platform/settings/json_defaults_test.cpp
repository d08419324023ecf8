#include <gtest/gtest.h>

#include <iterator>
#include <limits>
#include <memory>
#include <string>

#include "platform/settings/json_defaults.h"
#include "platform/settings/settings_file.h"
#include "tests/support/temp_dir.h"

namespace {

using kel::JsonDefaults;
using kel::StoredType;

class JsonDefaultsTest : public testing::Test {
 protected:
  std::string path() const { return dir.file("Rubblemoor/settings.json"); }
  std::string fileText() const { return dir.read("Rubblemoor/settings.json"); }
  void writeFile(const std::string& text) { dir.write("Rubblemoor/settings.json", text); }
  std::unique_ptr<JsonDefaults> loaded(const std::string& text) {
    writeFile(text);
    auto fromFile = std::make_unique<JsonDefaults>([this] { return path(); });
    fromFile->load();
    return fromFile;
  }

  testsupport::TempDir dir;
  JsonDefaults store{[this] { return path(); }};
};

TEST_F(JsonDefaultsTest, NumbersAndArraysFollowTheirJsonKind) {
  auto read = loaded("\xEF\xBB\xBF"  // a byte order mark is accepted
                     R"({"one": 1, "half": 2.5, "three": 3, "big": 3000000000, "huge": 1e300,
                         "mixed": ["a", 1, null, "b"], "empty": []})");
  EXPECT_EQ(read->getInt("half"), 0);
  EXPECT_FLOAT_EQ(read->getFloat("three"), 3.0f);
  EXPECT_EQ(read->getInt("big"), 0);  // does not fit 32 bits
  // A list element that is no string is damage: the list keeps the strings that read.
  EXPECT_EQ(read->typeOf("mixed"), StoredType::stringList);
  EXPECT_EQ(read->getStringList("mixed"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(read->typeOf("empty"), StoredType::stringList);
}

TEST_F(JsonDefaultsTest, AwkwardValuesRoundTripAndNonFiniteFloatsStillGiveAReadableFile) {
  const std::string awkward = std::string("say \"hi\"\\\n") + '\0' + "end";
  store.setString("s", awkward);
  store.setFloat("nan", std::numeric_limits<float>::quiet_NaN());
  store.setFloat("inf", std::numeric_limits<float>::infinity());
  ASSERT_TRUE(store.save());
  auto read = loaded(fileText());
  EXPECT_EQ(read->getString("s"), awkward);
  EXPECT_EQ(read->getFloat("nan"), 0.0f);
  EXPECT_EQ(read->getFloat("inf"), 0.0f);
}

TEST_F(JsonDefaultsTest, UnknownMembersSurviveLoadAndSaveUnlessNestedTooDeep) {
  const std::string deep = std::string(5000, '[') + std::string(5000, ']');
  auto read = loaded(R"({"foreign": {"deep": [1, 2.5, "x", null]}, "mine": 1, "deep": )" + deep + "}");
  EXPECT_FALSE(read->has("deep"));
  read->setInt("mine", 2);
  ASSERT_TRUE(read->save());
  auto again = loaded(fileText());
  EXPECT_EQ(again->typeOf("foreign"), StoredType::other);
  EXPECT_NE(fileText().find("\"deep\": ["), std::string::npos);
  EXPECT_EQ(again->getInt("mine"), 2);
}

TEST_F(JsonDefaultsTest, DamagedFilesGiveAnEmptyStore) {
  const std::string valid = R"({"a": true, "b": [ "x", "y" ], "c": 12})";
  const std::string cases[] = {
      valid.substr(0, valid.size() - 1), R"(["a", "b"])", R"({"a": true} {"b": 1})",
      std::string(200000, '{'),
      R"({"a": true, "pad": ")" + std::string(kel::settings_file::kMaxFileSize, 'x') + "\"}",
  };
  for (const std::string& text : cases) {
    auto read = loaded(text);
    EXPECT_EQ(read->size(), 0u) << "file: " << text.substr(0, 40);
    EXPECT_FALSE(read->getBool("a"));
  }
}

// A file cut short, one too large, one that holds no object and one with bytes replaced: each is
// named, moved aside as it was (never over one kept before) and the defaults written in its place.
TEST_F(JsonDefaultsTest, ADamagedFileIsNamedAndKeptAsideBesideTheDefaults) {
  const std::string valid = R"({"a": true, "b": [ "x", "y" ], "c": 12})";
  std::string replaced = valid;
  replaced.replace(5, 4, std::string("\xFF\x00\x01\x02", 4));
  const std::string cases[] = {
      valid.substr(0, valid.size() - 3),
      R"({"a": true, "pad": ")" + std::string(kel::settings_file::kMaxFileSize, 'x') + "\"}",
      R"(["a", "b"])",
      replaced,
  };
  const std::string kept[] = {"settings.damaged", "settings.damaged2", "settings.damaged3", "settings.damaged4"};
  for (size_t i = 0; i < std::size(cases); ++i) {
    auto read = loaded(cases[i]);
    EXPECT_EQ(read->size(), 0u);
    const kel::DamagedSettingsFile damaged = read->damagedFile();
    EXPECT_EQ(damaged.path, path());
    EXPECT_EQ(damaged.keptAs, dir.file("Rubblemoor/" + kept[i]));
    EXPECT_EQ(dir.read("Rubblemoor/" + kept[i]), cases[i]) << "kept aside as it was";
    read->setBool("a", false);
    ASSERT_TRUE(read->save());
    EXPECT_EQ(loaded(fileText())->getBool("a"), false) << "the defaults are written in its place";
  }
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(dir.read("Rubblemoor/" + kept[i]), cases[i]);
}

// A list with one element that is no string: the file is named damaged, its bytes are kept beside
// it as they were, and everything that reads stays and is written back, the list's good entries
// too; the file itself stays until then.
TEST_F(JsonDefaultsTest, AListWithADamagedElementKeepsWhatReadsAndItsBytesAside) {
  const std::string text = R"({"a": true, "option-servers": ["one;10.0.0.1;7777", 12, "two;10.0.0.2;7778"]})";
  auto read = loaded(text);
  const kel::DamagedSettingsFile damaged = read->damagedFile();
  EXPECT_EQ(damaged.path, path());
  EXPECT_TRUE(damaged.keptWhatRead);
  EXPECT_EQ(damaged.keptAs, dir.file("Rubblemoor/settings.damaged"));
  EXPECT_EQ(dir.read("Rubblemoor/settings.damaged"), text) << "the damaged bytes are kept aside";
  EXPECT_EQ(fileText(), text) << "the file stays until what reads replaces it";
  EXPECT_TRUE(read->getBool("a"));
  EXPECT_EQ(read->typeOf("option-servers"), StoredType::stringList);
  const std::vector<std::string> kept{"one;10.0.0.1;7777", "two;10.0.0.2;7778"};
  EXPECT_EQ(read->getStringList("option-servers"), kept);
  ASSERT_TRUE(read->save());
  auto again = loaded(fileText());
  EXPECT_TRUE(again->damagedFile().path.empty()) << "what was written back reads whole";
  EXPECT_EQ(again->getStringList("option-servers"), kept);
}

TEST_F(JsonDefaultsTest, AWholeEmptyOrMissingFileIsNoDamage) {
  store.load();
  EXPECT_TRUE(store.damagedFile().path.empty()) << "missing";
  EXPECT_TRUE(loaded("")->damagedFile().path.empty()) << "empty";
  EXPECT_TRUE(loaded(R"({"a": true})")->damagedFile().path.empty()) << "whole";
  EXPECT_EQ(fileText(), R"({"a": true})");
}

TEST_F(JsonDefaultsTest, FailedWritesLeaveTheOldFileWholeAndReportFailure) {
  writeFile(R"({"kept": true})");
  // Something in the way of the temporary file: the write cannot start.
  dir.write("Rubblemoor/settings.json.tmp/blocker", "x");
  store.setBool("kept", false);
  store.setInt("new", 3);
  EXPECT_FALSE(store.save());
  EXPECT_EQ(fileText(), R"({"kept": true})");
  EXPECT_EQ(store.getInt("new"), 3);  // the store in memory keeps the unsaved values
}

}  // namespace
