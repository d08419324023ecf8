#include "game/session/world_generation.h"

#include <ctime>
#include <utility>

#include "engine/base/random.h"
#include "engine/base/thread_start.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

struct GenerationJob {
  engine::Scheduler* scheduler = nullptr;  // kept alive by the `WorldGeneration` until the join
  const std::atomic<bool>* stop = nullptr;
  GeneratorHooks hooks;
  std::optional<uint32_t> seed;
  GenerationProgress progress;
  GenerationDone done;
  GenerationMade made;
  GeneratedWorld result;
};

void restartDayClock(DayClock& clock) {
  clock.tickCounter = 0;
  clock.phase = DayPhase::Day;
  clock.updateDarkness();
}

// Worker thread.
void generate(std::shared_ptr<GenerationJob> job) {
  engine::randomSeed(job->seed.value_or(static_cast<uint32_t>(std::clock())));
  engine::Scheduler* scheduler = job->scheduler;
  const GenerationProgress progress = job->progress;
  World& world = *job->result.world;
  job->result.spawn = world.generate(
      [scheduler, progress](const char* text) {
        scheduler->performFunctionInMainThread([progress, copy = std::string(text)] {
          if (progress) progress(copy);
        });
      },
      std::move(job->hooks), job->stop);
  // Stopped: the half-made world goes with the job, here.
  if (job->stop->load()) return;
  restartDayClock(world.dayClock());
  // The surface line is found here, while the world is still the worker's: entering it then
  // finds it made.
  world.map().computeSurfaceHeights();
  if (job->made) job->made(world);
  scheduler->performFunctionInMainThread([job = std::move(job)] { job->done(std::move(job->result)); });
}

}  // namespace

GeneratedWorld::GeneratedWorld() = default;
GeneratedWorld::GeneratedWorld(GeneratedWorld&&) noexcept = default;
GeneratedWorld::~GeneratedWorld() = default;

WorldGeneration::~WorldGeneration() { stop(); }

void WorldGeneration::start(std::unique_ptr<World> world, GeneratorHooks hooks, std::optional<uint32_t> seed,
                            GenerationProgress progress, GenerationDone done, GenerationMade made) {
  join();
  stopAsked_ = false;
  scheduler_ = engine::Director::getInstance()->getScheduler();
  scheduler_->retain();
  auto job = std::make_shared<GenerationJob>();
  job->scheduler = scheduler_;
  job->stop = &stopAsked_;
  job->hooks = std::move(hooks);
  job->seed = seed;
  job->progress = std::move(progress);
  job->done = std::move(done);
  job->made = std::move(made);
  job->result.world = std::move(world);
  worker_ = engine::startThread([job = std::move(job)]() mutable { generate(std::move(job)); });
}

void WorldGeneration::join() {
  if (worker_.joinable()) worker_.join();
  if (scheduler_ != nullptr) scheduler_->release();
  scheduler_ = nullptr;
}

void WorldGeneration::stop() {
  stopAsked_ = true;
  join();
}
