#include "saves/launch/local_game_saves.h"

#include <utility>

#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "platform/file_handle.h"
#include "platform/settings/settings_entries.h"
#include "platform/settings/settings_host.h"
#include "saves/character/character_file.h"
#include "saves/character/player_record_mapping.h"
#include "saves/launch/local_saves.h"
#include "world/world.h"

LocalGameSaves::LocalGameSaves(LocalSaves& saves, RunningWorld& running, StatsStore& stats,
                               kel::SettingsHost* marks)
    : saves_(saves), stats_(stats), marks_(marks) {
  saves_.setCharacterSource([&running, &stats](CharacterRecord& record) {
    const PlayerDesktopLocal* player = running.player.get();
    if (player == nullptr) return false;
    fillCharacterRecord(*player, stats, record);
    return true;
  });
  saves_.setPlayerCellsSource([&running] {
    const PlayerDesktopLocal* player = running.player.get();
    if (player == nullptr) return PlayerCells{};
    return PlayerCells{static_cast<uint16_t>(player->cellX), static_cast<uint16_t>(player->cellY),
                       player->spawnCellX, player->spawnCellY};
  });
}

LocalGameSaves::~LocalGameSaves() { saves_.waitForWrites(); }

bool LocalGameSaves::hasWorldEntry() const { return saves_.worlds().current() != nullptr; }

WorldParams LocalGameSaves::worldEntryParams() const {
  const WorldEntry* entry = saves_.worlds().current();
  return entry != nullptr ? entry->params : WorldParams{};
}

std::string LocalGameSaves::worldFileName() const {
  const WorldEntry* entry = saves_.worlds().current();
  return entry != nullptr ? entry->fileName : std::string{};
}

void LocalGameSaves::setWorldIndex(uint32_t index) {
  if (WorldEntry* entry = saves_.worlds().current()) entry->params.planetId = index;
}

bool LocalGameSaves::worldFileExists() const { return saves_.currentWorldFileExists(); }

void LocalGameSaves::saveCharacter(SaveDone done) { saves_.saveCharacterLater(std::move(done)); }

void LocalGameSaves::saveWorld(World& world, SaveDone done) { saves_.saveWorld(world, std::move(done)); }

void LocalGameSaves::prepareWorldSave(World& world) { LocalSaves::prepareWorldSave(world); }

void LocalGameSaves::worldEnded() { saves_.releaseWorldSave(); }

void LocalGameSaves::loadWorldFile(const DifficultyRow* difficulty, WorldLoaded done) {
  if (marks_ != nullptr) kel::settings_entries::setMarkedWorld(marks_->defaults(), worldFileName());
  saves_.loadWorldFileLater(difficulty, [this, done = std::move(done)](WorldLoad load) {
    if (marks_ != nullptr) kel::settings_entries::clearMarkedWorld(marks_->defaults());
    LoadedWorld loaded;
    loaded.result = static_cast<int>(load.status);
    if (load.status == WorldLoadStatus::Loaded) {
      loaded.world = std::move(load.world);
      loaded.hasPlayerCells = true;
      loaded.playerColumn = load.player.x;
      loaded.playerRow = load.player.y;
      loaded.spawnColumn = load.player.spawnX;
      loaded.spawnRow = load.player.spawnY;
    }
    done(std::move(loaded));
  });
}

std::unique_ptr<PlayerDesktopLocal> LocalGameSaves::loadLocalPlayer(GameInterface& game, PlayerEvents* events,
                                                                    GameClock* clock) {
  const PlayerEntry* entry = saves_.characters().current();
  if (entry == nullptr) return nullptr;
  CharacterRecord record;
  CharacterParts parts;
  kel::FileHandle file(saves_.characters().pathOf(entry->fileName), kel::FileHandle::READ);
  if (!file.isOpen() || !readCharacterFile(file, record, parts)) return nullptr;
  auto player = std::make_unique<PlayerDesktopLocal>(&game, events, clock);
  applyCharacterRecord(record, parts, *player, stats_);
  player->setCharacterFlags(entry->characterFlags);
  player->difficultyId = entry->difficultyId;
  return player;
}

void LocalGameSaves::loadStatistics() {
  StatsRecord record;
  saves_.characters().loadStats(record);
  stats_.clearStatistics();
  const std::vector<uint8_t> bytes = writeStatsBytes(record);
  stats_.readStatistics(bytes);
}

// The store writes the bytes, so its platform values reach the store front with them.
void LocalGameSaves::saveStatistics() { saves_.characters().saveStatsBytes(stats_.writeStatistics()); }

std::vector<uint8_t> LocalGameSaves::hostToken(const std::string& hostKey) const {
  return saves_.characters().hostToken(hostKey);
}

void LocalGameSaves::keepHostToken(const std::string& hostKey, std::span<const uint8_t> token) {
  saves_.characters().keepHostToken(hostKey, token);
}
