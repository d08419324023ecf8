#include "game/rules/bed_rules.h"

#include <algorithm>

#include "game/player/player_base.h"
#include "world/cells/map_block.h"
#include "world/rules/logic.h"
#include "world/time/day_clock.h"
#include "world/world.h"

namespace {
constexpr uint8_t kInformation = 2;
constexpr uint8_t kWarning = 3;
}  // namespace

void useBed(World& world, MapBlock& cell, PlayerBase& player) {
  if (!world.isCreative() && (cell.x != player.spawnCellX || cell.y != player.spawnCellY)) {
    player.setSpawnCell(cell.x, cell.y);
    player.showMessage(kInformation, bed_text::kSpawnSet);
    return;
  }
  const DayClock& day = world.dayClock();
  if (day.phase != DayPhase::Night) {
    player.showMessage(kWarning, bed_text::kNotNight);
  } else if (day.tickCounter != 0) {
    world.rules().setPlayerInBed(&player, 1);
  } else {
    player.showMessage(kWarning, bed_text::kNoSleep);
  }
}

void sleepThroughTheNight(PlayerBase& player) {
  player.addHealth(player.stats.maxHealth);
  player.notifyRestored();
}

bool BedRoll::inBed(const PlayerBase& player) const { return inBed_.count(player.playerId()) != 0; }

std::vector<PlayerBase*> BedRoll::lieDown(PlayerBase& player, bool inBed, const std::vector<PlayerBase*>& present) {
  if (!inBed) {
    inBed_.erase(player.playerId());
    return {};
  }
  inBed_.insert(player.playerId());
  const bool everyone = std::all_of(present.begin(), present.end(), [this](const PlayerBase* p) { return this->inBed(*p); });
  if (!everyone) return {};
  for (PlayerBase* sleeper : present) {
    inBed_.erase(sleeper->playerId());
    sleepThroughTheNight(*sleeper);
  }
  return present;
}
