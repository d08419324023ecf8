#pragma once
// The player's key for each bindable action. A key is bound to at most one action; key code 0
// means unbound. Only bindings that differ from the defaults are stored, as "action:key" texts.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kel {

struct KeybindInfo {
  uint32_t action;
  uint32_t textId;      // the label of the action in the language texts
  uint32_t defaultKey;  // in the engine's key numbering
};

constexpr uint32_t KEYBIND_ACTION_COUNT = 12;

// Move up, down, left, right; jump; pause; inventory; book; map; chat; throw; switch pane.
extern const std::array<KeybindInfo, KEYBIND_ACTION_COUNT> defaultKeybinds;

class KeyBindings {
 public:
  KeyBindings();  // every action on its default key

  uint32_t count() const { return static_cast<uint32_t>(keys_.size()); }
  // The key of an action; 0 for an action outside the table.
  uint32_t keyOf(uint32_t action) const;
  // Unbinds every action that holds the key, then gives it to the action. An action outside the
  // table changes nothing.
  void bind(uint32_t action, uint32_t key);
  // Gives the key to the action as the player rebinds it: another action that held the key takes
  // the action's old key in exchange, so no action is left without one. Returns that other action;
  // none when no other action held the key, for key 0 (unbinding the action) and for an action
  // outside the table (which changes nothing).
  std::optional<uint32_t> swap(uint32_t action, uint32_t key);

  // Applies stored "action:key" entries in order; malformed entries and actions outside the table
  // are skipped.
  void load(const std::vector<std::string>& entries);
  // The bindings that differ from the defaults, in action order; empty when all are defaults.
  std::vector<std::string> save() const;

 private:
  std::vector<uint32_t> keys_;
};

}  // namespace kel
