// Each way a world file is found damaged (emptied, cut short, its header or its middle replaced),
// and a character file's structural damage: the file is named with what is wrong, its whole backup is judged whole, and putting
// the backup back keeps the damaged file aside and gives a save that loads again.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "platform/settings/settings.h"
#include "saves/character/character_file.h"
#include "saves/launch/local_saves.h"
#include "saves/store/save_damage.h"
#include "saves/world/world_file_format.h"
#include "world/blocks/chest.h"
#include "tests/saves/world/world_file_fixture.h"
#include "tests/support/damage_cases.h"
#include "tests/support/read_file.h"
#include "tests/support/settings_reset.h"

namespace saves_test {
namespace {

namespace fs = std::filesystem;
using savetest::Damage;

class DamagedSavesTest : public WorldFileTest, public ::testing::WithParamInterface<Damage> {
 protected:
  void SetUp() override {
    WorldFileTest::SetUp();
    testsupport::resetSettings();
    kel::options().keepBackupOfSaves = true;
  }
  void TearDown() override {
    testsupport::resetSettings();
    WorldFileTest::TearDown();
  }

  fs::path folder(const char* name) const { return home_.path() / "Rubblemoor" / name; }

  // A world saved twice, so that its backup is the first save.
  void savedWorld(const std::function<void(World&)>& furnish = {}) {
    saves_.worlds().list();
    saves_.worlds().createEntry(params(0), 1000);
    auto world = makeWorld(0);
    if (furnish) furnish(*world);
    for (int save = 0; save < 2; ++save) {
      bool written = false;
      saves_.saveWorld(*world, [&written](bool saved) { written = saved; });
      saves_.waitForWrites();
      ASSERT_TRUE(written);
    }
  }

  // A character saved twice, so that its backup is the first save.
  void savedCharacter() {
    CharacterStore& characters = saves_.characters();
    characters.scan("");
    auto entry = std::make_unique<PlayerEntry>("Ann.dat", "Ann", 1);
    ASSERT_TRUE(characters.create(std::move(entry), std::nullopt));
    characters.scan("Ann");
    ASSERT_NE(characters.current(), nullptr);
    for (int save = 0; save < 2; ++save) ASSERT_TRUE(characters.save(newCharacterRecord(*characters.current())));
  }

  // The listed world does not load, and a save of it is refused.
  void expectLoadAndSaveRefused() {
    EXPECT_EQ(saves_.loadWorldFile(nullptr).status, WorldLoadStatus::Unreadable);
    auto world = makeWorld(0);
    EXPECT_FALSE(saves_.saveWorld(*world, [](bool) {}));
    saves_.waitForWrites();
  }
  void expectFilesKept(const std::string& damaged, const std::string& kept) {
    EXPECT_EQ(testsupport::readFile(folder("worlds") / "World1.dat"), damaged) << "the damaged file was written over";
    EXPECT_EQ(testsupport::readFile(folder("worlds") / "World1.bak"), kept) << "the backup was pushed out";
  }

