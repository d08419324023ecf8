// The timed tasks of a game played alone, the world-clock step, going to bed and saving.

#include "engine/scene/director.h"
#include "engine/scene/scheduled_slots.h"
#include "game/player/player.h"
#include "game/player/player_options.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "game/session/game_local.h"
#include "game/session/game_saves.h"
#include "game/session/game_screen.h"
#include "game/session/game_slots.h"
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

}  // namespace

void GameLocal::startTimers() {
  rules_->startTimers();
  LocalLogic* rules = rules_;
  engine::scheduleSlot([rules](float) { rules->timers().step(); }, game_slot::kRulesInterval, game_slot::kRules,
                       rules);
  gameScreen().setMainLayerUpdating(true);
  if (world != nullptr && world->dayClock().running != 0) scheduleClock();
  if (kel::options().shouldAutosave) {
    engine::scheduleSlot([this](float) { autosave(); }, game_slot::kAutosaveInterval, game_slot::kAutosave, this);
  }
  engine::scheduleSlot([this](float) { updatePlayer(); }, game_slot::kPlayerUpdateInterval,
                       game_slot::kPlayerUpdate, this);
  // Every frame (interval 0), with the frame's time: the entity lists turn it into whole ticks.
  engine::scheduleSlot([rules](float seconds) { rules->entities().stepFrame(seconds); }, 0.0f, game_slot::kEntities,
                       rules);
  scheduleSteps();
  // The time spent stopped is not the next frame's step.
  engine::Director::getInstance()->setNextDeltaTimeZero(true);
  timersRunning_ = true;
}

// Work queued while the tasks were stopped waits in the simulations until this start.
void GameLocal::scheduleSteps() {
  if (world == nullptr) return;
  LiquidSimulator& liquids = world->map().liquids();
  if (liquids.running() || liquids.nextCount() > 0 || !liquids.pendingCells().empty()) liquids.scheduleStep();
  if (world->circuits().pending()) world->circuits().scheduleStep();
}

void GameLocal::stopTimers() {
  engine::unscheduleSlot(game_slot::kRules);
  rules_->timers().clear();
  gameScreen().setMainLayerUpdating(false);
  // Also the every-frame clock of a sleeper whose world keeps no time.
  engine::unscheduleSlot(game_slot::kClock);
  engine::unscheduleSlot(game_slot::kPlayerUpdate);
  engine::unscheduleSlot(game_slot::kEntities);
  engine::unscheduleSlot(game_slot::kAutosave);
  engine::unscheduleSlot(LiquidSimulator::kStepSlot);
  engine::unscheduleSlot(CircuitSystem::kStepSlot);
  timersRunning_ = false;
}

void GameLocal::Clock::stopClockTask() { engine::unscheduleSlot(game_slot::kClock); }

void GameLocal::Clock::scheduleClockTask() {
  if (game_.world != nullptr) game_.scheduleClock();
}

// Only this game's own registration is undone: another game may have registered since.
void GameLocal::releaseClock() {
  if (&gameClock() == &clock_) setGameClock(nullptr);
}

void GameLocal::scheduleClock() {
  const bool extendedDay = player != nullptr && playerOptionOn(*player, player_option::kExtendedDay);
  const float interval = world->dayClock().secondsPerTick(extendedDay, sessionKind() == 0);
  engine::scheduleSlot([this](float) { tick(); }, interval, game_slot::kClock, this);
}

void GameLocal::autosave() {
  save([this, alive = std::weak_ptr<bool>(alive_), ticket = loadTicket_](bool saved) {
    if (alive.expired() || ticket != loadTicket_ || player == nullptr) return;
    player->showMessage(kMessageInfo, saved ? kAutosaved : kAutosaveFailed);
  });
}

void GameLocal::updatePlayer() {
  if (player != nullptr) player->recordStat(kStatPlayTime, 1);
  gameScreen().spawnWeatherParticles();
}

void GameLocal::tick() {
  if (world == nullptr) return;
  const DayClockStep step = world->dayClock().advance();
  if (sleeping && step.phase == DayPhase::Dawn && step.tick == kWakeTick) {
    if (player != nullptr) player->showMessage(kMessageInfo, kWokeUp);
    // A stopped clock keeps no every-frame task once the sleeper is up.
    if (world->dayClock().running == 0) engine::unscheduleSlot(game_slot::kClock);
    startTimers();
    sleeping = false;
    gameScreen().removeSleepFade();
  }
  gameScreen().clockStepped(step);
  if (step.tick != 0) return;
  if (step.phase == DayPhase::Night || step.phase == DayPhase::Day) gameScreen().playNextTrack();
  // Each phase has its own step length.
  if (!sleeping) scheduleClock();
}

void GameLocal::sleep() {
  if (sleeping || world == nullptr) return;
  stopTimers();
  engine::scheduleSlot([this](float) { tick(); }, 0.0f, game_slot::kClock, this);
  DayClock& clock = world->dayClock();
  clock.tickCounter = clock.tickCounter - clock.tickCounter % DayClock::kTicksPerPhase + kBedTick;
  sleeping = true;
  gameScreen().showSleepFade();
}

void GameLocal::save(const SaveDone& done) {
  GameSaves& saves = gameSaves();
  const bool nothingToSave = !saves.hasWorldEntry();
  const bool character = nothingToSave || saves.saveCharacter();
  if (nothingToSave || world == nullptr) {
    if (done) done(character);
    return;
  }
  saves.saveWorld(*world, [character, done](bool worldSaved) {
    if (done) done(character && worldSaved);
  });
}
