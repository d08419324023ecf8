#include "bench/support/largest_world.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "engine/window/alert.h"
#include "world/world.h"

namespace bench {

std::unique_ptr<World> generateLargestWorld() {
  const char* path = std::getenv("RUBBLE_DATA_FILE");
  // A damaged file is this run's own answer, not an alert for anyone.
  static engine::SilentAlertBox silent;
  engine::setAlertBox(&silent);
  loadContentDatabase(path ? path : "data/data.dat");
  if (!contentLoadError().empty() || planetDefs().empty()) return nullptr;
  WorldParams params;
  params.planetId = planetDefs().front()->id;
  params.sizeIndex = 4;
  engine::randomSeed(1);
  std::unique_ptr<World> world = World::create(nullptr, params);
  world->generate(nullptr);
  return world;
}

double statusMegabytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::string(field).size()) / 1024.0;
  }
  return 0.0;
}

void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace bench
