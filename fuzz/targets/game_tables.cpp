// The game tables file ("tables.dat"): whatever the reader takes is written again and reads back
// as the same tables, byte for byte.
#include <algorithm>
#include <span>
#include <string>

#include "content/format/game_tables_file.h"
#include "fuzz/support/fuzz_one.h"

int fuzzOne(const uint8_t* data, size_t size) {
  GameTables tables;
  std::string error;
  const std::span<const uint8_t> input(data, size);
  if (!content::readGameTables(input, tables, error)) {
    fuzzCheck(!error.empty(), "a refusal names its reason");
    return 0;
  }
  const std::vector<uint8_t> written = content::writeGameTables(tables);
  fuzzCheck(written.size() == size && std::equal(written.begin(), written.end(), data),
            "accepted tables write back to the same bytes");
  return 0;
}
