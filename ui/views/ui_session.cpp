#include "ui/views/ui_session.h"

#include "game/rules/swing_rules.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"

UiSession::UiSession()
    : nullGame_(std::make_unique<NullGame>()),
      nullRules_(std::make_unique<NullLogic>()),
      noStatistics_(std::make_unique<StatsStore>()) {}

UiSession::~UiSession() = default;

void UiSession::bind(GameInterface* game, LogicCells* cells, LogicEntities* entities, SwingRules* swing,
                     RunningWorld* running, const StatsStore* stats) {
  game_ = game;
  cells_ = cells;
  entities_ = entities;
  swing_ = swing;
  running_ = running;
  stats_ = stats;
}

void UiSession::unbind(const GameInterface& game) {
  if (game_ != &game) return;
  bind(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

GameInterface& UiSession::game() const { return game_ != nullptr ? *game_ : *nullGame_; }

LogicCells& UiSession::cellRules() const { return cells_ != nullptr ? *cells_ : *nullRules_; }

LogicEntities& UiSession::entityRules() const { return entities_ != nullptr ? *entities_ : *nullRules_; }

SwingTargets* UiSession::swingTargets() const { return swing_ != nullptr ? swing_->swingTargets() : nullptr; }

World* UiSession::world() const { return running_ != nullptr ? running_->world.get() : nullptr; }

PlayerDesktopLocal* UiSession::player() const { return running_ != nullptr ? running_->player.get() : nullptr; }

const StatsStore& UiSession::statistics() const { return stats_ != nullptr ? *stats_ : *noStatistics_; }
