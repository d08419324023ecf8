#include "platform/audio/channel.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/channel_slot.h"
#include "platform/audio/sound.h"
#include "platform/audio/sound_system.h"

namespace kel {

ChannelSlot* Channel::liveSlot() const {
  return system_ != nullptr ? system_->slotFor(*this) : nullptr;
}

bool Channel::isPlaying() const { return liveSlot() != nullptr; }

bool Channel::setVolume(float volume) {
  if (ChannelSlot* slot = liveSlot()) {
    slot->volume = std::max(0.0f, volume);
    slot->applyGain();
    return true;
  }
  return false;
}

bool Channel::setPitch(float pitch) {
  if (ChannelSlot* slot = liveSlot()) {
    slot->pitch = std::max(0.0f, pitch);
    if (slot->voice) slot->voice->setPitch(slot->pitch);
    return true;
  }
  return false;
}

bool Channel::setPan(float pan) {
  if (ChannelSlot* slot = liveSlot()) {
    // Samples already queued keep their old pan; the next buffers carry the new one.
    // A pan worked out from a bad position (NaN) would silence both sides; centre it instead.
    slot->pan = std::isnan(pan) ? 0.0f : std::clamp(pan, -1.0f, 1.0f);
    return true;
  }
  return false;
}

bool Channel::setPaused(bool paused) {
  ChannelSlot* slot = liveSlot();
  if (slot == nullptr) return false;
  slot->paused = paused;
  if (!slot->voice) return true;
  if (paused) {
    slot->voice->pause();
  } else if (!slot->voiceStarted) {
    system_->startVoice(*slot);
  } else {
    slot->voice->play();
  }
  return true;
}

bool Channel::setMute(bool mute) {
  if (ChannelSlot* slot = liveSlot()) {
    slot->muted = mute;
    slot->applyGain();
    return true;
  }
  return false;
}

bool Channel::setPriority(int priority) {
  if (ChannelSlot* slot = liveSlot()) {
    slot->priority = std::clamp(priority, 0, 256);
    return true;
  }
  return false;
}

bool Channel::setMode(SoundMode mode) {
  if (ChannelSlot* slot = liveSlot()) {
    slot->clock.setLooping(mode == SoundMode::LoopNormal);
    slot->feeder.setLooping(mode == SoundMode::LoopNormal);
    return true;
  }
  return false;
}

bool Channel::setLoopCount(int count) {
  if (ChannelSlot* slot = liveSlot()) {
    slot->clock.setLoopCount(std::max(-1, count));
    slot->feeder.setLoopCount(std::max(-1, count));
    return true;
  }
  return false;
}

bool Channel::setLoopPoints(unsigned startMs, unsigned endMs) {
  ChannelSlot* slot = liveSlot();
  if (slot == nullptr) return false;
  const double rate = slot->sound->sampleRate();
  const double start = std::floor(startMs * rate / 1000.0);
  const double end = std::floor(endMs * rate / 1000.0);
  if (!slot->clock.setLoopPoints(start, end)) return false;
  slot->feeder.setLoopPoints(start, end);
  return true;
}

bool Channel::setCallback(std::function<void()> onEnd) {
  if (ChannelSlot* slot = liveSlot()) {
    slot->onEnd = std::move(onEnd);
    return true;
  }
  return false;
}

bool Channel::stop() {
  ChannelSlot* slot = liveSlot();
  if (slot == nullptr) return false;
  system_->stopSlot(*slot);
  return true;
}

float Channel::volume() const {
  const ChannelSlot* slot = liveSlot();
  return slot ? slot->volume : 0.0f;
}

float Channel::pitch() const {
  const ChannelSlot* slot = liveSlot();
  return slot ? slot->pitch : 0.0f;
}

float Channel::pan() const {
  const ChannelSlot* slot = liveSlot();
  return slot ? slot->pan : 0.0f;
}

bool Channel::paused() const {
  const ChannelSlot* slot = liveSlot();
  return slot && slot->paused;
}

bool Channel::muted() const {
  const ChannelSlot* slot = liveSlot();
  return slot && slot->muted;
}

int Channel::priority() const {
  const ChannelSlot* slot = liveSlot();
  return slot ? slot->priority : -1;
}

}  // namespace kel
