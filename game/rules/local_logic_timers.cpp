// The local rules' periodic tasks, in the order they are listed and counted each second.

#include "game/player/player.h"
#include "game/player/player_events.h"
#include "game/rules/finding_pets.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "game/rules/weather_change.h"
#include "platform/settings/settings.h"
#include "world/blocks/forge.h"
#include "world/blocks/stable.h"
#include "world/plants/plant_system.h"
#include "world/rules/console_kind.h"
#include "world/world.h"

namespace {

enum TimerKind : uint32_t { kOrdinary = 0, kRunsWhilePaused = 1 };

}  // namespace

void LocalLogic::startTimers() {
  timers_.clear();
  timers_.add(kOrdinary, 11, 1, [this] { forEachPlayer([](PlayerBase* p) { p->tickBuffs(); }); });
  timers_.add(kOrdinary, 12, 3, [this] { forEachPlayer([this](PlayerBase* p) { p->applyEnvironmentDamage(*this); }); });
  timers_.add(kOrdinary, 15, 5, [this] { randomTick(); });
  timers_.add(kRunsWhilePaused, 13, 3, [this] { stepForges(); });
  timers_.add(kOrdinary, 14, 3, [this] { entities_->runSpawner(); });
  timers_.add(kOrdinary, 16, 20, [this] {
    if (world_ != nullptr) world_->plants().growAll(*this);
  });
  timers_.add(kOrdinary, 17, 20, [this] {
    if (world_ != nullptr) world_->plants().growFruits(*this);
  });
  timers_.add(kOrdinary, 18, 10, [this] { stepStables(); });
  timers_.add(kOrdinary, 20, 20, [this] { stepWeather(); });
  timers_.add(kOrdinary, kFindingPetsTask, kFindingPetsPeriod, [this] { findWithPets(*this, *this, world_); });
  timers_.add(kOrdinary, 19, 10, [this] {
    const float amount = difficultyRegeneration(difficulty_);
    if (world_ == nullptr || world_->isCreative() || amount <= 0) return;
    forEachPlayer([amount](PlayerBase* p) { p->addHealth(amount); });
  });
  timers_.add(kOrdinary, 22, 300, [this] { remindToSave(); });
  timers_.unpauseAll();
}

void LocalLogic::stepForges() {
  if (world_ == nullptr) return;
  for (const auto& entity : world_->forges()) {
    Forge* forge = entity.get();
    const int result = forge->smeltStep();
    if (result == Forge::kCold) continue;
    forEachPlayer([&](PlayerBase* p) {
      if (p->openContainer() == forge) p->refreshForge(result);
    });
  }
}

void LocalLogic::stepStables() {
  if (world_ == nullptr) return;
  for (const auto& entity : world_->stables()) {
    Stable* stable = entity.get();
    if (stable->inUse()) continue;
    stable->updateMobs();
    if (stable->mobCount() == 2) stable->breed();
  }
}

// The players compare the new weather with the one it replaces, so the step's change is handed
// to them rather than left standing in the world.
void LocalLogic::stepWeather() {
  if (world_ == nullptr) return;
  WeatherState& weather = world_->weather();
  const WeatherKind before = weather.kind;
  if (weather.tick()) announceWeather(*this, weather, before);
}

void LocalLogic::remindToSave() {
  const kel::Options& options = kel::options();
  if (player_ != nullptr && options.saveReminder && !options.shouldAutosave) {
    player_->showMessage(console_kind::kInformation, kSaveReminder);
  }
}
