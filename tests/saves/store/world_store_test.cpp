// The world list: naming new worlds, listing, renaming and deleting.
#include "saves/store/world_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_writer.h"
#include "saves/world/world_summary.h"
#include "tests/saves/save_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

// A world file with only its info record, written the way the world writer lays it out.
void writeWorldHead(const std::string& path, const std::string& name, uint32_t time, uint8_t mode) {
  kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
  DataStreamWriter out(file, "RBWM", 1, 19);
  out.openSection(1, 0, SectionStorage::Plain);
  saves_test::Le info;
  for (uint8_t i = 0; i < 16; ++i) info.u8(i);
  info.u32(time).u32(30000).text(name).zeros(32 - name.size() + 16).u16(1024).u16(256).zeros(8);
  info.u32(4).u8(0).u8(mode).u8(2).u8(1).u32(0).zeros(128);
  out.body().bytes(info.bytes);
  out.closeSection();
  ASSERT_TRUE(out.finish());
}

class WorldStoreTest : public ::testing::Test {
 protected:
  WorldStoreTest() : store_(files_, dir_.file("worlds")) { std::filesystem::create_directories(at("")); }
  std::string at(const std::string& name) const { return dir_.file("worlds/" + name); }
  bool exists(const std::string& name) const { return std::filesystem::exists(at(name)); }
  std::string nameIn(const std::string& file) const {
    kel::FileHandle handle(at(file), kel::FileHandle::READ);
    auto entry = readWorldSummary(file, handle);
    return entry ? entry->displayName : "";
  }

  testsupport::TempDir dir_;
  kel::DesktopFileSystem files_;
  WorldStore store_;
};

TEST_F(WorldStoreTest, NewWorldsTakeTheFirstFreeNumber) {
  store_.list();
  dir_.write("worlds/World2.dat", "");
  EXPECT_EQ(store_.createEntry(WorldParams{}, 10).fileName, "World1.dat");
  dir_.write("worlds/World1.dat", "");
  EXPECT_EQ(store_.createEntry(WorldParams{}, 11).fileName, "World3.dat");
}

TEST_F(WorldStoreTest, ListReadsTheInfoRecordsLatestFirst) {
  writeWorldHead(at("World1.dat"), "Old", 100, 1);
  writeWorldHead(at("World2.dat"), "ExactlyThirtyTwoBytesLongName!!!", 200, 3);
  dir_.write("worlds/World3.dat", "damaged");
  dir_.write("worlds/notes.txt", "ignored");
  store_.list();
  ASSERT_EQ(store_.entries().size(), 2u);
  const WorldEntry& latest = *store_.entries()[0];
  EXPECT_EQ(store_.current(), &latest);
  EXPECT_EQ(latest.displayName, "ExactlyThirtyTwoBytesLongName!!!");
  EXPECT_EQ(latest.time, 200);
  EXPECT_EQ(latest.width, 1024);
  EXPECT_EQ(latest.params.mode, kAdventureMode);
}

TEST_F(WorldStoreTest, RenameMovesTheWorldAndNeverReplacesOtherFiles) {
  writeWorldHead(at("World1.dat"), "World1", 100, 1);
  dir_.write("worlds/World1.bak", "previous");
  writeWorldHead(at("World2.dat"), "Keep", 50, 1);
  dir_.write("worlds/Stray.dat", "unlisted");
  store_.list();
  WorldEntry& world = *store_.entries()[0];
  for (const char* refused : {"Keep", "keep", "Stray", "..", "a\\b"}) {
    EXPECT_FALSE(store_.rename(world, refused)) << refused;
  }
  EXPECT_EQ(dir_.read("worlds/Stray.dat"), "unlisted");
  ASSERT_TRUE(store_.rename(world, "Castle"));
  EXPECT_EQ(world.fileName, "Castle.dat");
  EXPECT_EQ(nameIn("Castle.dat"), "Castle");
  EXPECT_EQ(dir_.read("worlds/Castle.bak"), "previous");
  EXPECT_FALSE(exists("World1.dat"));
  EXPECT_FALSE(exists("World1.bak"));
}

TEST_F(WorldStoreTest, DeleteKeepsTheBackup) {
  writeWorldHead(at("World1.dat"), "A", 100, 1);
  dir_.write("worlds/World1.bak", "b");
  writeWorldHead(at("World2.dat"), "B", 50, 1);
  store_.list();
  EXPECT_TRUE(store_.remove(*store_.entries()[0]));
  EXPECT_FALSE(exists("World1.dat"));
  EXPECT_TRUE(exists("World1.bak"));
  EXPECT_FALSE(store_.restoreBackup("../World1"));
  ASSERT_NE(store_.current(), nullptr);
  EXPECT_EQ(store_.current()->displayName, "B");
}

}  // namespace
