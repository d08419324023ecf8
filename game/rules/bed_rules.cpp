#include "game/rules/bed_rules.h"

#include <algorithm>

#include "game/player/player_base.h"

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
