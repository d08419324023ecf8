// Who a joined player is to the host, over real ENet on 127.0.0.1: two honest players whose
// characters are both named "Player" both play with what they carry, the second under "Player 2"
// and told why; a newcomer under the name of a player who left gets none of her items; and she,
// coming back with the token her game kept, plays under her name with what she left with.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "net/players/player_messages.h"
#include "net/wire/connection_messages.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

class PlayTogetherNames : public PlayTogether {
 protected:
  // Ann and Bo leave, so that the host has room for the players of the test.
  void SetUp() override {
    PlayTogether::SetUp();
    ann.reset();
    bo.reset();
    ASSERT_TRUE(runUntil([&] { return server.players().occupied() == 1; }));
  }
  void TearDown() override {
    first.reset();
    second.reset();
    PlayTogether::TearDown();
  }
  // A character named "Player" carrying `count` of `id`, joining with her own hosts file.
  std::unique_ptr<Joiner> joinAsPlayer(uint16_t id, uint16_t count, uint64_t user,
                                       std::shared_ptr<CharacterTokens> character = std::make_shared<CharacterTokens>()) {
    auto joiner = std::make_unique<Joiner>("Player", std::move(character));
    if (count > 0) give(joiner->inventory(), 0, id, count);
    EXPECT_TRUE(meeting->connect(joiner->net, "Player", user));
    EXPECT_TRUE(runUntil([&] {
      return inGame(*joiner) && server.joinStage(joiner->net.localPeerId()) == host::JoinStage::Entered &&
             onHost(joiner->net.localPeerId()).items().declared();
    }));
    return joiner;
  }
  const std::string& hostName(Joiner& joiner) { return server.entryOf(joiner.net.localPeerId())->name(); }
  static bool told(const Joiner& joiner, const std::string& part) {
    return std::any_of(joiner.log.messages.begin(), joiner.log.messages.end(),
                       [&](const std::string& text) { return text.find(part) != std::string::npos; });
  }
  // She drops one of the quick slot's stack; true when the host's copy of her items spent it.
  bool dropsOne(Joiner& joiner, uint16_t id) {
    PlayerServerDesktop& copy = onHost(joiner.net.localPeerId());
    const uint32_t before = copy.items().countOf(id);
    ItemPtr one = newItem(id, 0, 1, 0, 0);
    joiner.inventory().slotItem({SlotKind::Quick, 0, 0})->consumeOne();
    joiner.game().dropItem(std::move(one));
    return runUntil([&] { return copy.items().countOf(id) + 1 == before; }) && !told(joiner, player_msg::kNotHeld);
  }

  std::unique_ptr<Joiner> first;
  std::unique_ptr<Joiner> second;
};

TEST_P(PlayTogetherNames, TwoPlayersOfOneNameBothPlayWithWhatTheyCarryAndNoneOfTheOthers) {
  const std::vector<uint16_t> ids = stackingItems(2);
  const uint16_t stone = ids.at(0);
  const uint16_t dirt = ids.at(1);
  first = joinAsPlayer(stone, 5, 301);
  second = joinAsPlayer(dirt, 3, 302);

  EXPECT_EQ(hostName(*first), "Player");
  EXPECT_EQ(hostName(*second), "Player 2") << "the second plays under her name with a number";
  EXPECT_EQ(second->net.localName(), "Player 2");
  EXPECT_TRUE(told(*second, "you play as Player 2")) << "and is told why";
  EXPECT_FALSE(told(*first, "you play as"));

  PlayerServerDesktop& firstOnHost = onHost(first->net.localPeerId());
  PlayerServerDesktop& secondOnHost = onHost(second->net.localPeerId());
  EXPECT_EQ(firstOnHost.items().countOf(stone), 5u);
  EXPECT_EQ(firstOnHost.items().countOf(dirt), 0u);
  EXPECT_EQ(secondOnHost.items().countOf(dirt), 3u) << "her own declaration, not the other's items";
  EXPECT_EQ(secondOnHost.items().countOf(stone), 0u);
  EXPECT_TRUE(dropsOne(*first, stone)) << "neither is refused what she carries";
  EXPECT_TRUE(dropsOne(*second, dirt));
}

TEST_P(PlayTogetherNames, ASquatterUnderADepartedPlayersNameGetsNoneOfHerItemsAndSheComesBackToThem) {
  const std::vector<uint16_t> ids = stackingItems(2);
  const uint16_t stone = ids.at(0);
  const uint16_t dirt = ids.at(1);
  first = joinAsPlayer(stone, 5, 301);
  const std::shared_ptr<CharacterTokens> hers = first->character;
  ASSERT_FALSE(hers->tokens.empty()) << "her game keeps the token the host handed her";
  const uint8_t herPeer = first->net.localPeerId();
  first.reset();
  ASSERT_TRUE(runUntil([&] { return server.players().at(herPeer) == nullptr; }));

  // Another character named Player, without her token, and carrying nothing.
  second = joinAsPlayer(dirt, 0, 302);
  EXPECT_EQ(hostName(*second), "Player 2") << "her name stays hers while the host hosts";
  EXPECT_TRUE(told(*second, "you play as Player 2"));
  EXPECT_EQ(onHost(second->net.localPeerId()).items().countOf(stone), 0u) << "none of her stones";

  // She comes back with the file her game kept (still saying five stones): her name and her items.
  first = joinAsPlayer(stone, 5, 301, hers);
  EXPECT_EQ(hostName(*first), "Player");
  EXPECT_EQ(onHost(first->net.localPeerId()).items().countOf(stone), 5u);
  EXPECT_TRUE(dropsOne(*first, stone));
}

