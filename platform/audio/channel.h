#pragma once
// A handle to one playing channel of the sound system. Handles are small values: once the channel
// ends, is stopped or is taken for another sound, its old handles go stale and every call on them
// does nothing and returns false (or a neutral value), so callers never touch a reused channel.

#include <cstdint>
#include <functional>

namespace kel {

class Sound;
class SoundSystem;
struct ChannelSlot;

enum class SoundMode { LoopOff, LoopNormal };

class Channel {
 public:
  Channel() = default;

  // No channel at all (never handed out), as opposed to a stale one.
  bool isNull() const { return system_ == nullptr; }
  bool isPlaying() const;  // live, not yet at its end; true while paused

  bool setVolume(float volume);
  bool setPitch(float pitch);
  bool setPan(float pan);
  bool setPaused(bool paused);
  bool setMute(bool mute);
  // 0 is the most important; channels with higher numbers are taken first when all are busy.
  bool setPriority(int priority);
  bool setMode(SoundMode mode);
  // -1 forever, 0 once, n extra times; only with SoundMode::LoopNormal.
  bool setLoopCount(int count);
  bool setLoopPoints(unsigned startMs, unsigned endMs);
  // Runs once when the channel ends by itself, is stopped, or is taken for another sound.
  bool setCallback(std::function<void()> onEnd);
  bool stop();

  float volume() const;
  float pitch() const;
  float pan() const;
  bool paused() const;
  bool muted() const;
  int priority() const;

  bool operator==(const Channel&) const = default;

 private:
  friend class SoundSystem;
  friend class SoundSystemInspector;  // tests
  Channel(SoundSystem* system, int index, uint32_t generation)
      : system_(system), index_(index), generation_(generation) {}
  ChannelSlot* liveSlot() const;

  SoundSystem* system_ = nullptr;
  int index_ = -1;
  uint32_t generation_ = 0;
};

}  // namespace kel
