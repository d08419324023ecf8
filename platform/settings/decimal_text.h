#pragma once
// Strict reading of the decimal numbers inside stored option texts.

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kel::decimal_text {

// The whole text as an unsigned decimal number no larger than max; nothing for an empty text, a
// sign, blanks, other characters or a larger number.
inline std::optional<uint32_t> parseUnsigned(std::string_view text, uint32_t max) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  uint32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
  return value;
}

// Every piece between delimiters, empty pieces included: k delimiters give k + 1 pieces.
inline std::vector<std::string_view> split(std::string_view text, char delimiter) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t at = text.find(delimiter); at != std::string_view::npos;
       at = text.find(delimiter, start)) {
    pieces.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

}  // namespace kel::decimal_text
