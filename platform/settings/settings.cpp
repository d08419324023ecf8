#include "platform/settings/settings.h"

#include <ctime>
#include <optional>

#include "platform/settings/defaults_bridge.h"
#include "platform/settings/server_info.h"
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

// The store of the registered host, or null before the launch registers one.
DefaultsBridge* hostStore() {
  SettingsHost* host = settingsHost();
  return host != nullptr ? &host->defaults() : nullptr;
}

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
  if (DefaultsBridge* store = hostStore()) settings_entries::clearMarkedWorld(*store);
}

std::string getMarkedWorld() {
  const DefaultsBridge* store = hostStore();
  return store != nullptr ? settings_entries::markedWorld(*store) : std::string();
}

void setLastPlayer(const std::string& player) {
  if (DefaultsBridge* store = hostStore()) settings_entries::setLastPlayer(*store, player);
}

std::string getLastPlayer() {
  const DefaultsBridge* store = hostStore();
  return store != nullptr ? settings_entries::lastPlayer(*store) : std::string();
}

void setHostPort(uint16_t port) {
  if (DefaultsBridge* store = hostStore()) settings_entries::setHostPort(*store, port);
}

uint16_t getHostPort() {
  const DefaultsBridge* store = hostStore();
  const std::optional<uint16_t> kept = store != nullptr ? settings_entries::hostPort(*store) : std::nullopt;
  return kept.value_or(ServerInfo::kDefaultPort);
}

void setJoinTarget(const std::string& address, uint16_t port) {
  if (DefaultsBridge* store = hostStore()) settings_entries::setJoinTarget(*store, {address, port});
}

std::pair<std::string, uint16_t> getJoinTarget() {
  const DefaultsBridge* store = hostStore();
  const settings_entries::JoinTarget kept = store != nullptr ? settings_entries::joinTarget(*store) : settings_entries::JoinTarget{};
  return {kept.address, kept.port != 0 ? kept.port : ServerInfo::kDefaultPort};
}

}  // namespace kel
