#include "app/start_up_game.h"

#include <string>
#include <vector>

#include "app/launch_steps.h"
#include "content/format/game_tables_file.h"
#include "content/loader/content_database.h"
#include "content/loader/game_tables_loader.h"
#include "content/potions/potion_table.h"
#include "content/tables/content_sound_definitions.h"
#include "content/texts/language_texts.h"
#include "engine/scene/director.h"
#include "engine/scene/node.h"
#include "engine/scene/scheduler.h"
#include "platform/audio/audio_engine.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"
#include "platform/settings/settings.h"

namespace {

std::string dataFilePath(const char* name) {
  kel::Platform* platform = kel::Platform::instance();
  // Without a platform there is no data folder: the load fails and counts as compromised.
  return platform != nullptr ? platform->resourcePath(kel::FOLDER_DATA, name) : std::string();
}

void loadContent(LaunchSteps& steps) {
  const uint32_t computed = loadContentDatabase(dataFilePath(CONTENT_FILE_NAME));
  // Shows the alert once on a mismatch or a damaged file; the program still runs, without games.
  verifyContentChecksum(computed);
  // A missing or damaged tables file is logged and leaves its tables empty; the game goes on
  // with neutral difficulty values, an empty craft book and empty catalogue lists.
  loadGameTables(dataFilePath(content::kGameTablesFileName));
  steps.installGameTables();
}

void handBookPagesToTheInterface(LaunchSteps& steps) {
  const std::vector<BookEntry>& entries = languageTexts().bookEntries();
  steps.setBookPages(entries.data(), entries.data() + entries.size());
}

void startAudio(kel::NextMusicScheduler* music) {
  kel::AudioEngine* audio = kel::AudioEngine::getInstance();
  audio->attachScheduler(engine::Director::getInstance()->getScheduler());
  if (kel::Platform* platform = kel::Platform::instance()) {
    audio->setSoundFolders(platform->folderPath(kel::FOLDER_SOUND_EFFECTS),
                           platform->folderPath(kel::FOLDER_MUSIC));
    audio->preloadEffects();
  }
  audio->setDefinitionSource(&contentSoundDefinitions());
  const kel::Options& options = kel::options();
  audio->setOptions(kel::SoundOptions{options.musicEnabled, options.soundEnabled,
                                      options.musicVolume, options.soundVolume});
  audio->setNextMusicScheduler(music);
  audio->applyMusicVolume();
}

void scheduleSteamPump() {
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr) return;
  // Runs whether or not the store front's client started: without it the call does nothing.
  engine::Director::getInstance()->getScheduler()->schedule(
      [platform](float) { platform->runSteamCallbacks(); }, platform, STEAM_PUMP_INTERVAL,
      engine::REPEAT_FOREVER, 0.0f, STEAM_PUMP_KEY);
}

}  // namespace

engine::Node* startUpGame(LaunchSteps& steps) {
  indexPotionTable();
  loadContent(steps);
  loadLanguage();
  handBookPagesToTheInterface(steps);
  steps.rebuildCollections();
  startAudio(steps.nextMusicScheduler());
  steps.clearStatistics();
  steps.registerEntityEffects();
  steps.clearLocalPlayer();
  steps.clearCurrentWorld();
  // skipSaveOnLowBattery would be handed to the platform here; a desktop has no battery to watch.
  engine::Node* mainLayer = steps.createMainLayer();
  scheduleSteamPump();
  return mainLayer;
}
