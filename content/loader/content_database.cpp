#include "content/loader/content_database.h"

#include "content/loader/game_tables_loader.h"

#include <fstream>
#include <vector>

#include "content/format/content_checksum.h"
#include "content/format/content_format.h"
#include "content/format/content_scrambler.h"
#include "content/loader/content_file_parser.h"
#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "engine/base/log.h"
#include "engine/io/damaged_data_files.h"
#include "engine/window/alert.h"

const char* const kHackedDataTitle = "Hacked Data Files!";
const char* const kHackedDataText = "Data files have been compromised. You won't be able to play.";

namespace {

struct LoaderState {
  content::ContentScrambler scrambler;
  content::ContentChecksum checksum;
  uint32_t stored = 0;
  uint32_t computed = 0;
  bool damaged = false;
  bool compromised = false;
  bool alertShown = false;
  std::string error;
};

LoaderState& state() {
  static LoaderState s;
  return s;
}

uint32_t markDamaged(const std::string& error) {
  auto& s = state();
  s.damaged = true;
  s.error = error;
  installContentTables(std::make_unique<ContentTables>());
  installPlanetDefs({});
  engine::log("data.dat: %s", error.c_str());
  // Whatever start-up compares, a damaged file must not pass as intact.
  s.computed = ~s.stored;
  return s.computed;
}

// Reads the whole file with one read of its size; the reason when it cannot.
std::string readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return "cannot open " + path;
  const std::streamoff size = file.tellg();
  if (size < 0) return "cannot read " + path;
  bytes.resize(static_cast<size_t>(size));
  file.seekg(0);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (file.bad()) return "cannot read " + path;
  bytes.resize(static_cast<size_t>(file.gcount()));
  return {};
}

// Loads from the file's bytes, unscrambling them in place.
uint32_t loadOwnedBytes(std::vector<uint8_t>& plain) {
  auto& s = state();
  resetContentChecksum();
  s.stored = 0;
  s.damaged = false;
  s.error.clear();

  descrambleData(plain.data(), plain.size());
  if (plain.size() >= content::kSectionsOffset) {
    s.stored = static_cast<uint32_t>(plain[26] | (plain[27] << 8) | (plain[28] << 16) |
                                     (static_cast<uint32_t>(plain[29]) << 24));
  }
  if (plain.size() < content::kMinimumFileSize) return markDamaged("the file is too short");

  content::ContentFileParser parser(plain);
  if (!parser.parse()) return markDamaged(parser.error());

  s.checksum.add(plain.data(), content::kHeaderSize);
  s.checksum.add(plain.data() + content::kSectionsOffset, parser.consumed() - content::kSectionsOffset);
  s.computed = s.checksum.value();
  installContentTables(parser.takeTables());
  installPlanetDefs(parser.takePlanets());
  return s.computed;
}

}  // namespace

uint32_t loadContentDatabaseBytes(std::span<const uint8_t> fileBytes) {
  std::vector<uint8_t> plain(fileBytes.begin(), fileBytes.end());
  return loadOwnedBytes(plain);
}

uint32_t loadContentDatabase(const std::string& path) {
  std::vector<uint8_t> bytes;
  const std::string error = readWholeFile(path, bytes);
  uint32_t computed = 0;
  if (!error.empty()) {
    state().stored = 0;
    computed = markDamaged(error);
  } else {
    computed = loadOwnedBytes(bytes);
  }
  // Named to the player too, who can do something about it, not only in the log.
  if (state().damaged) engine::DamagedDataFiles::report(path);
  return computed;
}

uint32_t storedContentChecksum() { return state().stored; }
uint32_t computedContentChecksum() { return state().computed; }

void descrambleData(uint8_t* bytes, size_t length) { state().scrambler.apply(bytes, length); }

void resetContentChecksum() {
  state().checksum.reset();
  state().scrambler.reset();
}

bool verifyContentChecksum(uint32_t computed) {
  auto& s = state();
  if (s.damaged || computed != s.stored) {
    s.compromised = true;
    if (!s.alertShown) {
      s.alertShown = true;
      showHackedDataFiles();
    }
  }
  return !s.compromised;
}

bool contentIsCompromised() { return state().compromised; }

bool mayStartGame() {
  return !contentIsCompromised() && storedContentChecksum() == computedContentChecksum();
}

const std::string& contentLoadError() { return state().error; }

void showHackedDataFiles() { engine::showAlert(kHackedDataTitle, kHackedDataText); }

void resetContentDatabase() {
  resetGameTables();  // the game tables are content too: they go with the rest
  state() = LoaderState{};
  resetContentTables();
  resetPlanetDefs();
}
