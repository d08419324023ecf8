#pragma once
// One playing or loaded sound: the system, the sound and the channel. Any of them may be null.

#include "platform/audio/channel.h"

namespace kel {

class Sound;
class SoundSystem;

struct SoundHandle {
  SoundSystem* system = nullptr;
  Sound* sound = nullptr;
  Channel channel;
};

}  // namespace kel
