// The character list and its files: creating, renaming and deleting characters, and names and
// files that must never be taken.
#include "saves/store/character_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "saves/character/character_file.h"
#include "tests/support/temp_dir.h"

namespace {

class CharacterStoreTest : public ::testing::Test {
 protected:
  CharacterStoreTest() : store_(files_, dir_.file("players")) {}

  bool exists(const std::string& name) const {
    return std::filesystem::exists(dir_.file("players/" + name));
  }
  bool create(const std::string& name) {
    auto entry = std::make_unique<PlayerEntry>("", name, 0);
    entry->displayName = name;
    return store_.create(std::move(entry), std::nullopt);
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& entry : store_.entries()) out.push_back(entry->displayName);
    return out;
  }
  PlayerEntry& withCharacters(std::initializer_list<const char*> names) {
    store_.scan("");
    for (const char* name : names) EXPECT_TRUE(create(name)) << name;
    return *store_.entries().front();
  }
  CharacterRecord readFile(const std::string& name) const {
    kel::FileHandle file(dir_.file("players/" + name), kel::FileHandle::READ);
    CharacterRecord record;
    CharacterParts parts;
    EXPECT_TRUE(readCharacterFile(file, record, parts)) << name;
    return record;
  }

  testsupport::TempDir dir_;
  kel::DesktopFileSystem files_;
  CharacterStore store_;
};

TEST_F(CharacterStoreTest, CreatedCharactersAreListedSortedAndReadBack) {
  withCharacters({"bob", "Ada"});
  EXPECT_EQ(names(), (std::vector<std::string>{"Ada", "bob"}));
  const CharacterRecord ada = readFile("Ada.dat");
  EXPECT_EQ(ada.name, "Ada");
  EXPECT_EQ(ada.health, 5.0f);

  CharacterStore again(files_, dir_.file("players"));
  again.scan("bob");
  ASSERT_NE(again.current(), nullptr);
  EXPECT_EQ(again.current()->displayName, "bob");
}

TEST_F(CharacterStoreTest, CreationRefusesTakenAndUnsafeNames) {
  withCharacters({"Ada"});
  dir_.write("players/Stray.dat", "not a character");  // unlisted: never replaced
  dir_.write("players/Lost.bak", "a backup without its file");
  for (const char* name : {"Ada", "ada", "Stray", "Lost", "", "..", "a/b"}) {
    EXPECT_FALSE(create(name)) << name;
  }
  EXPECT_EQ(dir_.read("players/Stray.dat"), "not a character");
  EXPECT_EQ(dir_.read("players/Lost.bak"), "a backup without its file");
  EXPECT_EQ(names(), std::vector<std::string>{"Ada"});
}

TEST_F(CharacterStoreTest, RenameAndDeleteTakeEveryFileOfTheCharacter) {
  PlayerEntry& ada = withCharacters({"Ada", "Bea"});
  store_.setCurrent(&ada);
  ASSERT_TRUE(store_.save(readFile("Ada.dat")));  // makes Ada.bak
  dir_.write("players/Ada.stat", "stats");

  ASSERT_TRUE(store_.rename(ada, "Cleo"));
  EXPECT_EQ(ada.fileName, "Cleo.dat");
  EXPECT_EQ(readFile("Cleo.dat").name, "Cleo");
  EXPECT_TRUE(exists("Cleo.bak"));
  EXPECT_EQ(dir_.read("players/Cleo.stat"), "stats");
  for (const char* gone : {"Ada.dat", "Ada.bak", "Ada.stat", "Ada.tmp"})
    EXPECT_FALSE(exists(gone)) << gone;

  EXPECT_TRUE(store_.remove(ada));
  for (const char* gone : {"Cleo.dat", "Cleo.bak", "Cleo.stat"}) EXPECT_FALSE(exists(gone)) << gone;
  ASSERT_NE(store_.current(), nullptr);
  EXPECT_EQ(store_.current()->displayName, "Bea");
}

TEST_F(CharacterStoreTest, HostsTokensAreKeptBesideTheCharacterAndGoWithIt) {
  PlayerEntry& ada = withCharacters({"Ada", "Bea"});
  store_.setCurrent(&ada);
  const std::string before = dir_.read("players/Ada.dat");
  const std::vector<uint8_t> first{0x00, 0x9f, 0xa0, 0xff};
  ASSERT_TRUE(store_.keepHostToken("10.0.0.2:12345", first));
  ASSERT_TRUE(store_.keepHostToken("store:42", std::vector<uint8_t>{7}));
  ASSERT_TRUE(store_.keepHostToken("10.0.0.2:12345", std::vector<uint8_t>{1, 2}));  // that host's newer one
  EXPECT_EQ(store_.hostToken("10.0.0.2:12345"), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(store_.hostToken("store:42"), std::vector<uint8_t>{7});
  EXPECT_TRUE(store_.hostToken("10.0.0.3:12345").empty());
  EXPECT_EQ(dir_.read("players/Ada.dat"), before) << "the character file stays as it was";
  EXPECT_FALSE(exists("Ada.tmp"));

  store_.setCurrent(store_.entries().back().get());
  EXPECT_TRUE(store_.hostToken("store:42").empty()) << "Bea's tokens are hers alone";
  store_.setCurrent(&ada);
  dir_.write("players/Stray.hosts", "someone else's hosts");
  EXPECT_FALSE(store_.rename(ada, "Stray")) << "a name whose hosts file lies there is taken";
  ASSERT_TRUE(store_.rename(ada, "Cleo"));
  EXPECT_FALSE(exists("Ada.hosts"));
  EXPECT_EQ(store_.hostToken("store:42"), std::vector<uint8_t>{7});
  EXPECT_TRUE(store_.remove(ada));
  EXPECT_FALSE(exists("Cleo.hosts"));
}

TEST_F(CharacterStoreTest, RenameRefusalsChangeNothing) {
  PlayerEntry& ada = withCharacters({"Ada", "Bea"});
  dir_.write("players/Stray.stat", "someone else's statistics");
  for (const char* name : {"Bea", "BEA", "Stray", "..", "x/y"}) {
    EXPECT_FALSE(store_.rename(ada, name)) << name;
  }
  EXPECT_EQ(dir_.read("players/Stray.stat"), "someone else's statistics");
  // An unreadable file is not replaced by a blank character.
  dir_.write("players/Ada.dat", "damaged");
  EXPECT_FALSE(store_.rename(ada, "Dora"));
  EXPECT_EQ(dir_.read("players/Ada.dat"), "damaged");
  EXPECT_FALSE(exists("Dora.dat"));
  EXPECT_EQ(ada.displayName, "Ada");
}

TEST_F(CharacterStoreTest, SavingRenewsASaveIdSharedWithAnotherCharacter) {
  PlayerEntry& ada = withCharacters({"Ada", "Bea"});
  store_.setCurrent(&ada);
  ASSERT_EQ(ada.saveId, store_.entries()[1]->saveId);  // both new: all zero
  CharacterRecord record;
  record.name = "Ada";
  ASSERT_TRUE(store_.save(record));
  EXPECT_NE(ada.saveId, store_.entries()[1]->saveId);
  EXPECT_EQ(readFile("Ada.dat").saveId, ada.saveId);
}

}  // namespace
