#include "app/game_wiring.h"

#include <functional>
#include <string>
#include <vector>

#include "app/app_delegate.h"
#include "content/loader/content_database.h"
#include "engine/base/utf.h"
#include "engine/io/file_utils.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/window/alert.h"
#include "entities/core/world_entities.h"
#include "game/player/player_events.h"
#include "game/session/game_screen.h"
#include "platform/audio/audio_engine.h"
#include "game/session/game_sound_listener.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "menus/menu_saves.h"
#include "menus/menu_views.h"
#include "menus/wait_view.h"
#include "net/host_game/hosting.h"
#include "ui/views/game_view.h"
#include "platform/resource_folders.h"
#include "platform/settings/settings.h"
#include "ui/views/game_views.h"
#include "ui/widgets/ui_draw.h"
#include "view/main_layer_views.h"
#include "world/cells/visible_cell_counts.h"
#include "world/light/carried_lights.h"
#include "world/light/light_refresh_batching.h"
#include "world/world.h"

namespace {

engine::Director* director() { return engine::Director::getInstance(); }

// The wait view's two lines, which the transfer's statuses write.
void writeWaitLines(const std::string& first, const std::string& second) {
  GameViews* views = gameViews();
  if (auto* wait = views != nullptr ? views->menuView<WaitView>() : nullptr) {
    wait->setStatus(first, second);
  }
}

}  // namespace

GameWiring::GameWiring(kel::DesktopPlatform::Services services)
    : platform_(std::move(services)),
      settingsHost_(platform_),
      controls_(director()->getEventDispatcher()),
      textFields_(director()->getEventDispatcher(), director()->getScheduler()),
      // A world file's write ends on the save worker; its completion comes back through the
      // scheduler, as the text fields' timers do.
      saves_(*platform_.fileSystem(),
             [scheduler = director()->getScheduler()](std::function<void()> completion) {
               scheduler->performFunctionInMainThread(std::move(completion));
             }),
      gameSaves_(saves_, runningWorld(), statsStore(), &settingsHost_),
      transferScreen_(writeWaitLines, &interface_),
      gameScreen_(runningWorld(), interface_),
      session_(WorldContext{.refresh = &tileRefresh_,
                            .sounds = &cellSounds_,
                            .carriedLights = &carriedLights_,
                            .lightBatching = &tileRefresh_,
                            .effectHooks = &effectHooks_,
                            .drawings = &entityDrawings_,
                            .options = &worldOptions_,
                            .portals = &portals_,
                            .scheduler = director()->getScheduler(),
                            .visibleCells = &visibleCellCounts()},
               &runningWorld(), &playerEvents_, {},
               GameServices{.screen = &gameScreen_, .saves = &gameSaves_, .stats = &statsStore()}) {
  wire([this] { kel::Platform::setInstance(&platform_); }, [] { kel::Platform::setInstance(nullptr); });
  // At the end of the run the views' labels are gone; the cache also forgets which fonts failed,
  // so a later run in this process (the end-to-end tests make several) reads them again.
  wire([] { engine::FontAtlasCache::setFallbackFonts({kFontSmall, kFontTooltip, kFontTiny, kFontBig}); },
       [] {
         engine::FontAtlasCache::setFallbackFonts({});
         engine::FontAtlasCache::purgeCachedData();
       });
  wire([this] { kel::setSettingsHost(&settingsHost_); }, [] { kel::setSettingsHost(nullptr); });
  wire([this] { engine::setAlertBox(&alertBox_); }, [] { engine::setAlertBox(nullptr); });
  engine::FileUtils::setResourcePath(platform_.folderPath(kel::FOLDER_DATA));
  wire([this] { platform_.setWindowControl(&window_); }, [this] { platform_.setWindowControl(nullptr); });
  wire([this] { platform_.setControlsHandlerFactory(&controls_); },
       [this] { platform_.setControlsHandlerFactory(nullptr); });
  wire([this] { platform_.setTextFieldFactory(&textFields_); }, [this] { platform_.setTextFieldFactory(nullptr); });
  wire([this] { platform_.setNetBridgeFactory(kel::NET_KIND_DIRECT, &directBridges_); },
       [this] { platform_.setNetBridgeFactory(kel::NET_KIND_DIRECT, nullptr); });
  wire([this] { platform_.setNetBridgeFactory(kel::NET_KIND_STEAM, &steamBridges_); },
       [this] { platform_.setNetBridgeFactory(kel::NET_KIND_STEAM, nullptr); });
  wire([this] { setWorldSaveLinks(&saveLinks_); }, [] { setWorldSaveLinks(nullptr); });
  // A store front or pop-up registered before the launch (a test's) stays in place.
  if (!statsStore().servicesRegistered()) {
    wire([this] { statsStore().setServices(platform_.achievements(), &achievementBanner_); },
         [] { statsStore().setServices(nullptr, nullptr); });
  }
  wire([this] { platform_.setSteamStatsTarget(&statsStore()); },
       [this] { platform_.setSteamStatsTarget(nullptr); });
  // A whole-view re-tint reaches the drawn entities too.
  tileRefresh_.setEntityRelight([] {
    if (World* world = runningWorld().world.get()) {
      if (WorldEntities* entities = world->entities()) EntityDrawingFactory::relightAll(*entities);
    }
  });
  wire([this] { setMainLayerViews(&interface_); }, [] { setMainLayerViews(nullptr); });
  // The menus' views join the fifteen when the launch creates them; the menus list the store.
  wire([this] { setMenuViewMaker(&menuViews_); }, [] { setMenuViewMaker(nullptr); });
  wire([this] { setMenuSaves(&saves_); }, [] { setMenuSaves(nullptr); });
  // A joined game shows the other players, a client joining and its own download through the interface.
  joins_.setScreens(netScreens());
  wire([this] { menuNetworkSeam().set(&network_); }, [] { menuNetworkSeam().set(nullptr); });
  wire([this] { session_.bindCurrent(); }, [this] { session_.unbindCurrent(); });
  // Sounds at a cell fade with the distance from the local player; the listener lives as long
  // as the process, like the audio engine.
  kel::AudioEngine::getInstance()->setWorldSource(&gameSoundListener());
}

