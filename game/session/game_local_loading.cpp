// Starting a game played alone: a new world generated on the worker thread, or the world file
// read by the saves off the main thread; entering the world once the screen is ready to draw it; travelling to
// another world.

#include <memory>
#include <utility>

#include "content/loader/game_tables_loader.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/game_saves.h"
#include "game/session/game_screen.h"
#include "game/session/game_timers.h"
#include "game/session/running_world.h"
#include "game/session/world_generation.h"
#include "game/stats/stats_store.h"
#include "world/blocks/shelf.h"
#include "world/map/world_map.h"
#include "world/seams/world_options.h"
#include "world/world.h"

namespace {

constexpr uint8_t kAdventureMode = 3;
constexpr int kFirstLoadDialog = 18;  // the start view's dialog is the load result + 18

int16_t loadingTextFor(uint8_t mode) {
  if (mode <= 1) return 99;
  if (mode <= 3) return 100;
  if (mode == 4) return 101;
  return GameScreen::kNoText;
}

constexpr int16_t kReadingWorldFile = 103;

// The achievement of a planet, by its bit, for generating an adventure world on it; -1 for none.
int planetAchievement(uint32_t planetBit) {
  switch (planetBit) {
    case 1: return 92;
    case 2: return 93;
    case 4: return 94;
    case 8: return 95;
    case 16: return 96;
    case 32: return 99;
    case 64: return 101;
    case 128: return 100;
    case 256: return 102;
    case 512: return 98;
    case 1024: return 97;
    default: return -1;
  }
}

}  // namespace

void GameLocal::begin(uint8_t mode, const GameCompletion& done) {
  ++loadTicket_;
  screen().showLoading(loadingTextFor(mode));
  loadPlayerIfMissing();
  // A character that cannot be read starts nothing: playing on with a blank one would overwrite it.
  if (player_ == nullptr) {
    screen().showStartView(0);
    return;
  }
  // The loaded character's difficulty picks the row every world of this game is made with.
  difficulty_ = difficultyRow(player_->difficultyId);
  rules_->setDifficulty(difficulty_);
  saves().loadStatistics();
  if (mode == 2 || mode == 3) {
    startGeneration(done);
  } else if (mode <= 1) {
    timers_.scheduleOnce(session_timer::kStartLoading, game_interval::kStartLoadingDelay,
                         [this, done](float) { loadWorldFile(done); });
  }
}

void GameLocal::loadPlayerIfMissing() {
  if (running_->player == nullptr) running_->player = saves().loadLocalPlayer(*this, localEvents_, &clock_);
  player_ = running_->player.get();
  if (player_ != nullptr) player_->setTrades(trades_);
  rules_->setPlayer(player_);
}

void GameLocal::startGeneration(const GameCompletion& done) {
  // The grid of cells is made, and the first save made ready, on the worker: on the main thread the
  // largest world's grid alone stopped a frame for a tenth of a second.
  std::unique_ptr<World> fresh = World::createToGenerate(difficulty_, saves().worldEntryParams());
  GeneratorHooks hooks;
  if (pendingTravel_) hooks.arrivalOrigin = travelOrigin_;
  const uint64_t ticket = loadTicket_;
  generation_.start(
      std::move(fresh), std::move(hooks), generationSeed_,
      [&screen = screen()](const std::string& text) { screen.setLoadingText(text); },
      [this, alive = std::weak_ptr<bool>(alive_), ticket, done](GeneratedWorld result) {
        // A game destroyed before the hand-over ran lets the world go here.
        if (!alive.expired()) finishGeneration(ticket, std::move(result), done);
      },
      [&saves = saves()](World& world) { saves.prepareWorldSave(world); });
}

void GameLocal::finishGeneration(uint64_t ticket, GeneratedWorld result, const GameCompletion& done) {
  // A game that ended meanwhile lets the world go here, on the main thread.
  if (ticket != loadTicket_ || result.world == nullptr) return;
  // The loading screen stays until the screen can draw the world without stopping to load.
  const World& made = *result.world;
  auto held = std::make_shared<GeneratedWorld>(std::move(result));
  screen().whenReadyToEnter(made, [this, alive = std::weak_ptr<bool>(alive_), ticket, held, done] {
    if (!alive.expired()) enterGenerated(ticket, std::move(*held), done);
  });
}

void GameLocal::enterGenerated(uint64_t ticket, GeneratedWorld result, const GameCompletion& done) {
  if (ticket != loadTicket_ || result.world == nullptr) return;
  install(std::move(result.world));
  if (running_->player != nullptr) running_->player->setCell(result.spawn.column, result.spawn.row);
  // The arrival is where the generator put the spawn.
  pendingTravel_.reset();
  enterWorld(false);
  saveNewWorldNextFrame();
  const WorldParams& params = world_->map().params();
  if (params.mode == kAdventureMode) {
    const int achievement = planetAchievement(params.planetId);
    if (achievement >= 0 && services_.stats != nullptr) {
      services_.stats->unlockAchievement(static_cast<size_t>(achievement));
    }
  }
  settleLater();
  if (done) done();
}

// A new world is written at once, but not in the frame that enters it, which builds the world's
// whole view: the two together would make that frame longer still.
void GameLocal::saveNewWorldNextFrame() {
  timers_.scheduleOnce(session_timer::kFirstSave, 0.0f, [this](float) {
    if (world_ != nullptr) saves().saveWorld(*world_, {});
  });
}

