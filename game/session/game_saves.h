#pragma once
// What the game needs from the saves, which sit above it: the current world entry, saving the
// character and the world, reading the world file, loading the local player and its statistics.
// A game is given the saves it uses when it is made (`GameServices::saves`); the application gives
// the saves' implementation, and the null form (none given) has no world entry, saves and loads
// nothing, and makes a fresh local player.
//
// Main thread only; a world file is read off it, and answers on it.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "world/map/world_params.h"
#include "world/rules/game.h"

class GameClock;
class PlayerDesktopLocal;
class PlayerEvents;
class World;
struct DifficultyRow;

// How reading the current entry's world file ended.
struct LoadedWorld {
  static constexpr int kLoaded = 0;
  static constexpr int kPlanetMissing = 1;            // an adventure planet's file is not there
  static constexpr int kPlanetMissingWithBackup = 2;  // not there, but its backup is
  static constexpr int kUnreadable = 3;

  int result = kUnreadable;
  std::unique_ptr<World> world;  // set only for kLoaded
  bool hasPlayerCells = false;
  uint16_t playerColumn = 0;
  uint16_t playerRow = 0;
  uint16_t spawnColumn = 0;
  uint16_t spawnRow = 0;
};

using WorldLoaded = std::function<void(LoadedWorld load)>;

class GameSaves {
 public:
  virtual ~GameSaves() = default;

  virtual bool hasWorldEntry() const = 0;
  // The parameters a new world of the current entry is made with.
  virtual WorldParams worldEntryParams() const = 0;
  // The entry's file name.
  virtual std::string worldFileName() const = 0;
  // The current entry's world index (for an adventure, the planet) becomes `index`.
  virtual void setWorldIndex(uint32_t index) = 0;
  // Whether the current entry's world file (for its world index) exists.
  virtual bool worldFileExists() const = 0;

  // The character is taken now and written while the game plays on; `done` runs once on the main
  // thread, true when the file reached the disk (false at once when there is nothing to save).
  virtual void saveCharacter(SaveDone done) = 0;
  // The world is taken now and written while the game plays on; `done` runs once on the main
  // thread, true when the file reached the disk (false at once for a world that cannot be saved).
  virtual void saveWorld(World& world, SaveDone done) = 0;
  // Reads the current entry's world file into a world made with the difficulty, off the main
  // thread where the saves can (the largest world's cells alone stopped a frame for a tenth of a
  // second); `done` runs once on the main thread with the result. The saves may mark the file while
  // they read it, so that a read that never returns is known at the next launch.
  virtual void loadWorldFile(const DifficultyRow* difficulty, WorldLoaded done) = 0;
  // On the thread that made the world, before the main thread plays it: the saves may keep, off the
  // main thread, what its first save takes, so that it costs the player's frame no more than any
  // later save. Touches nothing but the world.
  virtual void prepareWorldSave(World& world) = 0;
  // The game's world ended: what the saves kept of it for its next save (a copy of its cells as
  // large as the world) is let go, so the next world is not played with a dead one's memory.
  virtual void worldEnded() = 0;

  // The local player of the current character, acting through `game`, telling `events` and
  // reaching `clock` (neither owned; null: nobody, no clock); null when it cannot be read.
  virtual std::unique_ptr<PlayerDesktopLocal> loadLocalPlayer(GameInterface& game, PlayerEvents* events,
                                                              GameClock* clock) = 0;
  // The current character's statistics into the statistics store, and the store's back into
  // the character's statistics file.
  virtual void loadStatistics() = 0;
  virtual void saveStatistics() = 0;

  // The token a host handed the current character (the host named by `hostKey`, e.g. its address)
  // to know her again by, kept beside her character in a file of its own; empty for none.
  virtual std::vector<uint8_t> hostToken(const std::string& hostKey) const = 0;
  virtual void keepHostToken(const std::string& hostKey, std::span<const uint8_t> token) = 0;
};

// No world entry, nothing saved or loaded, a fresh local player. Not final: tests record the calls
// they look at on top of it.
class NullGameSaves : public GameSaves {
 public:
  bool hasWorldEntry() const override { return false; }
  WorldParams worldEntryParams() const override { return {}; }
  std::string worldFileName() const override { return {}; }
  void setWorldIndex(uint32_t) override {}
  bool worldFileExists() const override { return false; }
  void saveCharacter(SaveDone done) override {
    if (done) done(false);
  }
  void saveWorld(World&, SaveDone done) override {
    if (done) done(false);
  }
  void loadWorldFile(const DifficultyRow* difficulty, WorldLoaded done) override;
  void prepareWorldSave(World&) override {}
  void worldEnded() override {}
  std::unique_ptr<PlayerDesktopLocal> loadLocalPlayer(GameInterface& game, PlayerEvents* events,
                                                      GameClock* clock) override;
  void loadStatistics() override {}
  void saveStatistics() override {}
  std::vector<uint8_t> hostToken(const std::string&) const override { return {}; }
  void keepHostToken(const std::string&, std::span<const uint8_t>) override {}
};

