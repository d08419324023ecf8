// The plant registry's section by hand (a plain entry, a tree with its process and one branch, a
// genetic flower) and back.
#include "saves/world/state_sections.h"

#include <gtest/gtest.h>

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "tests/saves/world/world_file_fixture.h"

namespace saves_test {
namespace {

using StateSectionsTest = WorldFileTest;

TEST_F(StateSectionsTest, PlantEntriesAreByteExactAndReadBack) {
  const ProcessRecord process{2, 1, {7, 8, 9}, 300, 400, {{{1, 2, 3, 4}, 5, 6}}};
  const std::vector<PlantRecord> plants = {{9, {20, 30}, 0, 3, std::nullopt},
                                           {10, {21, 31}, 1, 0, process},
                                           {11, {22, 32}, 2, 0xBEEF, std::nullopt}};
  Le expected = Le().u32(3).u32(9).u16(20).u16(30).u32(0).u8(3).zeros(3);
  expected.u32(10).u16(21).u16(31).u32(1).u32(0).u8(2).u8(1).u8(1).u8(7).u8(8).u8(9).u16(300).u16(400);
  expected.u8(1).u8(2).u8(3).u8(4).u16(5).u16(6);
  expected.u32(11).u16(22).u16(32).u32(2).u32(0xBEEF);
  engine::ByteWriter out;
  writePlants(out, plants);
  EXPECT_EQ(out.data(), expected.bytes);

  auto world = makeWorld();
  engine::ByteReader in(out.data());
  EXPECT_EQ(readPlants(in, world->map()), plants);
  EXPECT_TRUE(in.ok());
  EXPECT_EQ(in.remaining(), 0u);
}

}  // namespace
}  // namespace saves_test
