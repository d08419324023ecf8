// The save container under the world and character files: every section the formats know, read
// plain in pieces or inflated whole, as the file readers ask for them.
#include <vector>

#include "fuzz/support/fuzz_one.h"
#include "fuzz/support/temp_input.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"

namespace {

// World sections 1-20 and the character sections.
std::vector<uint16_t> knownIds() {
  std::vector<uint16_t> ids;
  for (uint16_t id = 1; id <= 20; ++id) ids.push_back(id);
  for (uint16_t id = 0x8000; id <= 0x8004; ++id) ids.push_back(id);
  return ids;
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  fuzzsupport::TempInput input(data, size, ".dat");
  kel::FileHandle file(input.path(), kel::FileHandle::READ);
  DataStreamReader in(file);
  if (in.failed()) return 0;
  for (uint16_t id : knownIds()) {
    const SectionEntry* entry = in.openSection(id);
    if (entry == nullptr) continue;
    if (entry->storage == static_cast<uint8_t>(SectionStorage::Gzip)) {
      // The readers know the inflated size; here a size follows from the stored one.
      std::vector<uint8_t> body(std::min<size_t>(uint64_t{entry->size} * 4, 1u << 20));
      in.read(body);
      continue;
    }
    std::vector<uint8_t> piece(7);
    while (in.remaining() >= piece.size()) {
      fuzzCheck(in.read(piece), "a plain section reads up to its stored size");
    }
  }
  return 0;
}
