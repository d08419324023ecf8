#include "platform/audio/audio_output.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cstdarg>  // before the driver's error header, which uses va_list without including it
#include <cstdlib>

#include <alsa/error.h>

#include "engine/base/log.h"

namespace kel {

namespace {

// The sound driver reports every step of a failed device search on stderr. A machine without a
// sound device is an expected setting, told once in our own words instead.
void dropDriverMessage(const char*, int, const char*, int, const char*, ...) {}

void quietenDriver() {
  static bool done = false;
  if (done) return;
  done = true;
  // Read by the audio library when it first starts; a level the user set still wins.
  setenv("ALSOFT_LOGLEVEL", "0", 0);
  snd_lib_error_set_handler(dropDriverMessage);
}

}  // namespace

AudioOutput::~AudioOutput() { close(); }

bool AudioOutput::open() {
  if (isOpen()) return true;
  quietenDriver();
  device_ = alcOpenDevice(nullptr);
  if (device_ == nullptr) {
    engine::log("No sound device could be opened: the game runs silent.");
    return false;
  }
  context_ = alcCreateContext(device_, nullptr);
  if (context_ == nullptr || alcMakeContextCurrent(context_) == ALC_FALSE) {
    close();
    engine::log("The sound device did not start: the game runs silent.");
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
