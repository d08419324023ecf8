#pragma once
// What the tests look over of a sound system: how many channels play, the live channel of a slot,
// and what a channel plays and how far it is. The game itself never needs to ask.

#include <algorithm>
#include <memory>

#include "platform/audio/channel.h"
#include "platform/audio/channel_slot.h"
#include "platform/audio/sound.h"
#include "platform/audio/sound_system.h"

namespace kel {

class SoundSystemInspector {
 public:
  static int channelsPlaying(const SoundSystem& system) {
    return static_cast<int>(std::count_if(system.slots_.begin(), system.slots_.end(),
                                          [](const std::unique_ptr<ChannelSlot>& s) { return s->inUse; }));
  }
  // The live channel in slot `index`, or a null handle.
  static Channel channelAt(SoundSystem& system, int index) {
    if (index < 0 || index >= system.channelCount() || !system.slots_[index]->inUse) return {};
    return Channel(&system, index, system.slots_[index]->generation);
  }
  // The sound a live channel plays, or null for a stale or null handle.
  static Sound* soundOf(const Channel& channel) {
    const ChannelSlot* slot = channel.liveSlot();
    return slot != nullptr ? slot->sound : nullptr;
  }
  // Where a live channel is in its sound, in seconds; 0 for a stale or null handle.
  static double positionSeconds(const Channel& channel) {
    const ChannelSlot* slot = channel.liveSlot();
    return slot != nullptr ? slot->clock.position() / slot->sound->sampleRate() : 0.0;
  }
};

}  // namespace kel
