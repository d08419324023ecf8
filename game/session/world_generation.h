#pragma once
// Generating a new world on a worker thread. The main thread makes the empty world and hands it
// over; the worker seeds its own random sequence from the processor clock, generates,
// starts the day clock afresh and hands the world back. The worker touches only the world it
// builds: every stage text and the finished world reach the main thread through the scheduler's
// hand-over list, so the progress and completion callbacks run on the main thread only, in the
// order the worker produced them.
//
// A thread that cannot be created ends the program with the standard library's error.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "world/generator/world_generator.h"

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

// Main thread. The callbacks run on the main thread; `world` belongs to the worker until `done`.
// `seed` fixes the worker's random sequence (a scripted game); unset, the processor clock seeds it.
// Returns the worker, which the caller joins (a game that quits, the program's exit) so no worker
// outlives what it reports to.
std::thread startWorldGeneration(std::unique_ptr<World> world, GeneratorHooks hooks, std::optional<uint32_t> seed,
                          GenerationProgress progress, GenerationDone done);
