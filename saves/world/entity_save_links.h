#pragma once
// The real form of the world file's links to the entities: the world's free mobs of population
// groups 0, 2 and 3 are written with their cell, group and mob row; stabled animals with the
// number the mob-to-item table gives their mob (`gameTables().mobItems`), progress and fed level. Reading leaves them waiting in the world
// (its spawner and its stables) until the entity lists take the world, when they are made: a
// world is loaded before any rules or lists serve it.
//
// Saving reads the entity lists: main thread only. Restoring touches only the world being read, on
// the thread that reads it.

#include "saves/world/world_save_links.h"

class EntitySaveLinks final : public WorldSaveLinks {
 public:
  std::vector<SavedMob> savedMobs(const World& world) const override;
  void spawnSavedMob(World& world, const SavedMob& mob) override;
  void mobsRestored(World&) override {}
  std::array<StabledAnimal, 3> stabledAnimals(const World& world, const Stable& stable) const override;
  void restoreStabledAnimals(World& world, Stable& stable, const std::array<StabledAnimal, 3>& animals) override;
};
