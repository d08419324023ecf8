#pragma once
// Parses the unscrambled bytes of "data.dat" into a fresh set of definition tables and planets.
// Every id, index, count and size is checked against its table before it is used; the first
// one that does not fit stops the parse with a message saying where.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "engine/io/byte_reader.h"

namespace content {

class ContentFileParser {
 public:
  explicit ContentFileParser(std::span<const uint8_t> plainBytes);

  bool parse();
  const std::string& error() const { return error_; }
  // Bytes the parse consumed from the start of the file (the checksum covers exactly these).
  size_t consumed() const { return reader_.position(); }
  uint32_t storedChecksum() const { return stored_; }
  uint16_t count(size_t position) const { return counts_[position]; }

  std::unique_ptr<ContentTables> takeTables() { return std::move(tables_); }
  PlanetList takePlanets() { return std::move(planets_); }

 private:
  bool fail(const std::string& message);
  bool readHeader();
  bool readTreasures();
  bool readLootGroups();
  bool readLootTables();
  bool readLootEntry(LootEntry& entry, size_t table);
  bool lootTablesReachThemselves();
  bool readBlocks();
  bool readMobs();
  bool readMobLayout(MobPartLayout& layout);
  bool readMobGroups();
  bool readCrafts();
  bool readBullets();
  bool readBuffs();
  bool readTools();
  bool readRangeds();
  bool readSwingSpecs();
  bool readPlanets();
  bool readItemIds(size_t count, const char* section, std::vector<uint16_t>& ids);
  const LootTable* lootTableAt(uint16_t index, const char* owner, size_t row, bool& ok);
  template <typename Record> bool readRecord(Record& record);

  engine::ByteReader reader_;
  std::unique_ptr<ContentTables> tables_;
  PlanetList planets_;
  uint16_t counts_[kHeaderCountCount] = {};
  uint32_t stored_ = 0;
  std::string error_;
};

// True when the sound index names a row of the sound record table or none (-1).
bool isValidSoundIndex(int index);

}  // namespace content
