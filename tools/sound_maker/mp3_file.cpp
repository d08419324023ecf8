#include "tools/sound_maker/mp3_file.h"

#include <sndfile.h>

#include <algorithm>
#include <iterator>
#include <filesystem>

namespace soundmaker {

bool writeMp3(const std::string& path, const Samples& samples, int rate, double compression,
              std::string& error, int channels) {
  // The rates MPEG audio knows; asking the encoder for another fails deep inside it.
  static constexpr int kRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
  if (std::find(std::begin(kRates), std::end(kRates), rate) == std::end(kRates)) {
    error = path + ": MP3 has no rate of " + std::to_string(rate) + " Hz";
    return false;
  }
  const std::string partial = path + ".part";
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
  SNDFILE* file = sf_open(partial.c_str(), SFM_WRITE, &info);
  if (file == nullptr) {
    error = path + ": " + sf_strerror(nullptr);
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    return false;
  }
  int mode = SF_BITRATE_MODE_CONSTANT;
  sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
  sf_command(file, SFC_SET_COMPRESSION_LEVEL, &compression, sizeof compression);
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const auto frames = static_cast<sf_count_t>(samples.size() / static_cast<size_t>(channels));
  const bool written = sf_writef_float(file, samples.data(), frames) == frames;
  if (!written) error = path + ": " + sf_strerror(file);
  if (sf_close(file) != 0 && written) error = path + ": the encoder did not finish";
  std::error_code failed;
  if (!error.empty()) {
    std::filesystem::remove(partial, failed);
    return false;
  }
  std::filesystem::rename(partial, path, failed);
  if (failed) error = path + ": " + failed.message();
  return !failed;
}

}  // namespace soundmaker
