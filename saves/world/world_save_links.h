#pragma once
// What the world file keeps that the world model does not hold itself: the saved mobs and the
// animals in stables (entities, which come above the world model). The world file reads and
// writes their records; this seam turns records into living things and back. The entities
// register the real form at launch; the null form keeps nothing and makes nothing, so a world
// saved without it simply has no mobs.
//
// Restoring runs on the thread that reads the world file (the save worker in a game) and touches
// nothing but that world and the content tables: the mobs and animals wait in the world until the
// entity lists take it on the main thread. The records handed in have been checked against the file and the content tables, never against
// what the game would allow now: stabled animals come back in creative worlds too, where no
// mob would be spawned otherwise.

#include <array>
#include <vector>

#include "engine/base/seam.h"
#include "saves/world/world_records.h"

class Stable;
class World;

class WorldSaveLinks {
 public:
  virtual ~WorldSaveLinks() = default;

  // ---- Mobs ----
  virtual std::vector<SavedMob> savedMobs(const World& world) const = 0;
  // Spawns a saved mob at its cell (forced: the spawner's limits do not apply).
  virtual void spawnSavedMob(World& world, const SavedMob& mob) = 0;
  // After the last mob: the spawner recounts its groups from the living mobs.
  virtual void mobsRestored(World& world) = 0;

  // ---- Stables ----
  // The animals a stable keeps, in its slot order.
  virtual std::array<StabledAnimal, 3> stabledAnimals(const World& world, const Stable& stable) const = 0;
  // Puts the animals back into a stable just made for a loaded world (an empty slot has no index).
  virtual void restoreStabledAnimals(World& world, Stable& stable, const std::array<StabledAnimal, 3>& animals) = 0;
};

// Keeps nothing: no mobs, no stabled animals.
class NullWorldSaveLinks final : public WorldSaveLinks {
 public:
  std::vector<SavedMob> savedMobs(const World&) const override { return {}; }
  void spawnSavedMob(World&, const SavedMob&) override {}
  void mobsRestored(World&) override {}
  std::array<StabledAnimal, 3> stabledAnimals(const World&, const Stable&) const override { return {}; }
  void restoreStabledAnimals(World&, Stable&, const std::array<StabledAnimal, 3>&) override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<WorldSaveLinks, NullWorldSaveLinks>& worldSaveLinksSeam();
// The registered form, or the null form when none is.
WorldSaveLinks& worldSaveLinks();
void setWorldSaveLinks(WorldSaveLinks* links);
