#pragma once
// Writes mono or interleaved stereo samples as an MP3 file through libsndfile's MPEG encoder. The file appears whole
// or not at all: it is written beside its final name and renamed into place. Any thread.

#include <string>

#include "tools/sound_maker/dsp.h"

namespace soundmaker {

// Compression 0 (largest, best) to 1 (smallest). At 44.1 kHz 0.5 gives 160 kbit/s and 0.75
// gives 96 kbit/s (mono or joint stereo), the least at which the music's pad and cymbals keep
// their top; both with the encoder delay recorded so decoders trim it.
constexpr double kEffectCompression = 0.5;
constexpr double kMusicCompression = 0.75;

bool writeMp3(const std::string& path, const Samples& samples, int rate, double compression,
              std::string& error, int channels = 1);

}  // namespace soundmaker
