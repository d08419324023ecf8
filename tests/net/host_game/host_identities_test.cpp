// Who a joined player is to the host: a token, not a name, takes back what a character left with.
#include "net/endpoint/host/host_identities.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/items/item.h"
#include "tests/net/transfer/transfer_fixture.h"

namespace {

wire::Hello hello(const std::string& name, std::optional<wire::Token> token = std::nullopt) {
  wire::Hello said;
  said.name = name;
  said.version = wire::kProtocolVersion;
  said.token = token;
  return said;
}

class HostIdentitiesTest : public ::testing::Test {
 protected:
  void SetUp() override { transfertest::loadContent(); }
  // The peer leaves carrying `count` of item 1, as her game declared it.
  void leavesCarrying(uint8_t peer, uint16_t count) {
    PlayerItemCopy carried;
    carried.declare({});
    carried.add(Item(1, 0, count, 0, 0));
    identities.left(peer, &carried);
  }

  host::Identities identities;
  std::vector<std::string> present{"Host"};
};

TEST_F(HostIdentitiesTest, EachNewcomerHasATokenOfHerOwnAndANameNoOneElseHas) {
  const auto ann = identities.admit(1, hello("Player"), present);
  present.push_back(ann.identity.name);
  const auto bea = identities.admit(2, hello("player"), present);
  present.push_back(bea.identity.name);
  const auto host = identities.admit(3, hello("Host"), present);
  EXPECT_EQ(ann.identity.name, "Player");
  EXPECT_EQ(bea.identity.name, "player 2") << "names differ by more than their case";
  EXPECT_EQ(host.identity.name, "Host 2");
  EXPECT_NE(ann.identity.token, bea.identity.token);
  EXPECT_FALSE(ann.refused || bea.refused || host.refused);
}

TEST_F(HostIdentitiesTest, OnlyHerTokenTakesBackWhatSheLeftWith) {
  const auto ann = identities.admit(1, hello("Ann"), present);
  leavesCarrying(1, 4);

  wire::Token guessed = ann.identity.token;
  guessed[0] ^= 1;
  const auto squatter = identities.admit(2, hello("Ann", guessed), present);
  EXPECT_EQ(squatter.identity.name, "Ann 2") << "her name stays hers";
  EXPECT_FALSE(identities.takeKept(2)) << "and her items too";

  const auto back = identities.admit(3, hello("Someone", ann.identity.token), present);
  EXPECT_EQ(back.identity.name, "Ann");
  const std::optional<PlayerItemCopy> kept = identities.takeKept(3);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->countOf(1), 4u);
  EXPECT_FALSE(identities.takeKept(3)) << "taken once";
}

TEST_F(HostIdentitiesTest, ATokenWhoseSessionIsHereIsRefused) {
  const auto ann = identities.admit(1, hello("Ann"), present);
  EXPECT_TRUE(identities.admit(2, hello("Ann", ann.identity.token), present).refused);
  identities.left(1, nullptr);
  EXPECT_FALSE(identities.admit(2, hello("Ann", ann.identity.token), present).refused);
  EXPECT_FALSE(identities.takeKept(2)) << "her game never said what she carried: nothing kept";
}

// Her token's session went before it said what it carried (a copy of her hosts file, or her game
// dying in the download): she stays as she left, for her own return.
TEST_F(HostIdentitiesTest, ASessionWithHerTokenThatNeverDeclaredLeavesHerAsSheWas) {
  const auto ann = identities.admit(1, hello("Ann"), present);
  leavesCarrying(1, 4);

  EXPECT_EQ(identities.admit(2, hello("Anyone", ann.identity.token), present).identity.name, "Ann");
  identities.left(2, nullptr);

  EXPECT_EQ(identities.admit(3, hello("Ann"), present).identity.name, "Ann 2") << "her name is still hers";
  const auto back = identities.admit(4, hello("Ann", ann.identity.token), present);
  EXPECT_FALSE(back.refused);
  EXPECT_EQ(back.identity.name, "Ann");
  const std::optional<PlayerItemCopy> kept = identities.takeKept(4);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->countOf(1), 4u);
}

TEST_F(HostIdentitiesTest, ANameIsAdmittedWithoutItsControlBytes) {
  EXPECT_EQ(identities.admit(1, hello("\x01\x1b[31mred\n\x7f"), present).identity.name, "[31mred");
  EXPECT_EQ(identities.admit(2, hello("B\xc2\x9b" "2J\tob"), present).identity.name, "B2Job")
      << "nor the terminal's controls of UTF-8";
  EXPECT_EQ(identities.admit(3, hello("Zo\xc3\xab"), present).identity.name, "Zo\xc3\xab") << "letters stay";
  EXPECT_EQ(identities.admit(4, hello("A\x9b" "2Jl\x80x"), present).identity.name, "A2Jlx")
      << "nor a continuation byte that continues nothing";
  EXPECT_EQ(identities.admit(5, hello("\x1b\x07\xc2\x9b"), present).identity.name, "Player")
      << "a name of controls alone is no name: she is called as a new character is";
  EXPECT_EQ(identities.admit(6, hello(""), present).identity.name, "Player 2");
}

}  // namespace
