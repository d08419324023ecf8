#pragma once
// The pending "play the next track" check. It runs as an action of the main layer (tag 1024 on
// the engine's action manager), which lives in the world view above this library; the
// application registers that implementation at launch (AudioEngine::setNextMusicScheduler). The
// null scheduler drops the request, so without it music plays one track and stops.

#include <functional>

namespace kel {

constexpr int nextMusicTag = 1024;

class NextMusicScheduler {
 public:
  virtual ~NextMusicScheduler() = default;
  // Replaces nothing by itself: callers cancel first. Runs `check` once after `delaySeconds`.
  virtual void schedule(float delaySeconds, std::function<void()> check) = 0;
  virtual void cancel() = 0;
};

class NullNextMusicScheduler final : public NextMusicScheduler {
 public:
  void schedule(float, std::function<void()>) override {}
  void cancel() override {}
};

}  // namespace kel
