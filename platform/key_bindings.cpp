#include "platform/key_bindings.h"

#include <charconv>
#include <optional>

#include "engine/base/string_utils.h"

namespace kel {

const std::array<KeybindInfo, KEYBIND_ACTION_COUNT> defaultKeybinds = {{
    {0, 334, 143},   // W: move up
    {1, 335, 139},   // S: move down
    {2, 336, 121},   // A: move left
    {3, 337, 124},   // D: move right
    {4, 338, 56},    // space: jump
    {5, 339, 6},     // escape: pause
    {6, 340, 125},   // E: inventory
    {7, 341, 122},   // B: book
    {8, 342, 133},   // M: map
    {9, 343, 140},   // T: chat
    {10, 344, 137},  // Q: throw the held item
    {11, 345, 8},    // tab: switch the inventory pane
}};

namespace {

// The whole text must be a decimal number that fits 32 bits: a stored entry edited by hand must
// never throw or be half read.
std::optional<uint32_t> parseNumber(const std::string& text) {
  uint32_t value = 0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

KeyBindings::KeyBindings() : keys_(KEYBIND_ACTION_COUNT, 0) {
  for (const KeybindInfo& row : defaultKeybinds) {
    keys_[row.action] = row.defaultKey;
  }
}

uint32_t KeyBindings::keyOf(uint32_t action) const {
  return action < keys_.size() ? keys_[action] : 0;
}

void KeyBindings::bind(uint32_t action, uint32_t key) {
  if (action >= keys_.size()) {
    return;
  }
  for (uint32_t& bound : keys_) {
    if (bound == key) {
      bound = 0;
    }
  }
  keys_[action] = key;
}

std::optional<uint32_t> KeyBindings::swap(uint32_t action, uint32_t key) {
  if (action >= keys_.size()) return std::nullopt;
  std::optional<uint32_t> other;
  // Key 0 is no key: unbinding takes nothing from the other unbound actions.
  for (uint32_t i = 0; i < keys_.size() && key != 0 && !other; ++i) {
    if (i != action && keys_[i] == key) other = i;
  }
  if (other) keys_[*other] = keys_[action];
  keys_[action] = key;
  return other;
}

void KeyBindings::load(const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    const std::vector<std::string> parts =
        engine::splitString(entry, engine::NO_MAXIMUM_LENGTH, ":");
    if (parts.size() != 2) {
      continue;
    }
    const std::optional<uint32_t> action = parseNumber(parts[0]);
    const std::optional<uint32_t> key = parseNumber(parts[1]);
    if (action && key && *action < keys_.size()) {
      bind(*action, *key);
    }
  }
}

std::vector<std::string> KeyBindings::save() const {
  std::vector<std::string> entries;
  for (const KeybindInfo& row : defaultKeybinds) {
    const uint32_t key = keys_[row.action];
    if (key != row.defaultKey) {
      entries.push_back(std::to_string(row.action) + ":" + std::to_string(key));
    }
  }
  return entries;
}

}  // namespace kel
