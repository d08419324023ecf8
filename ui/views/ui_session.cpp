#include "ui/views/ui_session.h"

#include "game/session/running_world.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"

UiSession::UiSession() : nullGame_(std::make_unique<NullGame>()), nullRules_(std::make_unique<NullLogic>()) {}

UiSession::~UiSession() = default;

void UiSession::bind(GameInterface* game, Logic* rules, RunningWorld* running) {
  game_ = game;
  rules_ = rules;
  running_ = running;
}

void UiSession::unbind(const GameInterface& game) {
  if (game_ != &game) return;
  bind(nullptr, nullptr, nullptr);
}

GameInterface& UiSession::game() const { return game_ != nullptr ? *game_ : *nullGame_; }

Logic& UiSession::rules() const { return rules_ != nullptr ? *rules_ : *nullRules_; }

World* UiSession::world() const { return running_ != nullptr ? running_->world.get() : nullptr; }

PlayerDesktopLocal* UiSession::player() const { return running_ != nullptr ? running_->player.get() : nullptr; }
