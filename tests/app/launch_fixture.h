#pragma once
// A launch without a window system: the desktop platform over a temporary data folder and
// settings home, a window layer and launch steps that only record what they are asked, and a
// silent audio engine. Every recording lands in one event list, so tests can check the order of steps.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/launch_steps.h"
#include "content/loader/content_database.h"
#include "content/texts/language_texts.h"
#include "tests/support/language_texts_reset.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "platform/audio/audio_engine.h"
#include "platform/desktop_platform.h"
#include "platform/platform_settings_host.h"
#include "platform/screen_layout.h"
#include "platform/settings/settings.h"
#include "platform/steam/steam_api.h"
#include "tests/content/content_file_builder.h"
#include "tests/support/alert_recorder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/settings_reset.h"
#include "tests/support/screen_layout_reset.h"

namespace launchtest {

using Events = std::vector<std::string>;

class CountingSteamApi : public kel::SteamApi {
 public:
  bool init() override { return true; }
  void shutdown() override { ++shutdowns; }
  void runCallbacks() override { ++pumps; }
  void setWarningMessageHook(WarningHook) override {}
  kel::SteamUser* user() override { return nullptr; }
  kel::SteamFriends* friends() override { return nullptr; }
  kel::SteamUserStats* userStats() override { return nullptr; }
  kel::SteamNetworking* networking() override { return nullptr; }
  int pumps = 0;
  int shutdowns = 0;
};

class RecordingWindow : public kel::WindowControl {
 public:
  explicit RecordingWindow(Events& events) : events_(events) {}
  bool hasView() const override { return created_; }
  void createView(const std::string& title) override {
    created_ = true;
    events_.push_back("view " + title);
  }
  void applyMode(uint16_t width, uint16_t height, bool fullScreen) override {
    events_.push_back("window " + std::to_string(width) + "x" + std::to_string(height) +
                      (fullScreen ? " full" : " windowed"));
  }

 private:
  Events& events_;
  bool created_ = false;
};

class RecordingSteps : public LaunchSteps {
 public:
  explicit RecordingSteps(Events& events) : events_(events) {}
  void clearCurrentWorld() override { note("clear world"); }
  void updateVisibleCellCounts() override { note("cells"); }

  void createViews() override { note("create views"); }
  void setBookPages(const BookEntry* begin, const BookEntry* end) override {
    note("book pages " + std::to_string(end - begin));
  }
  ViewId currentView() const override { return current; }
  void refreshInventory() override { note("refresh inventory"); }
  void showPauseView() override {
    note("pause view");
    current = ViewId::Pause;
  }
  void layOutViews() override { note("lay out views"); }
  void joinStoreFrontHost(uint64_t hostId) override { note("join store-front host " + std::to_string(hostId)); }

  engine::Node* createMainLayer() override {
    note("main layer");
    layer = engine::InnerNode::create();
    return layer;
  }
  kel::NextMusicScheduler* nextMusicScheduler() override { return nullptr; }
  void layOutWorldView() override { note("lay out world view"); }

  bool hasRunningGame() const override { return running; }
  bool hasCurrentLogic() const override { return logic; }
  bool hasLocalPlayer() const override { return player; }
  void clearLocalPlayer() override { note("clear player"); }
  void clearStatistics() override { note("clear statistics"); }
  void rebuildCollections() override { note("collections"); }
  void stopLocalPlayerMoving() override { note("stop moving"); }
  void installGameTables() override { note("game tables"); }

  void saveWorld() override { note("save world"); }
  void saveCharacter() override { note("save character"); }
  void registerEntityEffects() override { note("entity effects"); }

  ViewId current = ViewId::None;
  engine::Node* layer = nullptr;
  bool running = false, logic = false, player = false;

 private:
  void note(std::string event) { events_.push_back(std::move(event)); }
  Events& events_;
};

inline std::string intactContentFile() {
  contenttest::ContentFileBuilder builder;
  builder.fixedSections();
  builder.sections.u32(0);
  const std::vector<uint8_t> bytes = builder.scrambled();
  return std::string(bytes.begin(), bytes.end());
}

class LaunchTest : public ::testing::Test {
 protected:
  static void resetProcessState() {
    testsupport::resetSettings();
    resetContentDatabase();
    resetLanguageTexts();
    resetScreenLayout();
  }

  void SetUp() override {
    resetProcessState();
    kel::DesktopPlatform::Services services;
    auto steam = std::make_unique<CountingSteamApi>();
    steamApi = steam.get();
    services.steam = std::move(steam);
    services.installCrashReporter = false;
    // The data folder is found through "<executable folder>/../../data": the folder must exist.
    std::filesystem::create_directories(root.path() / "out" / "bin");
    const std::string executable = (root.path() / "out" / "bin" / "rubblemoor").string();
    services.executablePath = [executable] { return executable; };
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    settingsHost = std::make_unique<kel::PlatformSettingsHost>(*platform);
    kel::Platform::setInstance(platform.get());
    kel::setSettingsHost(settingsHost.get());
    platform->setWindowControl(&window);
    kel::AudioEngine::createInstance(kel::OutputMode::Silent);
  }

  void TearDown() override {
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
    kel::AudioEngine::destroyInstance();
    kel::setSettingsHost(nullptr);
    kel::Platform::setInstance(nullptr);
    platform.reset();
    resetProcessState();
  }

  void writeContentFile(const std::string& bytes) { root.write("data/data.dat", bytes); }
  std::string settingsPath() const {
    return static_cast<kel::DesktopFileSystem*>(platform->fileSystem())->settingsPath();
  }

  testsupport::ScopedDataHome dataHome;
  testsupport::TempDir root;
  Events events;
  std::vector<std::string> alerts;
  testsupport::AlertRecorder alertBox{
      [this](const std::string& title, const std::string& text) { alerts.push_back(title + " / " + text); }};
  testsupport::ScopedAlertBox useAlertBox{engine::alertBoxSeam(), alertBox};
  CountingSteamApi* steamApi = nullptr;
  std::unique_ptr<kel::DesktopPlatform> platform;
  std::unique_ptr<kel::PlatformSettingsHost> settingsHost;
  RecordingWindow window{events};
  RecordingSteps seams{events};
};

}  // namespace launchtest
