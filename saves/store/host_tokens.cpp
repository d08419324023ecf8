#include "saves/store/host_tokens.h"

#include "engine/base/path_utils.h"

namespace {

constexpr char kDigits[] = "0123456789abcdef";

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Empty for text that is not a whole token.
std::vector<uint8_t> fromHex(std::string_view hex) {
  if (hex.empty() || hex.size() % 2 != 0 || hex.size() / 2 > kMostHostTokenBytes) return {};
  std::vector<uint8_t> bytes;
  for (size_t at = 0; at < hex.size(); at += 2) {
    const int high = digitValue(hex[at]);
    const int low = digitValue(hex[at + 1]);
    if (high < 0 || low < 0) return {};
    bytes.push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return bytes;
}

// A key is text without line ends; a tab or a control byte makes the line no host's.
bool isKey(std::string_view key) {
  if (key.empty()) return false;
  for (const char c : key) {
    if (static_cast<unsigned char>(c) < ' ') return false;
  }
  return true;
}

}  // namespace

HostTokens readHostTokens(std::string_view text) {
  HostTokens tokens;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) continue;
    std::vector<uint8_t> token = fromHex(line.substr(0, space));
    const std::string_view key = line.substr(space + 1);
    if (!token.empty() && isKey(key)) tokens[std::string(key)] = std::move(token);
  }
  return tokens;
}

std::string writeHostTokens(const HostTokens& tokens) {
  std::string text;
  for (const auto& [key, token] : tokens) {
    if (token.empty() || token.size() > kMostHostTokenBytes || !isKey(key)) continue;
    for (const uint8_t byte : token) {
      text += kDigits[byte >> 4];
      text += kDigits[byte & 0xF];
    }
    text += ' ';
    text += key;
    text += '\n';
  }
  return text;
}

std::string hostsPathOf(const std::string& path) {
  return engine::withExtension(engine::stripExtension(path), "hosts");
}
