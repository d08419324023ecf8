#pragma once
// The start view over a store in a temporary folder, with two planets ("terra", "mars"), the
// desktop platform and the views on a layer of their own; the game it starts records the modes it
// is begun with.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/planets/planet_def.h"
#include "engine/scene/director.h"
#include "menus/menu_saves.h"
#include "menus/menu_views.h"
#include "menus/start_view.h"
#include "platform/desktop_file_system.h"
#include "platform/desktop_platform.h"
#include "platform/settings/settings.h"
#include "saves/launch/local_saves.h"
#include "tests/support/added_planets.h"
#include "tests/support/temp_dir.h"
#include "ui/views/game_views.h"
#include "view/main_layer.h"
#include "world/rules/game.h"
#include "tests/support/settings_reset.h"

namespace menutest {

// The store's folders under a temporary root.
class TempRoot final : public kel::DesktopFileSystem {
 public:
  explicit TempRoot(std::string root) : root_(std::move(root)) {}
  std::string writableRoot() const override { return root_; }

 private:
  std::string root_;
};

class RecordingGame final : public NullGame {
 public:
  void begin(uint8_t mode, const GameCompletion&) override { modes.push_back(mode); }
  std::vector<uint8_t> modes;
};

class StartViewFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::resetSettings();
    resetPlanetDefs();
    testsupport::addPlanetDef("terra", 1, 1);
    testsupport::addPlanetDef("mars", 2, 1);
    kel::DesktopPlatform::Services services;
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    kel::Platform::setInstance(platform.get());
    beforeViews();
    setMenuSaves(&saves);
    setMenuViewMaker(&menuViews);
    layer = MainLayer::create();
    layer->retain();
    createViews();
    gameViews()->setLayer(layer);
    gameViews()->switchTo(ViewId::Start);
  }
  void TearDown() override {
    destroyViews();
    layer->release();
    setMenuViewMaker(nullptr);
    setMenuSaves(nullptr);
    kel::Platform::setInstance(nullptr);
    platform.reset();
    resetPlanetDefs();
    testsupport::resetSettings();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
  // What a test adds once the platform is in place and before the views are made.
  virtual void beforeViews() {}
  StartView& start() { return dynamic_cast<StartView&>(gameViews()->view(ViewId::Start)); }
  bool hasRow(const std::string& text) {
    for (const auto& row : start().list().rows()) {
      if (row.text == text) return true;
    }
    return false;
  }

  testsupport::TempDir dir;
  TempRoot files{dir.path().string() + "/"};
  LocalSaves saves{files};
  MenuViewFactory menuViews;
  RecordingGame game;
  engine::Seam<GameInterface, NullGame>::Scoped useGame{currentGameSeam(), game};
  std::unique_ptr<kel::DesktopPlatform> platform;
  MainLayer* layer = nullptr;
};

}  // namespace menutest
