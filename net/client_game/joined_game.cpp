#include "net/client_game/joined_game.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/session/game_saves.h"
#include "game/session/game_timers.h"
#include "game/session/running_world.h"
#include "net/endpoint/net_client.h"
#include "saves/world/world_info.h"
#include "world/current_world.h"
#include "world/seams/world_options.h"
#include "world/world.h"

namespace {
constexpr uint8_t kJoinedLoadingMode = 4;
}  // namespace

// The world's clock is the host's: the joined player is given none to set.
JoinedGame::JoinedGame(NetClient& net, ClientGameExit& exit, const WorldContext& seams, PlayerEvents* events,
                       RunningWorld* running, const GameServices& services)
    : net_(net),
      seams_(seams),
      running_(running),
      saves_(savesOf(services)),
      game_(net, exit, services),
      player_(saves_.loadLocalPlayer(game_, events, nullptr)) {
  game_.lendPlayer(player_.get());
  rules_.setPlayer(player_.get());
  rules_.setEntities(&swing_);
  net_.setLocalPlayer(player_.get());
  net_.setHandOverListener([this] { game_.keepCharacter(); });
  net_.worldReceiver().setArrival(this);
}

JoinedGame::~JoinedGame() { detach(); }

// The client's world runs no rules: what its entities would decide (a mob's target, a leap, a
// blow) is the host's, and arrives as the host's messages. Its own follow-up edits (a liquid's
// flow, a cascade) go to the game, which applies them without rules.
WorldContext JoinedGame::worldContext() {
  WorldContext context = seams_;
  context.rules = nullptr;
  context.edits = &game_;
  return context;
}

void JoinedGame::worldCreated(World& world, WorldEntities& entities, const PlayerCells& cells) {
  game_.lendWorld(&world);
  game_.setDifficulty(world.difficulty());
  game_.setEntities(&entities);
  swing_.setEntities(&entities);
  rules_.setWorld(&world);
  rules_.setDifficulty(world.difficulty());
  if (player_ != nullptr) {
    player_->setWorld(&world);
    player_->setSpawnCell(cells.spawnX, cells.spawnY);
    player_->setCellCoordinates(cells.x, cells.y);
    player_->body().setDownWithoutFall();
    // Her pickups fill the quick row as they do alone.
    if (player_->inventory != nullptr) player_->inventory->useDesktopQuickRow(world.options().keepLastSlotEmpty());
  }
  if (running_ != nullptr) running_->borrow(world, player_.get());
  setCurrentWorld(&world);
}

void JoinedGame::knowHost(const std::string& hostKey) {
  const std::vector<uint8_t> kept = saves_.hostToken(hostKey);
  std::optional<wire::Token> token;
  if (kept.size() == std::tuple_size_v<wire::Token>) {
    token.emplace();
    std::copy(kept.begin(), kept.end(), token->begin());
  }
  net_.setHostToken(token);
  net_.setIdentityListener([this, hostKey](const wire::Token& handed) { saves_.keepHostToken(hostKey, handed); });
}

void JoinedGame::downloadStarted() { game_.begin(kJoinedLoadingMode, {}); }

// A moment after the clock, as a loaded world is entered a moment after its file was read.
void JoinedGame::clockArrived(World&) {
  timers_.scheduleOnce(session_timer::kStartLoading, game_interval::kStartLoadingDelay,
                       [this](float) { game_.enterWorld(); });
}

void JoinedGame::detach() {
  if (detached_) return;
  detached_ = true;
  timers_.unscheduleAll();
  game_.stopTimers();
  if (net_.localPlayer() == player_.get()) net_.setLocalPlayer(nullptr);
  net_.setHandOverListener({});
  net_.setIdentityListener({});
  net_.worldReceiver().setArrival(nullptr);
  if (World* world = game_.world()) {
    if (running_ != nullptr) running_->giveBack(world->serial(), player_ != nullptr ? player_->playerId() : 0);
    if (currentWorld() == world) setCurrentWorld(nullptr);
    // What the world's entities answer for stays theirs; this game's edits go.
    WorldContext left = world->context();
    left.edits = nullptr;
    world->setContext(left);
  }
  if (player_ != nullptr) player_->setWorld(nullptr);
  game_.lendWorld(nullptr);
  game_.lendPlayer(nullptr);
  game_.setEntities(nullptr);
  swing_.setEntities(nullptr);
  rules_.setEntities(nullptr);
  rules_.setWorld(nullptr);
  rules_.setPlayer(nullptr);
}
