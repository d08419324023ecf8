#pragma once
// One loaded sound file: either decoded whole into memory (effects, played many times at once) or
// kept open and decoded as it plays (music streams). Samples are signed 16-bit, interleaved.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kel {

class Sound {
 public:
  enum class Kind { Sample, Stream };

  // Null when the file is missing, unreadable, empty of audio or of a shape we refuse.
  static std::unique_ptr<Sound> load(const std::string& path, Kind kind);
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  Kind kind() const { return kind_; }
  const std::string& path() const { return path_; }
  int sampleRate() const { return sampleRate_; }
  int channels() const { return channels_; }
  int64_t frames() const { return frames_; }
  double lengthSeconds() const { return static_cast<double>(frames_) / sampleRate_; }

  // Copies up to `count` frames starting at `start` into `out` (room for count x channels());
  // returns the frames copied, fewer at the end of the sound or of readable data.
  int64_t read(int64_t start, int64_t count, int16_t* out);

  // Limits that keep a hostile or broken file from asking for absurd memory.
  static constexpr int kMaxChannels = 8;
  static constexpr int kMinRate = 1000;
  static constexpr int kMaxRate = 384000;
  static constexpr int64_t kMaxSampleFrames = int64_t{1} << 24;

 private:
  class Stream;
  Sound(std::string path, Kind kind);

  std::string path_;
  Kind kind_;
  int sampleRate_ = 0;
  int channels_ = 0;
  int64_t frames_ = 0;
  std::vector<int16_t> samples_;
  std::unique_ptr<Stream> stream_;
};

}  // namespace kel
