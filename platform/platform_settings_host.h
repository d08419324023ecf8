#pragma once
// Lets the options code load and save through the platform: its settings store, version text and
// key bindings. The application registers one of these with the options code at launch.

#include "platform/settings/settings_host.h"

namespace kel {

class Platform;

class PlatformSettingsHost : public SettingsHost {
 public:
  explicit PlatformSettingsHost(Platform& platform) : platform_(platform) {}

  DefaultsBridge& defaults() override;
  std::string versionText() const override;
  void loadKeyBindings(const std::vector<std::string>& entries) override;
  std::vector<std::string> keyBindingStrings() const override;

 private:
  Platform& platform_;
};

}  // namespace kel
