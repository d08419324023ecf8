#pragma once
// The program's launch steps: each calls the part of the world, the entities, the game, the
// saves, the world view or the interface that does it, as the wiring made them. A test may derive
// from it to stand in for a few steps (a running game, counted saves) and keep the rest real.

#include "app/launch_steps.h"

class EntityEffectRegistry;
class GameLaunchServices;
class LocalSaves;
class UiLaunchServices;
class WorldLaunchServices;
class WorldViewLaunchServices;

class WiredLaunchSteps : public LaunchSteps {
 public:
  // Not owned: the wiring's own members, which outlive the run.
  struct Parts {
    WorldLaunchServices& world;
    EntityEffectRegistry& entityEffects;
    GameLaunchServices& game;
    LocalSaves& saves;
    WorldViewLaunchServices& worldView;
    UiLaunchServices& interface;
  };

  explicit WiredLaunchSteps(const Parts& parts) : parts_(parts) {}

  void clearCurrentWorld() override;
  void updateVisibleCellCounts() override;
  void registerEntityEffects() override;
  bool hasRunningGame() const override;
  bool hasCurrentLogic() const override;
  bool hasLocalPlayer() const override;
  void clearLocalPlayer() override;
  void clearStatistics() override;
  void rebuildCollections() override;
  void stopLocalPlayerMoving() override;
  void installGameTables() override;
  void saveWorld() override;
  void saveCharacter() override;
  engine::Node* createMainLayer() override;
  kel::NextMusicScheduler* nextMusicScheduler() override;
  void layOutWorldView() override;
  void createViews() override;
  void setBookPages(const BookEntry* begin, const BookEntry* end) override;
  ViewId currentView() const override;
  void refreshInventory() override;
  void showPauseView() override;
  void layOutViews() override;
  void joinStoreFrontHost(uint64_t hostId) override;

 private:
  Parts parts_;
};
