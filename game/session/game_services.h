#pragma once
// What a game works with beyond its rules, given when the game is made: the screen it shows its
// loading, views and sleep on, the saves it reads and writes its world and character through, the
// statistics store its achievements are unlocked in, the running world and local player it plays,
// and how a world it installs becomes the process's current one. The application gives its
// real ones; a test or the world tool gives its own, so two games in one process each use theirs.
// A member left unset answers its null form (`screenOf`, `savesOf`): nothing shown, nothing saved,
// no achievement unlocked, a running world of the game's own, no binding.
//
// Main thread only. Nothing here is owned.

#include <functional>

class GameSaves;
class GameScreen;
class StatsStore;
class World;
struct RunningWorld;

struct GameServices {
  GameScreen* screen = nullptr;
  GameSaves* saves = nullptr;
  StatsStore* stats = nullptr;
  RunningWorld* running = nullptr;
  // Called with each world the game installs (the application's game makes it the current world
  // while its session is bound); empty: the game binds nothing.
  std::function<void(World*)> bindWorld;
};

// The service, or its null form.
GameScreen& screenOf(const GameServices& services);
GameSaves& savesOf(const GameServices& services);
