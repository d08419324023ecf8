#include "platform/audio/sound.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace kel {

// The open decoder of a streamed sound, and where it stands, so reads in order need no seek.
class Sound::Stream {
 public:
  explicit Stream(SNDFILE* file) : file_(file) {}
  ~Stream() { sf_close(file_); }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  int64_t read(int64_t start, int64_t count, int16_t* out) {
    if (start != cursor_) {
      if (sf_seek(file_, start, SEEK_SET) < 0) return 0;
      cursor_ = start;
    }
    const sf_count_t got = sf_readf_short(file_, out, count);
    if (got <= 0) return 0;
    cursor_ += got;
    return got;
  }

 private:
  SNDFILE* file_;
  int64_t cursor_ = 0;
};

Sound::Sound(std::string path, Kind kind) : path_(std::move(path)), kind_(kind) {}
Sound::~Sound() = default;

std::unique_ptr<Sound> Sound::load(const std::string& path, Kind kind) {
  SF_INFO info;
  std::memset(&info, 0, sizeof info);
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return nullptr;
  const bool sane = info.channels >= 1 && info.channels <= kMaxChannels &&
                    info.samplerate >= kMinRate && info.samplerate <= kMaxRate && info.frames > 0;
  if (!sane || (kind == Kind::Sample && info.frames > kMaxSampleFrames)) {
    sf_close(file);
    return nullptr;
  }
  std::unique_ptr<Sound> sound(new Sound(path, kind));
  sound->sampleRate_ = info.samplerate;
  sound->channels_ = info.channels;
  if (kind == Kind::Stream) {
    sound->frames_ = info.frames;
    sound->stream_ = std::make_unique<Stream>(file);
    return sound;
  }
  sound->samples_.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_short(file, sound->samples_.data(), info.frames);
  sf_close(file);
  // A truncated file keeps what could be decoded; one with nothing decodable is no sound.
  if (got <= 0) return nullptr;
  sound->frames_ = got;
  sound->samples_.resize(static_cast<size_t>(got) * static_cast<size_t>(info.channels));
  return sound;
}

int64_t Sound::read(int64_t start, int64_t count, int16_t* out) {
  if (start < 0 || count <= 0 || start >= frames_) return 0;
  count = std::min(count, frames_ - start);
  if (stream_) return stream_->read(start, count, out);
  std::memcpy(out, samples_.data() + start * channels_,
              static_cast<size_t>(count * channels_) * sizeof(int16_t));
  return count;
}

}  // namespace kel
