#pragma once
// A local game with its own running world, stepped by the engine's scheduler, and recording
// forms of the game's saves and screen: every timed task runs only when the test moves the
// scheduler's clock.

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "content/planets/planet_def.h"
#include "game/session/game_saves.h"
#include "game/session/game_screen.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "tests/support/added_planets.h"
#include "world/current_world.h"
#include "world/map/world_map.h"
#include "world/world.h"
#include "tests/engine/scene/scene_fixture.h"
#include "tests/game/game_fixture.h"

namespace game_test {

class RecordingSaves final : public NullGameSaves {
 public:
  bool hasWorldEntry() const override { return true; }
  WorldParams worldEntryParams() const override { return params; }
  void setWorldIndex(uint32_t index) override { worldIndexes.push_back(index); }
  bool worldFileExists() const override { return true; }
  void saveCharacter(SaveDone done) override {
    ++characterSaves;
    if (done) done(characterSaved);
  }
  void saveStatistics() override { ++statisticsSaves; }
  // Records whether a world was still running when the game said it ended.
  void worldEnded() override { endedWithWorld.push_back(running != nullptr && running->world != nullptr); }
  // The write ends at once with `worldSaved`, or, while writes are held, when the test ends it.
  void saveWorld(World& world, SaveDone done) override {
    savedWorlds.push_back(&world);
    if (holdWrites) {
      heldWrites.push_back(std::move(done));
    } else if (done) {
      done(worldSaved);
    }
  }
  void endHeldWrites(bool written) {
    std::vector<SaveDone> ending = std::move(heldWrites);
    for (const SaveDone& done : ending) {
      if (done) done(written);
    }
  }
  // Called on the generation's worker: what it saw is read once the world was handed over.
  void prepareWorldSave(World& world) override {
    preparedSizes.emplace_back(world.map().width(), world.map().height());
    preparedCells.push_back(world.map().cellCount());
    preparedOn.push_back(std::this_thread::get_id());
  }
  void loadWorldFile(const DifficultyRow*, WorldLoaded done) override {
    ++loads;
    if (holdLoads) {
      heldLoads.push_back(std::move(done));
      return;
    }
    done(readWorld());
  }
  // Answers the loads held so far, in order.
  void answerHeldLoads() {
    std::vector<WorldLoaded> answering = std::move(heldLoads);
    heldLoads.clear();
    for (WorldLoaded& done : answering) done(readWorld());
  }
  LoadedWorld readWorld() const {
    LoadedWorld result;
    result.result = loadResult;
    if (loadResult == LoadedWorld::kLoaded) {
      result.world = World::create(nullptr, params, 40, 30);
      result.hasPlayerCells = true;
      result.playerColumn = 12;
      result.playerRow = 7;
      result.spawnColumn = 3;
      result.spawnRow = 4;
    }
    return result;
  }

  WorldParams params;
  bool characterSaved = true;
  bool worldSaved = true;
  bool holdWrites = false;
  std::vector<SaveDone> heldWrites;
  int loadResult = LoadedWorld::kLoaded;
  bool holdLoads = false;  // a read answers only when the test says so, as the saves' worker does
  std::vector<WorldLoaded> heldLoads;
  int characterSaves = 0;
  int statisticsSaves = 0;
  int loads = 0;
  std::vector<World*> savedWorlds;
  std::vector<std::pair<int32_t, int32_t>> preparedSizes;
  std::vector<size_t> preparedCells;
  std::vector<std::thread::id> preparedOn;
  std::vector<uint32_t> worldIndexes;
  const RunningWorld* running = nullptr;  // the game's, when the test looks
  std::vector<bool> endedWithWorld;
};

class RecordingScreen final : public NullGameScreen {
 public:
  void showLoading(int16_t textId) override { labels.push_back(textId); }
  void setLoadingText(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex);
    texts.push_back(text);
    textThreads.push_back(std::this_thread::get_id());
  }
  void enterMainView() override { ++mainViews; }
  // Enters at once, or keeps the entry while `holdEntry` (a screen still preparing).
  void whenReadyToEnter(const World&, std::function<void()> enter) override {
    if (holdEntry) {
      heldEntries.push_back(std::move(enter));
    } else {
      enter();
    }
  }
  void showStartView(int dialog) override { startDialogs.push_back(dialog); }
  void removeSleepFade() override { ++fadesRemoved; }

