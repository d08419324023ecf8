#pragma once
// Every user option, each with its registered Setting, found by option name. Loads all of them at
// launch and writes them all back on every save.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/settings/options.h"
#include "platform/settings/setting.h"

namespace kel {

class SettingsHost;

class SettingsRegistry {
 public:
  // Registers every option over the live values in options, which must outlive the registry.
  explicit SettingsRegistry(Options& options);
  ~SettingsRegistry();
  SettingsRegistry(const SettingsRegistry&) = delete;
  SettingsRegistry& operator=(const SettingsRegistry&) = delete;

  // The option's Setting by name (without the "option-" prefix); null for an unknown name.
  Setting* find(std::string_view name) const;
  // Every Setting, in registration order.
  const std::vector<std::unique_ptr<Setting>>& all() const { return settings_; }
  std::size_t size() const { return settings_.size(); }
  Options& options() { return options_; }

  // Re-reads the store's file, loads every persisted option (defaults where nothing usable is
  // stored), records this build's version, applies the stored key bindings, and ends with save()
  // so every launch rewrites the file. Options that are not persisted keep their values.
  void load(SettingsHost& host);
  // Stores every persisted option and the key bindings, then writes the store's file. False when
  // the file could not be written.
  bool save(SettingsHost& host);

 private:
  template <typename S, typename T>
  void add(std::string_view name, T* target, T defaultValue, bool persisted);
  void registerAll();

  Options& options_;
  std::vector<std::unique_ptr<Setting>> settings_;
  std::unordered_map<std::string, Setting*> byName_;
};

}  // namespace kel
