#pragma once
// The game fixture's world and local player made the running ones, with the fifteen views created
// on a layer, bound to the fixture's game and rules in that running world (a test binds a game
// of its own with `play`), and controls that record nothing.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "engine/scene/director.h"
#include "game/catalogue/item_catalogue.h"
#include "game/inventory/inventory.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "platform/desktop_platform.h"
#include "platform/settings/settings.h"
#include "tests/game/game_fixture.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"
#include "view/main_layer.h"
#include "world/map/world_params.h"

namespace ui_test {

class PlayTest : public game_test::GameTest {
 protected:
  PlayTest() : PlayTest(GameServices{}) {}
  // The fixture's game plays in the process's running world, with what else a test gives it.
  explicit PlayTest(GameServices services) : GameTest(inRunningWorld(std::move(services))) {}

  void SetUp() override {
    GameTest::SetUp();
    kel::DesktopPlatform::Services services;
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    kel::Platform::setInstance(platform.get());
    runningWorld().world = std::move(world);
    runningWorld().player = std::move(player);
    local = runningWorld().player.get();
    layer = MainLayer::create();
    layer->retain();
    createViews();
    gameViews()->setLayer(layer);
    gameViews()->session().bind(&game, &rules, &rules, &rules, &runningWorld(), &statistics);
  }
  void TearDown() override {
    destroyViews();
    layer->release();
    world.reset(runningWorld().world.release());
    player.reset(runningWorld().player.release());
    kel::Platform::setInstance(nullptr);
    platform.reset();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
    GameTest::TearDown();
  }
  World& theWorld() { return *runningWorld().world; }
  MapBlock& cell(int32_t x, int32_t y) { return *theWorld().cellAt(x, y); }
  GameViews& views() { return *gameViews(); }
  // The views play this game (with the fixture's rules) in the running world from now on.
  void play(GameInterface& played) { views().session().bind(&played, &rules, &rules, &rules, &runningWorld(), &statistics); }
  // The player moves into a new creative world, its catalogue filled from the sources and handed
  // to the player as the game's entry into a creative world does.
  void makeCreative(const std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount>& sources = {}) {
    game.catalogue().setSources(sources, 1);
    local->inventory->setCatalogue(&game.catalogue());
    WorldParams params;
    params.mode = 1;
    std::unique_ptr<World> creative = World::create(&difficulty, params, kWidth, kHeight, worldContext());
    local->setWorld(creative.get());
    rules.setWorld(creative.get());
    game.lendWorld(creative.get());
    runningWorld().world = std::move(creative);
  }

  std::unique_ptr<kel::DesktopPlatform> platform;
  StatsStore statistics;  // the played game's, which the views show
  MainLayer* layer = nullptr;
  PlayerDesktopLocal* local = nullptr;

 private:
  static GameServices inRunningWorld(GameServices services) {
    services.running = &runningWorld();
    return services;
  }
};

// The play fixture on the main view, the player standing on cell (10, 10).
class MainViewPlayTest : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    local->setCellCoordinates(10, 10);
    views().switchTo(ViewId::Main);
  }
  MainView& main() { return views().mainView(); }
};

}  // namespace ui_test
