// The adventure file: its two sections by hand, and its links read back and appended.
#include "saves/world/adventure_file.h"

#include <gtest/gtest.h>

#include "tests/saves/world/world_file_fixture.h"

namespace saves_test {
namespace {

using AdventureFileTest = WorldFileTest;

TEST_F(AdventureFileTest, LinksAreByteExactAndReadBack) {
  const std::vector<PlanetLinkRecord> written = {{1, 2, 10, 20, 30, 40}, {2, kNoLinkedPlanet, 5, 6}};
  const std::string path = dir_.file("Adventure1.dat");
  {
    kel::FileHandle out(path, kel::FileHandle::READ_WRITE_NEW);
    ASSERT_TRUE(writeWorldFileV2(out, entryFor(*makeWorld(3)), 512, 128, written));
  }
  const std::string text = testsupport::readFile(path);
  const Bytes file(text.begin(), text.end());
  EXPECT_EQ(cut(file, 8), Le().text("RBWM").u16(2).u16(2).bytes);
  const Le first = Le().u32(2).u32(1).u32(2).u16(10).u16(20).u16(30).u16(40);
  EXPECT_EQ(sectionBytes(file, 20), Le(first).u32(2).u32(~0u).u16(5).u16(6).u32(~0u).bytes);
  EXPECT_EQ(sectionBytes(file, 1).size(), kWorldInfoBytes);

  std::vector<PlanetLinkRecord> read = {{9, 9, 9, 9, 9, 9}};
  kel::FileHandle in(path, kel::FileHandle::READ);
  ASSERT_TRUE(readWorldFileV2(in, read));
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(std::vector<PlanetLinkRecord>(read.begin() + 1, read.end()), written);
}

// A link count one short of the links the section holds (or one past them) is damage: read as it
// says, the next save would write the adventure without its last link.
TEST_F(AdventureFileTest, ALinkCountOneShortOrLongIsRefused) {
  const std::string path = dir_.file("Adventure1.dat");
  {
    kel::FileHandle out(path, kel::FileHandle::READ_WRITE_NEW);
    ASSERT_TRUE(writeWorldFileV2(out, entryFor(*makeWorld(3)), 512, 128, {{1, 2, 10, 20, 30, 40}, {2, 3, 5, 6, 7, 8}}));
  }
  const std::string text = testsupport::readFile(path);
  const Bytes whole(text.begin(), text.end());
  for (const uint32_t count : {1u, 3u}) {
    const Bytes damaged = patched(whole, locate(whole, 20).offset, Le().u32(count).bytes);
    kel::FileHandle in(dir_.write("damaged.dat", std::string(damaged.begin(), damaged.end())), kel::FileHandle::READ);
    std::vector<PlanetLinkRecord> read;
    EXPECT_FALSE(readWorldFileV2(in, read)) << count;
    EXPECT_TRUE(read.empty());
  }
}

}  // namespace
}  // namespace saves_test
