#include "platform/platform_settings_host.h"

#include "platform/plain_version.h"
#include "platform/platform.h"

namespace kel {

DefaultsBridge& PlatformSettingsHost::defaults() { return *platform_.defaults(); }

// The settings file is the player's to read: it names the release, not the store front's build.
std::string PlatformSettingsHost::versionText() const { return plainVersion(platform_.versionText()); }

void PlatformSettingsHost::loadKeyBindings(const std::vector<std::string>& entries) {
  platform_.loadKeyBindings(entries);
}

std::vector<std::string> PlatformSettingsHost::keyBindingStrings() const {
  return platform_.saveKeyBindings();
}

}  // namespace kel
