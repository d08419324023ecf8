#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/settings/settings.h"
#include "platform/settings/settings_entries.h"
#include "platform/settings/settings_registry.h"
#include "tests/platform/settings/settings_test_host.h"
#include "tests/support/temp_dir.h"
#include "tests/support/settings_reset.h"

namespace {

namespace entries = kel::settings_entries;
using settingstest::onDisk;

// A difficulty switch at the given time, stored the way the store keeps it: seconds cut to 32 bits.
void storeSwitchAt(kel::DefaultsBridge& store, int64_t seconds) {
  store.setInt("lastDifficultySwitch", static_cast<int32_t>(static_cast<uint32_t>(seconds)));
}

class SettingsEntriesTest : public testing::Test {
 protected:
  void SetUp() override { testsupport::resetSettings(); }
  void TearDown() override { testsupport::resetSettings(); }

  testsupport::ScopedDataHome home;
  settingstest::TestSettingsHost host;
};

TEST_F(SettingsEntriesTest, DifficultySwitchIsRecentForLessThanAnHourEvenPast2038) {
  const int64_t now = 1'700'000'000;
  EXPECT_FALSE(entries::lastDifficultySwitchRecent(host.store, now));
  storeSwitchAt(host.store, now - 3599);
  EXPECT_TRUE(entries::lastDifficultySwitchRecent(host.store, now));
  storeSwitchAt(host.store, now - 3600);
  EXPECT_FALSE(entries::lastDifficultySwitchRecent(host.store, now));
  // Past 2038 the seconds no longer fit 32 bits; both sides are cut alike, so the difference
  // still holds.
  const int64_t later = (int64_t{1} << 32) + 100;
  storeSwitchAt(host.store, later - 10);
  EXPECT_TRUE(entries::lastDifficultySwitchRecent(host.store, later));
  EXPECT_FALSE(entries::lastDifficultySwitchRecent(host.store, later + 3590));
}

TEST_F(SettingsEntriesTest, WithoutAHostTheOperationsDoNothing) {
  kel::options().musicVolume = 0.5f;
  kel::loadSettings();
  kel::saveSettings();
  EXPECT_FLOAT_EQ(kel::options().musicVolume, 0.5f);
  EXPECT_EQ(kel::getMarkedWorld(), "");
  EXPECT_FALSE(std::filesystem::exists(home.path() / "Rubblemoor"));
}

TEST_F(SettingsEntriesTest, ProcessOptionsLoadAndSaveThroughTheRegisteredHost) {
  kel::setSettingsHost(&host);
  std::filesystem::create_directories(home.path() / "Rubblemoor");
  std::ofstream(home.path() / "Rubblemoor" / "settings.json")
      << R"({"option-musicVolume": 0.5, "option-videoMode": "800-600", "lastPlayer": "Bo"})";
  kel::loadSettings();
  EXPECT_FLOAT_EQ(kel::options().musicVolume, 0.5f);
  EXPECT_EQ(kel::getLastPlayer(), "Bo");
  kel::options().firstTimeCraftbook = false;
  kel::saveSettings();
  EXPECT_TRUE(onDisk()->has("option-firstTimeCraftbook"));

  EXPECT_FALSE(kel::getLastDifficultySwitch());
  storeSwitchAt(host.store, static_cast<int64_t>(std::time(nullptr)) - 60);
  EXPECT_TRUE(kel::getLastDifficultySwitch());
}

TEST_F(SettingsEntriesTest, TheHostPortIsKeptInTheFileAndANumberThatIsNoPortIsNotOffered) {
  kel::setSettingsHost(&host);
  EXPECT_EQ(kel::getHostPort(), 12345) << "the default port until one is kept";
  kel::setHostPort(40000);
  EXPECT_EQ(onDisk()->getInt("hostPort"), 40000) << "written to the file at once";
  EXPECT_EQ(entries::hostPort(*onDisk()), 40000);
  host.store.setInt("hostPort", 70000);
  EXPECT_EQ(kel::getHostPort(), 12345);
  host.store.setString("hostPort", "40000");
  EXPECT_EQ(kel::getHostPort(), 12345);
}

TEST_F(SettingsEntriesTest, TheJoinAddressAndPortAreKeptInTheFileAndDamagedOnesAreNotOffered) {
  kel::setSettingsHost(&host);
  EXPECT_EQ(kel::getJoinTarget(), (std::pair<std::string, uint16_t>{"", 12345})) << "nothing kept yet";
  kel::setJoinTarget("192.168.1.20", 40404);
  EXPECT_EQ(onDisk()->getString("joinAddress"), "192.168.1.20") << "written to the file at once";
  EXPECT_EQ(onDisk()->getInt("joinPort"), 40404);
  EXPECT_EQ(kel::getJoinTarget(), (std::pair<std::string, uint16_t>{"192.168.1.20", 40404}));
  // A hand-edited file: a port out of range or of another type, an address that is no text.
  host.store.setInt("joinPort", 0);
  EXPECT_EQ(kel::getJoinTarget().second, 12345);
  host.store.setInt("joinPort", 65536);
  EXPECT_EQ(kel::getJoinTarget().second, 12345);
  host.store.setString("joinPort", "40404");
  EXPECT_EQ(kel::getJoinTarget().second, 12345);
  host.store.setInt("joinAddress", 7);
  EXPECT_EQ(kel::getJoinTarget().first, "");
}

TEST_F(SettingsEntriesTest, AnOptionFoundByNameResetsToItsDefault) {
  auto* full = kel::settingsRegistry().find("fullScreen");
  ASSERT_NE(full, nullptr);
  kel::options().fullScreen = false;
  full->reset();
  EXPECT_TRUE(kel::options().fullScreen);
}

}  // namespace
