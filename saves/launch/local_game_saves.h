#pragma once
// The game's way to the local store: the current world entry, saving and reading worlds and
// characters through `LocalSaves`, the statistics file into the statistics store it was given
// (the one its game counts in), and the local player's cells for the world file. The local player
// is loaded from the current character's file, and every character save is filled from the
// running local player. While a world file is read, its name is marked in the settings store it
// was given: a read that never returns leaves the mark for the next launch, which puts the world's
// backup back. The application gives it to its session as the game's saves. Main thread only.

#include "game/session/game_saves.h"

class LocalSaves;
class StatsStore;
struct RunningWorld;
namespace kel {
class SettingsHost;
}

class LocalGameSaves final : public GameSaves {
 public:
  // Registers the running local player as the source of the world file's player cells and of
  // every character save.
  // The character and the player's cells are saved from the running world's local player.
  // `stats`: the store the game counts its statistics in, which the character's statistics are
  // read into and written from. `marks`: the settings store that keeps the mark of a world being
  // read (null: none is kept).
  LocalGameSaves(LocalSaves& saves, RunningWorld& running, StatsStore& stats, kel::SettingsHost* marks = nullptr);
  // A read still under way answers first.
  ~LocalGameSaves() override;

  bool hasWorldEntry() const override;
  WorldParams worldEntryParams() const override;
  std::string worldFileName() const override;
  void setWorldIndex(uint32_t index) override;
  bool worldFileExists() const override;
  void saveCharacter(SaveDone done) override;
  void saveWorld(World& world, SaveDone done) override;
  // On the save worker; the mark is cleared once it answered.
  void loadWorldFile(const DifficultyRow* difficulty, WorldLoaded done) override;
  void prepareWorldSave(World& world) override;
  void worldEnded() override;
  // The current character's player, acting through `game`; none without a current character or
  // when its file cannot be read (the difficulty index then stays as it was). On success the
  // player takes the entry's flags and difficulty, and the difficulty index becomes the latter.
  std::unique_ptr<PlayerDesktopLocal> loadLocalPlayer(GameInterface& game, PlayerEvents* events,
                                                      GameClock* clock) override;
  void loadStatistics() override;
  void saveStatistics() override;
  std::vector<uint8_t> hostToken(const std::string& hostKey) const override;
  void keepHostToken(const std::string& hostKey, std::span<const uint8_t> token) override;

 private:
  LocalSaves& saves_;
  StatsStore& stats_;
  kel::SettingsHost* marks_;
};
