// What a joined player changes in the host's world reaches the host's next save, over real ENet on
// 127.0.0.1: the save copies
// only the chunks of cells marked changed since the last one, and a joined player's edit, applied
// by the host's rules, marks its own.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/file_handle.h"
#include "saves/store/world_entry.h"
#include "saves/world/map_packing.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_snapshot.h"
#include "saves/world/world_info.h"
#include "saves/world/world_save_links.h"
#include "tests/net/host_game/play_together.h"
#include "tests/support/temp_dir.h"

namespace nettest {
namespace {

class PlayTogetherSaved : public PlayTogether {
 protected:
  // The host's world saved through the kept snapshot and read back from its file into a new world.
  std::unique_ptr<World> saveAndRead() {
    WorldEntry entry;
    entry.fileName = "World1.dat";
    entry.displayName = "hosted";
    entry.params = hostWorld->map().params();
    NullWorldSaveLinks links;
    takeWorldFileSnapshot(snapshot, entry, *hostWorld, {}, links);
    const std::string path = dir.file("hosted.dat");
    {
      kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
      if (!writeWorldFileSnapshot(file, snapshot)) return nullptr;
    }
    std::unique_ptr<World> read = World::create(nullptr, entry.params, hostWorld->map().width(), hostWorld->map().height());
    kel::FileHandle file(path, kel::FileHandle::READ);
    return readWorldFile(file, *read, links) ? std::move(read) : nullptr;
  }

  WorldFileSnapshot snapshot;  // kept from save to save, as the host's store keeps it
  testsupport::TempDir dir;
};

TEST_P(PlayTogetherSaved, AJoinedPlayersEditReachesTheHostsNextSave) {
  ASSERT_NE(saveAndRead(), nullptr);
  ItemPtr tool = toolBreaking(ground->frontId());
  ASSERT_NE(tool, nullptr);
  carryTool(*ann, 3, std::move(tool));
  hold(*ann, 3);
  edit(*ann, edit_kind::kRemoveLayer, *ground, 0);
  ASSERT_TRUE(runUntil([&] { return ground->frontId() == 0; })) << "the host applied Ann's edit";

  std::unique_ptr<World> read = saveAndRead();
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->cellAt(ground->x, ground->y)->frontId(), 0) << "the mined cell is mined in the file";
  const WorldMap& live = hostWorld->map();
  for (size_t i = 0; i < live.cellCount(); ++i) {
    const MapBlock& want = live.cells()[i];
    ASSERT_EQ(packMapBlock(read->map().cells()[i]), packMapBlock(want)) << "cell (" << want.x << ", " << want.y << ")";
  }
}

INSTANTIATE_TEST_SUITE_P(Transports, PlayTogetherSaved, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>&) { return "OverEnet"; });

}  // namespace
}  // namespace nettest
