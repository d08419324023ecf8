#pragma once
// The plain records that the world file's sections hold beyond the world model's own fields:
// cells by column and row, saved mobs, stable contents and the plant registry's entries. Plain
// value types; any thread.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "saves/character/disk_item.h"

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
