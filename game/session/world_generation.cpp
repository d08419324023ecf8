#include "game/session/world_generation.h"

#include <ctime>
#include <thread>
#include <utility>

#include "engine/base/random.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "world/world.h"

namespace {

struct GenerationJob {
  engine::Scheduler* scheduler = nullptr;  // retained until the result is handed back
  GeneratorHooks hooks;
  std::optional<uint32_t> seed;
  GenerationProgress progress;
  GenerationDone done;
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
      std::move(job->hooks));
  restartDayClock(world.dayClock());
  // The job goes with the hand-over: nothing of it is released on this thread afterwards.
  scheduler->performFunctionInMainThread([job = std::move(job)] {
    job->done(std::move(job->result));
    job->scheduler->release();
  });
}

}  // namespace

GeneratedWorld::GeneratedWorld() = default;
GeneratedWorld::GeneratedWorld(GeneratedWorld&&) noexcept = default;
GeneratedWorld::~GeneratedWorld() = default;

std::thread startWorldGeneration(std::unique_ptr<World> world, GeneratorHooks hooks, std::optional<uint32_t> seed,
                          GenerationProgress progress, GenerationDone done) {
  auto job = std::make_shared<GenerationJob>();
  job->scheduler = engine::Director::getInstance()->getScheduler();
  job->scheduler->retain();
  job->hooks = std::move(hooks);
  job->seed = seed;
  job->progress = std::move(progress);
  job->done = std::move(done);
  job->result.world = std::move(world);
  return std::thread(generate, std::move(job));
}
