#include "platform/platform_settings_host.h"

#include "platform/platform.h"

namespace kel {

DefaultsBridge& PlatformSettingsHost::defaults() { return *platform_.defaults(); }

std::string PlatformSettingsHost::versionText() const { return platform_.versionText(); }

void PlatformSettingsHost::loadKeyBindings(const std::vector<std::string>& entries) {
  platform_.loadKeyBindings(entries);
}

std::vector<std::string> PlatformSettingsHost::keyBindingStrings() const {
  return platform_.saveKeyBindings();
}

}  // namespace kel
