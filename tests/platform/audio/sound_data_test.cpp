// The data folder's sound files, as the build's sound maker wrote them and as the game reads them:
// every name the tables play is there, decodes through the game's own loader, sounds (not silent,
// not clipped, no click at either end), lasts as long as it should, the music is full-rate stereo,
// and the rain loops cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/io/file_utils.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/effect_names.h"
#include "platform/audio/music.h"
#include "platform/audio/music_track.h"
#include "platform/audio/sound.h"
#include "platform/audio/sound_record.h"
#include "platform/resource_folders.h"

using kel::Sound;

namespace {

const std::string kDataRoot = RUBBLE_DATA_DIR;

std::string effectPath(const std::string& name) {
  return kel::resourceFolderIn(kDataRoot, kel::FOLDER_SOUND_EFFECTS) + "/" + name + ".mp3";
}

std::string musicPath(const std::string& name) {
  return kel::resourceFolderIn(kDataRoot, kel::FOLDER_MUSIC) + "/" + name + ".mp3";
}

std::vector<std::string> effectNames() {
  std::set<std::string> names;
  for (const kel::SoundRecord& record : kel::soundRecords) names.insert(record.fileName);
  for (const char* name : kel::namedEffects) names.insert(name);
  for (int drop = 0; drop < kel::kRainDropCount; ++drop) names.insert(kel::rainDropFileName(drop));
  for (int instrument = 0; instrument < kel::kNoteInstrumentCount; ++instrument) {
    for (int octave = 0; octave < kel::kNoteOctaveCount; ++octave) {
      names.insert(kel::noteFileName(instrument, octave));
    }
  }
  return {names.begin(), names.end()};
}

// Every decoded sample of a sound (mono or the left channel).
std::vector<int16_t> samplesOf(Sound& sound) {
  std::vector<int16_t> all;
  std::vector<int16_t> block(static_cast<size_t>(4096 * sound.channels()));
  for (int64_t at = 0; at < sound.frames();) {
    const int64_t got = sound.read(at, 4096, block.data());
    if (got <= 0) break;
    for (int64_t f = 0; f < got; ++f) all.push_back(block[static_cast<size_t>(f * sound.channels())]);
    at += got;
  }
  return all;
}

struct Level {
  int peak = 0;
  double rms = 0;  // of the stretch above a twentieth of the peak
};

Level levelOf(const std::vector<int16_t>& samples) {
  Level level;
  for (const int16_t s : samples) level.peak = std::max(level.peak, std::abs(static_cast<int>(s)));
  double sum = 0;
  size_t count = 0;
  for (const int16_t s : samples) {
    if (std::abs(static_cast<int>(s)) * 20 < level.peak) continue;
    sum += static_cast<double>(s) * s;
    ++count;
  }
  level.rms = count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
  return level;
}

// Loud enough to hear, with room below full scale.
void expectSensibleLevel(const std::vector<int16_t>& samples, const std::string& name) {
  const Level level = levelOf(samples);
  EXPECT_GT(level.rms, 600) << name << " is nearly silent";
  EXPECT_LT(level.peak, 32000) << name << " clips";
}

TEST(SoundData, EveryEffectAndNoteDecodesShortTrimmedAndAtALevelToHear) {
  for (const std::string& name : effectNames()) {
    SCOPED_TRACE(name);
    std::unique_ptr<Sound> sound = Sound::load(effectPath(name), Sound::Kind::Sample);
    ASSERT_NE(sound, nullptr) << effectPath(name);
    EXPECT_GT(sound->lengthSeconds(), 0.02);
    EXPECT_LT(sound->lengthSeconds(), 3.0);
    const std::vector<int16_t> samples = samplesOf(*sound);
    expectSensibleLevel(samples, name);
    // Faded at both ends: no click when it starts or stops.
    EXPECT_LT(std::abs(samples.front()), 1200);
    EXPECT_LT(std::abs(samples.back()), 1200);
  }
}

TEST(SoundData, FootstepsSitUnderExplosions) {
  auto loudness = [](const std::string& name) {
    std::unique_ptr<Sound> sound = Sound::load(effectPath(name), Sound::Kind::Sample);
    return sound ? levelOf(samplesOf(*sound)).rms : 0.0;
  };
  EXPECT_LT(loudness("stonestep-1") * 2, loudness("explosion_2"));
  EXPECT_LT(loudness("click_default") * 2, loudness("boom2"));
}

TEST(SoundData, EveryTrackStreamsForItsTableLengthInFullRateStereoAndEndsQuietly) {
  std::set<std::string> done;
  for (const kel::MusicTrack& track : kel::musicTracks) {
    if (!done.insert(track.fileName).second) continue;
    SCOPED_TRACE(track.fileName);
    std::unique_ptr<Sound> sound = Sound::load(musicPath(track.fileName), Sound::Kind::Stream);
    ASSERT_NE(sound, nullptr);
    EXPECT_NEAR(sound->lengthSeconds(), track.lengthSeconds, 0.2);
    EXPECT_EQ(sound->sampleRate(), 44100);
    EXPECT_EQ(sound->channels(), 2);
    const double bitsPerSecond =
        8.0 * static_cast<double>(std::filesystem::file_size(musicPath(track.fileName))) / sound->lengthSeconds();
    EXPECT_GE(bitsPerSecond, 95000);
    const std::vector<int16_t> samples = samplesOf(*sound);
    expectSensibleLevel(samples, track.fileName);
    const auto tail = std::vector<int16_t>(samples.end() - sound->sampleRate() / 10, samples.end());
    EXPECT_LT(levelOf(tail).peak, 1000) << "the track stops without fading";
  }
  EXPECT_TRUE(done.contains(kel::kMenuTrack));
}

TEST(SoundData, RainJoinsItsLoopWithoutAStep) {
  std::unique_ptr<Sound> rain =
      Sound::load(kDataRoot + "/" + kel::kRainName + ".mp3", Sound::Kind::Sample);
  ASSERT_NE(rain, nullptr);
  const std::vector<int16_t> x = samplesOf(*rain);
  const auto start = static_cast<size_t>(kel::kRainLoopStartMs * rain->sampleRate() / 1000);
  const auto end = static_cast<size_t>(kel::kRainLoopEndMs * rain->sampleRate() / 1000);
  ASSERT_GT(x.size(), end + 1000);
  expectSensibleLevel(x, "rain");
  // The loop plays ... x[end - 1], x[start], x[start + 1] ...: that jump must look like any other
  // step between neighbouring samples, and what follows must match what followed the end.
  std::vector<int> steps;
  for (size_t i = start + 1; i < end; ++i) steps.push_back(std::abs(x[i] - x[i - 1]));
  std::sort(steps.begin(), steps.end());
  const int usualStep = steps[steps.size() * 99 / 100];
  EXPECT_LE(std::abs(x[start] - x[end - 1]), usualStep);
  double difference = 0;
  double signal = 0;
  for (size_t k = 0; k < 1000; ++k) {
    difference += std::pow(x[start + k] - x[end + k], 2.0);
    signal += std::pow(static_cast<double>(x[start + k]), 2.0);
  }
  EXPECT_LT(difference, signal * 0.1) << "the stretch after the loop end is not the loop's start";
}

// Damaged copies of a real file: refused, or cut short; never a crash or a sound longer than the
// file could hold.
TEST(SoundData, DamagedFilesAreRefusedOrCutShort) {
  const std::string original = effectPath("explosion_2");
  std::unique_ptr<Sound> whole = Sound::load(original, Sound::Kind::Sample);
  ASSERT_NE(whole, nullptr);
  std::string bytes;
  {
    std::FILE* file = std::fopen(original.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
    std::fclose(file);
  }
  std::string flipped = bytes;
  for (size_t i = flipped.size() / 3; i < flipped.size(); i += 97) flipped[i] = static_cast<char>(~flipped[i]);
  std::string noHeader = bytes;
  std::fill(noHeader.begin(), noHeader.begin() + 64, '\xff');
  const std::pair<const char*, std::string> damaged[] = {
      {"empty", ""},
      {"four bytes", bytes.substr(0, 4)},
      {"first frame", bytes.substr(0, 300)},
      {"half", bytes.substr(0, bytes.size() / 2)},
      {"flipped bytes", flipped},
      {"damaged header", noHeader},
      {"text", std::string(2000, 'a')},
  };
  const std::string folder = std::filesystem::temp_directory_path() / "rubble_damaged_sounds";
  std::filesystem::create_directories(folder);
  for (const auto& [what, content] : damaged) {
    SCOPED_TRACE(what);
    const std::string path = folder + "/damaged.mp3";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    for (const Sound::Kind kind : {Sound::Kind::Sample, Sound::Kind::Stream}) {
      std::unique_ptr<Sound> sound = Sound::load(path, kind);
      if (sound == nullptr) continue;
      EXPECT_LE(sound->frames(), whole->frames() + 4608);
      samplesOf(*sound);  // reading to the end must stay inside the buffers
    }
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
