#include "game/rules/bed_rules.h"

#include <algorithm>

#include "game/player/player.h"
#include "world/rules/game.h"

namespace {
constexpr uint8_t kSleepMessage = 2;
}  // namespace

void sleepThroughTheNight(Player& player) {
  player.addHealth(player.stats.maxHealth);
  player.showTextById(kSleepMessage, kSleepingText);
  if (player.game != nullptr) player.game->sleep();
}

bool BedRoll::inBed(const Player& player) const { return inBed_.count(player.playerId()) != 0; }

std::vector<Player*> BedRoll::lieDown(Player& player, bool inBed, const std::vector<Player*>& present) {
  if (!inBed) {
    inBed_.erase(player.playerId());
    return {};
  }
  inBed_.insert(player.playerId());
  const bool everyone = std::all_of(present.begin(), present.end(), [this](const Player* p) { return this->inBed(*p); });
  if (!everyone) return {};
  for (Player* sleeper : present) {
    inBed_.erase(sleeper->playerId());
    sleepThroughTheNight(*sleeper);
  }
  return present;
}
