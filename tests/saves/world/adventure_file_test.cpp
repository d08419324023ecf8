// The adventure file: its two sections by hand, its links read back and appended, and the
// world reader and the list's summary telling it from a world file.
#include "saves/world/adventure_file.h"

#include <gtest/gtest.h>

#include "saves/world/world_summary.h"
#include "tests/saves/world/world_file_fixture.h"

namespace saves_test {
namespace {

class AdventureFileTest : public WorldFileTest {
 protected:
  std::string writeAdventure(const std::vector<PlanetLinkRecord>& planetLinks) {
    const std::string path = dir_.file("Adventure1.dat");
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    EXPECT_TRUE(writeWorldFileV2(file, entryFor(*makeWorld(3)), 512, 128, planetLinks));
    return path;
  }
};

TEST_F(AdventureFileTest, LinksAreByteExactAndReadBack) {
  const std::vector<PlanetLinkRecord> written = {{1, 2, 10, 20, 30, 40}, {2, kNoLinkedPlanet, 5, 6}};
  const std::string path = writeAdventure(written);
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

TEST_F(AdventureFileTest, WorldReaderRefusesItAndTheListShowsIt) {
  const std::string path = writeAdventure({});
  kel::FileHandle file(path, kel::FileHandle::READ);
  EXPECT_FALSE(readWorldFile(file, *makeWorld(3), links));
  kel::FileHandle again(path, kel::FileHandle::READ);
  std::unique_ptr<WorldEntry> summary = readWorldSummary("Adventure1.dat", again);
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->displayName, "Moorland");
  EXPECT_EQ(summary->params.mode, 3);
}

TEST_F(AdventureFileTest, DamagedLinksAppendNothing) {
  const std::string text = testsupport::readFile(writeAdventure({{1, 2, 3, 4, 5, 6}}));
  const Bytes good(text.begin(), text.end());
  kel::FileHandle in(dir_.write("cut.dat", std::string(good.begin(), good.end() - 16)),
                     kel::FileHandle::READ);
  std::vector<PlanetLinkRecord> read;
  EXPECT_FALSE(readWorldFileV2(in, read));
  EXPECT_TRUE(read.empty());
}

}  // namespace
}  // namespace saves_test
