#include "platform/settings/server_info.h"

#include <limits>
#include <utility>
#include <vector>

#include "platform/settings/decimal_text.h"

namespace kel {
namespace {

constexpr uint32_t kMaxPort = std::numeric_limits<uint16_t>::max();

}  // namespace

ServerInfo::ServerInfo(std::string name_, std::string address_, uint16_t port_)
    : name(std::move(name_)), address(std::move(address_)), port(port_) {}

ServerInfo::ServerInfo(std::string name_, std::string_view text) : name(std::move(name_)) {
  const std::vector<std::string_view> parts = decimal_text::split(text, ':');
  address = std::string(parts[0]);
  if (parts.size() > 1) {
    port = static_cast<uint16_t>(decimal_text::parseUnsigned(parts[1], kMaxPort).value_or(kDefaultPort));
  }
}

std::string ServerInfo::toStoredText() const {
  return name + ";" + address + ";" + std::to_string(port);
}

std::optional<ServerInfo> ServerInfo::fromStoredText(std::string_view text) {
  const std::size_t portStart = text.rfind(';');
  if (portStart == std::string_view::npos) return std::nullopt;
  const std::size_t addressStart = text.rfind(';', portStart == 0 ? 0 : portStart - 1);
  if (addressStart == std::string_view::npos || addressStart == portStart) return std::nullopt;
  const std::optional<uint32_t> port = decimal_text::parseUnsigned(text.substr(portStart + 1), kMaxPort);
  if (!port) return std::nullopt;
  return ServerInfo(std::string(text.substr(0, addressStart)),
                    std::string(text.substr(addressStart + 1, portStart - addressStart - 1)),
                    static_cast<uint16_t>(*port));
}

}  // namespace kel
