#pragma once
// The state behind one of the sound system's channels. Internal to the sound system and Channel.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/audio/output_voice.h"
#include "platform/audio/playhead.h"

namespace kel {

class Sound;

struct ChannelSlot {
  static constexpr int kDefaultPriority = 128;

  bool inUse = false;
  uint32_t generation = 0;
  uint64_t startOrder = 0;
  Sound* sound = nullptr;
  float volume = 1.0f;
  float pitch = 1.0f;
  float pan = 0.0f;
  bool paused = false;
  bool muted = false;
  bool voiceStarted = false;
  int priority = kDefaultPriority;
  // The clock says where the listener is; the feeder runs ahead, filling the device's buffers.
  Playhead clock;
  Playhead feeder;
  std::function<void()> onEnd;
  std::unique_ptr<OutputVoice> voice;

  void applyGain() {
    if (voice) voice->setGain(muted ? 0.0f : volume);
  }
};

}  // namespace kel
