#pragma once
// Joining a host and coming back: the one way the program swaps its game played alone for a game
// joined to a host (`joinWorld`, which the join menu calls) and back again (`returnToLocalGame`).
//
// Joining ends the local game, makes a client endpoint of its own with the program's bridge for
// the host, and a `JoinedGame` current in its place (its game, its rules); the world then arrives
// through the endpoint. Every way a joined game ends comes back here: the player quits, the host
// leaves or refuses, the wait for admission runs out, the world cannot be read. The endpoint is
// shut down, the joined game lets go of the world and the player, the local game is current
// again with nothing running, and the reason a connection ended is shown through the notices the
// swap was given. Travelling to another of the host's worlds joins the same host again a moment
// later.
//
// A joined game that ended is freed after the frame's tasks (the endpoint's drain or a game
// operation may still be on the stack), and with it the endpoint that held its world.
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/scene/timer_group.h"
#include "net/client_game/joined_game.h"
#include "net/endpoint/net_notices.h"
#include "platform/net_connection_info.h"
#include "world/world_context.h"

class LocalSession;
class NetClient;
class NetClientView;
class PlayerEvents;
class TransferScreen;

// What a joined game shows through the interface: the endpoint's view (the other players'
// sprites, the wait view while another client joins) and the joining client's loading label.
// Both not owned; null: the null forms.
struct ClientScreens {
  NetClientView* view = nullptr;
  TransferScreen* transfer = nullptr;
};

class ClientGameSwap final : private ClientGameExit, private NetNotices {
 public:
  static constexpr float kRejoinDelay = 0.1f;
  static constexpr int kRejoinKey = 0;  // the one task of the swap's timers

  // All borrowed, outliving the swap: `local` is the game played alone that is current before and
  // after a joined game; `seams` what joined worlds are built with (refresh, sounds, options,
  // scheduler); `notices` where console lines and a lost connection's reason are shown (null:
  // nowhere); `events` what the joined game's local player tells the view (null: nobody).
  ClientGameSwap(LocalSession& local, const WorldContext& seams, NetNotices* notices, PlayerEvents* events);
  // A joined game still running ends as if the player quit.
  ~ClientGameSwap() override;
  ClientGameSwap(const ClientGameSwap&) = delete;
  ClientGameSwap& operator=(const ClientGameSwap&) = delete;

  // Joins the host at `host` as `characterName` (the current character's player is loaded). False,
  // with the local game current as before, when the character cannot be read, the platform makes
  // no client bridge or the connection cannot start.
  bool joinWorld(const kel::base::DesktopConnectionInfo& host, const std::string& characterName);
  // Back to the local game; nothing while no game is joined.
  void returnToLocalGame();
  // Each endpoint the swap makes from now on shows through these (borrowed: they outlive every
  // endpoint the swap makes, whose copies of other players take their sprites away as they go).
  void setScreens(const ClientScreens& screens) { screens_ = screens; }

  // The joined game and its endpoint while one runs, else null.
  JoinedGame* joined() const { return joined_.get(); }
  NetClient* endpoint() const { return net_.get(); }

 private:
  void leaveJoinedGame() override { returnToLocalGame(); }
  void rejoinHost() override;
  void consoleLine(const std::string& text) override { notices_->consoleLine(text); }
  void connectionLost(uint8_t reason, const std::string& text) override;
  void releaseLater();

  LocalSession& local_;
  WorldContext seams_;
  NullNetNotices noNotices_;
  NetNotices* notices_;
  PlayerEvents* events_;
  ClientScreens screens_;
  // The joined game's own endpoint, and the one of the game that ended until it is freed; each
  // outlives its game (its receiver owns the game's world).
  std::unique_ptr<NetClient> net_;
  std::unique_ptr<NetClient> retiredNet_;
  std::unique_ptr<JoinedGame> joined_;
  std::unique_ptr<JoinedGame> retired_;
  std::unique_ptr<kel::base::DesktopConnectionInfo> host_;
  std::string characterName_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // gone with the swap
  engine::TimerGroup travel_;  // the rejoin after a travel; unscheduled with the swap
};
