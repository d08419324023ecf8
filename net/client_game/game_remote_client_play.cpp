// A joined game's course: the loading shown while the host's world arrives, entering it, the
// game's own tasks (the host runs the rules), saving the character, leaving and travelling.

#include "engine/scene/director.h"
#include "entities/core/world_entities.h"
#include "game/player/player.h"
#include "game/session/game_local.h"
#include "game/session/game_saves.h"
#include "game/session/game_screen.h"
#include "game/session/game_timers.h"
#include "game/stats/stats_store.h"
#include "net/client_game/game_remote_client.h"
#include "net/endpoint/net_client.h"
#include "platform/settings/settings.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {
constexpr uint8_t kJoinedLoadingMode = 4;
constexpr uint16_t kStatPlayTime = 60;
// "Better With A Friend": a multiplayer game joined.
constexpr size_t kJoinedAchievement = 105;
}  // namespace

// Only the joined form loads anything: its world comes from the host, the label says so meanwhile.
void GameRemoteClient::begin(uint8_t mode, const GameCompletion& done) {
  if (mode != kJoinedLoadingMode) return;
  screenOf(services_).showLoading(kTextLoadingJoined);
  savesOf(services_).loadStatistics();
  entered_ = done;
}

void GameRemoteClient::enterWorld() {
  if (world_ == nullptr || started_) return;
  started_ = true;
  // The window draws the cave walls from the ground heights: they are known before it is built,
  // as for a world loaded from a file, or the joined window shows sky where the host shows wall.
  world_->map().computeSurfaceHeights();
  screenOf(services_).enterMainView();
  if (world_->isCreative()) enterCatalogue();
  startTimers();
  net_.enterWorld();
  settleLater();
  refreshPet();
  if (services_.stats != nullptr) services_.stats->unlockAchievement(kJoinedAchievement);
  if (const GameCompletion done = std::move(entered_)) done();
}

void GameRemoteClient::settleLater() {
  settled_ = false;
  if (world_ == nullptr) return;
  world_->timers().scheduleOnce(world_timer::kSettle, game_interval::kSettleDelay, [this](float) { settled_ = true; });
}

// The game's own tasks only: the rules' timers are the host's.
void GameRemoteClient::startTimers() {
  if (world_ == nullptr) return;
  WorldTimers& timers = world_->timers();
  screenOf(services_).setMainLayerUpdating(true);
  if (world_->dayClock().running != 0) scheduleClock();
  timers.schedule(world_timer::kPlayerUpdate, game_interval::kPlayerUpdateInterval, [this](float) {
    if (player_ != nullptr) player_->recordStat(kStatPlayTime, 1);
    screenOf(services_).spawnWeatherParticles();
  });
  // The entities move between the host's reports as they would alone.
  timers.schedule(world_timer::kEntities, 0.0f, [this](float seconds) {
    if (entities_ != nullptr) entities_->advance(seconds);
  });
  // Her character is hers to keep as it would be alone: a host who goes or a game that dies
  // loses at most what was gained since.
  scheduleAutosave();
  engine::Director::getInstance()->setNextDeltaTimeZero(true);
}

void GameRemoteClient::stopTimers() {
  screenOf(services_).setMainLayerUpdating(false);
  if (world_ != nullptr) world_->timers().unscheduleAll();
}

// A joined player has no world entry of her own (the world is the host's): her character is
// what there is to save.
void GameRemoteClient::save(const SaveDone& done) { savesOf(services_).saveCharacter(done); }

void GameRemoteClient::autosave() {
  save([this](bool saved) {
    if (player_ != nullptr) player_->showMessage(kMessageInfo, saved ? GameLocal::kAutosaved : GameLocal::kAutosaveFailed);
  });
}

void GameRemoteClient::keepCharacter() {
  if (started_) savesOf(services_).saveCharacter({});
}

// The character is kept (the world is the host's); the owner then makes a local game current,
// and this game is not touched again.
void GameRemoteClient::quit() {
  if (started_) {
    savesOf(services_).saveCharacter({});
    savesOf(services_).saveStatistics();
  }
  stopTimers();
  started_ = false;
  exit_.leaveJoinedGame();
}

// Another world of a host is the host's to choose: the client joins the same host again.
void GameRemoteClient::travelToWorld(const TravelTarget&) {
  if (started_) savesOf(services_).saveCharacter({});
  stopTimers();
  started_ = false;
  exit_.rejoinHost();
}
