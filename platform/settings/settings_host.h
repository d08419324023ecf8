#pragma once
// What loading and saving the options needs from the platform: its settings store, the build's
// version text and the key-binding table in its stored form. The platform (or the launch code on
// its behalf) implements this and registers it with setSettingsHost.

#include <string>
#include <vector>

namespace kel {

class DefaultsBridge;

class SettingsHost {
 public:
  virtual ~SettingsHost() = default;

  // The process's settings store (the platform's defaults).
  virtual DefaultsBridge& defaults() = 0;
  // The version text of this build, kept under "version".
  virtual std::string versionText() const = 0;
  // Fills the key-binding table from its stored strings ("action:key" each). The table skips
  // entries it cannot use.
  virtual void loadKeyBindings(const std::vector<std::string>& entries) = 0;
  // The bindings that differ from their defaults, in their stored form.
  virtual std::vector<std::string> keyBindingStrings() const = 0;
};

}  // namespace kel
