#pragma once
// Generating a new world on a worker thread. The main thread makes the empty world (its grid of
// cells made by the generation, `World::createToGenerate`) and hands it over; the worker seeds its
// own random sequence from the processor clock, generates, starts the day clock afresh, finds the
// surface line, lets the caller finish it (`GenerationMade`) and hands the world back. The worker touches only the
// world it builds: every stage text and the finished world reach the main thread through the
// scheduler's hand-over list, so the progress and completion callbacks run on the main thread
// only, in the order the worker produced them.
//
// A generation can be stopped: `stop` asks the generator to end at its next check (within a
// column's work) and joins the worker, so quitting never waits for a whole world. A stopped
// worker hands nothing back and lets its half-made world go on its own thread. The scheduler is
// retained from the start until the worker is joined, so the worker's hand-overs always reach a
// live scheduler; what it handed over holds no reference back, so a scheduler that never runs
// them again (the program's exit) still frees them.
//
// A thread that cannot be created ends the program with the standard library's error.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "world/generator/world_generator.h"

namespace engine {
class Scheduler;
}
class World;

struct GeneratedWorld {
  GeneratedWorld();
  GeneratedWorld(GeneratedWorld&&) noexcept;
  ~GeneratedWorld();
  std::unique_ptr<World> world;
  SpawnCell spawn;
};

using GenerationProgress = std::function<void(const std::string& text)>;
using GenerationDone = std::function<void(GeneratedWorld result)>;
// Runs on the worker with the finished world, before it is handed back.
using GenerationMade = std::function<void(World& world)>;

// The generation a game runs, at most one at a time. Main thread only.
class WorldGeneration {
 public:
  WorldGeneration() = default;
  // Stops a generation still running.
  ~WorldGeneration();
  WorldGeneration(const WorldGeneration&) = delete;
  WorldGeneration& operator=(const WorldGeneration&) = delete;

  // Waits for the previous generation, then generates `world` on a new worker. The callbacks run
  // on the main thread; `world` belongs to the worker until `done`. `seed` fixes the worker's
  // random sequence (a scripted game); unset, the processor clock seeds it.
  void start(std::unique_ptr<World> world, GeneratorHooks hooks, std::optional<uint32_t> seed,
             GenerationProgress progress, GenerationDone done, GenerationMade made = {});
  // Waits for the worker to finish its world.
  void join();
  // Asks the worker to stop and waits for it: `done` is not called for a world it stopped.
  void stop();

 private:
  std::thread worker_;
  std::atomic<bool> stopAsked_{false};
  engine::Scheduler* scheduler_ = nullptr;  // retained while the worker runs
};
