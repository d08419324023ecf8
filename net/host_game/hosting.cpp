#include "net/host_game/hosting.h"

#include <utility>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "game/player/player_desktop.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "game/session/session_entities.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/net_logic.h"

namespace {

std::unique_ptr<Hosting>& hostingSlot() {
  static std::unique_ptr<Hosting> hosting;
  return hosting;
}

void onMainThread(std::function<void()> function) {
  engine::Director::getInstance()->getScheduler()->performFunctionInMainThread(std::move(function));
}

// A hosting session that ended and the endpoint its game sent through: freed together once the
// frame's tasks are done (the game or the endpoint's drain may be the caller), the game first.
struct EndedHosting {
  std::unique_ptr<NetServer> server;
  std::unique_ptr<LocalSession> session;
};

}  // namespace

Hosting::Hosting(LocalSession& local, HostSetup setup) : local_(local), setup_(std::move(setup)) {}

Hosting::~Hosting() {
  *alive_ = false;
  if (session_ != nullptr) returnToLocalGame();
}

GameRemoteServer* Hosting::game() const {
  return session_ != nullptr ? static_cast<GameRemoteServer*>(&session_->game()) : nullptr;
}

NetLogic* Hosting::rules() const { return session_ != nullptr ? static_cast<NetLogic*>(&session_->rules()) : nullptr; }

bool Hosting::start() {
  if (!openEndpoint()) return false;
  game()->setGenerationSeed(setup_.generationSeed);
  game()->begin(setup_.mode, whenEntered());
  return true;
}

GameCompletion Hosting::whenEntered() {
  return [this, alive = std::weak_ptr<bool>(alive_)] {
    if (!alive.expired()) worldEntered();
  };
}

bool Hosting::openEndpoint() {
  local_.end();
  local_.unbindCurrent();
  server_ = setup_.makeBridge ? std::make_unique<NetServer>(setup_.bridge, setup_.localName, setup_.notices)
                              : NetServer::create(setup_.bridge, setup_.localName, setup_.notices);
  NetServer& server = *server_;
  if (setup_.makeBridge) server.setBridge(setup_.makeBridge(server));
  server.worldSender().setScreen(setup_.transferScreen);
  server.setPlayersView(setup_.playersView);
  server.setStats(local_.services().stats);
  SessionKind kind{
      .rules = [&server] { return std::make_unique<NetLogic>(server, nullptr, nullptr, nullptr); },
      .game = [&server, this](LocalLogic& rules, const GameServices& services) {
        return std::make_unique<GameRemoteServer>(static_cast<NetLogic&>(rules), server, *this, services);
      }};
  session_ = std::make_unique<LocalSession>(local_.seams(), &local_.running(), local_.localEvents(), kind,
                                            local_.services());
  session_->bindCurrent();
  if (server.bridge() == nullptr || !server.bridge()->startWith(setup_.listenAt)) {
    returnToLocalGame();
    return false;
  }
  return true;
}

// Called by the game's begin once the world is entered (its player stands in it).
void Hosting::worldEntered() {
  if (server_ == nullptr || session_ == nullptr) return;
  RunningWorld& running = session_->running();
  server_->setHostPlayer(running.player.get());
  server_->setWorld(running.world.get());
  server_->worldSender().setHostedWorld(running.world.get());
  hosted_ = true;
  server_->worldReady();
}

void Hosting::returnToLocalGame() {
  if (ending_) return;  // the hosting game's quit, called from here, comes back
  ending_ = true;
  hosted_ = false;
  if (server_ != nullptr) {
    server_->worldSender().setScreen(nullptr);
    server_->worldSender().setHostedWorld(nullptr);
    server_->setWorld(nullptr);
    server_->setHostPlayer(nullptr);
  }
  if (session_ != nullptr && session_->game().isStarted()) session_->game().quit();
  if (server_ != nullptr) server_->shutdown();
  if (session_ != nullptr) {
    session_->end();
    session_->unbindCurrent();
    local_.bindCurrent();
  }
  // The hosting game or the endpoint's drain may be the caller: they go once it has returned.
  if (server_ == nullptr && session_ == nullptr) {
    ending_ = false;
    return;
  }
  auto ended = std::make_shared<EndedHosting>(EndedHosting{std::move(server_), std::move(session_)});
  onMainThread([ended] {});
  ending_ = false;
}

void Hosting::rehost(const TravelTarget& target, uint32_t origin) {
  if (session_ == nullptr) return;
  session_->game().quit();  // the old endpoint ends; the game played alone is current meanwhile
  if (!openEndpoint()) return;
  game()->arriveAt(target, origin, whenEntered());
}

Hosting* hostWorld(LocalSession& local, const HostSetup& setup) {
  std::unique_ptr<Hosting>& slot = hostingSlot();
  slot.reset();
  slot = std::make_unique<Hosting>(local, setup);
  if (!slot->start()) {
    slot.reset();
    return nullptr;
  }
  return slot.get();
}

Hosting* currentHosting() { return hostingSlot().get(); }

void endHosting() { hostingSlot().reset(); }
