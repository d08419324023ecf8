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

namespace {

// Decodes the open file into samples; the frames that decoded.
int64_t decodeWhole(SNDFILE* file, const SF_INFO& info, std::vector<int16_t>& samples) {
  // The header's frame count is only a claim: a few bytes of header can promise minutes of
  // audio. Memory grows with what really decodes, a block at a time.
  constexpr sf_count_t BLOCK_FRAMES = 16384;
  const auto channels = static_cast<size_t>(info.channels);
  int64_t frames = 0;
  while (frames < info.frames) {
    const sf_count_t want = std::min<sf_count_t>(BLOCK_FRAMES, info.frames - frames);
    samples.resize(static_cast<size_t>(frames + want) * channels);
    const sf_count_t got =
        sf_readf_short(file, samples.data() + static_cast<size_t>(frames) * channels, want);
    if (got > 0) frames += got;
    if (got < want) break;
  }
  samples.resize(static_cast<size_t>(frames) * channels);
  samples.shrink_to_fit();
  return frames;
}

}  // namespace

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
  const int64_t got = decodeWhole(file, info, sound->samples_);
  sf_close(file);
  // A truncated file keeps what could be decoded; one with nothing decodable is no sound.
  if (got <= 0) return nullptr;
  sound->frames_ = got;
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
