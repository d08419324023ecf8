#pragma once
// One user option as the registry knows it: its name, its storage key, whether it is kept between
// runs, and how its live value moves to and from the settings store.

#include <string>
#include <string_view>

namespace kel {

class DefaultsBridge;

class Setting {
 public:
  // What typeTag() returns; the options screens choose their widget by it.
  static constexpr int kBoolTag = 0;
  static constexpr int kFloatTag = 1;
  static constexpr int kStringTag = 3;
  static constexpr int kEnumTag = 4;
  static constexpr int kCustomTag = 5;

  Setting(std::string_view name, bool persisted);
  virtual ~Setting() = default;
  Setting(const Setting&) = delete;
  Setting& operator=(const Setting&) = delete;

  // Live value = default.
  virtual void reset() = 0;
  // Live value = the value stored under key(). A value that is missing, of the wrong kind or
  // damaged gives the default instead, so a bad file can never leave an option unusable.
  virtual void load(const DefaultsBridge& store) = 0;
  // Stores the live value under key().
  virtual void save(DefaultsBridge& store) const = 0;
  virtual int typeTag() const = 0;

  const std::string& name() const { return name_; }
  // "option-" followed by the name.
  const std::string& key() const { return key_; }
  // Only persisted options are loaded, saved and reset by the registry.
  bool persisted() const { return persisted_; }

 private:
  std::string name_;
  std::string key_;
  bool persisted_;
};

}  // namespace kel
