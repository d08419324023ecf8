#pragma once
// The game's way to the local store: the current world entry, saving and reading worlds and
// characters through `LocalSaves`, the statistics file into the statistics store, and the local
// player's cells for the world file. The application registers it as the game's saves.
// Main thread only.

#include "game/session/game_saves.h"

class LocalSaves;

class LocalGameSaves final : public GameSaves {
 public:
  // Also makes the world file take the running local player's cells.
  explicit LocalGameSaves(LocalSaves& saves);

  bool hasWorldEntry() const override;
  WorldParams worldEntryParams() const override;
  std::string worldFileName() const override;
  void setWorldIndex(uint32_t index) override;
  bool worldFileExists() const override;
  bool saveCharacter() override;
  bool saveWorld(World& world) override;
  LoadedWorld loadWorldFile(const DifficultyRow* difficulty) override;
  void loadStatistics() override;
  void saveStatistics() override;

 private:
  LocalSaves& saves_;
};
