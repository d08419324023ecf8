// The timed tasks of a game played alone and saving; the world-clock step and going to bed, which
// every kind of game shares.

#include <memory>
#include <utility>

#include "engine/scene/director.h"
#include "game/player/player.h"
#include "game/player/player_options.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "game/session/game_local.h"
#include "game/session/game_saves.h"
#include "game/session/game_screen.h"
#include "game/session/game_timers.h"
#include "platform/settings/settings.h"
#include "world/circuits/circuit_system.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr uint16_t kStatPlayTime = 60;
constexpr uint32_t kWakeTick = 256;
// Going to bed moves the clock to this tick of its phase, so that the night passes quickly.
constexpr uint32_t kBedTick = 472;

// Calls `done` once `parts` saves ended, true when every one of them reached the disk.
SaveDone whenAllSaved(int parts, SaveDone done) {
  struct Joint {
    int left;
    bool saved;
    SaveDone done;
  };
  auto joint = std::make_shared<Joint>(Joint{parts, true, std::move(done)});
  return [joint](bool saved) {
    joint->saved = joint->saved && saved;
    if (--joint->left == 0 && joint->done) joint->done(joint->saved);
  };
}

}  // namespace

void GameLocal::startTimers() {
  if (world_ == nullptr) return;
  rules_->startTimers();
  LocalLogic* rules = rules_;
  WorldTimers& timers = world_->timers();
  timers.schedule(world_timer::kRules, game_interval::kRulesInterval, [rules](float) { rules->timers().step(); });
  screen().setMainLayerUpdating(true);
  if (world_->dayClock().running != 0) scheduleClock();
  scheduleAutosave();
  timers.schedule(world_timer::kPlayerUpdate, game_interval::kPlayerUpdateInterval, [this](float) { updatePlayer(); });
  // Every frame (interval 0), with the frame's time: the entity lists turn it into whole ticks.
  timers.schedule(world_timer::kEntities, 0.0f, [rules](float seconds) { rules->entities().stepFrame(seconds); });
  scheduleSteps();
  // The time spent stopped is not the next frame's step.
  engine::Director::getInstance()->setNextDeltaTimeZero(true);
  timersRunning_ = true;
}

// Work queued while the tasks were stopped waits in the simulations until this start.
void GameLocal::scheduleSteps() {
  LiquidSimulator& liquids = world_->map().liquids();
  if (liquids.running() || liquids.nextCount() > 0 || !liquids.pendingCells().empty()) liquids.scheduleStep();
  if (world_->circuits().pending()) world_->circuits().scheduleStep();
}

void GameLocal::stopTimers() {
  rules_->timers().clear();
  screen().setMainLayerUpdating(false);
  // Also the every-frame clock of a sleeper whose world keeps no time.
  if (world_ != nullptr) world_->timers().unscheduleAll();
  timersRunning_ = false;
}

// The clock is the players' only while the game runs a world: before and after, it does nothing.
bool GameLocal::Clock::sleeping() const { return game_.isStarted() && game_.isSleeping(); }

void GameLocal::Clock::stopClockTask() {
  if (game_.isStarted() && game_.world() != nullptr) game_.world()->timers().unschedule(world_timer::kClock);
}

void GameLocal::Clock::scheduleClockTask() {
  if (game_.isStarted() && game_.world() != nullptr) game_.scheduleClock();
}

void Game::scheduleClock() {
  const bool extendedDay = player_ != nullptr && playerOptionOn(*player_, player_option::kExtendedDay);
  const float interval = world_->dayClock().secondsPerTick(extendedDay, sessionKind() == 0);
  world_->timers().schedule(world_timer::kClock, interval, [this](float) { tick(); });
}

void Game::scheduleAutosave() {
  WorldTimers& timers = world_->timers();
  if (!kel::options().shouldAutosave) {
    timers.unschedule(world_timer::kAutosave);
  } else if (!timers.isScheduled(world_timer::kAutosave)) {
    timers.schedule(world_timer::kAutosave, game_interval::kAutosaveInterval, [this](float) { autosave(); });
  }
}

// The player update runs exactly while the game's timers do (a sleeper's clock runs alone).
void Game::autosaveOptionChanged() {
  if (world_ != nullptr && world_->timers().isScheduled(world_timer::kPlayerUpdate)) scheduleAutosave();
}

void GameLocal::autosave() {
  save([this, alive = std::weak_ptr<bool>(alive_), ticket = loadTicket_](bool saved) {
    if (alive.expired() || ticket != loadTicket_ || player_ == nullptr) return;
    player_->showMessage(kMessageInfo, saved ? kAutosaved : kAutosaveFailed);
  });
}

void GameLocal::updatePlayer() {
  if (player_ != nullptr) player_->recordStat(kStatPlayTime, 1);
  screen().spawnWeatherParticles();
}

void Game::tick() {
  if (world_ == nullptr) return;
  const DayClockStep step = world_->dayClock().advance();
  if (sleeping_ && step.phase == DayPhase::Dawn && step.tick == kWakeTick) {
    if (player_ != nullptr) player_->showMessage(kMessageInfo, kWokeUp);
    // A stopped clock keeps no every-frame task once the sleeper is up.
    if (world_->dayClock().running == 0) world_->timers().unschedule(world_timer::kClock);
    startTimers();
    sleeping_ = false;
    screen().removeSleepFade();
  }
  screen().clockStepped(step);
  if (step.tick != 0) return;
  if (step.phase == DayPhase::Night || step.phase == DayPhase::Day) screen().playNextTrack();
  // Each phase has its own step length.
  if (!sleeping_) scheduleClock();
}

void Game::sleep() {
  if (sleeping_ || world_ == nullptr) return;
  stopTimers();
  world_->timers().schedule(world_timer::kClock, 0.0f, [this](float) { tick(); });
  DayClock& clock = world_->dayClock();
  clock.tickCounter = clock.tickCounter - clock.tickCounter % DayClock::kTicksPerPhase + kBedTick;
  sleeping_ = true;
  screen().showSleepFade();
}

void GameLocal::save(const SaveDone& done) {
  GameSaves& saves = this->saves();
  if (!saves.hasWorldEntry()) {
    if (done) done(true);
    return;
  }
  // The character and the world are written while the game plays on, each by its own worker.
  const SaveDone both = whenAllSaved(world_ != nullptr ? 2 : 1, done);
  saves.saveCharacter(both);
  if (world_ != nullptr) saves.saveWorld(*world_, both);
}
