#pragma once
// A saved multiplayer server, as the options keep it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kel {

struct ServerInfo {
  static constexpr uint16_t kDefaultPort = 12345;

  std::string name;
  std::string address;
  uint16_t port = kDefaultPort;

  ServerInfo() = default;
  ServerInfo(std::string name_, std::string address_, uint16_t port_);
  // From what a player typed: "address" or "address:port". A port that is missing or not a
  // number in 0..65535 gives the default port.
  ServerInfo(std::string name_, std::string_view text);

  // The stored form "name;address;port".
  std::string toStoredText() const;
  // Reads the stored form; nothing when a part is missing or the port is not a valid number.
  // A name may itself hold ';' (the address and port are the last two parts), so every name that
  // was saved reads back unchanged.
  static std::optional<ServerInfo> fromStoredText(std::string_view text);

  friend bool operator==(const ServerInfo&, const ServerInfo&) = default;
};

}  // namespace kel
