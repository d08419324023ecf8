#include "platform/audio/sound_system.h"

#include <algorithm>
#include <cmath>

#include "engine/io/damaged_data_files.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/channel_slot.h"
#include "platform/audio/sound.h"

namespace kel {

SoundSystem::SoundSystem() = default;

SoundSystem::~SoundSystem() { close(); }

bool SoundSystem::init(int channelCount, OutputMode mode) {
  if (isInitialised() || channelCount <= 0) return false;
  if (mode == OutputMode::Device) {
    output_ = std::make_unique<AudioOutput>();
    if (!output_->open()) output_.reset();
  }
  for (int i = 0; i < channelCount; ++i) slots_.push_back(std::make_unique<ChannelSlot>());
  return true;
}

void SoundSystem::close() {
  // Callbacks are not run on close: whoever set them may be going away too.
  for (auto& slot : slots_) {
    if (slot->inUse) freeSlot(*slot);
  }
  slots_.clear();
  sounds_.clear();
  output_.reset();
}

bool SoundSystem::hasOutput() const { return output_ != nullptr; }

// A file that does not decode plays as silence; the start view names it so the player knows which
// file to restore.
Sound* SoundSystem::createSound(const std::string& path) {
  std::unique_ptr<Sound> sound = Sound::load(path, Sound::Kind::Sample);
  if (!sound) engine::DamagedDataFiles::report(path);
  return adopt(std::move(sound));
}

Sound* SoundSystem::createStream(const std::string& path) {
  std::unique_ptr<Sound> sound = Sound::load(path, Sound::Kind::Stream);
  if (!sound) engine::DamagedDataFiles::report(path);
  return adopt(std::move(sound));
}

Sound* SoundSystem::addSound(std::unique_ptr<Sound> sound) { return adopt(std::move(sound)); }

Sound* SoundSystem::adopt(std::unique_ptr<Sound> sound) {
  if (!sound || !isInitialised()) return nullptr;
  sounds_.push_back(std::move(sound));
  return sounds_.back().get();
}

void SoundSystem::releaseSound(Sound* sound) {
  if (sound == nullptr) return;
  for (auto& slot : slots_) {
    if (slot->inUse && slot->sound == sound) stopSlot(*slot);
  }
  std::erase_if(sounds_, [sound](const std::unique_ptr<Sound>& owned) { return owned.get() == sound; });
}

int SoundSystem::pickSlot() const {
  int victim = -1;
  for (int i = 0; i < channelCount(); ++i) {
    const ChannelSlot& slot = *slots_[i];
    if (!slot.inUse) return i;
    if (victim < 0 || slot.priority > slots_[victim]->priority ||
        (slot.priority == slots_[victim]->priority && slot.startOrder < slots_[victim]->startOrder)) {
      victim = i;
    }
  }
  // Music and ambience are more important than any new effect and are never taken for one.
  if (victim >= 0 && slots_[victim]->priority < ChannelSlot::kDefaultPriority) return -1;
  return victim;
}

Channel SoundSystem::playSound(Sound* sound, bool paused) {
  if (sound == nullptr || !isInitialised()) return {};
  const bool owned = std::any_of(sounds_.begin(), sounds_.end(),
                                 [sound](const std::unique_ptr<Sound>& s) { return s.get() == sound; });
  if (!owned) return {};
  const int index = pickSlot();
  if (index < 0) return {};
  ChannelSlot& slot = *slots_[index];
  std::function<void()> stolenEnd;
  if (slot.inUse) stolenEnd = freeSlot(slot);

  slot.inUse = true;
  slot.startOrder = ++nextStartOrder_;
  slot.sound = sound;
  slot.volume = 1.0f;
  slot.pitch = 1.0f;
  slot.pan = 0.0f;
  slot.paused = paused;
  slot.muted = false;
  slot.priority = ChannelSlot::kDefaultPriority;
  slot.clock = Playhead(static_cast<double>(sound->frames()));
  slot.feeder = slot.clock;
  slot.voiceStarted = false;
  if (output_ && !slot.voice) slot.voice = std::make_unique<OutputVoice>();
  if (slot.voice) {
    slot.voice->setPitch(1.0f);
    slot.applyGain();
  }
  const Channel channel(this, index, slot.generation);
  if (!paused) startVoice(slot);
  if (stolenEnd) stolenEnd();
  return channel;
}

std::function<void()> SoundSystem::freeSlot(ChannelSlot& slot) {
  std::function<void()> onEnd = std::move(slot.onEnd);
  slot.onEnd = nullptr;
  if (slot.voice) slot.voice->stop();
  slot.inUse = false;
  slot.sound = nullptr;
  slot.voiceStarted = false;
  ++slot.generation;
  return onEnd;
}

void SoundSystem::stopSlot(ChannelSlot& slot) {
  std::function<void()> onEnd = freeSlot(slot);
  if (onEnd) onEnd();
}

void SoundSystem::startVoice(ChannelSlot& slot) {
  if (!slot.voice || slot.voiceStarted) return;
  slot.voiceStarted = true;
  // Two buffers carry a new sound past the next pump; the pump queues the rest, so a start costs
  // the main thread half the copying.
  feed(slot, kStartBuffers);
}

void SoundSystem::feed(ChannelSlot& slot, int maxBuffers) {
  if (!slot.voice || !slot.voice->valid() || !slot.voiceStarted) return;
  Sound& sound = *slot.sound;
  const int channels = sound.channels();
  float left = 1.0f;
  float right = 1.0f;
  panGains(slot.pan, left, right);
  // Reused from call to call: starting an effect should not cost two allocations.
  std::vector<int16_t>& source = feedSource_;
  std::vector<int16_t>& stereo = feedStereo_;
  source.resize(static_cast<size_t>(OutputVoice::kBufferFrames) * channels);
  stereo.resize(static_cast<size_t>(OutputVoice::kBufferFrames) * 2);
  const int buffers = std::min(maxBuffers, slot.voice->reclaimBuffers());
  for (int room = buffers; room > 0 && !slot.feeder.finished(); --room) {
    int filled = 0;
    slot.feeder.advance(OutputVoice::kBufferFrames, [&](double from, double count) {
      const int64_t got = sound.read(std::llround(from), std::llround(count), source.data());
      for (int64_t f = 0; f < got; ++f) {
        const int16_t* frame = source.data() + f * channels;
        const float l = frame[0];
        const float r = channels > 1 ? frame[1] : frame[0];
        stereo[2 * filled] = static_cast<int16_t>(l * left);
        stereo[2 * filled + 1] = static_cast<int16_t>(r * right);
        ++filled;
      }
    });
    if (filled == 0) break;
    slot.voice->queue(stereo.data(), filled, sound.sampleRate());
  }
  if (!slot.paused) slot.voice->play();
}

void SoundSystem::update(float dt) {
  std::vector<std::function<void()>> ended;
  for (auto& owned : slots_) {
    ChannelSlot& slot = *owned;
    if (!slot.inUse || slot.paused) continue;
    const double frames = std::max(0.0, static_cast<double>(dt)) * std::max(0.0f, slot.pitch) *
                          slot.sound->sampleRate();
    if (slot.clock.advance(frames)) {
      feed(slot, OutputVoice::kBufferCount);
      continue;
    }
    std::function<void()> onEnd = freeSlot(slot);
    if (onEnd) ended.push_back(std::move(onEnd));
  }
  for (auto& onEnd : ended) onEnd();
}

ChannelSlot* SoundSystem::slotFor(const Channel& channel) {
  if (channel.system_ != this || channel.index_ < 0 || channel.index_ >= channelCount()) return nullptr;
  ChannelSlot& slot = *slots_[channel.index_];
  return slot.inUse && slot.generation == channel.generation_ ? &slot : nullptr;
}

}  // namespace kel
