#include "view/music_action_scheduler.h"

#include <utility>

#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/sequence.h"
#include "view/main_layer.h"

void MusicActionScheduler::schedule(float delaySeconds, std::function<void()> check) {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  engine::Sequence* wait = engine::Sequence::createWithTwoActions(
      engine::DelayTime::create(delaySeconds), engine::CallFunc::create(std::move(check)));
  wait->setTag(kel::nextMusicTag);
  layer->getActionManager()->addAction(wait, layer);
}

void MusicActionScheduler::cancel() {
  if (MainLayer* layer = MainLayer::current()) {
    layer->getActionManager()->removeActionByTag(kel::nextMusicTag, layer);
  }
}
