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
    auto world = makeWorld(3);
    WorldEntry entry = entryFor(*world);
    const std::string path = dir_.file("Adventure1.dat");
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    EXPECT_TRUE(writeWorldFileV2(file, entry, 512, 128, planetLinks));
    return path;
  }
};

TEST_F(AdventureFileTest, LinksAreByteExactAndReadBack) {
  const std::vector<PlanetLinkRecord> written = {{1, 2, 10, 20, 30, 40}, {2, kNoLinkedPlanet, 5, 6}};
  const std::string path = writeAdventure(written);
  const std::string text = testsupport::readFile(path);
  const Bytes file(text.begin(), text.end());
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), (Bytes{'R', 'B', 'W', 'M', 2, 0, 2, 0}));
  const Bytes stored = sectionBytes(file, 20);
  const Bytes expected = {2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 10, 0, 20, 0, 30, 0, 40, 0,
                          2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 5, 0, 6, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(stored, expected);
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
  auto world = makeWorld(3);
  EXPECT_FALSE(readWorldFile(file, *world, links));
  kel::FileHandle again(path, kel::FileHandle::READ);
  std::unique_ptr<WorldEntry> summary = readWorldSummary("Adventure1.dat", again);
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->displayName, "Moorland");
  EXPECT_EQ(summary->params.mode, 3);
}

TEST_F(AdventureFileTest, DamagedLinksAppendNothing) {
  const std::string text = testsupport::readFile(writeAdventure({{1, 2, 3, 4, 5, 6}}));
  for (size_t cut : {text.size() - 1, text.size() - 16, size_t{20}}) {
    const std::string path = dir_.write("cut.dat", text.substr(0, cut));
    std::vector<PlanetLinkRecord> read;
    kel::FileHandle in(path, kel::FileHandle::READ);
    EXPECT_FALSE(readWorldFileV2(in, read)) << cut;
    EXPECT_TRUE(read.empty());
  }
}

}  // namespace
}  // namespace saves_test
