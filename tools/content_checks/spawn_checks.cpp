#include "tools/content_checks/spawn_checks.h"

#include <string>

#include "content/planets/planet_def.h"
#include "content/tables/mob_def.h"

namespace content_checks {

namespace {

constexpr uint8_t kNightPhase = 4;

struct Coverage {
  bool day = false;
  bool night = false;
  bool caves = false;
};

}  // namespace

void checkSpawnRows(const ContentIndex& content, CheckReport& report) {
  const ContentSources& s = content.sources();
  for (const auto& g : s.mobGroups) {
    for (uint16_t mob : g.mobs) {
      if (mob < s.mobs.size() && content.mob(mob) == nullptr) {
        report.add(g.place, "mob " + std::to_string(mob) + " has no health, so the row would spawn an empty mob");
      }
    }
  }
  for (size_t i = 0; i < s.planets.size(); ++i) {
    const PlanetDef& planet = *s.planets[i];
    Coverage has;
    for (const auto& g : s.mobGroups) {
      if (g.record.planetId() != planet.id || g.mobs.empty()) continue;
      const uint8_t group = g.record.spawnGroup();
      has.day = has.day || group == 0;
      has.night = has.night || (group == 2 && (g.record.dayPhases() & kNightPhase) != 0);
      has.caves = has.caves || group == 1;
    }
    const SourcePlace place{content_compiler::source_files::kPlanets, static_cast<long>(i)};
    for (const auto& [covered, what] : {std::pair{has.day, "the day"}, std::pair{has.night, "the night"},
                                        std::pair{has.caves, "the caves"}}) {
      if (!covered) report.add(place, "planet " + planet.name + " has no spawn row for " + what);
    }
  }
}

}  // namespace content_checks
