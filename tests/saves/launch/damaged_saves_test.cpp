// Each way a world file is found damaged (emptied, cut short, its header or its middle replaced),
// and a character file's structural damage: the file is named with what is wrong, its whole backup is judged whole, and putting
// the backup back keeps the damaged file aside and gives a save that loads again.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "platform/settings/settings.h"
#include "saves/character/character_file.h"
#include "saves/launch/local_saves.h"
#include "saves/store/save_damage.h"
#include "saves/world/world_file_format.h"
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
  void savedWorld() {
    saves_.worlds().list();
    saves_.worlds().createEntry(params(0), 1000);
    auto world = makeWorld(0);
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
      EXPECT_EQ(saves_.loadWorldFile(nullptr).status, WorldLoadStatus::Unreadable);
      auto world = makeWorld(0);
      EXPECT_FALSE(saves_.saveWorld(*world, [](bool) {}));
      saves_.waitForWrites();
    }
    EXPECT_EQ(testsupport::readFile(file), damaged) << "the damaged file was written over";
    EXPECT_EQ(testsupport::readFile(backup), kept) << "the backup was pushed out";
  }
  std::string aside;
  ASSERT_TRUE(saves_.worlds().restoreBackup("World1", &aside));
  saves_.worlds().list();
  EXPECT_EQ(saves_.loadWorldFile(nullptr).status, WorldLoadStatus::Loaded);
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
