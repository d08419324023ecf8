#pragma once
// Hosting a world: the one way the program starts a networked game as its host (the host menu
// calls `hostWorld`). The game played alone gives way to a hosting session: its rules are a
// `NetLogic` and its game a `GameRemoteServer` over a new `NetServer` that the hosting owns (the
// game and rules made current), with the same view seams and running world as the game played
// alone. Once the hosted world is entered,
// the endpoint holds it (its world, the world sender's world and entities), the host's own player
// is its entry 0, and the endpoint starts handling its clients' messages (`worldReady`).
// Quitting the hosting game ends the endpoint and makes the game played alone current again; a
// travel re-hosts at the destination through a new endpoint with the same setup.
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "net/host_game/game_remote_server.h"
#include "platform/net_bridge.h"

class HostPlayersView;
class LocalSession;
class NetLogic;
class NetNotices;
class NetServer;
class TransferScreen;

struct HostSetup {
  kel::NetBridgeSetup bridge;
  // Where the host listens.
  kel::base::DesktopDirectConnectionInfo listenAt{"0.0.0.0", 0};
  std::string localName;
  NetNotices* notices = nullptr;  // not owned; null shows nothing
  // The host's wait view while a client receives the world (not owned; null shows nothing).
  TransferScreen* transferScreen = nullptr;
  // The clients' players drawn in the hosted world (not owned; null shows nothing).
  HostPlayersView* playersView = nullptr;
  // How the world begins (the game's begin modes: 0 its file, 1 a planet's file, 2 a new world,
  // 3 a new planet).
  uint8_t mode = 0;
  // The seed a new world is generated with; unset: a fresh one each time.
  std::optional<uint32_t> generationSeed;
  // Makes the endpoint's transport; unset: the platform's (`NetServer::create`).
  std::function<std::unique_ptr<kel::NetBridgeServer>(NetServer&)> makeBridge;
};

class Hosting final : public HostingControl {
 public:
  // `local` (not owned) is the game played alone, current again when hosting ends.
  Hosting(LocalSession& local, HostSetup setup);
  ~Hosting();
  Hosting(const Hosting&) = delete;
  Hosting& operator=(const Hosting&) = delete;

  // The endpoint listens, the hosting session is current and its world begins (in the setup's
  // mode); false (the game played alone stays current) when the transport could not start.
  bool start();

  // Null before `start` and after hosting ended.
  NetServer* server() const { return server_.get(); }
  LocalSession* session() const { return session_.get(); }
  GameRemoteServer* game() const;
  NetLogic* rules() const;
  // True from the hosted world's entry until hosting ends.
  bool worldHosted() const { return hosted_; }

  void returnToLocalGame() override;
  void rehost(const TravelTarget& target, uint32_t origin) override;

 private:
  // The endpoint and the session over it, current; false when the transport did not start.
  bool openEndpoint();
  // The entered world goes to the endpoint, and its drain begins.
  void worldEntered();
  GameCompletion whenEntered();
  void closeSession();

  LocalSession& local_;
  HostSetup setup_;
  // This hosting's own endpoint; its session (whose game sends through it) goes first.
  std::unique_ptr<NetServer> server_;
  std::unique_ptr<LocalSession> session_;
  bool hosted_ = false;
  bool ending_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The hosting swap: hosting begins with the setup, replacing the current game and rules (any
// earlier hosting ends first). Null when the transport could not start.
Hosting* hostWorld(LocalSession& local, const HostSetup& setup);
// The hosting under way; null for none.
Hosting* currentHosting();
// Ends the hosting under way, if any (its game played alone current again): the program's end.
void endHosting();
