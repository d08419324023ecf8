#pragma once
// The game played alone: every action of the player runs through the local rules on the local
// world. Starting a game generates a new world on a worker thread or has the saves read the world
// file off the main thread (game_local_loading.cpp); the timed tasks, the world clock, sleeping and the
// autosave are in game_local_timers.cpp. It has none of the networked game's roles (reports to
// the other side, requests to a host, trade windows and chat between players): their callers do
// what playing alone does themselves.
//
// Main thread only (the world generation's worker and the saves' reader hand their world back
// through the scheduler).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "game/player/game_clock.h"
#include "game/session/game.h"
#include "game/session/game_services.h"
#include "game/session/travel_target.h"
#include "game/session/world_generation.h"
#include "world/time/world_timers.h"
#include "world/world_context.h"

class LocalLogic;
class PlayerEvents;
class TradeBook;
struct LoadedWorld;
struct RunningWorld;

class GameLocal : public Game {
 public:
  static constexpr int16_t kTextTradeNeedsMultiplayer = 168;
  static constexpr uint32_t kPauseBlockedBit = 1u << 2;
  static constexpr const char* kAutosaved = "Autosaving... save complete.";
  static constexpr const char* kAutosaveFailed = "Autosaving... save failed.";
  static constexpr const char* kTravelNotSaved = "The world could not be saved: travel cancelled.";
  static constexpr uint8_t kMessageRefusal = 3;

  // The rules are borrowed; they live as long as the process. `services`: what the game shows,
  // saves, counts and plays in (game_services.h); its own running world when none is given.
  explicit GameLocal(LocalLogic* rules, GameServices services = {});
  ~GameLocal() override;
  GameLocal(const GameLocal&) = delete;
  GameLocal& operator=(const GameLocal&) = delete;

  void begin(uint8_t mode, const GameCompletion& done) override;
  void playPlayerAction(uint8_t action, uint8_t value) override;
  void playCellEffect(uint8_t effect, MapBlock& cell) override;
  bool putItemOnShelf(MapBlock& cell, Item* stack, uint8_t slotChoice) override;
  void placeSign(MapBlock& cell, uint8_t variantChoice) override;
  bool useBlock(MapBlock& cell, uint8_t layer) override;
  bool captureMob(MobEntity* mob) override;
  void throwItem(ItemPtr item, float speed, float angle, uint8_t flags) override;
  void shoot(float aimX, float aimY) override;
  bool signalEntities(float x, float y) override;
  void closeContainer() override;
  void setPlayerMode(uint8_t mode) override;
  void setTimeFrozen(uint8_t value) override;
  void respawn() override;
  void travelToWorld(const TravelTarget& target) override;
  void requestTrade(PlayerBase* other) override;
  // The player's trade window closes and its trade ends; the other party is told.
  void cancelTrade() override;
  // The player's reaction in milliseconds since the bite decides the catch.
  void reelIn(float reactionMs) override;
  void editCircuitCell(MapBlock& cell) override;
  bool editBlock(const BlockEdit& edit) override;
  void suspend() override { stopTimers(); }
  void resume() override { startTimers(); }
  void pause() override;
  void unpause() override;
  void stopTimers() override;
  void startTimers() override;
  // The character is written now; `done` runs once the world's file is written too.
  void save(const SaveDone& done) override;
  void quit() override;
  bool damageLocalPlayer(float amount, uint8_t cause) override;
  bool brewPotion() override;
  // The trinket the player wears summons its pet (none dismisses it), unless the world is creative.
  void refreshPet() override;
  bool applyBlockEdit(const BlockEdit& edit, PlayerBase* actor) override;
  void dropItem(ItemPtr item) override;
  bool consumeItem(Item* item) override;

  LocalLogic* rules() const { return rules_; }
  bool timersRunning() const { return timersRunning_; }
  // What the game was made with; another game over the same screen and saves takes them.
  const GameServices& services() const { return services_; }
  GameScreen& screen() const override { return screenOf(services_); }
  // What every world this game installs is built with (its rules, this game, the seams).
  void setWorldContext(const WorldContext& context) { context_ = context; }
  // Where the local player this game loads tells its events (not owned; null: nobody).
  void setLocalPlayerEvents(PlayerEvents* events) { localEvents_ = events; }
  // The seed of the next generated world; unset: the processor clock's.
  void setGenerationSeed(std::optional<uint32_t> seed) { generationSeed_ = seed; }
  const std::optional<TravelTarget>& pendingTravel() const { return pendingTravel_; }
  // The game's running trades and trade requests, handed to each player that plays in it.
  const std::shared_ptr<TradeBook>& trades() const { return trades_; }
  // The session's own timers: what runs before or between worlds (`session_timer` keys).
  const WorldTimers& timers() const { return timers_; }
  // The destination of a travel begins (its world file, or a new world), coming from the planet
  // `origin`; `done` runs once it is entered.
  void arriveAt(const TravelTarget& target, uint32_t origin, const GameCompletion& done);

  // The timed tasks' bodies (the world's autosave and player update). The autosave's message comes when its files are
  // written, unless the game ended meanwhile.
  void autosave() override;
  void updatePlayer();
  // The game's side of an applied edit: the sounds and debris of its kind, the cells redrawn.
  void onBlockEditApplied(const BlockEdit& edit);

 protected:
  // The saves it was given, or their null form.
  GameSaves& saves() const { return savesOf(services_); }
  // A travel whose world was saved goes on from the planet `origin`: alone, this game quits its
  // world and arrives at the target.
  virtual void continueTravel(const TravelTarget& target, uint32_t origin);

 private:
  // The world-clock task as the player's world events see it: the local player is given it when
  // it is loaded, and it reaches the task only while the game runs.
  class Clock final : public GameClock {
   public:
    explicit Clock(GameLocal& game) : game_(game) {}
    bool sleeping() const override;
    void stopClockTask() override;
    void scheduleClockTask() override;

   private:
    GameLocal& game_;
  };

  void releaseClock();
  void scheduleSteps();
  void startGeneration(const GameCompletion& done);
  void finishGeneration(uint64_t ticket, GeneratedWorld result, const GameCompletion& done);
  void enterGenerated(uint64_t ticket, GeneratedWorld result, const GameCompletion& done);
  // The rest of a travel once the world's save ended: on to the target, or back to playing.
  void travelOnceSaved(const TravelTarget& target, uint16_t visitedBefore, bool saved);
  void loadWorldFile(const GameCompletion& done);
  void enterLoaded(LoadedWorld load, const GameCompletion& done);
  void install(std::unique_ptr<World> fresh);
  void enterWorld(bool fromFile);
  // The player's quick slots in use and "keepLastSlotEmpty" from the options.
  void applyInventoryOptions();
  void settleLater();
  void saveNewWorldNextFrame();
  void loadPlayerIfMissing();

  LocalLogic* rules_;
  GameServices services_;
  std::unique_ptr<RunningWorld> ownRunning_;  // when no running world was given
  RunningWorld* running_;
  bool timersRunning_ = false;
  WorldContext context_;
  // The session's own timers (start loading, settle), on the scheduler its context names.
  WorldTimers timers_{context_};
  std::shared_ptr<TradeBook> trades_;
  PlayerEvents* localEvents_ = nullptr;
  std::optional<uint32_t> generationSeed_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // gone with the game
  WorldGeneration generation_;  // stopped when the game quits and at the end
  // Bumped by every start and end of a game: a generation that finishes after it is stale.
  uint64_t loadTicket_ = 0;
  std::optional<TravelTarget> pendingTravel_;
  uint32_t travelOrigin_ = 0;
  Clock clock_{*this};
};
