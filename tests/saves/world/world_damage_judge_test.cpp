// The damage judge reads a world file as loading reads it: a whole container whose records the game
// cannot load (a count past its section's end, a cells stream one cell short, no cells at all, a
// version its mode is not loaded by) is judged damaged, so such a file is never offered as a whole
// backup, and a file it judges whole loads.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "platform/file_handle.h"
#include "saves/container/gzip_buffer.h"
#include "saves/world/adventure_file.h"
#include "saves/store/save_damage.h"
#include "saves/world/map_packing.h"
#include "saves/world/world_file_format.h"
#include "tests/saves/world/world_file_fixture.h"

namespace saves_test {
namespace {

constexpr size_t kHeaderBytes = 12, kEntryBytes = 12;

// The directory entry of the section.
size_t entryOf(const Bytes& file, uint16_t id) {
  const size_t count = file[6] | (file[7] << 8);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kHeaderBytes + kEntryBytes * i;
    if ((file[at] | (file[at + 1] << 8)) == id) return at;
  }
  ADD_FAILURE() << "no section " << id;
  return 0;
}

// The file with the section's body replaced: the new body goes at the end and its entry points there.
Bytes withBody(Bytes file, uint16_t id, const Bytes& body) {
  const size_t entry = entryOf(file, id);
  const auto offset = static_cast<uint32_t>(file.size());
  file.insert(file.end(), body.begin(), body.end());
  return patched(patched(file, entry + 4, Le().u32(offset).bytes), entry + 8, Le().u32(static_cast<uint32_t>(body.size())).bytes);
}

class WorldDamageJudgeTest : public WorldFileTest {
 protected:
  // What the judge says of the bytes written to a file.
  std::string judged(const Bytes& bytes) {
    return worldFileDamage(dir_.write("judged.dat", std::string(bytes.begin(), bytes.end())));
  }
};

TEST_F(WorldDamageJudgeTest, AWholeFileIsJudgedWholeAndLoads) {
  auto world = makeWorld();
  const Bytes good = save(*world);
  EXPECT_EQ(judged(good), "");
  EXPECT_NE(load(good), nullptr);
}

TEST_F(WorldDamageJudgeTest, ACountPastItsSectionsEndIsDamageThoughTheContainerIsWhole) {
  auto world = makeWorld();
  const Bytes good = save(*world);
  const Located chests = locate(good, world_file::kChests);
  ASSERT_GE(chests.size, 4u);
  const Bytes damaged = patched(good, chests.offset, Le().u32(0x00FFFFFF).bytes);
  ASSERT_EQ(load(damaged), nullptr) << "the game cannot load it";
  EXPECT_EQ(judged(damaged), "its world data is damaged");
}

TEST_F(WorldDamageJudgeTest, ACellsStreamOneCellShortIsDamageThoughItInflatesWhole) {
  auto world = makeWorld();
  const Bytes good = save(*world);
  const Bytes stored = sectionBytes(good, world_file::kCells);
  Bytes cells(world->map().cellCount() * world_file::kPackedCellBytes);
  ASSERT_TRUE(gunzipBuffer(stored, cells));
  ASSERT_GT(cells.size(), world_file::kPackedCellBytes);
  cells.erase(cells.end() - static_cast<std::ptrdiff_t>(world_file::kPackedCellBytes), cells.end());
  const auto shorter = gzipCompress(cells);
  ASSERT_TRUE(shorter.has_value());
  const Bytes damaged = withBody(good, world_file::kCells, *shorter);
  ASSERT_EQ(load(damaged), nullptr) << "the game cannot load it";
  EXPECT_EQ(judged(damaged), "its world data is damaged");
}

// The entry's id damaged into one no section has: the reader would find no cells and give an empty
// world, which the first save would write over the file.
TEST_F(WorldDamageJudgeTest, ACellsEntryWhoseIdWasDamagedLeavesAWorldWithoutCellsThatIsDamage) {
  auto world = makeWorld();
  const Bytes good = save(*world);
  const Bytes damaged = patched(good, entryOf(good, world_file::kCells), Le().u16(0x7A7A).bytes);
  EXPECT_EQ(load(damaged), nullptr) << "a world without its cells must not load";
  EXPECT_EQ(judged(damaged), "its section 2 is missing");
}

// Only an adventure's file is version 2: a world whose version bytes read 2 is loaded as a world by
// its record's mode, and fails. As a backup it would be put back and fail again.
TEST_F(WorldDamageJudgeTest, AWorldWhoseVersionReadsTwoIsDamage) {
  auto world = makeWorld();
  const Bytes good = save(*world);
  const Bytes damaged = patched(good, 4, Le().u16(world_file::kAdventureVersion).bytes);
  ASSERT_EQ(load(damaged), nullptr) << "the game cannot load it";
  EXPECT_EQ(judged(damaged), "its header is not a world file's");
}

TEST_F(WorldDamageJudgeTest, AnAdventuresOwnFileIsStillJudgedWhole) {
  auto world = makeWorld(kAdventureMode);
  WorldEntry entry = entryFor(*world);
  const std::string path = dir_.file("Adventure1.dat");
  {
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    ASSERT_TRUE(writeWorldFileV2(file, entry, 512, 128, {PlanetLinkRecord{.planet = kPlanet}}));
  }
  EXPECT_EQ(worldFileDamage(path), "");
}

}  // namespace
}  // namespace saves_test