  engine::Seam<WorldSaveLinks, NullWorldSaveLinks>::Scoped useLinks{worldSaveLinksSeam(), links};
  testsupport::ScopedDataHome home_;
  kel::DesktopFileSystem files_;
  LocalSaves saves_{files_};
};

TEST_P(DamagedSavesTest, ADamagedWorldIsNamedAndItsBackupPutBackLoads) {
  savedWorld();
  const fs::path file = folder("worlds") / "World1.dat";
  ASSERT_EQ(worldFileDamage(file.string()), "");
  savetest::damageFile(file, GetParam());
  const std::string damaged = testsupport::readFile(file);

  const std::string said = worldFileDamage(file.string());
  EXPECT_FALSE(said.empty()) << "the damage goes unnoticed";
  const std::map<Damage, std::string> expected = {{Damage::Emptied, "the file is empty"},
                                                  {Damage::CutShort, "the file is cut short"},
                                                  {Damage::Header, "its header is not a world file's"},
                                                  {Damage::Middle, "its section 2 is damaged"},
                                                  {Damage::CellsEntry, "its section 2 is missing"},
                                                  {Damage::VersionTwo, "its header is not a world file's"}};
  EXPECT_EQ(said, expected.at(GetParam()));
  EXPECT_EQ(worldFileDamage((folder("worlds") / "World1.bak").string()), "") << "the backup reads back whole";

  // Listed or not, the world does not load as it is.
  saves_.worlds().list();
  const bool listed = !saves_.worlds().entries().empty();
  EXPECT_NE(listed, saves_.worlds().damaged() == std::vector<std::string>{"World1.dat"});
  if (listed) {
    EXPECT_EQ(saves_.loadWorldFile(nullptr).status, WorldLoadStatus::Unreadable);
  }

  std::string aside;
  ASSERT_TRUE(saves_.worlds().restoreBackup("World1", &aside));
  EXPECT_EQ(aside, (folder("worlds") / "World1.damaged").string());
  EXPECT_EQ(testsupport::readFile(aside), damaged) << "the damaged file is kept aside as it was";
  saves_.worlds().list();
  ASSERT_EQ(saves_.worlds().entries().size(), 1u) << "the damaged file kept aside is not listed";
  EXPECT_TRUE(saves_.worlds().damaged().empty());
  EXPECT_EQ(saves_.loadWorldFile(nullptr).status, WorldLoadStatus::Loaded);
}

// A world that failed to load is refused every save: the damaged file, which may still hold what
// the player wants back, stays as it was and the good backup stays the backup. (Each damage that
// leaves the world listed, so that it can be chosen and fail to load.)
class ListedDamagedWorldTest : public DamagedSavesTest {};

TEST_P(ListedDamagedWorldTest, AWorldThatFailedToLoadIsNeverSavedOver) {
  savedWorld();
  const fs::path file = folder("worlds") / "World1.dat";
  const fs::path backup = folder("worlds") / "World1.bak";
  savetest::damageFile(file, GetParam());
  const std::string damaged = testsupport::readFile(file);
  const std::string kept = testsupport::readFile(backup);
  saves_.worlds().list();
  ASSERT_FALSE(saves_.worlds().entries().empty()) << "the damage keeps the world listed";
  ASSERT_EQ(saves_.loadWorldFile(nullptr).status, WorldLoadStatus::Unreadable);

  auto world = makeWorld(0);
  bool written = true;
  EXPECT_FALSE(saves_.saveWorld(*world, [&written](bool saved) { written = saved; }));
  saves_.waitForWrites();
  EXPECT_FALSE(written);
  EXPECT_EQ(testsupport::readFile(file), damaged) << "the damaged file was written over";
  EXPECT_EQ(testsupport::readFile(backup), kept) << "the backup was pushed out";
}

// Each section's directory entry damaged in turn (its id replaced, which hides the section): the
// file is named with the section it lacks, never loaded as a world without it (which its first save
// would write over the file, the file pushed into the backup), never saved over, and its whole
// backup is offered and loads.
class DamagedSectionEntryTest : public DamagedSavesTest {};

TEST_F(DamagedSectionEntryTest, EachSectionLostFromTheDirectoryIsNamedAndNeverSavedOver) {
  std::vector<uint16_t> sections(std::begin(world_file::kRequiredSections), std::end(world_file::kRequiredSections));
  sections.push_back(world_file::kExplored);  // this world's map keeps the explored bitmap
  savedWorld();
  const fs::path file = folder("worlds") / "World1.dat";
  const fs::path backup = folder("worlds") / "World1.bak";
  const std::string whole = testsupport::readFile(file);
  const std::string kept = testsupport::readFile(backup);
  for (const uint16_t id : sections) {
    SCOPED_TRACE("section " + std::to_string(id));
    std::ofstream(file, std::ios::binary | std::ios::trunc) << whole;
    savetest::renameSectionEntry(file, id);
    const std::string damaged = testsupport::readFile(file);
    ASSERT_NE(damaged, whole);
    EXPECT_EQ(worldFileDamage(file.string()), id == world_file::kInfo ? std::string("its world record is damaged")
                                                                       : "its section " + std::to_string(id) + " is missing");
    EXPECT_EQ(worldFileDamage(backup.string()), "") << "the backup is offered: it reads back whole";

    saves_.worlds().list();
    if (saves_.worlds().entries().empty()) {
      EXPECT_EQ(saves_.worlds().damaged(), std::vector<std::string>{"World1.dat"});
    } else {
      expectLoadAndSaveRefused();
    }
    expectFilesKept(damaged, kept);
  }
  std::string aside;
  ASSERT_TRUE(saves_.worlds().restoreBackup("World1", &aside));
  saves_.worlds().list();
  EXPECT_EQ(saves_.loadWorldFile(nullptr).status, WorldLoadStatus::Loaded);
}

// A chests section holding three chests whose count was damaged to 2 (or to 4): the world is named
// damaged and never saved over, so when the count is mended the third chest is there with its iron
// pickaxe, 50 dirt and 3 lamps.
class MiscountedChestsTest : public DamagedSavesTest {
 protected:
  static constexpr uint16_t kChestBlock = 213, kIronPickaxe = 324, kDirtItem = 263, kLampItem = 1487;

  void SetUp() override {
    DamagedSavesTest::SetUp();
    for (const uint16_t id : {kDirtItem, kLampItem}) {  // they stack
      ItemDef& def = contentTables().itemDefs[id];
      def.record.bytes[content::item_record::freeStack] = 1;
      def.defined = true;
    }
  }

