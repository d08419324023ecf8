#include "app/game_wiring.h"

#include <functional>
#include <string>
#include <vector>

#include "content/launch/app_delegate.h"
#include "content/launch/game_services.h"
#include "content/launch/interface_services.h"
#include "content/launch/save_services.h"
#include "content/launch/world_services.h"
#include "content/launch/world_view_services.h"
#include "content/loader/content_database.h"
#include "engine/base/utf.h"
#include "engine/io/file_utils.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/window/alert.h"
#include "entities/core/world_entities.h"
#include "entities/effects/effect_world.h"
#include "game/player/player_events.h"
#include "game/session/game_screen.h"
#include "platform/audio/audio_engine.h"
#include "game/session/game_sound_listener.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "menus/menu_saves.h"
#include "menus/menu_views.h"
#include "net/endpoint/current_net.h"
#include "ui/views/game_view.h"
#include "platform/resource_folders.h"
#include "platform/settings/settings.h"
#include "ui/views/game_views.h"
#include "ui/widgets/ui_draw.h"
#include "world/light/carried_lights.h"
#include "world/light/light_refresh_batching.h"

namespace {

int platformAlert(const std::string& title, const std::string& text) {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->alert(title, text)
                             : engine::writeAlertToStandardError(title, text);
}

void contentAlert(const std::string& title, const std::string& text) { platformAlert(title, text); }

engine::Director* director() { return engine::Director::getInstance(); }

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
      gameSaves_(saves_, runningWorld()),
      session_(WorldContext{.refresh = &tileRefresh_,
                            .sounds = &cellSounds_,
                            .options = &worldOptions_,
                            .scheduler = director()->getScheduler()},
               &runningWorld(), &playerEvents_),
      gameScreen_(runningWorld()) {
  wire([this] { kel::Platform::setInstance(&platform_); }, [] { kel::Platform::setInstance(nullptr); });
  // At the end of the run the views' labels are gone; the cache also forgets which fonts failed,
  // so a later run in this process (the end-to-end tests make several) reads them again.
  wire([] { engine::FontAtlasCache::setFallbackFonts({kFontSmall, kFontTooltip, kFontTiny, kFontBig}); },
       [] {
         engine::FontAtlasCache::setFallbackFonts({});
         engine::FontAtlasCache::purgeCachedData();
       });
  wire([this] { kel::setSettingsHost(&settingsHost_); }, [] { kel::setSettingsHost(nullptr); });
  wire([] { engine::setAlertFunction(&platformAlert); }, [] { engine::setAlertFunction(nullptr); });
  wire([] { setContentAlertHandler(&contentAlert); }, [] { setContentAlertHandler(nullptr); });
  engine::FileUtils::setResourcePath(platform_.folderPath(kel::FOLDER_DATA));
  wire([this] { platform_.setWindowControl(&window_); }, [this] { platform_.setWindowControl(nullptr); });
  wire([this] { platform_.setControlsHandlerFactory(&controls_); },
       [this] { platform_.setControlsHandlerFactory(nullptr); });
  wire([this] { platform_.setTextFieldFactory(&textFields_); }, [this] { platform_.setTextFieldFactory(nullptr); });
  wire([this] { platform_.setNetBridgeFactory(kel::NET_KIND_DIRECT, &directBridges_); },
       [this] { platform_.setNetBridgeFactory(kel::NET_KIND_DIRECT, nullptr); });
  wire([this] { platform_.setNetBridgeFactory(kel::NET_KIND_STEAM, &steamBridges_); },
       [this] { platform_.setNetBridgeFactory(kel::NET_KIND_STEAM, nullptr); });
  wire([this] { setWorldServices(&world_); }, [] { setWorldServices(nullptr); });
  wire([this] { setEntityServices(&entityEffects_); }, [] { setEntityServices(nullptr); });
  wire([this] { setEffectHooks(&effectHooks_); }, [] { setEffectHooks(nullptr); });
  // Saves registered before the launch (a test's recorder, a tool's own) stay in place.
  if (!saveServicesRegistered()) wire([this] { setSaveServices(&saves_); }, [] { setSaveServices(nullptr); });
  wire([this] { setGameSaves(&gameSaves_); }, [] { setGameSaves(nullptr); });
  wire([this] { setWorldSaveLinks(&saveLinks_); }, [] { setWorldSaveLinks(nullptr); });
  // As with the saves: a store front or pop-up registered before the launch stays in place.
  if (!statsStore().servicesRegistered()) {
    wire([this] { statsStore().setServices(platform_.achievements(), &achievementBanner_); },
         [] { statsStore().setServices(nullptr, nullptr); });
  }
  wire([this] { setWorldViewServices(&worldView_); }, [] { setWorldViewServices(nullptr); });
  wire([this] { setEntityDrawings(&entityDrawings_); }, [] { setEntityDrawings(nullptr); });
  wire([this] { setLightRefreshBatching(&tileRefresh_); }, [] { setLightRefreshBatching(nullptr); });
  // A whole-view re-tint reaches the drawn entities too.
  tileRefresh_.setEntityRelight([] {
    if (World* world = runningWorld().world.get()) {
      if (WorldEntities* entities = effect::entitiesOf(*world)) EntityDrawingFactory::relightAll(*entities);
    }
  });
  wire([this] { setCarriedLights(&carriedLights_); }, [] { setCarriedLights(nullptr); });
  wire([this] { setGameScreen(&gameScreen_); }, [] { setGameScreen(nullptr); });
  wire([this] { setInterfaceServices(&interface_); }, [] { setInterfaceServices(nullptr); });
  // The menus' views join the fifteen when the launch creates them; the menus list the store.
  wire([] { setMenuViewMaker(&makeMenuView); }, [] { setMenuViewMaker(nullptr); });
  wire([this] { setMenuSaves(&saves_); }, [] { setMenuSaves(nullptr); });
  // As with the saves: a game seam registered before the launch (a test's) stays in place.
  if (!gameServicesRegistered()) wire([this] { setGameServices(&game_); }, [] { setGameServices(nullptr); });
  wire([this] { session_.bindCurrent(); }, [this] { session_.unbindCurrent(); });
  // Sounds at a cell fade with the distance from the local player; the listener lives as long
  // as the process, like the audio engine.
  kel::AudioEngine::getInstance()->setWorldSource(&gameSoundListener());
}

GameWiring::~GameWiring() {
  endCurrentNet();
  session_.end();
  for (auto undo = undoes_.rbegin(); undo != undoes_.rend(); ++undo) (*undo)();
}

void GameWiring::wire(const std::function<void()>& doIt, std::function<void()> undo) {
  doIt();
  undoes_.push_back(std::move(undo));
}

int runGame(int argc, char** argv, kel::DesktopPlatform::Services services) {
  std::vector<std::string> words;
  for (int i = 0; i < argc; ++i) words.push_back(engine::sanitizeUtf8(argv[i] ? argv[i] : ""));
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);

  GameWiring wiring(std::move(services));
  int result = 0;
  {
    AppDelegate application;
    result = application.runUntilClosed(static_cast<int>(words.size()), pointers.data());
    // The loop purges the engine only when it still had a window; a run that never got one
    // (or a failed launch) leaves the director to be purged here.
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
  // The views' nodes and fonts go while the window's context still exists.
  destroyViews();
  return result;
}
