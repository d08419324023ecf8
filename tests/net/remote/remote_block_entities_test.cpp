// The client's copies of the host's block entities: each change the player makes is sent to the
// host, laid out byte by byte, and the copy itself shows the change; what a copy holds goes back
// to the item pool with it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "content/items/item_pool.h"
#include "net/endpoint/net_client.h"
#include "net/remote/remote_alchemy_lab.h"
#include "net/remote/remote_chest.h"
#include "net/remote/remote_forge.h"
#include "net/remote/remote_sign.h"
#include "net/remote/remote_stable.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/players/wire_bytes.h"
#include "tests/world/world_recorders.h"
#include "tests/support/item_pool_probe.h"

namespace {

using nettest::WireBytes;
using Sent = std::vector<std::vector<uint8_t>>;

class RemoteBlockEntitiesTest : public world_test::EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    auto owned = std::make_unique<nettest::RecordingClientBridge>();
    bridge = owned.get();
    client.setBridge(std::move(owned));
  }
  Sent sentBy(const std::function<void()>& change) {
    bridge->sent.clear();
    change();
    return bridge->sent;
  }

  NetClient client{"Me"};
  nettest::RecordingClientBridge* bridge = nullptr;
};

}  // namespace

TEST_F(RemoteBlockEntitiesTest, AChestSendsItsSlotsAndPageSteps) {
  RemoteChest chest(at(3, 4), 12, 4, client);
  EXPECT_EQ(chest.offset(), 4) << "the page the host had";
  EXPECT_TRUE(bridge->sent.empty()) << "making the copy sends nothing";
  ItemPtr gem = newItem(105, 2, 7, 9, 0x31);
  const Item shown = *gem;
  const Item* placed = gem.get();
  EXPECT_EQ(sentBy([&] { chest.setItem(5, std::move(gem)); }), Sent{WireBytes(7, 99).cell(3, 4).u8(5).item(shown)});
  EXPECT_EQ(chest.itemAt(5), placed);
  EXPECT_EQ(sentBy([&] { chest.setItem(5, nullptr); }), Sent{WireBytes(7, 99).cell(3, 4).u8(5).noItem()})
      << "a cleared slot travels as no item";
  EXPECT_EQ(sentBy([&] { chest.nextPage(2); }), Sent{WireBytes(7, 100).cell(3, 4).u8(2)});
  EXPECT_EQ(chest.offset(), 6);
  EXPECT_EQ(sentBy([&] { chest.prevPage(3); }), Sent{WireBytes(7, 100).cell(3, 4).u8(0xFD)});
  EXPECT_EQ(chest.offset(), 3);
  chest.prevPage(3);
  EXPECT_EQ(chest.offset(), 0);
  EXPECT_EQ(sentBy([&] { chest.prevPage(300); }), Sent{WireBytes(7, 100).cell(3, 4).u8(0xD4)}) << "-(300 mod 256)";
  EXPECT_EQ(chest.offset(), 0);
  EXPECT_TRUE(sentBy([&] { chest.setItem(12, newItem(105, 0, 1, 0, 0)); }).empty()) << "no such slot";
}

TEST_F(RemoteBlockEntitiesTest, AChestCopyGivesItsStacksBackToThePoolWhenItGoes) {
  auto chest = std::make_unique<RemoteChest>(at(3, 4), 3, 0, client);
  chest->fill(0, newItem(105, 0, 1, 0, 0));
  chest->fill(2, newItem(106, 0, 1, 0, 0));
  const size_t freeBefore = freeItemSlots();
  chest.reset();
  EXPECT_EQ(freeItemSlots(), freeBefore + 2);
}

TEST_F(RemoteBlockEntitiesTest, AStableSendsItsFeedAndShowsTheHostsPlaces) {
  RemoteStable stable(at(6, 2), *world, client, {{{12, 5}, {0xFFFF, 3}, {0, 7}}}, newItem(410, 0, 2, 0, 0));
  EXPECT_EQ(stable.mobKindAt(0), 12);
  EXPECT_EQ(stable.mobKindAt(1), -1) << "an empty place";
  EXPECT_EQ(stable.mobKindAt(2), 0) << "mob kind 0 is a mob";
  EXPECT_EQ(stable.mobFedLevelAt(0), 5);
  EXPECT_EQ(stable.mobFedLevelAt(1), 0);
  EXPECT_EQ(stable.mobKindAt(3), -1);
  ItemPtr feed = newItem(411, 0, 4, 0, 0x2);
  const Item shown = *feed;
  EXPECT_EQ(sentBy([&] { stable.setItem(std::move(feed)); }), Sent{WireBytes(8, 102).cell(6, 2).item(shown)});
}

TEST_F(RemoteBlockEntitiesTest, ASignSendsAtMostItsHundredAndTwentyEightCharacters) {
  RemoteSign sign(at(8, 5), client, "from the host");
  EXPECT_EQ(sign.text(), "from the host");
  EXPECT_TRUE(bridge->sent.empty());
  const std::string longer(130, 'w');
  EXPECT_EQ(sentBy([&] { sign.setText(longer.c_str()); }),
            Sent{WireBytes(9, 104).cell(8, 5).text(std::string(128, 'w'), 128).u8(1)});
  EXPECT_EQ(sentBy([&] { sign.setText(nullptr); }), Sent{WireBytes(9, 104).cell(8, 5).text("", 128).u8(1)});
}

TEST_F(RemoteBlockEntitiesTest, AForgeSendsItsSlotsSmeltsNothingAndGivesItsStacksBack) {
  auto forge = std::make_unique<RemoteForge>(at(10, 4), client);
  ItemPtr ore = newItem(30, 0, 5, 0, 0);
  const Item shown = *ore;
  EXPECT_EQ(sentBy([&] { forge->setItem(Forge::kInput, std::move(ore)); }),
            Sent{WireBytes(10, 107).cell(10, 4).u8(1).item(shown)});
  EXPECT_FALSE(forge->burning()) << "no smelting on the client";
  EXPECT_TRUE(sentBy([&] { forge->setItem(3, newItem(30, 0, 1, 0, 0)); }).empty());
  std::array<wire::PooledItem, 3> fresh{newItem(20, 0, 1, 0, 0), nullptr, nullptr};
  const size_t freeBefore = freeItemSlots();
  forge->replaceItems(std::move(fresh));
  EXPECT_EQ(freeItemSlots(), freeBefore + 1) << "the old input went back";
  EXPECT_EQ(forge->itemAt(Forge::kInput), nullptr);
  const size_t freeAfter = freeItemSlots();
  forge.reset();
  EXPECT_EQ(freeItemSlots(), freeAfter + 1) << "its fuel went back with it";
}

TEST_F(RemoteBlockEntitiesTest, AnAlchemyLabSendsItsSlots) {
  RemoteAlchemyLab lab(at(12, 4), client);
  ItemPtr herb = newItem(900, 1, 3, 0, 0x7);
  const Item shown = *herb;
  const Item* placed = herb.get();
  EXPECT_EQ(sentBy([&] { lab.setItem(2, std::move(herb)); }), Sent{WireBytes(12, 128).cell(12, 4).u8(2).item(shown)});
  EXPECT_EQ(lab.itemAt(2), placed);
  EXPECT_TRUE(sentBy([&] { lab.setItem(5, newItem(900, 0, 1, 0, 0)); }).empty()) << "no such slot";
}
