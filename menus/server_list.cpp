#include "menus/server_list.h"

#include <optional>

#include "menus/address_input.h"

ServerList::Added ServerList::add(const std::string& address, const std::string& portText) {
  if (!address_input::isHostText(address)) return Added::BadAddress;
  const std::optional<uint16_t> port = address_input::parsePort(portText);
  if (!port) return Added::BadPort;
  for (const kel::ServerInfo& server : servers_) {
    if (server.address == address && server.port == *port) return Added::AlreadyListed;
  }
  servers_.emplace_back(address, address, *port);
  return Added::Yes;
}

bool ServerList::remove(size_t index) {
  if (index >= servers_.size()) return false;
  servers_.erase(servers_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}
