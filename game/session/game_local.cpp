#include "game/session/game_local.h"

#include <utility>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "content/potions/potion_table.h"
#include "game/player/player.h"
#include "game/player/player_events.h"
#include "game/player/player_options.h"
#include "game/session/game_screen.h"
#include "game/rules/local_logic.h"
#include "game/rules/shot_cost.h"
#include "game/session/game_saves.h"
#include "game/session/running_world.h"
#include "game/trade/trade_book.h"
#include "game/trade/trade_session.h"
#include "world/blocks/block_entity_cast.h"
#include "world/seams/world_options.h"
#include "world/blocks/alchemy_lab.h"
#include "world/rules/console_kind.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {
constexpr size_t kLabOutput = 4;
}  // namespace

GameLocal::GameLocal(LocalLogic* rules, GameServices services)
    : rules_(rules),
      services_(std::move(services)),
      ownRunning_(services_.running == nullptr ? std::make_unique<RunningWorld>() : nullptr),
      running_(services_.running != nullptr ? services_.running : ownRunning_.get()),
      trades_(std::make_shared<TradeBook>()) {}

GameLocal::~GameLocal() { generation_.stop(); }

bool Game::worldIsCreative() { return world_ != nullptr && world_->isCreative(); }

engine::Vec2 Game::wrappedPlayerPosition() {
  if (player_ == nullptr) return {};
  if (world_ != nullptr) {
    const float pixels = static_cast<float>(world_->map().width()) * PlayerGraphical::kCellSize;
    float& x = player_->position.x;
    if (x > pixels - 15) x -= pixels;
    if (x < -15) x += pixels;
  }
  return player_->position;
}

void GameLocal::playPlayerAction(uint8_t action, uint8_t value) {
  rules_->playPlayerAction(player_, action, value, EffectAudience::Everyone);
}

bool GameLocal::signalEntities(float x, float y) {
  return rules_->signalEntitiesNear(player_, engine::Vec2(x, y), world_ != nullptr && world_->options().invertToyMechanics());
}

void GameLocal::playCellEffect(uint8_t effect, MapBlock& cell) {
  rules_->playCellEffect(player_, cell, effect, EffectAudience::Everyone);
}

void GameLocal::throwItem(ItemPtr item, float speed, float angle, uint8_t flags) {
  const engine::Vec2 at = wrappedPlayerPosition();
  rules_->spawnItemEntity(std::move(item), at, speed, angle, flags);
}

void GameLocal::shoot(float aimX, float aimY) {
  if (player_ == nullptr) return;
  const engine::Vec2 at = wrappedPlayerPosition();
  Item* held = player_->heldItem();
  if (held == nullptr || held->isNone()) return;
  if (rules_->shootProjectile(held, player_, at, {aimX, aimY}, 0) != nullptr) {
    payForShot(*player_, *held, world_ != nullptr && world_->isCreative());
  }
}

void GameLocal::reelIn(float reactionMs) {
  if (player_ != nullptr) rules_->resolveFishingCatch(*player_, reactionMs / 1000.0f);
}

void GameLocal::closeContainer() {
  if (player_ == nullptr) return;
  if (player_->openContainer() != nullptr) {
    player_->leaveContainer(false);
  } else if (player_->inventory->trade() != nullptr) {
    cancelTrade();
  }
}

void GameLocal::setPlayerMode(uint8_t mode) {
  if (player_ != nullptr) player_->mode = mode;
}

// A character made to end with its death does not come back: its world is saved and the game
// returns to the start view.
void GameLocal::respawn() {
  if (player_ == nullptr) return;
  if ((player_->characterFlags & character_flag::kDeathEndsGame) == 0) {
    screen().enterMainView();
    rules_->respawnPlayer(player_);
    return;
  }
  player_->respawnReset();
  if (world_ != nullptr) saves().saveWorld(*world_, {});
  stopTimers();
  quit();
  screen().showStartView(0);
}

void GameLocal::requestTrade(PlayerBase*) {
  if (player_ != nullptr) player_->showTextById(console_kind::kRefusal, kTextTradeNeedsMultiplayer);
}

void GameLocal::cancelTrade() {
  if (player_ == nullptr) return;
  player_->tradeEnded();
  cancelTradeOf(*player_);
}

bool GameLocal::editBlock(const BlockEdit& edit) { return rules_->editBlock(edit, player_); }

void GameLocal::pause() {
  if (player_ != nullptr && (player_->stateWord & kPauseBlockedBit) != 0) return;
  rules_->timers().setOrdinaryPaused(true);
}

void GameLocal::unpause() { rules_->timers().setOrdinaryPaused(false); }

void GameLocal::quit() {
  started_ = false;
  saves().saveStatistics();
  ++loadTicket_;
  generation_.stop();  // quitting never waits for a whole world
  stopTimers();
  trades_->clear();  // the players go with the world: their trades end untold
  endWorld(*running_, *this, *rules_, services_.stats);
  saves().worldEnded();
  timers_.unscheduleAll();
}

void Game::dropInventoryOnDeath() {
  if (!settled_ || player_ == nullptr || difficulty_ == nullptr) return;
  player_->events().placeOfDeath(static_cast<int32_t>(player_->cellX), static_cast<int32_t>(player_->cellY));
  player_->inventory->forEachDroppedSlot(*difficulty_, [this](ItemPtr item) { dropItem(std::move(item)); });
}

bool GameLocal::damageLocalPlayer(float amount, uint8_t cause) {
  if (amount <= 0 || player_ == nullptr) return false;
  return rules_->damagePlayer(*player_, amount, cause);
}

AlchemyLab* Game::labReadyToBrew() {
  auto* lab = block_entity_cast<AlchemyLab>(player_ != nullptr ? player_->openContainer() : nullptr);
  if (lab == nullptr) return nullptr;
  const PotionResult result = ::brewPotion(lab->itemAt(0), lab->itemAt(1), lab->itemAt(2), lab->itemAt(3));
  const Item* output = lab->itemAt(kLabOutput);
  if (output != nullptr && !output->isNone() && output->id != result.itemId) return nullptr;
  if (result.itemId == ITEM_NONE || lab->brewing()) return nullptr;
  return lab;
}

bool GameLocal::brewPotion() {
  AlchemyLab* lab = labReadyToBrew();
  if (lab == nullptr) return false;
  lab->setBrewing(true);
  rules_->brewPotion(*lab, player_);
  return true;
}

// The item falls at the player's cell; the entity it becomes owns it.
void GameLocal::dropItem(ItemPtr item) {
  if (item == nullptr) return;
  const engine::Vec2 at = player_ != nullptr
                              ? engine::Vec2{player_->cellX * PlayerGraphical::kCellSize,
                                             player_->cellY * PlayerGraphical::kCellSize}
                              : engine::Vec2{};
  rules_->spawnItemDrop(std::move(item), at, kItemDropKind);
}
