#pragma once
// What the launch and the application's steps need from the game and its rules, which sit above
// this library: whether a game, its rules and the local player exist, the statistics store, the
// collection book, the local player's walking and the game tables the start-up read. The game
// registers its implementation at launch; until then the null form answers that nothing exists
// and does nothing.

#include "engine/base/seam.h"

class GameServices {
 public:
  virtual ~GameServices() = default;
  // A current game exists and is marked as running.
  virtual bool hasRunningGame() const = 0;
  // Current rules exist.
  virtual bool hasCurrentLogic() const = 0;
  virtual bool hasLocalPlayer() const = 0;
  // Sets the process's local player to none.
  virtual void clearLocalPlayer() = 0;
  // Resets the statistics store: every counter zero, every category table empty.
  virtual void clearStatistics() = 0;
  // Refills each page of the collection book from the content tables, in table order.
  virtual void rebuildCollections() = 0;
  // Ends the local player's current walking movement.
  virtual void stopLocalPlayerMoving() = 0;
  // Hands the installed game tables (content/loader/game_tables_loader.h) to the game: the craft
  // book entries and the catalogue categories' sources.
  virtual void installGameTables() = 0;
};

// Without the game there is no game, no rules, no player, no statistics and no collection book.
class NullGameServices final : public GameServices {
 public:
  bool hasRunningGame() const override { return false; }
  bool hasCurrentLogic() const override { return false; }
  bool hasLocalPlayer() const override { return false; }
  void clearLocalPlayer() override {}
  void clearStatistics() override {}
  void rebuildCollections() override {}
  void stopLocalPlayerMoving() override {}
  void installGameTables() override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<GameServices, NullGameServices>& gameServicesSeam();
GameServices& gameServices();
void setGameServices(GameServices* services);
// Whether something other than the null form is registered.
bool gameServicesRegistered();
