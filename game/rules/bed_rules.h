#pragma once
// Sleeping in a bed. Alone, lying down heals the player to its full health and runs its
// after-sleep step (the "Sleeping.." message and the game's night skip). On a host a player lying
// down only marks itself; once every present player lies in bed, all of them, in list order, get
// up healed and run their after-sleep step.
//
// Main thread only.

#include <cstdint>
#include <set>
#include <vector>

class MapBlock;
class PlayerBase;
class World;

namespace bed_text {
inline const char* const kSpawnSet = "Your spawn point is set.";
inline const char* const kNoSleep = "You cannot sleep now.";
inline const char* const kNotNight = "You can only sleep at night.";
}  // namespace bed_text

// A player uses the bed on the cell: outside creative worlds a bed that is not yet the player's
// spawn becomes it; else at night the player lies down (the world's rules decide when it sleeps).
void useBed(World& world, MapBlock& cell, PlayerBase& player);

// Healed to full health, then the after-sleep step.
void sleepThroughTheNight(PlayerBase& player);

// Who lies in bed on a host.
class BedRoll {
 public:
  // Sets or clears the player's mark. When it is set and every present player lies in bed, every
  // mark is cleared and each present player sleeps through the night; those players come back,
  // else none.
  std::vector<PlayerBase*> lieDown(PlayerBase& player, bool inBed, const std::vector<PlayerBase*>& present);
  bool inBed(const PlayerBase& player) const;

 private:
  std::set<uint32_t> inBed_;  // by player id
};