  std::mutex mutex;
  std::vector<int16_t> labels;
  std::vector<std::string> texts;
  std::vector<std::thread::id> textThreads;
  std::vector<int> startDialogs;
  int mainViews = 0;
  int fadesRemoved = 0;
  bool holdEntry = false;
  std::vector<std::function<void()>> heldEntries;
};

class SessionTest : public GameTest {
 protected:
  // The fixture's game plays in `running`, on this fixture's saves and screen, counts its
  // achievements in the process's store and makes its worlds the current one.
  SessionTest()
      : GameTest({.screen = &screen,
                  .saves = &saves,
                  .stats = &statsStore(),
                  .running = &running,
                  .bindWorld = [](World* installed) { setCurrentWorld(installed); }}) {}

  // This fixture's saves, screen and store over another running world (another game's).
  GameServices servicesWith(RunningWorld& where, std::function<void(World*)> bind = {}) {
    return {.screen = &screen, .saves = &saves, .stats = &statsStore(), .running = &where, .bindWorld = std::move(bind)};
  }

  void SetUp() override {
    scenetest::resetScene();
    GameTest::SetUp();
    running.world = std::move(world);
    running.player = std::move(player);
    setCurrentWorld(running.world.get());
  }

  void TearDown() override {
    endWorld(running, game, rules, &statsStore());
    scenetest::resetScene();
    GameTest::TearDown();
  }

  World& theWorld() { return *running.world; }
  PlayerDesktopLocal& local() { return *running.player; }
  engine::Scheduler& scheduler() { return *engine::Director::getInstance()->getScheduler(); }
  // Whole steps of the scheduler's clock.
  void advance(float seconds, float step = 0.05f) {
    for (float t = 0; t < seconds - step / 2; t += step) scheduler().update(step);
  }
  // Whether the session's own task under the key (`session_timer`) is scheduled.
  bool sessionTask(int key) const { return game.timers().isScheduled(key); }
  // Whether the running world's task under the key is scheduled.
  bool worldTask(int key) const { return running.world != nullptr && running.world->timers().isScheduled(key); }
  // Frames of the main thread until the condition holds; false after a minute.
  bool pumpUntil(const std::function<bool()>& condition, int* frames = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!condition()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      scheduler().update(0.0f);
      if (frames != nullptr) ++*frames;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }
  RunningWorld running;
  RecordingSaves saves;
  RecordingScreen screen;
};

// A session whose game starts from nothing (no world; the player comes from the saves) and whose
// saves' world entry names a planet of rock with caves and pools, of the given size.
class GeneratingSessionTest : public SessionTest {
 protected:
  static constexpr uint32_t kHomePlanet = 1;
  static constexpr uint16_t kRock = 30;

  void generateOfSize(uint8_t sizeIndex) {
    endWorld(running, game, rules, &statsStore());
    defineBlock(kRock, {.flags = bits({23}), .transparency = 0, .variants = 3});
    PlanetDef& planet = testsupport::addPlanetDef("home", kHomePlanet, 1);
    planet.terrainBlocks = {{kRock, 1}};
    planet.caveRules = {{0.1f, 0.9f, 4.0f, 0.1f, 120}};
    planet.poolRules = {{0.0f, 0.9f, 2.0f, 4, 400, 1, 3, 1}};
    planet.parameters.liquidLevel = 30;
    saves.params.planetId = kHomePlanet;
    saves.params.sizeIndex = sizeIndex;
  }
  bool finished = false;
};

}  // namespace game_test
