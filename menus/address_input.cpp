#include "menus/address_input.h"

namespace address_input {

namespace {
bool isHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}
}  // namespace

bool isHostText(std::string_view text) {
  if (text.empty() || text.size() > kHostLimit) return false;
  if (text.front() == '-' || text.front() == '.') return false;
  for (char c : text) {
    if (!isHostChar(c)) return false;
  }
  return true;
}

std::optional<uint16_t> parsePort(std::string_view text) {
  if (text.empty() || text.size() > kPortLimit) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  if (value == 0 || value > 65535) return std::nullopt;
  return static_cast<uint16_t>(value);
}

}  // namespace address_input
