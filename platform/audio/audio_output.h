#pragma once
// The sound device: an OpenAL Soft device and context, when one can be opened. Without it the
// sound system runs silent and keeps only its channels' clocks.

// The library names its device and context structs so; forward-declared to keep AL out of here.
struct ALCdevice_struct;
struct ALCcontext_struct;

namespace kel {

class AudioOutput {
 public:
  AudioOutput() = default;
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Opens the default device and makes its context current; false leaves the output closed.
  bool open();
  void close();
  bool isOpen() const { return context_ != nullptr; }

 private:
  ALCdevice_struct* device_ = nullptr;
  ALCcontext_struct* context_ = nullptr;
};

}  // namespace kel