void GameLocal::loadWorldFile(const GameCompletion& done) {
  screen().setLoadingTextById(kReadingWorldFile);
  // The saves read the file off the main thread and mark it while they read: a read that never
  // returns leaves the mark.
  saves().loadWorldFile(difficulty_, [this, alive = std::weak_ptr<bool>(alive_), ticket = loadTicket_,
                                      done](LoadedWorld load) {
    // A game that ended meanwhile lets the world go here, on the main thread.
    if (!alive.expired() && ticket == loadTicket_) enterLoaded(std::move(load), done);
  });
}

void GameLocal::enterLoaded(LoadedWorld load, const GameCompletion& done) {
  if (load.result != LoadedWorld::kLoaded || load.world == nullptr) {
    endWorld(*running_, *this, *rules_, services_.stats);
    // A world that is missing or cannot be read is named by the start view's dialog.
    const bool named = load.result == LoadedWorld::kPlanetMissing || load.result == LoadedWorld::kPlanetMissingWithBackup ||
                       load.result == LoadedWorld::kUnreadable;
    screen().showStartView(named ? load.result + kFirstLoadDialog : 0);
    return;
  }
  install(std::move(load.world));
  PlayerDesktopLocal* local = running_->player.get();
  if (local != nullptr && load.hasPlayerCells) {
    local->setSpawnCell(load.spawnColumn, load.spawnRow);
    local->setCellCoordinates(load.playerColumn, load.playerRow);
    // The file may hold her in mid-air, where an autosave caught her: entering does not drop her
    // into a fall that hurts.
    local->body().setDownWithoutFall();
  }
  // As for a made world: the loading screen stays until the screen can draw it.
  screen().whenReadyToEnter(*world_, [this, alive = std::weak_ptr<bool>(alive_), ticket = loadTicket_, done] {
    if (alive.expired() || ticket != loadTicket_) return;
    enterWorld(true);
    settleLater();
    if (done) done();
  });
}

// The world becomes the running one, the rules' and the player's.
void GameLocal::install(std::unique_ptr<World> fresh) {
  running_->world = std::move(fresh);
  world_ = running_->world.get();
  // From here on the world's rules, edits and seams are this game's.
  world_->setContext(context_);
  if (services_.bindWorld) services_.bindWorld(world_);
  rules_->setWorld(world_);
  if (player_ != nullptr) player_->setWorld(world_);
  // What a read world's shelves hold is shown now that its rules can make the displays.
  for (const auto& shelf : world_->shelves()) shelf->showMissingDisplays();
}

void GameLocal::enterWorld(bool fromFile) {
  if (fromFile && world_->map().params().mode == kAdventureMode && pendingTravel_) {
    if (running_->player != nullptr) running_->player->setCellCoordinates(pendingTravel_->column, pendingTravel_->row);
    pendingTravel_.reset();
  } else if (world_->isCreative()) {
    enterCatalogue();
  }
  applyInventoryOptions();
  screen().enterMainView();
  started_ = true;
  startTimers();
  sleeping_ = false;
  refreshPet();
  screen().playNextTrack();
}

void GameLocal::applyInventoryOptions() {
  if (player_ == nullptr || player_->inventory == nullptr) return;
  player_->inventory->useDesktopQuickRow(world_ != nullptr && world_->options().keepLastSlotEmpty());
}

void GameLocal::settleLater() {
  settled_ = false;
  timers_.scheduleOnce(session_timer::kSettle, game_interval::kSettleDelay, [this](float) { settled_ = true; });
}

void GameLocal::travelToWorld(const TravelTarget& target) {
  stopTimers();
  const uint16_t visitedBefore = player_ != nullptr ? player_->unlockedPlanets : 0;
  if (player_ != nullptr) player_->unlockedPlanets |= target.planetBit();
  // Nothing the player does while the world's file is written could reach it any more.
  screen().showLoading(GameScreen::kNoText);
  save([this, alive = std::weak_ptr<bool>(alive_), ticket = loadTicket_, target, visitedBefore](bool saved) {
    if (!alive.expired() && ticket == loadTicket_) travelOnceSaved(target, visitedBefore, saved);
  });
}

void GameLocal::travelOnceSaved(const TravelTarget& target, uint16_t visitedBefore, bool saved) {
  // A world whose save failed is kept and played on: ending it would lose it.
  if (!saved) {
    screen().enterMainView();
    if (player_ != nullptr) {
      player_->unlockedPlanets = visitedBefore;
      player_->showMessage(kMessageRefusal, kTravelNotSaved);
    }
    startTimers();
    return;
  }
  continueTravel(target, world_ != nullptr ? world_->map().params().planetId : 0);
}

void GameLocal::continueTravel(const TravelTarget& target, uint32_t origin) {
  quit();
  arriveAt(target, origin, {});
}

void GameLocal::arriveAt(const TravelTarget& target, uint32_t origin, const GameCompletion& done) {
  travelOrigin_ = origin;
  pendingTravel_ = target;
  GameSaves& saves = this->saves();
  saves.setWorldIndex(target.worldIndex);
  begin(saves.worldFileExists() ? 1 : 3, done);
}
