// The content file ("data.dat"), scrambled as it lies in the data folder.
#include <span>

#include "content/loader/content_database.h"
#include "fuzz/support/fuzz_one.h"

int fuzzOne(const uint8_t* data, size_t size) {
  loadContentDatabaseBytes(std::span<const uint8_t>(data, size));
  resetContentDatabase();
  return 0;
}
