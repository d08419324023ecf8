// Sound files (WAV, FLAC, Ogg Vorbis, MP3 and what else the decoder knows): decoded whole as an
// effect, and streamed as music.
#include <vector>

#include "fuzz/support/fuzz_one.h"
#include "fuzz/support/temp_input.h"
#include "platform/audio/sound.h"

int fuzzOne(const uint8_t* data, size_t size) {
  const fuzzsupport::TempInput input(data, size, ".snd");
  if (auto effect = kel::Sound::load(input.path(), kel::Sound::Kind::Sample)) {
    std::vector<int16_t> out(static_cast<size_t>(effect->channels()) * 256);
    fuzzCheck(effect->read(effect->frames() - 1, 256, out.data()) == 1, "the last frame reads");
  }
  if (auto music = kel::Sound::load(input.path(), kel::Sound::Kind::Stream)) {
    std::vector<int16_t> out(static_cast<size_t>(music->channels()) * 4096);
    for (int64_t at = 0; at < music->frames() && at < 65536;) {
      const int64_t got = music->read(at, 4096, out.data());
      if (got <= 0) break;
      at += got;
    }
  }
  return 0;
}
