// A joined game drawn: a host and two clients in one process over real ENet on 127.0.0.1. The
// first client (Ann) joins through the program's way in and is the one drawn: the world the host
// sent shows around her player, a cell the host mines changes on her screen, the second client
// (Bob) appears as a sprite on his cell once he entered, follows him when he is moved and goes
// when he leaves; her wait view's line said another client was joining meanwhile. Back in a local
// game, the view and every sprite are gone. The test atlases are plain: each block its own colour,
// the players' parts red.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/text/font_atlas_cache.h"
#include "engine/text/label.h"
#include "net/wire/wire_out.h"
#include "tests/ui/net_gl/joined_world_view.h"
#include "view/player/player_sprite.h"
#include "view/player/world_view_player_events.h"

namespace {

using namespace worldgl;

TEST_F(JoinedWorldView, TheJoinedWorldIsDrawnAndACellTheHostMinesChangesOnTheScreen) {
  ASSERT_TRUE(joinAsAnn());
  ASSERT_TRUE(runUntil([&] { return annInGame(); }));
  World* joined = swap->endpoint()->worldReceiver().world();
  ASSERT_NE(joined, nullptr);
  // The joined world and player are the running ones while the game plays, and the view shows them.
  EXPECT_EQ(runningWorld().world.get(), joined);
  EXPECT_EQ(runningWorld().player.get(), swap->joined()->player());
  ASSERT_TRUE(layer->hasWorldView());
  EXPECT_TRUE(layer->showsWorld(joined));
  layer->setSky(nullptr, {}, 0);  // the cells are read against black
  frame();

  EXPECT_GT(bodyPixelsInColumn(kColumn), 200u) << "Ann's own sprite in the middle";
  const Rgba dirt = pixelOf(kColumn + 1, kRow - 1);
  EXPECT_FALSE(near(dirt, {0, 0, 0, 255}, 20)) << "dirt under the host's feet";

  BlockEdit mined;
  mined.kind = edit_kind::kRemoveLayer;
  mined.x = kColumn + 1;
  mined.y = kRow - 1;
  hostSends(wire::WireOut(wire::outgoing(60, wire::Side::Host)).u8(0).blockEdit(mined));
  ASSERT_TRUE(runUntil([&] { return joined->cellAt(kColumn + 1, kRow - 1)->frontId() == 0; }));
  frame();
  const Rgba after = pixelOf(kColumn + 1, kRow - 1);
  EXPECT_FALSE(near(after, dirt, 20)) << "the mined cell no longer shows dirt";
  EXPECT_TRUE(near(after, {0, 0, 0, 255}, 20)) << "nothing is drawn where the cell was mined";
  EXPECT_TRUE(near(pixelOf(kColumn - 1, kRow - 1), dirt, 20)) << "the cell beside it still shows dirt";
}

TEST_F(JoinedWorldView, AnotherPlayerAppearsOnItsCellFollowsItsMovesAndGoesWhenItLeaves) {
  ASSERT_TRUE(joinAsAnn());
  ASSERT_TRUE(runUntil([&] { return annInGame(); }));
  // The host's own player was there before Ann: she is shown him on entering. Her copy of him is
  // moved out of the columns read below, so that Bob is what they show.
  ASSERT_TRUE(runUntil([&] { return remoteSprites() == 1; })) << "the host's player is drawn for Ann";
  PlayerClientDesktop* hostCopy = swap->endpoint()->remotePlayer(0);
  ASSERT_NE(hostCopy, nullptr);
  hostSends(wire::WireOut(wire::outgoing(18, wire::Side::Host)).peer(0).cell(kColumn + 6, kRow));
  ASSERT_TRUE(runUntil([&] { return hostCopy->cellX == static_cast<uint32_t>(kColumn + 6); }));
  layer->setSky(nullptr, {}, 0);
  frames(2);
  const size_t leftAlone = bodyPixelsInColumn(kColumn - 1);
  const size_t rightAlone = bodyPixelsInColumn(kColumn + 1);

  joinAsBob();
  // While Bob downloads, Ann's wait view says another client is joining: her own message, waited
  // on beside his download.
  const auto annToldOfJoining = [&] {
    return std::find(waitLines.begin(), waitLines.end(),
                     std::make_pair(std::string(UiNetClientView::kJoiningText), std::string())) != waitLines.end();
  };
  ASSERT_TRUE(runUntil([&] { return bob->state() == NetClient::kWorldReceived && annToldOfJoining(); }))
      << "Bob has the world and Ann's wait view said another client is joining";
  EXPECT_EQ(remoteSprites(), 1u) << "no sprite of Bob before he entered";

  bob->enterWorld(5, 5);
  ASSERT_TRUE(runUntil([&] { return remoteSprites() == 2; }));
  PlayerClientDesktop* copy = swap->endpoint()->remotePlayer(2);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->cellX, static_cast<uint32_t>(kColumn + 1));
  EXPECT_TRUE(copy->hasSprite);
  frames(2);
  EXPECT_GT(bodyPixelsInColumn(kColumn + 1), rightAlone + 200) << "Bob drawn on his cell, right of Ann";

