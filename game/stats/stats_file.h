#pragma once
// The statistics file of a character, <name>.stat ("RBSW"): 128 counters and 13 categories of
// per-id counts. Its bytes (little-endian): the magic, 128 u32 counters, a u32 category count
// (13 when written), then per category its u32 index, u32 record count n and n records of u32
// count and u16 id. The file is written outside the save container, through a temporary file of its
// own (saves/store/safe_write.h).
// Plain values and pure functions; any thread.

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

inline constexpr size_t kStatCounterCount = 128;
inline constexpr size_t kStatCategoryCount = 13;

struct StatsRecord {
  std::array<uint32_t, kStatCounterCount> counters{};
  // Per category: id -> count, written in id order.
  std::array<std::map<uint16_t, uint32_t>, kStatCategoryCount> categories;
};

std::vector<uint8_t> writeStatsBytes(const StatsRecord& stats);

// Reads over the record: counters and records found replace their values, everything else stays.
// A category index outside 0-12 is skipped with its records; a count of records larger than the
// bytes left stops the read. The magic is not checked (older files may not carry it). False when
// the bytes end early.
bool readStatsBytes(std::span<const uint8_t> bytes, StatsRecord& stats);
