#include "content/loader/game_tables_loader.h"

#include <fstream>
#include <vector>

#include "content/format/game_tables_file.h"
#include "engine/base/log.h"
#include "engine/io/damaged_data_files.h"

namespace {

struct Installed {
  GameTables tables;
  std::string error;
};

Installed& installed() {
  static Installed state;
  return state;
}

bool refuse(const std::string& why) {
  installed() = Installed{GameTables{}, why};
  engine::log("%s: %s", content::kGameTablesFileName, why.c_str());
  return false;
}

bool loadGameTablesFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return refuse("cannot open " + path);
  const std::streamoff size = file.tellg();
  if (size < 0) return refuse("cannot read " + path);
  // Far more than any real table needs: a file this long is not read at all.
  if (static_cast<uint64_t>(size) > content::kGameTablesSizeLimit) return refuse(path + " is too large");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  file.seekg(0);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (!file) return refuse("cannot read " + path);
  return loadGameTablesBytes(bytes);
}

}  // namespace

bool loadGameTablesBytes(std::span<const uint8_t> bytes) {
  GameTables tables;
  std::string error;
  if (!content::readGameTables(bytes, tables, error)) return refuse(error);
  setGameTables(std::move(tables));
  return true;
}

// Named to the player too, who can do something about it, not only in the log.
bool loadGameTables(const std::string& path) {
  if (loadGameTablesFile(path)) return true;
  engine::DamagedDataFiles::report(path);
  return false;
}

const GameTables& gameTables() { return installed().tables; }

void setGameTables(GameTables tables) { installed() = Installed{std::move(tables), {}}; }

const std::string& gameTablesLoadError() { return installed().error; }

const DifficultyRow* difficultyRow(uint32_t difficultyId) {
  const auto& rows = installed().tables.difficulties;
  return difficultyId < rows.size() ? &rows[difficultyId] : nullptr;
}

void resetGameTables() { installed() = Installed{}; }