  static void threeChests(World& world) {
    Chest* third = nullptr;
    for (int32_t x : {5, 6, 7}) {
      MapBlock& cell = world.map().cell(x, 60);
      cell.front = block_word::compose(cell.front, kChestBlock, 0);
      third = &world.chests().add(std::make_unique<Chest>(cell, kChestBlock));
    }
    third->setItem(0, newItem(kIronPickaxe, 0, 1, 0, 0));
    third->setItem(1, newItem(kDirtItem, 0, 50, 0, 0));
    third->setItem(2, newItem(kLampItem, 0, 3, 0, 0));
  }
  static void write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  }
};

TEST_F(MiscountedChestsTest, AChestCountOneShortOrLongIsNamedAndNeverSavedOver) {
  savedWorld(threeChests);
  const fs::path file = folder("worlds") / "World1.dat";
  const fs::path backup = folder("worlds") / "World1.bak";
  const std::string whole = testsupport::readFile(file);
  const std::string kept = testsupport::readFile(backup);
  const size_t countAt = locate(Bytes(whole.begin(), whole.end()), world_file::kChests).offset;
  ASSERT_EQ(whole[countAt], 3);
  for (const int count : {2, 4}) {
    SCOPED_TRACE("count " + std::to_string(count));
    std::string damaged = whole;
    damaged[countAt] = static_cast<char>(count);
    write(file, damaged);
    EXPECT_EQ(worldFileDamage(file.string()), "its world data is damaged");
    saves_.worlds().list();
    ASSERT_EQ(saves_.worlds().entries().size(), 1u) << "listed, so that entering it tells the player";
    expectLoadAndSaveRefused();
    expectFilesKept(damaged, kept);
  }

  write(file, whole);
  saves_.worlds().list();
  WorldLoad loaded = saves_.loadWorldFile(nullptr);
  ASSERT_EQ(loaded.status, WorldLoadStatus::Loaded);
  ASSERT_EQ(loaded.world->chests().size(), 3u);
  const Chest& third = **std::next(loaded.world->chests().begin(), 2);
  EXPECT_EQ(third.cell().x, 7);
  for (const auto& [slot, id, count] : {std::tuple{size_t{0}, kIronPickaxe, 1}, {1, kDirtItem, 50}, {2, kLampItem, 3}}) {
    ASSERT_NE(third.itemAt(slot), nullptr);
    EXPECT_EQ(third.itemAt(slot)->id, id);
    EXPECT_EQ(third.itemAt(slot)->count, count);
  }
}

// A character file holds no check value: bytes replaced inside its item records read as other
// items, so only damage to its structure can be told.
class DamagedCharacterTest : public DamagedSavesTest {};

TEST_P(DamagedCharacterTest, ADamagedCharacterIsNamedAndItsBackupPutBackReads) {
  savedCharacter();
  const fs::path file = folder("players") / "Ann.dat";
  ASSERT_EQ(characterFileDamage(file.string()), "");
  savetest::damageFile(file, GetParam());
  const std::string damaged = testsupport::readFile(file);

  EXPECT_FALSE(characterFileDamage(file.string()).empty()) << "the damage goes unnoticed";
  EXPECT_EQ(characterFileDamage((folder("players") / "Ann.bak").string()), "") << "the backup reads back whole";
  CharacterStore& characters = saves_.characters();
  characters.scan("Ann");
  EXPECT_TRUE(characters.entries().empty());
  EXPECT_EQ(characters.damaged(), std::vector<std::string>{"Ann.dat"});

  std::string aside;
  ASSERT_TRUE(characters.restoreBackup("Ann.dat", &aside));
  EXPECT_EQ(testsupport::readFile(aside), damaged) << "the damaged file is kept aside as it was";
  characters.scan("Ann");
  ASSERT_EQ(characters.entries().size(), 1u);
  EXPECT_TRUE(characters.damaged().empty());
  kel::FileHandle restored(file.string(), kel::FileHandle::READ);
  CharacterRecord record;
  CharacterParts parts;
  EXPECT_TRUE(readCharacterFile(restored, record, parts));
}

TEST_P(DamagedCharacterTest, ASecondRestoreKeepsTheFirstDamagedFileToo) {
  savedCharacter();
  const fs::path file = folder("players") / "Ann.dat";
  std::string first, second;
  savetest::damageFile(file, GetParam());
  ASSERT_TRUE(saves_.characters().restoreBackup("Ann.dat", &first));
  savetest::damageFile(file, GetParam());
  ASSERT_TRUE(saves_.characters().restoreBackup("Ann.dat", &second));
  EXPECT_NE(first, second);
  EXPECT_TRUE(fs::exists(first));
  EXPECT_TRUE(fs::exists(second));
}

std::string nameOf(const ::testing::TestParamInfo<Damage>& damage) { return savetest::damageName(damage.param); }

INSTANTIATE_TEST_SUITE_P(EachDamage, DamagedSavesTest,
                         ::testing::Values(Damage::Emptied, Damage::CutShort, Damage::Header, Damage::Middle,
                                           Damage::CellsEntry, Damage::VersionTwo),
                         nameOf);
INSTANTIATE_TEST_SUITE_P(EachListedDamage, ListedDamagedWorldTest,
                         ::testing::Values(Damage::Middle, Damage::CellsEntry, Damage::VersionTwo), nameOf);
INSTANTIATE_TEST_SUITE_P(EachStructuralDamage, DamagedCharacterTest,
                         ::testing::Values(Damage::Emptied, Damage::CutShort, Damage::Header), nameOf);

}  // namespace
}  // namespace saves_test
