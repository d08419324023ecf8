// The host and port a player types on the join page, which the server list then keeps in the
// settings file: whatever is typed, a port that passes is 1 to 65535, a host that passes holds
// nothing the stored form would split on, and every server the list takes reads back from its
// stored form unchanged. The input is the typed host, a newline, then the typed port.
#include <string>
#include <vector>

#include "fuzz/support/fuzz_one.h"
#include "menus/address_input.h"
#include "menus/server_list.h"

int fuzzOne(const uint8_t* data, size_t size) {
  const std::string input = fuzzText(data, size);
  const size_t split = input.find('\n');
  const std::string host = input.substr(0, split);
  const std::string port = split == std::string::npos ? std::string() : input.substr(split + 1);

  if (const auto parsed = address_input::parsePort(port)) fuzzCheck(*parsed >= 1, "a port that passes is not zero");
  if (address_input::isHostText(host)) {
    fuzzCheck(host.find(';') == std::string::npos, "a host that passes holds no separator");
    fuzzCheck(!host.empty() && host.size() <= address_input::kHostLimit, "a host that passes has a bounded length");
  }

  std::vector<kel::ServerInfo> servers;
  ServerList list(servers);
  const ServerList::Added added = list.add(host, port);
  fuzzCheck((added == ServerList::Added::Yes) == (servers.size() == 1), "only an accepted server is listed");
  if (added == ServerList::Added::Yes) {
    const auto stored = kel::ServerInfo::fromStoredText(servers[0].toStoredText());
    fuzzCheck(stored.has_value() && *stored == servers[0], "a listed server reads back from its stored form");
  }
  return 0;
}
