// The adventure file: its summary for the world list and its planet links; whatever reads whole
// is written again and reads back the same links.
#include <memory>
#include <vector>

#include "fuzz/support/fuzz_one.h"
#include "fuzz/support/temp_input.h"
#include "platform/file_handle.h"
#include "saves/store/world_entry.h"
#include "saves/world/adventure_file.h"
#include "saves/world/world_summary.h"

int fuzzOne(const uint8_t* data, size_t size) {
  fuzzsupport::TempInput input(data, size, ".dat");
  kel::FileHandle file(input.path(), kel::FileHandle::READ);
  std::unique_ptr<WorldEntry> entry = readWorldSummary("fuzz.dat", file);
  std::vector<PlanetLinkRecord> links;
  if (entry == nullptr || !readWorldFileV2(file, links)) return 0;

  fuzzsupport::TempInput again(nullptr, 0, ".written.dat");
  kel::FileHandle out(again.path(), kel::FileHandle::READ_WRITE_NEW);
  fuzzCheck(writeWorldFileV2(out, *entry, entry->width, entry->height, links), "read links write");
  std::vector<PlanetLinkRecord> reread;
  kel::FileHandle in(again.path(), kel::FileHandle::READ);
  fuzzCheck(readWorldFileV2(in, reread) && reread == links, "written links read back the same");
  return 0;
}
