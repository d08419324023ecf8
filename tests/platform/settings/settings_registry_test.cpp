#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/settings/custom_setting.h"
#include "platform/settings/primitive_setting.h"
#include "platform/settings/settings_registry.h"
#include "tests/platform/settings/settings_test_host.h"
#include "tests/support/temp_dir.h"

namespace {

using kel::Options;
using kel::ServerInfo;
using kel::Setting;
using kel::SettingsRegistry;
using kel::base::VideoMode;
using BoolSetting = kel::PrimitiveSetting<bool, 0>;
using StringSetting = kel::PrimitiveSetting<std::string, 2>;
using ScaleSetting = kel::EnumSetting<kel::UIScale>;
using AnchorSetting = kel::EnumSetting<kel::Anchor>;
using VideoModeSetting = kel::CustomSetting<VideoMode>;
using ServersSetting = kel::CustomSetting<std::vector<ServerInfo>>;

class SettingsRegistryTest : public testing::Test {
 protected:
  std::string settingsFile() const { return (home.path() / "Rubblemoor" / "settings.json").string(); }
  void writeFile(const std::string& text) {
    std::filesystem::create_directories(home.path() / "Rubblemoor");
    std::ofstream(settingsFile(), std::ios::binary) << text;
  }
  static Options readBack() {
    Options fresh;
    settingstest::TestSettingsHost reader;
    SettingsRegistry(fresh).load(reader);
    return fresh;
  }
  Options loadFrom(const std::string& text) {
    writeFile(text);
    return readBack();
  }

  testsupport::ScopedDataHome home;
  Options options;
  SettingsRegistry registry{options};
  settingstest::TestSettingsHost host;
};

// Gives every persisted option a value other than its default, through its Setting.
void changeEveryPersistedOption(SettingsRegistry& registry) {
  for (const auto& setting : registry.all()) {
    if (!setting->persisted()) continue;
    Setting* s = setting.get();
    if (auto* b = dynamic_cast<BoolSetting*>(s)) {
      b->value() = !b->defaultValue();
    } else if (auto* f = dynamic_cast<kel::FloatSetting*>(s)) {
      f->value() = f->defaultValue() + 1.5f;
    } else if (auto* t = dynamic_cast<StringSetting*>(s)) {
      t->value() = "Wörld; \"quoted\"";
    } else if (auto* scale = dynamic_cast<ScaleSetting*>(s)) {
      scale->value() = kel::UIScale{static_cast<uint8_t>(static_cast<uint8_t>(scale->defaultValue()) + 1)};
    } else if (auto* anchor = dynamic_cast<AnchorSetting*>(s)) {
      anchor->value() = kel::Anchor{static_cast<uint32_t>(anchor->defaultValue()) + 0x80000000u};
    } else if (auto* mode = dynamic_cast<VideoModeSetting*>(s)) {
      mode->value() = VideoMode{1280, 720};
    } else if (auto* servers = dynamic_cast<ServersSetting*>(s)) {
      servers->value() = {ServerInfo("home", "127.0.0.1", 4000), ServerInfo("semi;colon", "host", 65535)};
    } else {
      ADD_FAILURE() << "no way to change " << s->name();
    }
  }
}

TEST_F(SettingsRegistryTest, EveryOptionRoundTripsThroughTheFileAndResetGivesTheStartValues) {
  changeEveryPersistedOption(registry);
  ASSERT_TRUE(registry.save(host));
  EXPECT_EQ(readBack(), options);
  EXPECT_NE(options, Options{});
  for (const auto& setting : registry.all()) {
    if (setting->persisted()) setting->reset();
  }
  EXPECT_EQ(options, Options{});  // low battery stays off: it is never reset or loaded
}

TEST_F(SettingsRegistryTest, MissingFileGivesDefaultsAndIsWrittenWhole) {
  changeEveryPersistedOption(registry);
  registry.load(host);
  EXPECT_EQ(options, Options{});
  const auto check = settingstest::onDisk();
  for (const auto& setting : registry.all()) {
    EXPECT_EQ(check->has(setting->key()), setting->persisted()) << setting->name();
  }
}

TEST_F(SettingsRegistryTest, WronglyTypedMembersCountAsMissing) {
  const Options read = loadFrom(R"({
    "option-fullScreen": 0,
    "option-musicVolume": "loud",
    "option-favoriteWorld": 12,
    "option-uiScale": 300,
    "option-windowAnchor": 2.5,
    "option-videoMode": 1280,
    "option-servers": "home;127.0.0.1;4000"
  })");
  EXPECT_EQ(read, Options{});
}

