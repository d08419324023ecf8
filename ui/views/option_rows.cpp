#include "ui/views/option_rows.h"

#include <algorithm>
#include <cmath>

#include "content/texts/language_texts.h"
#include "engine/app/application.h"
#include "engine/scene/director.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/music.h"
#include "platform/platform.h"
#include "platform/settings/primitive_setting.h"
#include "platform/settings/settings.h"
#include "platform/settings/settings_registry.h"

namespace {

struct SwitchRow {
  const char* name;
  const char* label;
};

// The registry's switches a player turns from the options; the others are set by the game itself
// (first-time hints, the marked world) or only for this run.
constexpr SwitchRow kSwitches[] = {
    {"smoothLighting", "Smooth lighting"},
    {"placeTopBlockByDefault", "Place the top block by default"},
    {"keepLastSlotEmpty", "Keep the last slot empty"},
    {"highlightNewItems", "Highlight new items"},
    {"invertToyMechanics", "Invert toy mechanics"},
    {"alwaysThrowBulletsAtMaxStrength", "Throw bullets at full strength"},
    {"showOutlinesInventory", "Outlines in the inventory"},
    {"extendedTooltip", "Extended tooltips"},
    {"alwaysEnabledTooltips", "Tooltips always on"},
    {"showCountersInBook", "Counters in the book"},
    {"showMarkersInSuperMap", "Markers on the map"},
    {"openCraftbookRecipe", "Open the recipe in the craft book"},
    {"lessVerboseConsole", "Quieter console"},
    {"rotateItemsOnMouse", "Turn items with the mouse"},
    {"fancyChat", "Fancy chat"},
    {"chatSound", "Chat sound"},
    {"chatBackground", "Chat background"},
    {"disableMouseWheel", "Mouse wheel off"},
    {"saveReminder", "Save reminder"},
    {"shouldAutosave", "Autosave"},
    {"keepBackupOfSaves", "Keep a backup of saves"},
    {"profanityFilter", "Profanity filter"},
    {"netWorldDataCompression", "Compress world data on the network"},
    {"disableRemoteStats", "No remote statistics"},
    {"skipSplashScreen", "Skip the splash screen"},
};

std::string onOff(bool on) { return on ? "On" : "Off"; }

std::string percent(float volume) { return std::to_string(static_cast<int>(std::lround(volume * 100.0f))) + "%"; }

// The next volume step up, 100 % wrapping round to 0 %.
float nextVolume(float volume) {
  const int step = static_cast<int>(std::lround(volume * OptionRows::kVolumeSteps));
  const int next = step >= OptionRows::kVolumeSteps ? 0 : step + 1;
  return static_cast<float>(next) / OptionRows::kVolumeSteps;
}

std::string uiScaleText(kel::UIScale scale) {
  const int value = static_cast<int>(scale);
  return value == 0 ? std::string("Automatic") : "x" + std::to_string(value);
}

std::string videoModeText(const kel::base::VideoMode& mode) {
  return std::to_string(mode.width) + " x " + std::to_string(mode.height);
}

}  // namespace

std::string OptionRows::switchLabel(const std::string& name, const char* fallback) {
  const OptionText* text = languageTexts().optionText("option-" + name);
  return text != nullptr && !text->label.empty() ? text->label : std::string(fallback);
}

void OptionRows::append(std::vector<MenuList::Row>& rows) {
  const kel::Options& o = kel::options();
  rows.push_back({"Music: " + onOff(o.musicEnabled), [this] { toggleMusic(); }});
  rows.push_back({"Music volume: " + percent(o.musicVolume), [this] { stepMusicVolume(); }});
  rows.push_back({"Sound: " + onOff(o.soundEnabled), [this] { toggleSound(); }});
  rows.push_back({"Sound volume: " + percent(o.soundVolume), [this] { stepSoundVolume(); }});
  rows.push_back({std::string("Display: ") + (o.fullScreen ? "Full screen" : "Window"), [this] { toggleFullScreen(); }});
  rows.push_back({"Window size: " + videoModeText(o.videoMode), [this] { stepVideoMode(); }});
  rows.push_back({"Interface scale: " + uiScaleText(o.uiScale), [this] { stepUiScale(); }});
  rows.push_back({"World scale: x" + std::to_string(static_cast<int>(o.viewportScale) - 1), [this] { stepViewScale(); }});
  for (const SwitchRow& row : kSwitches) {
    const kel::Setting* setting = kel::settingsRegistry().find(row.name);
    if (setting == nullptr || setting->typeTag() != kel::Setting::kBoolTag) continue;
    const bool on = static_cast<const kel::PrimitiveSetting<bool, 0>*>(setting)->value();
    const std::string name = row.name;
    rows.push_back({switchLabel(name, row.label) + ": " + onOff(on), [this, name] { toggleSwitch(name); }});
  }
}

