// Worlds saved and loaded through the local store: a world file that fails to load is never
// written over, so its backup stays the good one; an adventure keeps its links and planet files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/desktop_file_system.h"
#include "platform/settings/settings.h"
#include "saves/launch/local_saves.h"
#include "tests/saves/world/world_file_fixture.h"
#include "world/blocks/sign.h"

namespace saves_test {
namespace {

namespace fs = std::filesystem;

class WorldSavesTest : public WorldFileTest {
 protected:
  void SetUp() override {
    WorldFileTest::SetUp();
    kel::resetSettings();
  }
  void TearDown() override {
    kel::resetSettings();
    WorldFileTest::TearDown();
  }

  engine::Seam<WorldSaveLinks, NullWorldSaveLinks>::Scoped useLinks{worldSaveLinksSeam(), links};

  fs::path worldsFolder() const { return home_.path() / "Rubblemoor" / "worlds"; }
  std::string bytesOf(const std::string& name) const { return testsupport::readFile(worldsFolder() / name); }

  std::unique_ptr<World> newWorld(uint8_t mode, const std::string& text) {
    saves_.worlds().list();
    saves_.worlds().createEntry(params(mode), 1000);
    auto world = makeWorld(mode);
    world->signs().add(std::make_unique<Sign>(world->map().cell(3, 40))).setText(text.c_str());
    return world;
  }

  WorldLoad relist() {
    saves_.worlds().list();
    return saves_.loadWorldFile(nullptr);
  }

  static std::string signOf(World& world) { return std::string((*world.signs().begin())->text()); }

  testsupport::ScopedDataHome home_;
  kel::DesktopFileSystem files_;
  LocalSaves saves_{files_};
};

TEST_F(WorldSavesTest, AFailedLoadNeverPushesTheGoodBackupOut) {
  kel::options().keepBackupOfSaves = true;
  auto world = newWorld(0, "old");
  saves_.setPlayerCellsSource([] { return PlayerCells{9, 8, 7, 6}; });
  ASSERT_TRUE(saves_.saveWorld(*world));
  (*world->signs().begin())->setText("new");
  ASSERT_TRUE(saves_.saveWorld(*world));
  ASSERT_TRUE(fs::exists(worldsFolder() / "World1.bak"));

  // The file is damaged behind the game's back: it loses its last bytes.
  std::string damaged = bytesOf("World1.dat");
  damaged.resize(damaged.size() - 40);
  std::ofstream(worldsFolder() / "World1.dat", std::ios::binary | std::ios::trunc) << damaged;
  const std::string backup = bytesOf("World1.bak");
  EXPECT_EQ(relist().status, WorldLoadStatus::Unreadable);

  // Whatever the player goes on with is not written over the damaged file and its backup.
  auto other = makeWorld(0);
  EXPECT_FALSE(saves_.saveWorld(*other));
  EXPECT_FALSE(saves_.saveWorld(*other));
  EXPECT_EQ(bytesOf("World1.dat"), damaged);
  EXPECT_EQ(bytesOf("World1.bak"), backup);

  ASSERT_TRUE(saves_.worlds().restoreBackup("World1"));
  WorldLoad restored = relist();
  ASSERT_EQ(restored.status, WorldLoadStatus::Loaded);
  EXPECT_EQ(signOf(*restored.world), "old");
  EXPECT_EQ(restored.player, (PlayerCells{9, 8, 7, 6}));
  EXPECT_EQ(saves_.worlds().current()->width, 512);
  EXPECT_TRUE(saves_.saveWorld(*restored.world));
}

TEST_F(WorldSavesTest, AdventureKeepsItsLinksAndAFileForThePlanet) {
  auto world = newWorld(3, "far");
  saves_.planetLinks() = {{kPlanet, 2, 1, 2, 3, 4}};
  ASSERT_TRUE(saves_.saveWorld(*world));
  EXPECT_TRUE(fs::exists(worldsFolder() / "Adventure1" / "moor1.dat"));
  saves_.planetLinks().clear();

  WorldLoad load = relist();
  ASSERT_EQ(load.status, WorldLoadStatus::Loaded);
  EXPECT_EQ(signOf(*load.world), "far");
  EXPECT_EQ(saves_.planetLinks(), (std::vector<PlanetLinkRecord>{{kPlanet, 2, 1, 2, 3, 4}}));

  fs::rename(worldsFolder() / "Adventure1" / "moor1.dat", worldsFolder() / "Adventure1" / "moor1.bak");
  EXPECT_EQ(relist().status, WorldLoadStatus::PlanetMissingWithBackup);
  fs::remove(worldsFolder() / "Adventure1" / "moor1.bak");
  EXPECT_EQ(relist().status, WorldLoadStatus::PlanetMissing);
}

}  // namespace
}  // namespace saves_test
