#pragma once
// The menus' part of what a game shows while it starts and ends: the wait view with its two lines
// during generation and loading, the main view once the world is entered, and the start view (with
// its dialog) when a start fails or a character's game ends. The program's game screen calls it
// after the world view's part, which draws the main layer's side of the same moments.
//
// Main thread only.

#include <cstdint>
#include <string>

class MenuGameScreen {
 public:
  // The wait view becomes current with the interface text (a placeholder for none) on its first
  // line; the console slot is emptied for the coming world.
  void showLoading(int16_t textId);
  // The wait view's second line.
  void setLoadingText(const std::string& text);
  void setLoadingTextById(int16_t textId);
  // Every view closes and the main view is current.
  void enterMainView();
  // The start view is current: its main menu, or the dialog when it is not 0.
  void showStartView(int dialog);
};
