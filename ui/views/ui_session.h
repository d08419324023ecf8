#pragma once
// The game the interface plays: the game its views act through, the roles of the game's rules
// they ask (the cells' for what may be broken, the entities' for what a held item shoots, the
// swing's for the mobs a melee swing hits), the running world with the local player they
// draw and read, and the game's statistics the statistics page and the achievements list show. The view stack holds one that every view reads; the program binds the game to it
// as that game becomes the one played (the game played alone, a hosted one, a joined one) and lets
// go of it as it stops being played. Two view stacks bound to two games each read their own.
//
// Unbound, or bound without a game or rules, it answers the null forms (which do nothing), no
// swing targets, no statistics (an empty store) and, without a running world, no world and no
// player: what the views see between games.
//
// Main thread only.

#include <memory>

class GameInterface;
class LogicCells;
class LogicEntities;
class NullGame;
class NullLogic;
class PlayerDesktopLocal;
class StatsStore;
class SwingRules;
class SwingTargets;
class World;
struct RunningWorld;

class UiSession {
 public:
  UiSession();
  ~UiSession();
  UiSession(const UiSession&) = delete;
  UiSession& operator=(const UiSession&) = delete;

  // The views play this game from now on (null: the null form, no running world, no statistics).
  void bind(GameInterface* game, LogicCells* cells, LogicEntities* entities, SwingRules* swing, RunningWorld* running,
            const StatsStore* stats = nullptr);
  // Lets go of the game, its rules and its world when that game is still the bound one.
  void unbind(const GameInterface& game);

  GameInterface& game() const;
  LogicCells& cellRules() const;
  LogicEntities& entityRules() const;
  // The mobs the local player's melee swing hits, asked of the rules at each swing; null: none.
  SwingTargets* swingTargets() const;
  // The running world and the local player; null while none runs.
  World* world() const;
  PlayerDesktopLocal* player() const;
  // The bound game's statistics and achievements.
  const StatsStore& statistics() const;

 private:
  std::unique_ptr<NullGame> nullGame_;
  std::unique_ptr<NullLogic> nullRules_;
  std::unique_ptr<StatsStore> noStatistics_;
  GameInterface* game_ = nullptr;
  LogicCells* cells_ = nullptr;
  LogicEntities* entities_ = nullptr;
  SwingRules* swing_ = nullptr;
  RunningWorld* running_ = nullptr;
  const StatsStore* stats_ = nullptr;
};
