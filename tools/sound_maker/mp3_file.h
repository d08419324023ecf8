#pragma once
// Writes mono samples as an MP3 file through libsndfile's MPEG encoder. The file appears whole
// or not at all: it is written beside its final name and renamed into place. Any thread.

#include <string>

#include "tools/sound_maker/dsp.h"

namespace soundmaker {

// Compression 0 (largest, best) to 1 (smallest). At 44.1 kHz 0.5 gives 160 kbit/s; at 22.05 kHz
// 0.7 gives 56 kbit/s, both with the encoder delay recorded so decoders trim it.
constexpr double kEffectCompression = 0.5;
constexpr double kMusicCompression = 0.7;

bool writeMp3(const std::string& path, const Samples& samples, int rate, double compression,
              std::string& error);

}  // namespace soundmaker
