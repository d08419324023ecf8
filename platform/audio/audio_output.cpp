#include "platform/audio/audio_output.h"

#include <AL/al.h>
#include <AL/alc.h>

namespace kel {

AudioOutput::~AudioOutput() { close(); }

bool AudioOutput::open() {
  if (isOpen()) return true;
  device_ = alcOpenDevice(nullptr);
  if (device_ == nullptr) return false;
  context_ = alcCreateContext(device_, nullptr);
  if (context_ == nullptr || alcMakeContextCurrent(context_) == ALC_FALSE) {
    close();
    return false;
  }
  return true;
}

void AudioOutput::close() {
  if (context_ != nullptr) {
    if (alcGetCurrentContext() == context_) alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    context_ = nullptr;
  }
  if (device_ != nullptr) {
    alcCloseDevice(device_);
    device_ = nullptr;
  }
}

}  // namespace kel
