// The world file as the game loads it: the summary the world list reads, then the whole file into
// a fresh world of the size the summary names (the smallest size only, so that every input stays
// quick). A file the damage judge calls whole must load, and a file without cells must not.
// Whatever reads whole is written again and must read back to the same cells.
#include <memory>

#include "content/tables/content_tables.h"
#include "engine/io/byte_writer.h"
#include "fuzz/support/fuzz_one.h"
#include "fuzz/support/temp_input.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/store/save_damage.h"
#include "saves/store/world_entry.h"
#include "saves/world/map_packing.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_info.h"
#include "saves/world/world_save_links.h"
#include "saves/world/world_summary.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

std::vector<uint8_t> packedCells(const World& world) {
  engine::ByteWriter out;
  packMapBlocks(out, {world.map().cells(), world.map().cellCount()});
  return out.release();
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  contentTables().mobCount = 40;  // mob ids are checked against the rows a content file fills
  fuzzsupport::TempInput input(data, size, ".dat");
  kel::FileHandle file(input.path(), kel::FileHandle::READ);
  std::unique_ptr<WorldEntry> entry = readWorldSummary("fuzz.dat", file);
  if (entry == nullptr || entry->width != 512 || entry->height != 128) return 0;
  NullWorldSaveLinks links;
  auto world = World::create(nullptr, entry->params, entry->width, entry->height);
  PlayerCells player;
  const bool loads = readWorldFile(file, *world, links, &player);
  // The judge offers a backup only when it reads whole: it must never call whole what cannot load.
  if (worldFileDamage(input.path()).empty()) fuzzCheck(loads, "a file judged whole loads");
  if (!loads) return 0;
  {
    // The cells are the world: a file that lost them (its entry's id damaged) must not load empty.
    kel::FileHandle again(input.path(), kel::FileHandle::READ);
    DataStreamReader directory(again);
    fuzzCheck(directory.openSection(world_file::kCells) != nullptr, "a file without cells does not load");
  }

  fuzzsupport::TempInput again(nullptr, 0, ".written.dat");
  kel::FileHandle out(again.path(), kel::FileHandle::READ_WRITE_NEW);
  fuzzCheck(writeWorldFile(out, *entry, *world, player, links), "a read world writes");
  auto reread = World::create(nullptr, entry->params, entry->width, entry->height);
  kel::FileHandle in(again.path(), kel::FileHandle::READ);
  fuzzCheck(readWorldFile(in, *reread, links), "a written world reads");
  fuzzCheck(packedCells(*reread) == packedCells(*world), "a written world reads back the same cells");
  return 0;
}
