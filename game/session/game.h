#pragma once
// The game in progress: one virtual operation per player action (declared by `GameInterface` in
// the world model). `Game` holds what every kind shares: whether the world has been entered and
// has settled, whether the player sleeps, and the lent world, local player and difficulty, each
// read through its accessor.
// `GameLocal` (game_local.h) runs each action through the rules of a game played alone; a joined
// player's `GameRemoteClient` (net/client_game/) asks the host instead; the hosting kind comes
// with the host's game.
//
// Main thread only.

#include <cstdint>
#include <memory>

#include "engine/base/geometry.h"
#include "world/rules/game.h"

class AlchemyLab;
class GameScreen;
class ItemCatalogue;
class MapBlock;
class Player;
class World;
struct DifficultyRow;

class Game : public GameInterface {
 public:
  static constexpr uint8_t kItemDropKind = 7;
  static constexpr uint8_t kMessageInfo = 2;
  static constexpr const char* kWokeUp = "You woke up!";

  // Playing alone; a hosting game answers 1 and a joined one 2.
  uint8_t sessionKind() override { return 0; }
  bool worldIsCreative() override;

  // Before the world of a game is wrapped by the player's position, across the seam.
  engine::Vec2 wrappedPlayerPosition();
  // The inventory areas the difficulty row names fall as world items (`dropItem`), unless the
  // world was entered less than ten seconds ago.
  void dropInventoryOnDeath() override;
  // One step of the world clock (the world's `kClock` timer): the sky follows, a sleeper wakes
  // at dawn, and each new phase sets the step length again.
  void tick() override;
  // The night passes quickly: the clock steps every frame from near the phase's end.
  void sleep() override;
  void autosaveOptionChanged() override;

  // The screen the game was made with (its null form when none).
  virtual GameScreen& screen() const = 0;

  // Whether a world has been entered and not yet left.
  bool isStarted() const { return started_; }
  void setStarted(bool started) { started_ = started; }
  // False for the first seconds in a world: a death then drops nothing.
  bool hasSettled() const { return settled_; }
  void setSettled(bool settled) { settled_ = settled; }
  bool isSleeping() const { return sleeping_; }

  // The world and local player this game plays (null: none), lent by their owner (the running
  // world, or a joined game) and taken back when it ends them; the difficulty row its worlds are
  // made with.
  World* world() const { return world_; }
  Player* player() const { return player_; }
  const DifficultyRow* difficulty() const { return difficulty_; }
  void lendWorld(World* world) { world_ = world; }
  void lendPlayer(Player* player) { player_ = player; }
  void setDifficulty(const DifficultyRow* row) { difficulty_ = row; }

  // This game's creative catalogue: its lists, the planets they are filtered by (its local
  // player's) and its pinned list; its local player's inventory reads the entries. Two games in
  // one process never share one.
  ItemCatalogue& catalogue();

 protected:
  // The open alchemy lab, when its ingredients make a potion its output slot can take and it is
  // not brewing already; else null.
  AlchemyLab* labReadyToBrew();
  // The cell and its four neighbours are drawn again.
  void refreshAround(const MapBlock& cell);
  // The world clock's task, its interval the day clock's current step length.
  void scheduleClock();
  // The world's autosave task by the option: scheduled (a running one keeps counting) or stopped.
  void scheduleAutosave();
  // What the autosave task does: this kind of game's own save.
  virtual void autosave() = 0;
  // A creative world was entered: the catalogue is filled from the loaded tables, filtered by the
  // local player's planets (its first list current, nothing pinned) and read by its inventory.
  void enterCatalogue();

  bool started_ = false;
  bool settled_ = true;
  bool sleeping_ = false;
  World* world_ = nullptr;
  Player* player_ = nullptr;
  const DifficultyRow* difficulty_ = nullptr;

 private:
  std::shared_ptr<ItemCatalogue> catalogue_;  // made on first use
};
