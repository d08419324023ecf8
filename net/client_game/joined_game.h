#pragma once
// One game joined to a host, whole: the client's game (`GameRemoteClient`), the rules the views
// ask while it is current (whether a block may be mined, what a held item shoots, which mobs a
// swing meets), and the local player. It is the endpoint's `WorldArrival`: the world the host's header builds runs no rules
// (the host's decide) and sends its follow-up edits to the game; it is handed to the player, the
// game and the rules, and entered a moment after the host's clock arrived, which tells the host
// the client is in.
//
// The world itself stays the endpoint's (its receiver owns it) and the player the joined game's;
// from the world's creation they are the process's running world and player, held there without
// being owned, so the views draw them and the interface reads them as a local game's. `detach`
// takes every tie between them apart before the game goes, so neither can reach the other
// afterwards.
//
// Main thread only.

#include <memory>
#include <string>

#include "game/rules/local_logic.h"
#include "net/client_game/client_swing_targets.h"
#include "net/client_game/game_remote_client.h"
#include "net/transfer/world_arrival.h"
#include "world/time/world_timers.h"

class GameSaves;
class NetClient;
class PlayerDesktopLocal;
class PlayerEvents;
struct RunningWorld;

class JoinedGame final : public WorldArrival {
 public:
  // `seams`: what every world of the program is built with (refresh, sounds, options, scheduler).
  // The local player is loaded for the current character and tells `events` (null: nobody).
  // `running` (null: none) is where the world and the player are held while they play.
  // `services`: the screen, saves and statistics store of the game (its running world unused).
  JoinedGame(NetClient& net, ClientGameExit& exit, const WorldContext& seams, PlayerEvents* events,
             RunningWorld* running = nullptr, const GameServices& services = {});
  ~JoinedGame() override;
  JoinedGame(const JoinedGame&) = delete;
  JoinedGame& operator=(const JoinedGame&) = delete;

  GameRemoteClient& game() { return game_; }
  LocalLogic& rules() { return rules_; }
  // Null when the character could not be read.
  PlayerDesktopLocal* player() const { return player_.get(); }

  // The host she joins, by a key the character's saves keep its token under (its address and
  // port, or its store-front id): her hello names the token it handed her before, and a token it
  // hands her now is kept beside her character.
  void knowHost(const std::string& hostKey);

  // ---- WorldArrival ----
  WorldContext worldContext() override;
  void worldCreated(World& world, WorldEntities& entities, const PlayerCells& cells) override;
  void downloadStarted() override;
  void cellsComplete(World&) override {}
  void clockArrived(World& world) override;

  // The game's tasks stop; the endpoint forgets the player and this arrival; the world keeps
  // nothing of this game in its context.
  void detach();

 private:
  NetClient& net_;
  WorldContext seams_;
  RunningWorld* running_;
  GameSaves& saves_;
  LocalLogic rules_{nullptr, nullptr, nullptr};
  GameRemoteClient game_;
  ClientSwingTargets swing_{game_};
  std::unique_ptr<PlayerDesktopLocal> player_;
  // Before the world is entered there is only the game's own wait for it.
  WorldTimers timers_{seams_};
  bool detached_ = false;
};
