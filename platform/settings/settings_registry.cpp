#include "platform/settings/settings_registry.h"

#include <cassert>

#include "platform/settings/custom_setting.h"
#include "platform/settings/defaults_bridge.h"
#include "platform/settings/primitive_setting.h"
#include "platform/settings/settings_host.h"
#include "platform/settings/stored_value.h"

namespace kel {
namespace {

using BoolSetting = PrimitiveSetting<bool, 0>;
using StringSetting = PrimitiveSetting<std::string, 2>;

constexpr bool kPersisted = true;
constexpr bool kNotPersisted = false;

const std::string kVersionKey = "version";
const std::string kKeybindsKey = "keybinds";

}  // namespace

SettingsRegistry::SettingsRegistry(Options& options) : options_(options) { registerAll(); }

SettingsRegistry::~SettingsRegistry() = default;

template <typename S, typename T>
void SettingsRegistry::add(std::string_view name, T* target, T defaultValue, bool persisted) {
  auto setting = std::make_unique<S>(name, target, std::move(defaultValue), persisted);
  [[maybe_unused]] const bool added = byName_.emplace(std::string(name), setting.get()).second;
  assert(added && "every option is registered once");
  settings_.push_back(std::move(setting));
}

void SettingsRegistry::registerAll() {
  Options& o = options_;
  add<BoolSetting>("holdToBreak", &o.holdToBreak, false, kNotPersisted);
  add<BoolSetting>("placeTopBlockByDefault", &o.placeTopBlockByDefault, false, kPersisted);
  add<BoolSetting>("keepLastSlotEmpty", &o.keepLastSlotEmpty, false, kPersisted);
  add<BoolSetting>("highlightNewItems", &o.highlightNewItems, true, kPersisted);
  add<BoolSetting>("invertToyMechanics", &o.invertToyMechanics, false, kPersisted);
  add<BoolSetting>("alwaysThrowBulletsAtMaxStrength", &o.alwaysThrowBulletsAtMaxStrength, true, kPersisted);
  add<BoolSetting>("showOutlinesInventory", &o.showOutlinesInventory, false, kPersisted);
  add<BoolSetting>("extendedTooltip", &o.extendedTooltip, true, kPersisted);
  add<BoolSetting>("alwaysEnabledTooltips", &o.alwaysEnabledTooltips, true, kPersisted);
  add<BoolSetting>("showCountersInBook", &o.showCountersInBook, false, kPersisted);
  add<BoolSetting>("showMarkersInSuperMap", &o.showMarkersInSuperMap, true, kPersisted);
  add<BoolSetting>("openCraftbookRecipe", &o.openCraftbookRecipe, true, kPersisted);
  add<BoolSetting>("lessVerboseConsole", &o.lessVerboseConsole, false, kPersisted);
  add<BoolSetting>("rotateItemsOnMouse", &o.rotateItemsOnMouse, true, kPersisted);
  add<BoolSetting>("fancyChat", &o.fancyChat, true, kPersisted);
  add<FloatSetting>("chatTextDuration", &o.chatTextDuration, 15.0f, kPersisted);
  add<BoolSetting>("chatSound", &o.chatSound, true, kPersisted);
  add<BoolSetting>("chatBackground", &o.chatBackground, true, kPersisted);
  add<BoolSetting>("disableMouseWheel", &o.disableMouseWheel, false, kPersisted);
  add<BoolSetting>("smoothLighting", &o.smoothLighting, true, kPersisted);
  add<BoolSetting>("lowerGraphics", &o.lowerGraphics, false, kNotPersisted);
  add<BoolSetting>("lowerSky", &o.lowerSky, false, kNotPersisted);
  add<BoolSetting>("advancedShaders", &o.advancedShaders, true, kNotPersisted);
  add<BoolSetting>("musicEnabled", &o.musicEnabled, true, kPersisted);
  add<BoolSetting>("soundEnabled", &o.soundEnabled, true, kPersisted);
  add<FloatSetting>("musicVolume", &o.musicVolume, 0.2f, kPersisted);
  add<FloatSetting>("soundVolume", &o.soundVolume, 0.8f, kPersisted);
  add<BoolSetting>("firstTimeSuperMap", &o.firstTimeSuperMap, true, kPersisted);
  add<BoolSetting>("firstTimeCraftbook", &o.firstTimeCraftbook, true, kPersisted);
  add<BoolSetting>("firstTimeSimpleCraft", &o.firstTimeSimpleCraft, true, kPersisted);
  add<BoolSetting>("firstTimeQuickhelp", &o.firstTimeQuickhelp, true, kPersisted);
  add<BoolSetting>("dialogDisabledPortals", &o.dialogDisabledPortals, true, kPersisted);
  add<BoolSetting>("avoidDeathEffectOnClientGC", &o.avoidDeathEffectOnClientGC, true, kNotPersisted);
  add<BoolSetting>("saveReminder", &o.saveReminder, true, kPersisted);
  add<BoolSetting>("profanityFilter", &o.profanityFilter, false, kPersisted);
  add<BoolSetting>("netWorldDataCompression", &o.netWorldDataCompression, true, kPersisted);
  add<BoolSetting>("permissionChestLock", &o.permissionChestLock, false, kPersisted);
  add<BoolSetting>("permissionShelfLock", &o.permissionShelfLock, false, kPersisted);
  add<BoolSetting>("permissionExplosivesLock", &o.permissionExplosivesLock, false, kPersisted);
  add<BoolSetting>("permissionWorldLock", &o.permissionWorldLock, false, kPersisted);
  add<BoolSetting>("disableRemoteStats", &o.disableRemoteStats, true, kPersisted);
  add<BoolSetting>("skipSaveOnLowBattery", &o.skipSaveOnLowBattery, true, kNotPersisted);
  add<BoolSetting>("shouldAutosave", &o.shouldAutosave, true, kPersisted);
  add<StringSetting>("favoriteWorld", &o.favoriteWorld, std::string(), kPersisted);
  add<BoolSetting>("keepBackupOfSaves", &o.keepBackupOfSaves, true, kPersisted);
  add<EnumSetting<UIScale>>("viewportScale", &o.viewportScale, UIScale{3}, kPersisted);
  add<EnumSetting<UIScale>>("uiScale", &o.uiScale, UIScale{0}, kPersisted);
  add<EnumSetting<Anchor>>("quickslotAnchor", &o.quickslotAnchor, Anchor{2}, kPersisted);
  add<EnumSetting<Anchor>>("quickslotDurabilityAnchor", &o.quickslotDurabilityAnchor, Anchor{1}, kPersisted);
  add<EnumSetting<Anchor>>("windowAnchor", &o.windowAnchor, Anchor{18}, kPersisted);
  add<BoolSetting>("skipSplashScreen", &o.skipSplashScreen, false, kPersisted);
  add<BoolSetting>("fullScreen", &o.fullScreen, true, kPersisted);
  add<CustomSetting<base::VideoMode>>("videoMode", &o.videoMode, base::VideoMode{1920, 1200}, kPersisted);
  add<CustomSetting<std::vector<ServerInfo>>>("servers", &o.servers, std::vector<ServerInfo>{}, kPersisted);
}

Setting* SettingsRegistry::find(std::string_view name) const {
  auto found = byName_.find(std::string(name));
  return found == byName_.end() ? nullptr : found->second;
}

void SettingsRegistry::load(SettingsHost& host) {
  DefaultsBridge& store = host.defaults();
  store.load();
  for (const auto& setting : settings_) {
    if (setting->persisted()) setting->load(store);
  }
  // The previous build's version is read before it is replaced; nothing acts on it yet.
  [[maybe_unused]] const std::string previousVersion = stored_value::text(store, kVersionKey).value_or(std::string());
  store.setString(kVersionKey, host.versionText());
  if (store.typeOf(kKeybindsKey) == StoredType::stringList) {
    host.loadKeyBindings(store.getStringList(kKeybindsKey));
  }
  save(host);
}

bool SettingsRegistry::save(SettingsHost& host) {
  DefaultsBridge& store = host.defaults();
  for (const auto& setting : settings_) {
    if (setting->persisted()) setting->save(store);
  }
  store.setStringList(kKeybindsKey, host.keyBindingStrings());
  return store.save();
}

}  // namespace kel
