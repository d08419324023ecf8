#pragma once
// A game played alone, whole: its rules, its game, the running world and local player it plays,
// the entities of that world (stepped by the game's frame task) and the bodies that the world's
// blasts, plates and pistons reach (the players', then the entities'). The application keeps
// one for the whole run and binds it to the process-wide current objects (the current `Game`,
// `Logic` and running world); a test or the world tool may keep several side by side, each world
// with its own context, none touching the others.
//
// Main thread only.

#include <functional>
#include <memory>

#include "game/session/game_services.h"
#include "world/world_context.h"

class GameLocal;
class LocalLogic;
class PlayerEvents;
class PlayerBodies;
class SessionEntities;
class SessionFishing;
struct RunningWorld;

// What kind of game a session plays: its rules and the game made over them with the session's
// services. The default is the game played alone; a host makes its own (net/host_game/).
struct SessionKind {
  std::function<std::unique_ptr<LocalLogic>()> rules;
  std::function<std::unique_ptr<GameLocal>(LocalLogic&, const GameServices&)> game;
};

class LocalSession {
 public:
  // `seams`: the view's and the entities' seams for this session's worlds; its rules, edit sink and
  // bodies are the session's own. `running`: where its world and player live (null: its own).
  // `localEvents`: what the local player it loads tells the view, sound and interface (null: nobody).
  // `services`: the screen, saves and statistics store of its game; the session gives the game
  // its running world and binds the worlds it installs while the session is bound.
  explicit LocalSession(const WorldContext& seams = {}, RunningWorld* running = nullptr,
                        PlayerEvents* localEvents = nullptr, const SessionKind& kind = {},
                        const GameServices& services = {});
  // Ends a running game first.
  ~LocalSession();
  LocalSession(const LocalSession&) = delete;
  LocalSession& operator=(const LocalSession&) = delete;

  GameLocal& game() { return *game_; }
  LocalLogic& rules() { return *rules_; }
  RunningWorld& running() { return *running_; }
  PlayerBodies& bodies() { return *bodies_; }
  SessionEntities& entities() { return *entities_; }
  // What every world of this session is built with.
  const WorldContext& context() const { return context_; }
  // The seams it was given (without its own rules, edit sink, bodies and entities), and where its
  // local player tells its events: another kind of session over the same view takes them.
  const WorldContext& seams() const { return seams_; }
  PlayerEvents* localEvents() const { return localEvents_; }
  // The screen, saves and statistics store it was given, for another kind of session or a joined
  // game over the same view.
  const GameServices& services() const { return services_; }

  // This session's game and rules become the process's current ones (and its world, while one
  // runs), and its screen's interface plays them; `unbindCurrent` restores the null forms where
  // they are still this session's, and the interface lets go of its game.
  void bindCurrent();
  void unbindCurrent();
  // The world is left without saving: the game quits and the world and player are freed.
  void end();

 private:
  std::unique_ptr<RunningWorld> ownRunning_;
  RunningWorld* running_;
  GameServices services_;
  bool bound_ = false;
  std::unique_ptr<LocalLogic> rules_;
  std::unique_ptr<GameLocal> game_;
  std::unique_ptr<PlayerBodies> bodies_;
  std::unique_ptr<SessionEntities> entities_;
  std::unique_ptr<SessionFishing> fishing_;
  WorldContext seams_;
  WorldContext context_;
  PlayerEvents* localEvents_;
};
