#pragma once
// What the world file keeps that the world model does not hold itself: the saved mobs and the
// animals in stables (entities, which come above the world model), and the plant registry's
// saved form. The world file reads and writes their records; this seam turns records into living
// things and back. The entities register the real form at launch; the null form keeps nothing
// and makes nothing, so a world saved without it simply has no mobs.
//
// Restoring runs on the main thread while the world is loaded (mobs are spawned there); the
// records handed in have been checked against the file and the content tables, never against
// what the game would allow now: stabled animals come back in creative worlds too, where no
// mob would be spawned otherwise.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "saves/character/disk_item.h"

class Item;
class LogicBlock;
class MapBlock;
class World;

struct CellPos {
  uint16_t x = 0;
  uint16_t y = 0;
  bool operator==(const CellPos&) const = default;
};

// A mob kept with the world (population groups 0, 2 and 3 only).
struct SavedMob {
  CellPos cell;
  uint8_t group = 0;
  uint16_t mobId = 0;
  bool operator==(const SavedMob&) const = default;
};

inline constexpr uint16_t kNoStableIndex = 0xFFFF;

// One animal slot of a stable as the file keeps it: its row in the stable table and two state
// values; an empty slot has no index.
struct StabledAnimal {
  uint16_t stableIndex = kNoStableIndex;
  uint16_t first = 0;
  uint16_t second = 0;
  bool operator==(const StabledAnimal&) const = default;
};

struct StableContents {
  std::array<StabledAnimal, 3> animals{};
  DiskItem feed;
  bool operator==(const StableContents&) const = default;
};

// One step of a timed block process: four values and two wider ones.
struct ProcessStepRecord {
  std::array<uint8_t, 4> values{};
  uint16_t first = 0;
  uint16_t second = 0;
  bool operator==(const ProcessStepRecord&) const = default;
};

struct ProcessRecord {
  uint8_t row = 0;          // into the process table
  uint8_t currentStep = 0;  // 1-based; 0 none
  std::array<uint8_t, 3> state{};
  uint16_t first = 0;
  uint16_t second = 0;
  std::vector<ProcessStepRecord> steps;
  bool operator==(const ProcessRecord&) const = default;
};

// A plant registry entry: kind 0 keeps a byte, kind 2 a word, kind 1 a process.
struct PlantRecord {
  uint32_t value = 0;
  CellPos cell;
  uint32_t kind = 0;
  uint32_t extra = 0;
  std::optional<ProcessRecord> process;
  bool operator==(const PlantRecord&) const = default;
};

struct PlantRecords {
  std::vector<PlantRecord> entries;
  std::vector<CellPos> plantCells;   // ascending cell index
  std::vector<CellPos> secondCells;  // ascending cell index
  bool operator==(const PlantRecords&) const = default;
};

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
  virtual StableContents stableContents(const World& world, const LogicBlock& stable) const = 0;
  // Makes the stable of the cell with its animals and feed (ownership of the feed passes).
  virtual void restoreStable(World& world, MapBlock& cell, const StableContents& contents,
                             Item* feed) = 0;

  // ---- Plants ----
  virtual PlantRecords plants(const World& world) const = 0;
  virtual void restorePlants(World& world, PlantRecords&& records) = 0;
};

// Keeps nothing: no mobs, empty stables, no plant records. Feed items go back to the pool.
class NullWorldSaveLinks final : public WorldSaveLinks {
 public:
  std::vector<SavedMob> savedMobs(const World&) const override { return {}; }
  void spawnSavedMob(World&, const SavedMob&) override {}
  void mobsRestored(World&) override {}
  StableContents stableContents(const World&, const LogicBlock&) const override { return {}; }
  void restoreStable(World&, MapBlock&, const StableContents&, Item* feed) override;
  PlantRecords plants(const World&) const override { return {}; }
  void restorePlants(World&, PlantRecords&&) override {}
};

// The registered form, or the null form when none is.
WorldSaveLinks& worldSaveLinks();
// Registered once at launch (null unregisters); tests set their own and clear it.
void setWorldSaveLinks(WorldSaveLinks* links);
