// Two players in one world, each with the events sink it was made with: what one player does or
// is refused is told to its own sink only, so a host's remote player never speaks through the
// host's own screen. A chat line rings by the option of the world the player stands in.

#include <string>
#include <vector>

#include "content/items/block_edit.h"
#include "game/rules/block_edit_rules.h"
#include "tests/game/game_fixture.h"
#include "tests/world/fixed_world_options.h"
#include "world/edits/edit_kind.h"
#include "world/protection/protected_areas.h"

namespace game_test {
namespace {

using Message = RecordingEvents::Message;

class TwoPlayersEventsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    other = std::make_unique<PlayerDesktopLocal>(&game, &otherEvents);
    other->setWorld(world.get());
  }
  void TearDown() override {
    other.reset();
    GameTest::TearDown();
  }
  static BlockEdit glassAt(int32_t x, int32_t y) {
    BlockEdit e;
    e.kind = edit_kind::kSetLayerBlock;
    e.x = static_cast<uint16_t>(x);
    e.y = static_cast<uint16_t>(y);
    e.blockId = world_test::kGlass;
    return e;
  }

  RecordingEvents otherEvents;
  std::unique_ptr<PlayerDesktopLocal> other;
};

TEST_F(TwoPlayersEventsTest, EachPlayersLinesAndStatisticsGoToItsOwnSink) {
  player->showMessage(2, "mine");
  other->showMessage(2, "theirs");
  other->recordStat(7, 3);
  EXPECT_EQ(events.messages, (std::vector<Message>{{2, "mine"}}));
  EXPECT_EQ(otherEvents.messages, (std::vector<Message>{{2, "theirs"}}));
  EXPECT_TRUE(events.stats.empty());
  ASSERT_EQ(otherEvents.stats.size(), 1u);
  EXPECT_EQ(otherEvents.stats[0].id, 7);
}

TEST_F(TwoPlayersEventsTest, AChatLineRingsByTheOptionOfThePlayersOwnWorld) {
  FixedWorldOptions ringing;
  ringing.chat = true;
  std::unique_ptr<World> chatty = World::create(&difficulty, WorldParams{}, kWidth, kHeight, {.options = &ringing});
  other->setWorld(chatty.get());
  player->showMessage(0, "quiet here");
  other->showMessage(0, "rings there");
  other->showMessage(2, "not a chat line");
  EXPECT_TRUE(events.interfaceSounds.empty()) << "this world's options leave the chat sound off";
  EXPECT_EQ(otherEvents.interfaceSounds, std::vector<uint16_t>{61});
  other->setWorld(nullptr);
  other->showMessage(0, "in no world");
  EXPECT_EQ(otherEvents.interfaceSounds.size(), 1u);
  EXPECT_EQ(otherEvents.messages.size(), 3u);
}

TEST_F(TwoPlayersEventsTest, ARemotePlayersRefusalIsToldToThatPlayerNotToTheLocalOne) {
  put(20, 6, ProtectedAreas::kLockBlock);
  world->protectedAreas().add(at(20, 6), 5);
  other->isLocal = 0;
  EXPECT_FALSE(checkBlockEdit(*world, rules, glassAt(21, 7), other.get()));
  ASSERT_EQ(otherEvents.texts.size(), 1u);
  EXPECT_EQ(otherEvents.texts[0].id, edit_rules::kTextProtected);
  ASSERT_EQ(otherEvents.effects.size(), 1u) << "the refused cell flashes for the one who tried";
  EXPECT_EQ(otherEvents.effects[0].x, 21);
  EXPECT_TRUE(events.texts.empty());
  EXPECT_TRUE(events.effects.empty());
}

}  // namespace
}  // namespace game_test
