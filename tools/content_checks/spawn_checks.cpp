#include "tools/content_checks/spawn_checks.h"

#include <string>

#include "content/planets/planet_def.h"
#include "content/tables/mob_def.h"

namespace content_checks {

namespace {

constexpr uint8_t kNightPhase = 4;
constexpr uint8_t kLiquidKinds = 3;

struct Coverage {
  bool day = false;
  bool night = false;
  bool caves = false;
  bool water = false;
};

// A row that lives in a liquid must be made of mobs the liquid does not hurt (flag bits 6-8 for
// water, lava and acid), or each would drown or burn where it was born; and every row must be able
// to make at least one mob.
void checkRowShape(const ContentIndex& content, const content_compiler::MobGroupSource& g, CheckReport& report) {
  const uint8_t liquid = g.record.liquid();
  if (liquid > kLiquidKinds) {
    report.add(g.place, "liquid " + std::to_string(liquid) + " is none of water (1), lava (2) and acid (3)");
  } else if (liquid != 0) {
    const int proofBit = mob_flag::kWaterproof + liquid - 1;
    for (uint16_t mob : g.mobs) {
      const auto* source = content.mob(mob);
      if (source != nullptr && !source->record.hasFlag(proofBit)) {
        report.add(g.place, "mob " + std::to_string(mob) + " is not proof against the liquid the row spawns it in");
      }
    }
  }
  if (g.record.packBound(1) == 0) report.add(g.place, "the largest pack is 0, so the row spawns nothing");
}

}  // namespace

void checkSpawnRows(const ContentIndex& content, CheckReport& report) {
  const ContentSources& s = content.sources();
  for (const auto& g : s.mobGroups) {
    for (uint16_t mob : g.mobs) {
      if (mob < s.mobs.size() && content.mob(mob) == nullptr) {
        report.add(g.place, "mob " + std::to_string(mob) + " has no health, so the row would spawn an empty mob");
      }
    }
    checkRowShape(content, g, report);
  }
  for (size_t i = 0; i < s.planets.size(); ++i) {
    const PlanetDef& planet = *s.planets[i];
    Coverage has;
    for (const auto& g : s.mobGroups) {
      if (g.record.planetId() != planet.id || g.mobs.empty()) continue;
      const uint8_t group = g.record.spawnGroup();
      const bool land = g.record.liquid() == 0;
      has.day = has.day || (land && group == 0);
      has.night = has.night || (land && group == 2 && (g.record.dayPhases() & kNightPhase) != 0);
      has.caves = has.caves || (land && group == 1);
      has.water = has.water || !land;
    }
    const SourcePlace place{content_compiler::source_files::kPlanets, static_cast<long>(i)};
    for (const auto& [covered, what] : {std::pair{has.day, "the day"}, std::pair{has.night, "the night"},
                                        std::pair{has.caves, "the caves"}, std::pair{has.water, "its waters"}}) {
      if (!covered) report.add(place, "planet " + planet.name + " has no spawn row for " + what);
    }
  }
}

}  // namespace content_checks
