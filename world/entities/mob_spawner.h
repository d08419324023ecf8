#pragma once
// The world's mob spawner, as far as the world model can keep it: the live count of every
// population group (0-5; 3 stable mobs, 4 hatched mobs and 5 pets only count), the three spawn
// groups' settings, the spawn rows of the world's planet and the questions that need only the
// world (a group's cap, whether a row may spawn on a cell). The pass itself walks the mob list and
// so belongs to the entities (mob_spawning.h); it runs only where rules run, never in a creative
// world.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <vector>

class MapBlock;
class World;
struct MobDef;
struct MobGroupDef;

// What a pass asks of the candidate cells around each player (`Logic::collectSpawnCells`).
struct SpawnRule {
  uint8_t id = 0;             // the population group
  float spacing = 0;          // squared cell distance that keeps packs and candidates apart
  float viewWidth = 0;        // the view's visible columns and rows (the despawn range)
  float viewHeight = 0;
  float outerWidth = 0;       // the rectangle around each player where cells are collected
  float outerHeight = 0;
  uint8_t darkInView = 0;     // unlit cells inside the visible window may be used
};

struct SpawnGroup {
  SpawnRule rule;
  uint64_t cap = 0;           // mobs wanted near the players before scaling
  float density = 0;          // attempts per missing mob
  uint8_t scaleByPlayers = 0;
};

class MobSpawner {
 public:
  static constexpr uint8_t kGroups = 6;
  static constexpr uint8_t kSpawnedGroups = 3;
  // The view a headless game assumes until the view tells its size.
  static constexpr float kDefaultViewColumns = 43;
  static constexpr float kDefaultViewRows = 24;

  explicit MobSpawner(World& world);
  World* world() const { return world_; }

  // ---- Live counts ----
  uint64_t groupCount(uint8_t group) const { return group < kGroups ? counts_[group] : 0; }
  void addToGroup(uint8_t group) {
    if (group < kGroups) ++counts_[group];
  }
  // Never below zero: a count recounted after a mass removal may already be lower.
  void removeFromGroup(uint8_t group) {
    if (group < kGroups && counts_[group] > 0) --counts_[group];
  }
  void clearCounts() { counts_.fill(0); }

  // ---- Mobs read from the world file, made when the entity lists take the world ----
  struct PendingMob {
    int32_t x = 0;
    int32_t y = 0;
    uint8_t group = 0;
    uint16_t mobId = 0;
  };
  std::vector<PendingMob>& pendingMobs() { return pending_; }

  // ---- Settings ----
  // The visible columns and rows: the despawn range and the collecting rectangles follow them.
  void setViewSize(float columns, float rows);
  // The view size from the visible cell counts; the defaults while none are known.
  void followVisibleCells();
  const SpawnGroup& group(uint8_t g) const { return groups_[g % kSpawnedGroups]; }
  // The group's cap: scaled by the difficulty's spawn factor and, for groups that grow with the
  // players, by 0.75 per player when there is more than one.
  uint64_t groupCap(uint8_t g, uint32_t players) const;

  // ---- Rows ----
  // The spawn rows of the map's planet whose availability mask passes (chosen once).
  const std::vector<const MobGroupDef*>& rows();
  // Every condition of the row for the cell: peace, planet, light, the block below, depth, day
  // phase, and the cell's liquid: none for a land row, the row's own for a row that lives in one.
  bool canSpawnAt(const MobGroupDef& row, const MapBlock& cell) const;

  // ---- A pass's scratch lists (empty between passes) ----
  std::vector<MapBlock*>& candidates() { return candidates_; }
  std::vector<const MobGroupDef*>& matches() { return matches_; }
  std::vector<const MobDef*>& packMobs() { return packMobs_; }
  // The liquid and daylight damage of one pass, gathered before any is dealt.
  struct Hurt {
    uint32_t mob = 0;  // entity id
    float amount = 0;
    uint8_t type = 0;
  };
  std::vector<Hurt>& hurts() { return hurts_; }
  // Drops every candidate nearer the cell than the group's spacing (squared, x the near way).
  void dropNearbyCandidates(const MapBlock& cell, float spacing);

 private:
  World* world_;
  std::array<uint64_t, kGroups> counts_{};
  std::array<SpawnGroup, kSpawnedGroups> groups_{};
  std::vector<const MobGroupDef*> rows_;
  bool rowsChosen_ = false;
  std::vector<MapBlock*> candidates_;
  std::vector<const MobGroupDef*> matches_;
  std::vector<const MobDef*> packMobs_;
  std::vector<PendingMob> pending_;
  std::vector<Hurt> hurts_;
};

// A spawn row's availability mask: bits 4-30 clear or bit 5 set for a non-negative mask, the
// reverse for a negative one.
bool spawnMaskPasses(uint32_t mask);
