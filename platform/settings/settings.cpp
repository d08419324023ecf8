#include "platform/settings/settings.h"

#include <ctime>

#include "platform/settings/settings_entries.h"
#include "platform/settings/settings_host.h"
#include "platform/settings/settings_registry.h"

namespace kel {
namespace {

struct ProcessSettings {
  Options options;
  SettingsRegistry registry{options};
  SettingsHost* host = nullptr;
};

ProcessSettings& processSettings() {
  static ProcessSettings settings;
  return settings;
}

int64_t nowSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace

Options& options() { return processSettings().options; }

SettingsRegistry& settingsRegistry() { return processSettings().registry; }

void setSettingsHost(SettingsHost* host) { processSettings().host = host; }

SettingsHost* settingsHost() { return processSettings().host; }

void loadSettings() {
  if (SettingsHost* host = settingsHost()) settingsRegistry().load(*host);
}

void saveSettings() {
  if (SettingsHost* host = settingsHost()) settingsRegistry().save(*host);
}

bool getLastDifficultySwitch() {
  SettingsHost* host = settingsHost();
  return host != nullptr && settings_entries::lastDifficultySwitchRecent(host->defaults(), nowSeconds());
}

void clearMarkedWorld() {
  if (SettingsHost* host = settingsHost()) settings_entries::clearMarkedWorld(host->defaults());
}

std::string getMarkedWorld() {
  SettingsHost* host = settingsHost();
  return host != nullptr ? settings_entries::markedWorld(host->defaults()) : std::string();
}

void setLastPlayer(const std::string& player) {
  if (SettingsHost* host = settingsHost()) settings_entries::setLastPlayer(host->defaults(), player);
}

std::string getLastPlayer() {
  SettingsHost* host = settingsHost();
  return host != nullptr ? settings_entries::lastPlayer(host->defaults()) : std::string();
}

}  // namespace kel
