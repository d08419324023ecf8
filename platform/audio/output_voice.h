#pragma once
// One OpenAL source with a small ring of queued buffers: the device side of one channel. It
// knows nothing of sounds or loops; the sound system decides what to queue.

#include <array>
#include <cstdint>
#include <vector>

namespace kel {

class OutputVoice {
 public:
  static constexpr int kBufferCount = 4;
  static constexpr int kBufferFrames = 4096;

  OutputVoice();  // needs a current context; check valid()
  ~OutputVoice();
  OutputVoice(const OutputVoice&) = delete;
  OutputVoice& operator=(const OutputVoice&) = delete;

  bool valid() const { return valid_; }
  // Takes back the buffers the device has played; returns how many may be filled now.
  int reclaimBuffers();
  void queue(const int16_t* stereo, int frames, int rate);
  void setGain(float gain);
  void setPitch(float pitch);
  // Starts or resumes play when anything is queued and the source is not already playing.
  void play();
  void pause();
  // Stops and drops everything queued.
  void stop();

 private:
  unsigned source_ = 0;
  std::array<unsigned, kBufferCount> buffers_{};
  std::vector<unsigned> free_;
  bool valid_ = false;
};

// Left and right gains for a pan from -1 (left) to +1 (right): a balance, full on both at centre.
void panGains(float pan, float& left, float& right);

}  // namespace kel
