#pragma once
// What a player types on the join and host pages, checked before anything connects or is saved:
// a host is a name or a dotted IPv4 address, a port a decimal number. The saved server list keeps
// each server as "name;address;port", so no part may hold the separator.

#include <cstdint>
#include <optional>
#include <string_view>

namespace address_input {

// The longest host name the pages take.
inline constexpr size_t kHostLimit = 253;
// The longest port text: five digits.
inline constexpr size_t kPortLimit = 5;

// Letters, digits, '.' and '-' only, 1 to kHostLimit of them, not starting with '-' or '.'.
bool isHostText(std::string_view text);
// Digits only, 1 to 65535; nothing otherwise (empty, a sign, blanks, too large, zero).
std::optional<uint16_t> parsePort(std::string_view text);

}  // namespace address_input
