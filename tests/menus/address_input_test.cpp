// What a player types as a host and a port is checked before it connects or is saved: host names
// and dotted addresses pass, blanks, separators and anything else do not; a port is 1 to 65535 in
// plain digits. The saved server list keeps each server once and removes by entry.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menus/address_input.h"
#include "menus/server_list.h"

namespace {

TEST(AddressInput, HostNamesAndDottedAddressesPassAndNothingElse) {
  for (const char* good : {"127.0.0.1", "localhost", "game-host.example.org", "192.168.1.20", "a"}) {
    EXPECT_TRUE(address_input::isHostText(good)) << good;
  }
  for (const char* bad : {"", " 127.0.0.1", "host name", "host;1;2", "-connect", ".local", "a:b", "h\xc3\xa9", "a/b"}) {
    EXPECT_FALSE(address_input::isHostText(bad)) << bad;
  }
  EXPECT_TRUE(address_input::isHostText(std::string(address_input::kHostLimit, 'a')));
  EXPECT_FALSE(address_input::isHostText(std::string(address_input::kHostLimit + 1, 'a')));
}

TEST(AddressInput, APortIsOneTo65535InPlainDigits) {
  EXPECT_EQ(address_input::parsePort("1"), 1);
  EXPECT_EQ(address_input::parsePort("12345"), 12345);
  EXPECT_EQ(address_input::parsePort("65535"), 65535);
  EXPECT_EQ(address_input::parsePort("00080"), 80);
  for (const char* bad : {"", "0", "65536", "99999", "123456", "+80", "-1", " 80", "80 ", "8a", "0x50"}) {
    EXPECT_FALSE(address_input::parsePort(bad).has_value()) << bad;
  }
}

TEST(ServerListEditing, AServerIsAddedOnceUnderItsAddressAndRemovedByEntry) {
  std::vector<kel::ServerInfo> servers;
  ServerList list(servers);
  EXPECT_EQ(list.add("127.0.0.1", "4000"), ServerList::Added::Yes);
  EXPECT_EQ(list.add("127.0.0.1", "4000"), ServerList::Added::AlreadyListed);
  EXPECT_EQ(list.add("127.0.0.1", "4001"), ServerList::Added::Yes) << "another port is another server";
  EXPECT_EQ(list.add("bad;name", "4000"), ServerList::Added::BadAddress);
  EXPECT_EQ(list.add("example.org", "0"), ServerList::Added::BadPort);
  ASSERT_EQ(servers.size(), 2u);
  EXPECT_EQ(servers[0], kel::ServerInfo("127.0.0.1", "127.0.0.1", 4000));
  ASSERT_NE(list.at(1), nullptr);
  EXPECT_EQ(list.at(1)->port, 4001);
  EXPECT_EQ(list.at(2), nullptr);

  EXPECT_FALSE(list.remove(2));
  EXPECT_TRUE(list.remove(0));
  ASSERT_EQ(servers.size(), 1u);
  EXPECT_EQ(servers[0].port, 4001);
}

TEST(ServerListEditing, EveryAddedServerReadsBackFromItsStoredForm) {
  std::vector<kel::ServerInfo> servers;
  ServerList list(servers);
  ASSERT_EQ(list.add("game-host.example.org", "65535"), ServerList::Added::Yes);
  const auto stored = kel::ServerInfo::fromStoredText(servers[0].toStoredText());
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(*stored, servers[0]);
}

}  // namespace
