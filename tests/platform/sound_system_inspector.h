#pragma once
// What the tests look over of a sound system: how many channels play and the live channel of a
// slot. The game itself never needs to ask.

#include <algorithm>
#include <memory>

#include "platform/audio/channel.h"
#include "platform/audio/channel_slot.h"
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
};

}  // namespace kel
