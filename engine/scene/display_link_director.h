#pragma once
// The concrete director: frames run from the application's paced loop, one per mainLoop.

#include "engine/scene/director.h"

namespace engine {

class DisplayLinkDirector : public Director {
 public:
  void setAnimationInterval(float seconds) override;
  void stopAnimation() override;
  void startAnimation() override;
  void mainLoop() override;
  void mainLoop(float deltaTime) override;

 private:
  friend class Director;
  DisplayLinkDirector() = default;
  ~DisplayLinkDirector() override = default;
};

}  // namespace engine
