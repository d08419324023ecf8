#pragma once
// The game's own small audio system: a fixed set of channels that play loaded sounds and streams
// with volume, pitch, pan, pause, mute, loops and an end callback. It outputs through OpenAL Soft
// when a device opens; without one (a server, a test machine) it runs silent but keeps every
// channel's clock, so a channel still plays for its sound's length, loops and ends on time.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/channel.h"

namespace kel {

class AudioOutput;
class Sound;
struct ChannelSlot;

enum class OutputMode { Device, Silent };

class SoundSystem {
 public:
  SoundSystem();
  ~SoundSystem();
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // Device mode falls back to silent when no device opens. Calling init twice is refused.
  bool init(int channelCount, OutputMode mode);
  void close();
  bool isInitialised() const { return !slots_.empty(); }
  bool hasOutput() const;

  // Null when the file cannot be loaded. The system owns the sound until releaseSound or close.
  Sound* createSound(const std::string& path);
  Sound* createStream(const std::string& path);
  // Takes ownership of a sound decoded elsewhere (a preloading thread); null when not initialised.
  Sound* addSound(std::unique_ptr<Sound> sound);
  // Stops every channel playing the sound, then frees it.
  void releaseSound(Sound* sound);

  // A free channel, or the least important busy one (highest priority number, then the oldest)
  // when all are busy and it is not more important than a new channel; a null handle otherwise.
  Channel playSound(Sound* sound, bool paused);

  // Advances every unpaused channel by dt seconds, ends finished ones (their callbacks run after
  // the pass) and keeps the device fed.
  void update(float dt);

  int channelCount() const { return static_cast<int>(slots_.size()); }

 private:
  friend class Channel;
  // Tests look over what plays through it.
  friend class SoundSystemInspector;
  ChannelSlot* slotFor(const Channel& channel);
  Sound* adopt(std::unique_ptr<Sound> sound);
  int pickSlot() const;
  // Frees the slot and hands back its end callback, which the caller runs when it is safe.
  std::function<void()> freeSlot(ChannelSlot& slot);
  void stopSlot(ChannelSlot& slot);
  void startVoice(ChannelSlot& slot);
  // Queues up to maxBuffers of the slot's next samples on its device voice.
  void feed(ChannelSlot& slot, int maxBuffers);
  static constexpr int kStartBuffers = 2;

  std::unique_ptr<AudioOutput> output_;
  std::vector<std::unique_ptr<ChannelSlot>> slots_;
  std::vector<std::unique_ptr<Sound>> sounds_;
  uint64_t nextStartOrder_ = 0;
  std::vector<int16_t> feedSource_;  // what feed decodes and pans, kept between calls
  std::vector<int16_t> feedStereo_;
};

}  // namespace kel