void OptionRows::stepMusicVolume() {
  kel::options().musicVolume = nextVolume(kel::options().musicVolume);
  applySound();
  finish();
}

void OptionRows::stepSoundVolume() {
  kel::options().soundVolume = nextVolume(kel::options().soundVolume);
  applySound();
  finish();
}

void OptionRows::toggleMusic() {
  kel::Options& o = kel::options();
  o.musicEnabled = !o.musicEnabled;
  applySound();
  // The menu's track starts again in the menus; in a game the next track comes on its own.
  if (!o.musicEnabled) {
    kel::stopMusic();
  } else if (menuMusic_) {
    kel::playMenuMusic();
  }
  finish();
}

void OptionRows::toggleSound() {
  kel::options().soundEnabled = !kel::options().soundEnabled;
  applySound();
  finish();
}

void OptionRows::toggleFullScreen() {
  kel::options().fullScreen = !kel::options().fullScreen;
  applyWindow();
  finish();
}

void OptionRows::stepVideoMode() {
  kel::Platform* platform = kel::Platform::instance();
  const std::vector<kel::base::VideoMode> modes = platform != nullptr ? platform->videoModes()
                                                                       : std::vector<kel::base::VideoMode>();
  if (modes.empty()) return;
  kel::base::VideoMode& mode = kel::options().videoMode;
  auto at = std::find(modes.begin(), modes.end(), mode);
  mode = at == modes.end() || at + 1 == modes.end() ? modes.front() : *(at + 1);
  applyWindow();
  finish();
}

void OptionRows::stepUiScale() {
  kel::UIScale& scale = kel::options().uiScale;
  const int value = static_cast<int>(scale);
  scale = kel::UIScale(value >= kLargestUiScale ? 0 : value + 1);
  applyLayout();
  finish();
}

void OptionRows::stepViewScale() {
  kel::UIScale& scale = kel::options().viewportScale;
  const int value = static_cast<int>(scale);
  scale = kel::UIScale(value >= kLargestViewScale || value < kSmallestViewScale ? kSmallestViewScale : value + 1);
  applyLayout();
  finish();
}

bool OptionRows::toggleSwitch(const std::string& name) {
  kel::Setting* setting = kel::settingsRegistry().find(name);
  if (setting == nullptr || setting->typeTag() != kel::Setting::kBoolTag) return false;
  bool& value = static_cast<kel::PrimitiveSetting<bool, 0>*>(setting)->value();
  value = !value;
  finish();
  return true;
}

void OptionRows::applySound() {
  const kel::Options& o = kel::options();
  kel::AudioEngine* audio = kel::AudioEngine::getInstance();
  audio->setOptions(kel::SoundOptions{o.musicEnabled, o.soundEnabled, o.musicVolume, o.soundVolume});
  audio->applyMusicVolume();
}

void OptionRows::applyWindow() {
  // Only the running program has a window to change; elsewhere the option is stored alone.
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr || engine::Application::getInstance() == nullptr) return;
  platform->applyVideoMode(kel::options().videoMode, kel::options().fullScreen);
  // The screen layout, the world view and the views follow the window's new size.
  applyLayout();
}

void OptionRows::applyLayout() {
  engine::Application* application = engine::Application::getInstance();
  if (application == nullptr) return;
  const engine::Size size = engine::Director::getInstance()->getWinSize();
  application->applicationScreenSizeChanged(static_cast<int>(size.width), static_cast<int>(size.height));
}

void OptionRows::finish() {
  kel::saveSettings();
  if (changed_) changed_();
}
