// A world read's two halves: the thread that makes the read (the main thread in a game) makes no
// grid of cells, which the largest world's frame could not afford; the reading thread makes it,
// reads the file into it and keeps the copy its first save starts from; a file that does not read
// whole leaves no world.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "saves/launch/world_read.h"
#include "tests/saves/world/world_file_fixture.h"
#include "world/map/kept_cells.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace saves_test {
namespace {

class WorldReadTest : public WorldFileTest {
 protected:
  std::string savedFile() {
    auto world = makeWorld();
    world->map().cell(11, 20).circuitA = 6;
    const Bytes bytes = save(*world, PlayerCells{4, 5, 6, 7});
    width_ = world->map().width();
    height_ = world->map().height();
    return dir_.write("read.dat", std::string(bytes.begin(), bytes.end()));
  }

  int32_t width_ = 0;
  int32_t height_ = 0;
};

TEST_F(WorldReadTest, TheReadingThreadMakesTheGridAndReadsTheFileIntoIt) {
  WorldRead read(savedFile(), nullptr, params(0), width_, height_, links);
  ASSERT_NE(read.world(), nullptr);
  EXPECT_EQ(read.world()->map().cellCount(), 0u) << "the maker made the grid of cells";
  std::thread reader([&] { read.run(); });
  reader.join();
  EXPECT_NE(links.restoredOn, std::this_thread::get_id());
  std::unique_ptr<World> world = read.takeWorld();
  ASSERT_NE(world, nullptr);
  EXPECT_EQ(world->map().cellCount(), static_cast<size_t>(width_) * static_cast<size_t>(height_));
  EXPECT_EQ(world->map().cell(11, 20).circuitA, 6);
  EXPECT_EQ(read.player(), (PlayerCells{4, 5, 6, 7}));
  EXPECT_NE(world->map().takePreparedCopy(), nullptr) << "no copy kept for its first save";
}

TEST_F(WorldReadTest, AFileThatDoesNotReadWholeLeavesNoWorld) {
  std::string bytes = testsupport::readFile(savedFile());
  bytes.resize(bytes.size() - 40);
  WorldRead read(dir_.write("cut.dat", bytes), nullptr, params(0), width_, height_, links);
  read.run();
  EXPECT_EQ(read.takeWorld(), nullptr);
  EXPECT_EQ(read.world(), nullptr) << "the reading thread let it go";
}

}  // namespace
}  // namespace saves_test
