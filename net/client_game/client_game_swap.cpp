#include "net/client_game/client_game_swap.h"

#include <string>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "game/session/game_screen.h"
#include "game/session/local_session.h"
#include "net/endpoint/net_client.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"

namespace {

// What her character keeps a host's token under: the address and port she typed, or the host's
// store-front id.
std::string hostKey(const kel::base::DesktopConnectionInfo& host) {
  if (host.kind() == kel::base::DesktopConnectionInfo::kSteam) {
    return "store:" + std::to_string(static_cast<const kel::base::DesktopClientSteamConnectionInfo&>(host).hostId());
  }
  const auto& direct = static_cast<const kel::base::DesktopDirectConnectionInfo&>(host);
  return direct.host() + ":" + std::to_string(direct.port());
}

}  // namespace

ClientGameSwap::ClientGameSwap(LocalSession& local, const WorldContext& seams, NetNotices* notices,
                               PlayerEvents* events)
    : local_(local), seams_(seams), notices_(notices != nullptr ? notices : &noNotices_), events_(events) {}

ClientGameSwap::~ClientGameSwap() {
  travel_.unscheduleAll();
  if (joined_ != nullptr) joined_->game().quit();
  retired_.reset();
  retiredNet_.reset();
}

bool ClientGameSwap::joinWorld(const kel::base::DesktopConnectionInfo& host, const std::string& characterName) {
  returnToLocalGame();
  local_.end();
  local_.unbindCurrent();
  const bool steam = host.kind() == kel::base::DesktopConnectionInfo::kSteam;
  const uint8_t kind = steam ? kel::NET_KIND_STEAM : kel::NET_KIND_DIRECT;
  net_ = NetClient::create(kel::NetBridgeSetup{kind, 0, ""}, characterName, this);
  NetClient& net = *net_;
  net.setView(screens_.view);
  net.worldReceiver().setScreen(screens_.transfer);
  ClientGameExit& exit = *this;
  joined_ = std::make_unique<JoinedGame>(net, exit, seams_, events_, &local_.running(), local_.services());
  joined_->knowHost(hostKey(host));
  host_ = host.clone();
  characterName_ = characterName;
  if (net.bridge() == nullptr || joined_->player() == nullptr) {
    returnToLocalGame();
    return false;
  }
  setCurrentGame(&joined_->game());
  setCurrentLogic(&joined_->rules());
  screenOf(local_.services()).gameBound(joined_->game(), joined_->rules(), joined_->rules(), joined_->rules(),
                                        local_.running(), local_.services().stats);
  // Connected at once, the endpoint says hello from inside the start.
  if (!net.bridge()->startWith(host)) {
    returnToLocalGame();
    return false;
  }
  return true;
}

void ClientGameSwap::returnToLocalGame() {
  if (joined_ == nullptr) return;
  // The view goes while the world and the player it draws are still the running ones: the
  // entities' drawings and the players' sprites let go of them as a local game's would.
  screenOf(local_.services()).showStartView(0);
  joined_->detach();
  if (net_ != nullptr) net_->shutdown();
  if (&currentGame() == &joined_->game()) setCurrentGame(nullptr);
  if (&currentLogic() == &joined_->rules()) setCurrentLogic(nullptr);
  screenOf(local_.services()).gameUnbound(joined_->game());
  retired_ = std::move(joined_);
  retiredNet_ = std::move(net_);
  local_.bindCurrent();
  releaseLater();
}

// The joined game and the endpoint that held its world go once the frame's tasks are done, so
// that neither is freed under a drain or a game operation that ended them.
void ClientGameSwap::releaseLater() {
  engine::Director::getInstance()->getScheduler()->performFunctionInMainThread([alive = std::weak_ptr<bool>(alive_), this] {
    if (alive.expired()) return;
    retired_.reset();
    retiredNet_.reset();
  });
}

// However the connection ended, what she gained while joined stays hers: the game quits as if she
// had chosen to, which keeps her character.
void ClientGameSwap::connectionLost(uint8_t reason, const std::string& text) {
  if (joined_ != nullptr) joined_->game().quit();
  returnToLocalGame();
  notices_->connectionLost(reason, text);
}

void ClientGameSwap::rejoinHost() {
  if (host_ == nullptr) {
    returnToLocalGame();
    return;
  }
  std::shared_ptr<kel::base::DesktopConnectionInfo> host = host_->clone();
  const std::string name = characterName_;
  returnToLocalGame();
  travel_.scheduleOnce(kRejoinKey, kRejoinDelay, [this, host, name](float) { joinWorld(*host, name); });
}
