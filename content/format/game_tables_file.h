#pragma once
// The game tables file ("tables.dat" in the data folder), written by the content compiler and read
// at start-up. Little-endian, no sections, nothing after the last field:
//
//   4    magic "RBGT"
//   u16  version (2; version 1 ended after the catalogue, without the mob-to-item table)
//   u8   difficulty row count (5), then each row's 88 bytes (content/tables/difficulty_row.h)
//   u16  craft book entry count (335), then per entry:
//          u8 list kind, u8 name length + name bytes, u8 second text length + its bytes
//   eleven catalogue categories in order, each: u16 entry count, then per entry u16 id, u16 mask
//   u16  mob-to-item row count (138), then per row seven u16: mob, saved number, item,
//          group (low byte) and sex (high byte), young, young's saved number, stable block
//
// The reader takes nothing on trust: a short, long or altered file, or one whose tables break
// `gameTablesProblem`, is refused with the reason, and nothing of it is kept.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "content/tables/game_tables.h"

namespace content {

constexpr const char* kGameTablesFileName = "tables.dat";
constexpr uint32_t kGameTablesVersion = 2;
// Entries one catalogue category may hold.
constexpr size_t kCatalogueCategoryLimit = 4096;
// The longest file the loader reads.
constexpr uint64_t kGameTablesSizeLimit = 1u << 20;

std::vector<uint8_t> writeGameTables(const GameTables& tables);

// True with `out` filled when the bytes hold valid tables; else false with the reason in `error`.
bool readGameTables(std::span<const uint8_t> bytes, GameTables& out, std::string& error);

}  // namespace content