TEST_F(SettingsRegistryTest, DamagedVideoModesFallBackToTheDefault) {
  for (const char* text : {"1280-", "1280-720-1", "70000-720", "0-720", "1280-+720"}) {
    const Options read = loadFrom(std::string(R"({"option-videoMode": ")") + text + "\"}");
    EXPECT_EQ(read.videoMode, (VideoMode{1920, 1200})) << text;
  }
  EXPECT_EQ(loadFrom(R"({"option-videoMode": "65535-1"})").videoMode, (VideoMode{65535, 1}));
}

TEST_F(SettingsRegistryTest, DamagedServerEntriesAreSkippedAndTheListIsReplaced) {
  options.servers = {ServerInfo("old", "x", 1)};
  writeFile(R"({"option-servers": [
    "good;10.0.0.1;7777", "no port;host", "bad;host;port", "big;host;65536", "name;with;semi;addr;1"
  ]})");
  registry.load(host);
  EXPECT_EQ(options.servers, (std::vector<ServerInfo>{ServerInfo("good", "10.0.0.1", 7777),
                                                      ServerInfo("name;with;semi", "addr", 1)}));
}

TEST_F(SettingsRegistryTest, KeyBindingsAndVersionPassThroughTheStoreOnlyAsStringLists) {
  writeFile(R"({"keybinds": ["0:0", "10:143"], "version": "3.0"})");
  registry.load(host);
  EXPECT_EQ(host.loadedBindings, (std::vector<std::string>{"0:0", "10:143"}));
  host.currentBindings = {"4:57"};
  ASSERT_TRUE(registry.save(host));
  EXPECT_EQ(settingstest::onDisk()->getStringList("keybinds"), std::vector<std::string>{"4:57"});
  EXPECT_EQ(settingstest::onDisk()->getString("version"), "3.1-steam");
  // A binding that is no string is damage: the ones that read are still the player's.
  writeFile(R"({"keybinds": ["0:0", 5]})");
  settingstest::TestSettingsHost fresh;
  registry.load(fresh);
  EXPECT_EQ(fresh.bindingLoads, 1);
  EXPECT_EQ(fresh.loadedBindings, std::vector<std::string>{"0:0"});
}

// A server list with one entry that is no string keeps the others, in memory and on disk, and the
// file is named damaged with its bytes kept aside.
TEST_F(SettingsRegistryTest, AServerListWithAnEntryThatIsNoStringKeepsTheRest) {
  const std::string text = R"({"option-servers": ["good;10.0.0.1;7777", {"name": "odd"}, "also;10.0.0.2;7778"]})";
  writeFile(text);
  registry.load(host);
  const std::vector<ServerInfo> kept{ServerInfo("good", "10.0.0.1", 7777), ServerInfo("also", "10.0.0.2", 7778)};
  EXPECT_EQ(options.servers, kept);
  const kel::DamagedSettingsFile damaged = host.defaults().damagedFile();
  EXPECT_EQ(damaged.path, settingsFile());
  EXPECT_TRUE(damaged.keptWhatRead);
  std::ifstream aside(damaged.keptAs, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(aside), {}), text) << "the damaged bytes are kept aside";
  // Loading writes the settings back at once: the good entries, not an empty list.
  const auto written = settingstest::onDisk();
  EXPECT_TRUE(written->damagedFile().path.empty());
  EXPECT_EQ(written->getStringList("option-servers"),
            (std::vector<std::string>{kept[0].toStoredText(), kept[1].toStoredText()}));
  EXPECT_EQ(readBack().servers, kept);
}

TEST(ServerInfoText, AnAddressWithoutAUsablePortTakesTheDefault) {
  EXPECT_EQ(ServerInfo("n", std::string_view("example.org:8080")), ServerInfo("n", "example.org", 8080));
  EXPECT_EQ(ServerInfo("n", std::string_view("host:99999")).port, 12345);
  EXPECT_FALSE(ServerInfo::fromStoredText("a;b;-1").has_value());
}

}  // namespace
