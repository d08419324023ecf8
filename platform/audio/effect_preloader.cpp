#include "platform/audio/effect_preloader.h"

#include "engine/base/thread_start.h"
#include "platform/audio/sound.h"

namespace kel {

EffectPreloader::~EffectPreloader() { stop(); }

void EffectPreloader::start(std::vector<std::string> paths) {
  stop();
  stopping_ = false;
  working_ = true;
  worker_ = engine::startThread([this, paths = std::move(paths)]() mutable { run(std::move(paths)); });
}

void EffectPreloader::stop() {
  stopping_ = true;
  if (worker_.joinable()) worker_.join();
  working_ = false;
  std::lock_guard<std::mutex> lock(mutex_);
  ready_.clear();
}

void EffectPreloader::run(std::vector<std::string> paths) {
  for (std::string& path : paths) {
    if (stopping_) break;
    std::unique_ptr<Sound> sound = Sound::load(path, Sound::Kind::Sample);
    if (!sound) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    ready_.emplace_back(std::move(path), std::move(sound));
  }
  working_ = false;
}

std::vector<EffectPreloader::Loaded> EffectPreloader::takeReady() {
  std::vector<Loaded> taken;
  std::lock_guard<std::mutex> lock(mutex_);
  taken.swap(ready_);
  return taken;
}

bool EffectPreloader::busy() const {
  if (working_) return true;
  std::lock_guard<std::mutex> lock(mutex_);
  return !ready_.empty();
}

}  // namespace kel
