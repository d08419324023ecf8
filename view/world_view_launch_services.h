#pragma once
// The world view's side of the launch: the main layer and the music timing on it. The
// application registers one with setWorldViewServices.

#include "content/launch/world_view_services.h"
#include "view/music_action_scheduler.h"

class WorldViewLaunchServices final : public WorldViewServices {
 public:
  engine::Node* createMainLayer() override;
  kel::NextMusicScheduler* nextMusicScheduler() override { return &music_; }

 private:
  MusicActionScheduler music_;
};
