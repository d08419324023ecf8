#include "engine/scene/display_link_director.h"

#include "engine/app/application.h"
#include "engine/base/ref.h"
#include "engine/scene/frame_clock.h"

namespace engine {

void DisplayLinkDirector::setAnimationInterval(float seconds) {
  animationInterval_ = seconds;
  if (!invalid_) {
    stopAnimation();
    startAnimation();
  }
}

void DisplayLinkDirector::stopAnimation() { invalid_ = true; }

void DisplayLinkDirector::startAnimation() {
  const int64_t now = clock_->now();
  lastUpdateSeconds_ = static_cast<int32_t>(now / 1000000000);
  lastUpdateMicroseconds_ = static_cast<int32_t>((now % 1000000000) / 1000);
  invalid_ = false;
  if (Application* application = Application::getInstance()) {
    application->setAnimationInterval(static_cast<double>(animationInterval_));
  }
  // The pause that ends here must not arrive as one long step.
  nextDeltaTimeZero_ = true;
}

void DisplayLinkDirector::mainLoop() {
  if (purgeRequested_) {
    purgeRequested_ = false;
    purgeDirector();  // deletes this director
    // Nodes that the purge left in the pool go while the GL context still exists.
    PoolManager::getCurrentPool()->clear();
    return;
  }
  if (invalid_) return;
  drawScene();
  PoolManager::getCurrentPool()->clear();
}

void DisplayLinkDirector::mainLoop(float deltaTime) {
  if (invalid_) return;
  if (takeDeltaTime(deltaTime)) drawFrame();
  PoolManager::getCurrentPool()->clear();
}

}  // namespace engine
