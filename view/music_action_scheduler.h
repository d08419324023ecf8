#pragma once
// Times the check for the next music track as an action of the main layer, under the tag the
// music code cancels it by. Without a main layer a request is dropped: no layer, no music loop.

#include "platform/audio/next_music_scheduler.h"

class MusicActionScheduler final : public kel::NextMusicScheduler {
 public:
  void schedule(float delaySeconds, std::function<void()> check) override;
  void cancel() override;
};
