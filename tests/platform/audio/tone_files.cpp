#include "tests/platform/audio/tone_files.h"

#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

namespace audiotest {

std::string writeTone(const testsupport::TempDir& dir, const std::string& name, double seconds,
                      int rate, int channels) {
  const std::string path = dir.file(name);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  SF_INFO info;
  std::memset(&info, 0, sizeof info);
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return path;
  const auto frames = static_cast<sf_count_t>(std::lround(seconds * rate));
  std::vector<short> samples(static_cast<size_t>(frames * channels));
  for (sf_count_t f = 0; f < frames; ++f) {
    for (int c = 0; c < channels; ++c) {
      samples[static_cast<size_t>(f * channels + c)] =
          static_cast<short>(8000 * std::sin(2 * 3.14159265 * 440 * f / rate));
    }
  }
  sf_writef_short(file, samples.data(), frames);
  sf_close(file);
  return path;
}

long long framesIn(const std::string& path) {
  SF_INFO info;
  std::memset(&info, 0, sizeof info);
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return -1;
  sf_close(file);
  return info.frames;
}

}  // namespace audiotest
