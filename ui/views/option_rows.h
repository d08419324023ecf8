#pragma once
// The option rows of the options pages (the start view's and the pause view's), under headings: the
// music and the sound with their volumes, full screen or a window and its size, the interface and
// world scales, and every switch of the settings registry a player may want to turn. Choosing a row
// steps its value forward, Left and Right step it either way (a switch turns both ways); the change
// applies at once (the music's volume, the window, the layout, the world's lighting, the wheel, the
// last slot) and the settings file is written before the row returns.
//
// Main thread only.

#include <functional>
#include <string>
#include <vector>

#include "platform/settings/video_mode.h"
#include "ui/widgets/menu_list.h"

class MainLayer;
namespace kel {
struct Options;
}

class OptionRows {
 public:
  // Steps of a volume row: 0 %, 10 %, ... 100 %, then round again.
  static constexpr int kVolumeSteps = 10;
  // The interface scales a row cycles through; 0 is the platform's own for the screen.
  static constexpr int kLargestUiScale = 4;
  // The world's view scales: a cell is (scale - 1) x 30 pixels.
  static constexpr int kSmallestViewScale = 2;
  static constexpr int kLargestViewScale = 4;

  // `changed` runs after every change, so the page can fill its rows again. `menuMusic`: the page
  // is a menu's, whose track starts again when the music is turned back on. `layer`: the main
  // layer the page is shown on, whose world view the lighting switch relights (null: none).
  OptionRows(std::function<void()> changed, bool menuMusic, std::function<MainLayer*()> layer)
      : changed_(std::move(changed)), menuMusic_(menuMusic), layer_(std::move(layer)) {}

  // The rows under their headings.
  void append(std::vector<MenuList::Row>& rows);

  // ---- The changes, as the rows make them; `steps` forward (positive) or back ----
  void stepMusicVolume(int steps = 1);
  void stepSoundVolume(int steps = 1);
  void toggleMusic();
  void toggleSound();
  void toggleFullScreen();
  void stepVideoMode(int steps = 1);
  void stepUiScale(int steps = 1);
  void stepViewScale(int steps = 1);
  // Turns the registry's boolean option of that name; false for an unknown or non-boolean one.
  bool toggleSwitch(const std::string& name);

  // The size the window has, which the window-size row shows: a window the screen could not hold
  // at the chosen size was fitted into it, and a full-screen one is the screen's size. Without a
  // window, the chosen size.
  static kel::base::VideoMode shownVideoMode(const kel::base::VideoMode& chosen);
  // Whether the window covers the screen, which the display row shows: a game started with
  // "windowed" is in a window whatever the option says. Without a window, the option.
  static bool shownFullScreen(bool chosen);

  // The label a switch row shows: the language file's when it has one, else the built-in one.
  static std::string switchLabel(const std::string& name, const char* fallback);

 private:
  void appendSound(std::vector<MenuList::Row>& rows, const kel::Options& o);
  void appendWindow(std::vector<MenuList::Row>& rows, const kel::Options& o);
  // The music's or the sound's volume `steps` tens of percent on, applied and written.
  void stepVolume(float kel::Options::*volume, int steps);
  // The new window mode and the new layout, then the settings file.
  void applyWindow();
  void applyLayout();
  void applySound();
  void applySwitch(const std::string& name);
  void finish();

  std::function<void()> changed_;
  bool menuMusic_;
  std::function<MainLayer*()> layer_;
};
