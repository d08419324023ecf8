#include "ui/views/option_rows.h"

#include <algorithm>
#include <cmath>

#include "content/texts/language_texts.h"
#include "engine/app/application.h"
#include "engine/scene/director.h"
#include "engine/window/gl_view.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/music.h"
#include "platform/platform.h"
#include "platform/settings/primitive_setting.h"
#include "platform/settings/settings.h"
#include "platform/settings/settings_registry.h"
#include "ui/views/game_views.h"
#include "view/main_layer.h"
#include "view/tiles/tile_sprites.h"
#include "world/rules/game.h"

namespace {

// The options stand under headings, so a player finds one among the many.
enum Group : uint8_t { kSound, kWindow, kPlaying, kInventory, kChat, kSaves, kNetwork, kGroupCount };
constexpr const char* kHeadings[kGroupCount] = {"Sound",  "Window and display", "Playing", "Inventory and book",
                                                "Chat and console", "Saves", "Network"};

struct SwitchRow {
  const char* name;
  const char* label;
  Group group;
};

// The registry's switches a player turns from the options; the others are set by the game itself
// (first-time hints, the marked world) or only for this run. A switch that nothing in the game reads
// stays in the settings file but not here, where turning it would change nothing.
constexpr SwitchRow kSwitches[] = {
    {"chatSound", "Chat sound", kSound},
    {"smoothLighting", "Smooth lighting", kWindow},
    {"keepLastSlotEmpty", "Keep the last slot empty", kPlaying},
    {"invertToyMechanics", "Invert toy mechanics", kPlaying},
    {"rotateItemsOnMouse", "Turn items with the mouse", kPlaying},
    {"disableMouseWheel", "Mouse wheel off", kPlaying},
    {"highlightNewItems", "Highlight new items", kInventory},
    {"showOutlinesInventory", "Outlines in the inventory", kInventory},
    {"openCraftbookRecipe", "Open the recipe in the craft book", kInventory},
    {"lessVerboseConsole", "Quieter console", kChat},
    {"fancyChat", "Fancy chat", kChat},
    {"chatBackground", "Chat background", kChat},
    {"profanityFilter", "Profanity filter", kChat},
    {"saveReminder", "Save reminder", kSaves},
    {"shouldAutosave", "Autosave", kSaves},
    {"keepBackupOfSaves", "Keep a backup of saves", kSaves},
    {"netWorldDataCompression", "Compress world data on the network", kNetwork},
    {"disableRemoteStats", "No remote statistics", kNetwork},
};

std::string onOff(bool on) { return on ? "On" : "Off"; }

std::string percent(float volume) { return std::to_string(static_cast<int>(std::lround(volume * 100.0f))) + "%"; }

// The volume `steps` tens of percent away, wrapping round past 100 % and 0 %.
float steppedVolume(float volume, int steps) {
  constexpr size_t kLevels = OptionRows::kVolumeSteps + 1;
  const long step = std::clamp(std::lround(volume * OptionRows::kVolumeSteps), 0L, long{OptionRows::kVolumeSteps});
  return static_cast<float>(MenuList::stepped(static_cast<size_t>(step), steps, kLevels)) / OptionRows::kVolumeSteps;
}

// A switch has two values: a step either way turns it.
MenuList::Row switchRow(std::string text, std::function<void()> turn) {
  return MenuList::cycling(std::move(text), [turn = std::move(turn)](int) { turn(); });
}

std::string uiScaleText(kel::UIScale scale) {
  const int value = static_cast<int>(scale);
  return value == 0 ? std::string("Automatic") : "x" + std::to_string(value);
}

// The running program's window; null elsewhere (a test without one, a window not open yet).
const engine::GLView* openWindow() {
  const engine::GLView* view =
      engine::Application::getInstance() != nullptr ? engine::Director::getInstance()->getOpenGLView() : nullptr;
  return view != nullptr && view->getWindow() != nullptr ? view : nullptr;
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
  for (int group = 0; group < kGroupCount; ++group) {
    rows.push_back(MenuList::heading(kHeadings[group]));
    if (group == kSound) appendSound(rows, o);
    if (group == kWindow) appendWindow(rows, o);
    for (const SwitchRow& row : kSwitches) {
      if (row.group != group) continue;
      const kel::Setting* setting = kel::settingsRegistry().find(row.name);
      if (setting == nullptr || setting->typeTag() != kel::Setting::kBoolTag) continue;
      const bool on = static_cast<const kel::PrimitiveSetting<bool, 0>*>(setting)->value();
      const std::string name = row.name;
      rows.push_back(switchRow(switchLabel(name, row.label) + ": " + onOff(on), [this, name] { toggleSwitch(name); }));
    }
  }
}

void OptionRows::appendSound(std::vector<MenuList::Row>& rows, const kel::Options& o) {
  rows.push_back(switchRow("Music: " + onOff(o.musicEnabled), [this] { toggleMusic(); }));
  rows.push_back(MenuList::cycling("Music volume: " + percent(o.musicVolume), [this](int n) { stepMusicVolume(n); }));
  rows.push_back(switchRow("Sound: " + onOff(o.soundEnabled), [this] { toggleSound(); }));
  rows.push_back(MenuList::cycling("Sound volume: " + percent(o.soundVolume), [this](int n) { stepSoundVolume(n); }));
}

void OptionRows::appendWindow(std::vector<MenuList::Row>& rows, const kel::Options& o) {
  rows.push_back(switchRow(std::string("Display: ") + (shownFullScreen(o.fullScreen) ? "Full screen" : "Window"),
                           [this] { toggleFullScreen(); }));
  rows.push_back(MenuList::cycling("Window size: " + videoModeText(shownVideoMode(o.videoMode)), [this](int n) { stepVideoMode(n); }));
  rows.push_back(MenuList::cycling("Interface scale: " + uiScaleText(o.uiScale), [this](int n) { stepUiScale(n); }));
  rows.push_back(MenuList::cycling("World scale: x" + std::to_string(static_cast<int>(o.viewportScale) - 1),
                                   [this](int n) { stepViewScale(n); }));
}

void OptionRows::stepMusicVolume(int steps) { stepVolume(&kel::Options::musicVolume, steps); }

void OptionRows::stepSoundVolume(int steps) { stepVolume(&kel::Options::soundVolume, steps); }

void OptionRows::stepVolume(float kel::Options::*volume, int steps) {
  kel::Options& o = kel::options();
  o.*volume = steppedVolume(o.*volume, steps);
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
  // From what the player sees: a game started in a window despite the option turns to full screen.
  kel::options().fullScreen = !shownFullScreen(kel::options().fullScreen);
  applyWindow();
  finish();
}

void OptionRows::stepVideoMode(int steps) {
  kel::Platform* platform = kel::Platform::instance();
  const std::vector<kel::base::VideoMode> modes = platform != nullptr ? platform->videoModes()
                                                                       : std::vector<kel::base::VideoMode>();
  if (modes.empty()) return;
  kel::base::VideoMode& mode = kel::options().videoMode;
  // A step goes on from the size the player sees.
  const auto at = std::find(modes.begin(), modes.end(), shownVideoMode(mode));
  if (at == modes.end()) {
    // A size the screen does not list: the first step lands on the list's end it points to.
    mode = steps > 0 ? modes.front() : modes.back();
  } else {
    mode = modes[MenuList::stepped(static_cast<size_t>(at - modes.begin()), steps, modes.size())];
  }
  applyWindow();
  finish();
}

kel::base::VideoMode OptionRows::shownVideoMode(const kel::base::VideoMode& chosen) {
  const engine::GLView* view = openWindow();
  if (view == nullptr) return chosen;
  const engine::Size frame = view->getFrameSize();
  const float zoom = view->getFrameZoomFactor();
  return {static_cast<uint16_t>(std::lround(frame.width * zoom)), static_cast<uint16_t>(std::lround(frame.height * zoom))};
}

bool OptionRows::shownFullScreen(bool chosen) {
  const engine::GLView* view = openWindow();
  return view != nullptr ? view->isFullScreen() : chosen;
}

void OptionRows::stepUiScale(int steps) {
  kel::UIScale& scale = kel::options().uiScale;
  const auto value = static_cast<size_t>(std::min(static_cast<int>(scale), kLargestUiScale));
  scale = kel::UIScale(static_cast<uint8_t>(MenuList::stepped(value, steps, kLargestUiScale + 1)));
  applyLayout();
  finish();
}

void OptionRows::stepViewScale(int steps) {
  kel::UIScale& scale = kel::options().viewportScale;
  const int value = static_cast<int>(scale);
  if (value < kSmallestViewScale || value > kLargestViewScale) {
    scale = kel::UIScale(kSmallestViewScale);  // a hand-edited value starts again at the smallest
  } else {
    constexpr size_t kCount = kLargestViewScale - kSmallestViewScale + 1;
    const size_t index = MenuList::stepped(static_cast<size_t>(value - kSmallestViewScale), steps, kCount);
    scale = kel::UIScale(static_cast<uint8_t>(kSmallestViewScale + static_cast<int>(index)));
  }
  applyLayout();
  finish();
}

bool OptionRows::toggleSwitch(const std::string& name) {
  kel::Setting* setting = kel::settingsRegistry().find(name);
  if (setting == nullptr || setting->typeTag() != kel::Setting::kBoolTag) return false;
  bool& value = static_cast<kel::PrimitiveSetting<bool, 0>*>(setting)->value();
  value = !value;
  applySwitch(name);
  finish();
  return true;
}

// The switches that something running already holds a copy of: the world view's lighting, the
// views' wheel, the console's form, background and filter, the autosave task, the player's
// inventory. The others are read where they are used.
void OptionRows::applySwitch(const std::string& name) {
  const kel::Options& o = kel::options();
  GameViews* views = gameViews();
  if (name == "smoothLighting") {
    MainLayer* layer = layer_ ? layer_() : nullptr;
    if (TileSprites* tiles = layer != nullptr ? layer->tiles() : nullptr) {
      tiles->setSmoothLighting(o.smoothLighting);
      tiles->relightAll();
    }
  } else if (name == "disableMouseWheel") {
    if (views != nullptr) views->setWheelEnabled(!o.disableMouseWheel);
  } else if (name == "fancyChat" || name == "chatBackground" || name == "profanityFilter") {
    // The console reads these when it is made: it is made again, keeping what it shows.
    if (MainLayer* layer = layer_ ? layer_() : nullptr) layer->restyleConsole();
  } else if (name == "shouldAutosave") {
    if (views != nullptr) views->session().game().autosaveOptionChanged();
  } else if (name == "keepLastSlotEmpty") {
    PlayerDesktopLocal* player = views != nullptr ? views->session().player() : nullptr;
    if (player != nullptr && player->inventory != nullptr) player->inventory->setKeepLastSlotEmpty(o.keepLastSlotEmpty);
  }
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
