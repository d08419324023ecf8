#pragma once
// The join page's saved servers: the options' list, added to, removed from and picked from. A
// server is kept once (one entry per address and port); the list is saved with the settings after
// every change the page makes.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/settings/server_info.h"

class ServerList {
 public:
  enum class Added { Yes, AlreadyListed, BadAddress, BadPort };

  explicit ServerList(std::vector<kel::ServerInfo>& servers) : servers_(servers) {}

  // Adds the server under its address as its name; the address and port must be valid.
  Added add(const std::string& address, const std::string& portText);
  // False when there is no such entry.
  bool remove(size_t index);
  // Null when there is no such entry.
  const kel::ServerInfo* at(size_t index) const { return index < servers_.size() ? &servers_[index] : nullptr; }
  const std::vector<kel::ServerInfo>& entries() const { return servers_; }

 private:
  std::vector<kel::ServerInfo>& servers_;
};
