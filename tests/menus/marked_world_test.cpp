// A world left marked by a load that never returned gets its backup back when the start view
// shows, and the marker goes, whether or not there was a backup.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "menus/marked_world.h"
#include "platform/desktop_file_system.h"
#include "platform/settings/settings.h"
#include "platform/settings/settings_entries.h"
#include "saves/store/world_store.h"
#include "tests/platform/settings/settings_test_host.h"
#include "tests/support/temp_dir.h"
#include "tests/support/settings_reset.h"

namespace {

class MarkedWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::resetSettings();
    kel::setSettingsHost(&host);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { testsupport::resetSettings(); }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(folder + "/" + name, std::ios::binary | std::ios::trunc) << text;
  }
  std::string read(const std::string& name) {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  testsupport::ScopedDataHome home;
  testsupport::TempDir dir;
  settingstest::TestSettingsHost host;
  std::string folder = dir.file("worlds");
  kel::DesktopFileSystem files;
  WorldStore worlds{files, folder};
};

TEST_F(MarkedWorldTest, TheMarkedWorldsBackupIsPutBackAndTheMarkerCleared) {
  write("World1.dat", "half written");
  write("World1.bak", "the last good save");
  kel::settings_entries::setMarkedWorld(host.defaults(), "World1.dat");
  EXPECT_TRUE(restoreMarkedWorld(worlds));
  EXPECT_EQ(read("World1.dat"), "the last good save");
  EXPECT_EQ(read("World1.bak"), "the last good save") << "the backup stays";
  EXPECT_TRUE(kel::getMarkedWorld().empty());
}

TEST_F(MarkedWorldTest, WithoutABackupOrAMarkerNothingChanges) {
  write("World2.dat", "as it is");
  kel::settings_entries::setMarkedWorld(host.defaults(), "World2.dat");
  EXPECT_FALSE(restoreMarkedWorld(worlds));
  EXPECT_EQ(read("World2.dat"), "as it is");
  EXPECT_TRUE(kel::getMarkedWorld().empty()) << "not tried again at the next launch";
  EXPECT_FALSE(restoreMarkedWorld(worlds));
}

}  // namespace
