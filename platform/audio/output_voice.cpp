#include "platform/audio/output_voice.h"

#include <AL/al.h>

#include <algorithm>

namespace kel {

OutputVoice::OutputVoice() {
  alGetError();
  alGenSources(1, &source_);
  if (alGetError() != AL_NO_ERROR) return;
  alGenBuffers(kBufferCount, buffers_.data());
  if (alGetError() != AL_NO_ERROR) {
    alDeleteSources(1, &source_);
    return;
  }
  // Panning is baked into the stereo samples, so the source is not placed in space.
  alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(source_, AL_POSITION, 0, 0, 0);
  free_.assign(buffers_.begin(), buffers_.end());
  valid_ = true;
}

OutputVoice::~OutputVoice() {
  if (!valid_) return;
  alSourceStop(source_);
  alSourcei(source_, AL_BUFFER, 0);
  alDeleteSources(1, &source_);
  alDeleteBuffers(kBufferCount, buffers_.data());
}

int OutputVoice::reclaimBuffers() {
  if (!valid_) return 0;
  ALint processed = 0;
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
  while (processed-- > 0) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    free_.push_back(buffer);
  }
  return static_cast<int>(free_.size());
}

void OutputVoice::queue(const int16_t* stereo, int frames, int rate) {
  if (!valid_ || free_.empty() || frames <= 0) return;
  const ALuint buffer = free_.back();
  free_.pop_back();
  alBufferData(buffer, AL_FORMAT_STEREO16, stereo, frames * 2 * static_cast<int>(sizeof(int16_t)),
               rate);
  alSourceQueueBuffers(source_, 1, &buffer);
}

void OutputVoice::setGain(float gain) {
  if (valid_) alSourcef(source_, AL_GAIN, std::clamp(gain, 0.0f, 1.0f));
}

void OutputVoice::setPitch(float pitch) {
  // The device cannot stand still or run backwards; the channel clock handles those cases.
  if (valid_) alSourcef(source_, AL_PITCH, std::clamp(pitch, 0.01f, 10.0f));
}

void OutputVoice::play() {
  if (!valid_) return;
  ALint state = 0;
  ALint queued = 0;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  if (state != AL_PLAYING && queued > 0) alSourcePlay(source_);
}

void OutputVoice::pause() {
  if (valid_) alSourcePause(source_);
}

void OutputVoice::stop() {
  if (!valid_) return;
  alSourceStop(source_);
  alSourcei(source_, AL_BUFFER, 0);
  free_.assign(buffers_.begin(), buffers_.end());
}

void panGains(float pan, float& left, float& right) {
  pan = std::clamp(pan, -1.0f, 1.0f);
  left = std::min(1.0f, 1.0f - pan);
  right = std::min(1.0f, 1.0f + pan);
}

}  // namespace kel
