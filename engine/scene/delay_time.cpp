#include "engine/scene/delay_time.h"

namespace engine {

DelayTime* DelayTime::create(float duration) {
  auto* action = new DelayTime();
  action->initWithDuration(duration);
  action->autorelease();
  return action;
}

}  // namespace engine
