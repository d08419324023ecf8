#include "game/session/local_session.h"

#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/game_screen.h"
#include "game/session/player_bodies.h"
#include "game/session/running_world.h"
#include "game/session/session_entities.h"
#include "game/session/session_fishing.h"
#include "world/current_world.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {
// The session's services as its game is given them: its running world, and the current world
// bound while the session is.
GameServices gameServices(GameServices services, RunningWorld& running, const bool& bound) {
  services.running = &running;
  services.bindWorld = [&bound](World* world) {
    if (bound) setCurrentWorld(world);
  };
  return services;
}
}  // namespace

LocalSession::LocalSession(const WorldContext& seams, RunningWorld* running, PlayerEvents* localEvents,
                           const SessionKind& kind, const GameServices& services)
    : ownRunning_(running == nullptr ? std::make_unique<RunningWorld>() : nullptr),
      running_(running != nullptr ? running : ownRunning_.get()),
      services_{.screen = services.screen, .saves = services.saves, .stats = services.stats},
      rules_(kind.rules ? kind.rules() : std::make_unique<LocalLogic>(nullptr, nullptr, nullptr)),
      game_(kind.game ? kind.game(*rules_, gameServices(services_, *running_, bound_))
                      : std::make_unique<GameLocal>(rules_.get(), gameServices(services_, *running_, bound_))),
      bodies_(std::make_unique<PlayerBodies>(*rules_, *rules_)),
      entities_(std::make_unique<SessionEntities>(*running_)),
      fishing_(std::make_unique<SessionFishing>(*rules_)),
      seams_(seams),
      context_(seams),
      localEvents_(localEvents) {
  context_.rules = rules_.get();
  context_.edits = game_.get();
  context_.bodies = bodies_.get();
  if (context_.entities == nullptr) context_.entities = &entities_->maker();
  if (context_.shelfDisplays == nullptr) context_.shelfDisplays = entities_.get();
  bodies_->followWorld(running_);
  entities_->setFishingOwners(fishing_.get());
  rules_->setEntities(entities_.get());
  game_->setWorldContext(context_);
  game_->setLocalPlayerEvents(localEvents);
}

LocalSession::~LocalSession() {
  end();
  unbindCurrent();
  rules_->setEntities(nullptr);
  bodies_->followWorld(nullptr);
}

void LocalSession::bindCurrent() {
  setCurrentGame(game_.get());
  setCurrentLogic(rules_.get());
  setCurrentWorld(running_->world.get());
  screenOf(services_).gameBound(*game_, *rules_, *rules_, *rules_, *running_, services_.stats);
  bound_ = true;
}

void LocalSession::unbindCurrent() {
  if (!bound_) return;
  if (&currentGame() == game_.get()) setCurrentGame(nullptr);
  if (&currentLogic() == rules_.get()) setCurrentLogic(nullptr);
  if (running_->world != nullptr && currentWorld() == running_->world.get()) setCurrentWorld(nullptr);
  screenOf(services_).gameUnbound(*game_);
  bound_ = false;
}

void LocalSession::end() {
  if (game_->isStarted()) {
    game_->quit();
  } else if (running_->world != nullptr || running_->player != nullptr) {
    endWorld(*running_, *game_, *rules_, services_.stats);
  }
}