TEST_P(PlayTogetherNames, HerTokenWhileHerEarlierSessionIsHereIsRefusedWithTheReason) {
  first = joinAsPlayer(stackingItems(1).at(0), 1, 301);
  // A second game of the same character (the same hosts file) while the first still plays.
  second = std::make_unique<Joiner>("Player", first->character);
  ASSERT_TRUE(meeting->connect(second->net, "Player", 302));
  ASSERT_TRUE(runUntil([&] { return !second->notices.lostTexts.empty(); }));
  EXPECT_EQ(second->notices.lostTexts.front(),
            "Can't join! Your character is still in this game: join again in a moment.");
  settle();
  EXPECT_EQ(server.players().occupied(), 2u) << "the host and her first session";
  EXPECT_EQ(hostName(*first), "Player");
}

// A session names her token while she is away (a second copy of her hosts file, or her game
// dying as the world downloads) and goes before it says what it carries: the host still knows her.
// A newcomer under her name plays under another, and she comes back to her name and to the items
// she left with (one stone fewer than her file says: she dropped it here).
TEST_P(PlayTogetherNames, ASessionWithHerTokenThatLeavesBeforeDeclaringLeavesHerAsSheWas) {
  auto* enet = dynamic_cast<EnetMeeting*>(meeting.get());
  ASSERT_NE(enet, nullptr);
  const std::vector<uint16_t> ids = stackingItems(2);
  const uint16_t stone = ids.at(0);
  const uint16_t dirt = ids.at(1);
  first = joinAsPlayer(stone, 5, 301);
  ASSERT_TRUE(dropsOne(*first, stone));
  const std::shared_ptr<CharacterTokens> hers = first->character;
  ASSERT_EQ(hers->tokens.count(kHostKey), 1u);
  wire::Token token{};
  ASSERT_EQ(hers->tokens[kHostKey].size(), token.size());
  std::copy(hers->tokens[kHostKey].begin(), hers->tokens[kHostKey].end(), token.begin());
  const uint8_t herPeer = first->net.localPeerId();
  first.reset();
  ASSERT_TRUE(runUntil([&] { return server.players().at(herPeer) == nullptr; }));

  // The session with her token is admitted as her, and goes without a word of what it carries.
  RawListener heard;
  auto holder = std::make_unique<enet::EnetClient>(&heard, kel::NetBridgeSetup{});
  ASSERT_TRUE(holder->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, enet->port())));
  const wire::WireOut hello = wire::helloMessage("Anyone", std::optional<wire::Token>(token));
  holder->send(hello.data(), hello.size());
  ASSERT_TRUE(runUntil([&] { return server.players().occupied() == 2; }));
  uint8_t sessionPeer = kel::NET_NO_PEER;
  for (uint8_t peer = 1; peer < server.players().size(); ++peer) {
    if (server.players().at(peer) != nullptr) sessionPeer = peer;
  }
  ASSERT_NE(sessionPeer, kel::NET_NO_PEER);
  EXPECT_EQ(server.entryOf(sessionPeer)->name(), "Player") << "her token: her name";
  holder->stop();
  ASSERT_TRUE(runUntil([&] { return server.players().at(sessionPeer) == nullptr; }));
  holder.reset();

  second = joinAsPlayer(dirt, 0, 302);
  EXPECT_EQ(hostName(*second), "Player 2") << "her name is still hers";
  EXPECT_EQ(onHost(second->net.localPeerId()).items().countOf(stone), 0u);

  first = joinAsPlayer(stone, 5, 301, hers);
  EXPECT_EQ(hostName(*first), "Player");
  EXPECT_FALSE(told(*first, "you play as")) << "her token is known: she plays under her own name";
  EXPECT_EQ(onHost(first->net.localPeerId()).items().countOf(stone), 4u) << "what she left with, not her file's word";
}

// A hello's name with control bytes: the host admits her without them, and that name is the one
// she plays under, the one the others hear of and the one the host's console prints.
TEST_P(PlayTogetherNames, ANameWithControlBytesIsAdmittedWithoutThem) {
  first = joinAsPlayer(stackingItems(1).at(0), 1, 301);
  second = std::make_unique<Joiner>("\x01\x1b[31mred\n\x7f\xc2\x9b");
  ASSERT_TRUE(meeting->connect(second->net, "red", 302));
  ASSERT_TRUE(runUntil([&] { return inGame(*second) && server.joinStage(second->net.localPeerId()) == host::JoinStage::Entered; }));
  const uint8_t peer = second->net.localPeerId();
  EXPECT_EQ(hostName(*second), "[31mred");
  EXPECT_EQ(second->net.localName(), "[31mred") << "her game plays under the name the host admitted";
  ASSERT_TRUE(runUntil([&] { return first->net.players().at(peer) != nullptr; }));
  EXPECT_EQ(first->net.players().at(peer)->name(), "[31mred") << "the others hear of the admitted name";
  second->net.sendChat("hello");
  ASSERT_TRUE(runUntil([&] {
    return std::any_of(hostNotices.lines.begin(), hostNotices.lines.end(),
                       [](const std::string& line) { return line.find("hello") != std::string::npos; });
  }));
  for (const std::string& line : hostNotices.lines) {
    EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](char c) {
      const auto byte = static_cast<unsigned char>(c);
      return byte < 0x20 || byte == 0x7F || byte == 0x9B;
    })) << "the host's console prints no control byte: " << line;
  }
}

INSTANTIATE_TEST_SUITE_P(Enet, PlayTogetherNames, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>&) { return "OverEnet"; });

}  // namespace
}  // namespace nettest