  // The host moves him two cells left of Ann: his sprite follows.
  hostSends(wire::WireOut(wire::outgoing(18, wire::Side::Host)).peer(2).cell(kColumn - 1, kRow));
  ASSERT_TRUE(runUntil([&] { return copy->cellX == static_cast<uint32_t>(kColumn - 1); }));
  frames(2);
  EXPECT_GT(bodyPixelsInColumn(kColumn - 1), leftAlone + 200) << "Bob drawn on his new cell";
  EXPECT_LE(bodyPixelsInColumn(kColumn + 1), rightAlone + 20) << "nothing left where he stood";

  // He walks right: his copy replays the motion, and his sprite animates and goes along with it.
  PlayerSprite* bobSprite = spriteOf(*copy);
  ASSERT_NE(bobSprite, nullptr);
  const float spriteX = bobSprite->animator()->getPositionX();
  const float copyX = copy->position.x;
  wire::WireOut walk(wire::outgoing(20, wire::Side::Host));
  walk.peer(2);
  player_record::writeMotion(walk, {MotionEvent::kRight, MotionEvent::kPressed, copyX, copy->position.y, 2.0f, 0, 0, 0});
  hostSends(walk);
  ASSERT_TRUE(runUntil([&] { return copy->position.x > copyX + 20.0f; }));
  EXPECT_TRUE(bobSprite->animating()) << "his walk is played on his sprite";
  EXPECT_NEAR(bobSprite->animator()->getPositionX() - spriteX, copy->position.x - copyX, 1.0f);
  hostSends(wire::WireOut(wire::outgoing(18, wire::Side::Host)).peer(2).cell(kColumn - 1, kRow));
  ASSERT_TRUE(runUntil([&] { return copy->cellX == static_cast<uint32_t>(kColumn - 1); }));

  bob->shutdown();
  bob.reset();
  ASSERT_TRUE(runUntil([&] { return swap->endpoint()->remotePlayer(2) == nullptr; }));
  EXPECT_EQ(remoteSprites(), 1u) << "the host's player stays";
  frames(2);
  EXPECT_LE(bodyPixelsInColumn(kColumn - 1), leftAlone + 20) << "his sprite went with him";
  EXPECT_EQ(PlayerSprite::all().size(), 2u) << "Ann's own sprite and the host's player's";
}

TEST_F(JoinedWorldView, BackInALocalGameTheJoinedViewIsGoneAndNothingOfItIsLeft) {
  ASSERT_TRUE(joinAsAnn());
  ASSERT_TRUE(runUntil([&] { return annInGame(); }));
  joinAsBob();
  ASSERT_TRUE(runUntil([&] { return bob->state() == NetClient::kWorldReceived; }));
  bob->enterWorld(5, 5);
  ASSERT_TRUE(runUntil([&] { return remoteSprites() == 2; })) << "the host's player and Bob";

  swap->returnToLocalGame();
  EXPECT_FALSE(layer->hasWorldView());
  EXPECT_EQ(runningWorld().world, nullptr) << "the joined world is given back, not kept";
  EXPECT_EQ(runningWorld().player, nullptr);
  EXPECT_TRUE(PlayerSprite::all().empty());
  EXPECT_EQ(remoteSprites(), 0u);
  // The retired game and its endpoint (with the world and Bob's copy) go after the frame's tasks.
  frames(3);
  EXPECT_EQ(swap->joined(), nullptr);
  EXPECT_EQ(swap->endpoint(), nullptr);
  EXPECT_FALSE(layer->hasWorldView());
  EXPECT_EQ(&currentGame(), static_cast<GameInterface*>(&local->game())) << "the game played alone is current again";
}

TEST_F(JoinedWorldView, TheLoadingLabelShowsTheDownloadAndWhatItReadsWhenItStalls) {
  testsupport::TempDir fonts;
  fonts.write("blocks.png", textgl::blockFontPage());
  engine::Label* label = engine::Label::createWithBMFont(fonts.write("blocks.fnt", textgl::blockFontText()), "");
  ASSERT_NE(label, nullptr);
  layer->addChild(label, 5, MainLayer::kLoadingLabelTag);
  engine::Scheduler* clock = engine::Director::getInstance()->getScheduler();
  const auto wait = [clock](float seconds) {
    for (float t = 0; t < seconds; t += 0.1f) clock->update(0.1f);
  };

  transferScreen.loadingStatus("Downloading.. 10%", "Waiting for server..");
  EXPECT_EQ(label->getString(), "Downloading.. 10%");
  wait(1.5f);
  transferScreen.loadingStatus("Downloading.. 20%", "Waiting for server..");
  wait(1.5f);
  EXPECT_EQ(label->getString(), "Downloading.. 20%") << "a newer status starts the two seconds again";
  wait(1.0f);
  EXPECT_EQ(label->getString(), "Waiting for server..");
  transferScreen.loadingStatus("Downloading.. 100%", "");
  wait(3.0f);
  EXPECT_EQ(label->getString(), "Downloading.. 100%") << "no stalled text: the line stays";

  // The loading screen ended before the stall: nothing is written anywhere.
  transferScreen.loadingStatus("Downloading.. 30%", "Waiting for server..");
  layer->removeChild(label);
  wait(3.0f);
  EXPECT_EQ(layer->getChildByTag(MainLayer::kLoadingLabelTag), nullptr);
}

}  // namespace
