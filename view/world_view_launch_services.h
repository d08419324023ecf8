#pragma once
// The world view's side of the launch: the main layer that becomes the running scene, the music
// timing on it and its layout for a new window size. The application calls it directly.

#include "view/music_action_scheduler.h"

namespace engine {
class Node;
}

class WorldViewLaunchServices final {
 public:
  // A new autoreleased main layer, its init done (the start view is shown); never null.
  engine::Node* createMainLayer();
  // Lives as long as these services.
  kel::NextMusicScheduler* nextMusicScheduler() { return &music_; }
  // The window changed size and the screen layout follows it: the main layer, the world it shows
  // (its tile window, sky and console) and the player at its centre fit the new size.
  void layOutWorldView();

 private:
  MusicActionScheduler music_;
};
