#include "platform/launch_arguments.h"

namespace kel {

ArgumentPairs parseArguments(int argc, const char* const* argv) {
  ArgumentPairs pairs;
  if (argv == nullptr) {
    return pairs;
  }
  std::string key;
  std::string value;
  // Only words before the very first dash carry over to a key; after a lone dash they are its own.
  bool dashSeen = false;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == nullptr) {
      continue;
    }
    const std::string word = argv[i];
    if (!word.empty() && word[0] == '-') {
      if (!key.empty()) {
        pairs.emplace_back(key, value);
      }
      if (dashSeen) {
        value.clear();
      }
      dashSeen = true;
      key = word.substr(1);
    } else if (value.empty()) {
      value = word;
    } else {
      value += ' ';
      value += word;
    }
  }
  if (!key.empty()) {
    pairs.emplace_back(key, value);
  }
  return pairs;
}

const ArgumentPair* findArgument(const ArgumentPairs& pairs, const std::string& key) {
  for (const ArgumentPair& pair : pairs) {
    if (pair.first == key) {
      return &pair;
    }
  }
  return nullptr;
}

std::optional<uint64_t> parseStoreFrontId(std::string_view text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  uint64_t id = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<uint64_t>(c - '0');
    if (id > (UINT64_MAX - digit) / 10) return std::nullopt;
    id = id * 10 + digit;
  }
  if (id == 0) return std::nullopt;
  return id;
}

}  // namespace kel
