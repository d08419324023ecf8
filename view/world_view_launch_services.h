#pragma once
// The world view's side of the launch: the main layer, the music timing on it and its layout for
// a new window size. The application registers one with setWorldViewServices.

#include "content/launch/world_view_services.h"
#include "view/music_action_scheduler.h"

class WorldViewLaunchServices final : public WorldViewServices {
 public:
  engine::Node* createMainLayer() override;
  kel::NextMusicScheduler* nextMusicScheduler() override { return &music_; }
  void layOutWorldView() override;

 private:
  MusicActionScheduler music_;
};