GameWiring::~GameWiring() {
  endNetworkPlay();
  session_.end();
  wiring_.undoAll();
}

void GameWiring::endNetworkPlay() {
  // Hosting and a joined game hand what they free to the next frame's tasks; at the end of the run
  // the run's director is gone, so a director made for it takes them and is let go of at once.
  const bool hadDirector = engine::Director::hasInstance();
  endHosting();
  joins_.returnToLocalGame();
  if (!hadDirector && engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
}

WiredLaunchSteps::Parts GameWiring::launchParts() {
  return {.world = world_, .entityEffects = entityEffects_, .game = game_, .saves = saves_,
          .worldView = worldView_, .interface = interface_};
}

int runGame(int argc, char** argv, kel::DesktopPlatform::Services services) {
  std::vector<std::string> words;
  for (int i = 0; i < argc; ++i) words.push_back(engine::sanitizeUtf8(argv[i] ? argv[i] : ""));
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);

  GameWiring wiring(std::move(services));
  WiredLaunchSteps steps(wiring.launchParts());
  return runWired(steps, static_cast<int>(words.size()), pointers.data());
}

int runWired(LaunchSteps& steps, int argc, char** argv) {
  int result = 0;
  {
    AppDelegate application(steps);
    result = application.runUntilClosed(argc, argv);
    // The loop purges the engine only when it still had a window; a run that never got one
    // (or a failed launch) leaves the director to be purged here.
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
  // The views' nodes and fonts go while the window's context still exists.
  destroyViews();
  return result;
}
