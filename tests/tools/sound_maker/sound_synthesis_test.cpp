#include <gtest/gtest.h>

#include <cmath>

#include "tools/sound_maker/effect_families.h"
#include "tools/sound_maker/music_generator.h"
#include "tools/sound_maker/note_and_rain.h"
#include "tools/sound_maker/recipe.h"

using namespace soundmaker;

namespace {

constexpr int kRate = 44100;

Recipe one(const std::string& line) {
  std::string error;
  auto recipes = parseRecipes(line, error);
  return (*recipes)[0];
}

Samples effect(const std::string& line) {
  std::string error;
  auto made = makeEffect(one(line), kRate, error);
  EXPECT_TRUE(made) << line << ": " << error;
  return made ? *made : Samples{};
}

// Frequency from upward zero crossings over the middle of a sound.
double pitchOf(const Samples& s, int rate) {
  int crossings = 0;
  const size_t from = s.size() / 4;
  const size_t to = s.size() / 2;
  for (size_t i = from + 1; i < to; ++i) crossings += s[i - 1] < 0 && s[i] >= 0;
  return crossings * static_cast<double>(rate) / static_cast<double>(to - from);
}

}  // namespace

TEST(Effects, EveryFamilyMakesAFinishedSoundAtItsLoudness) {
  const char* lines[] = {
      "a step material=snow", "a dig material=stone", "a break material=glass",
      "a place material=wood", "a hit", "a swing", "a shoot wave=square", "a twang",
      "a explosion crackle=1", "a splash", "a blip arp=1.5", "a bell notes=2", "a creak",
      "a machine", "a sweep", "a hiss", "a voice vowel=o", "a voice style=chirp",
      "a voice style=buzz", "a voice style=croak", "a voice style=hiss", "a voice style=squelch kind=death",
  };
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    const Samples s = effect(line);
    ASSERT_GT(s.size(), static_cast<size_t>(kRate / 100));
    EXPECT_LT(s.size(), static_cast<size_t>(kRate * 3));
    // Faded in and out: no click at either end.
    EXPECT_LT(std::fabs(s.front()), 0.01f);
    EXPECT_LT(std::fabs(s.back()), 0.01f);
    EXPECT_LE(peakOf(s), 0.8001);
    const double target = findFamily(one(line).family())->loudness;
    // At the family's loudness unless the peak ceiling held it lower.
    EXPECT_LE(activeRms(s), target * 1.01);
    EXPECT_GT(activeRms(s), target * 0.2);
  }
  EXPECT_LT(activeRms(effect("a step material=stone")) * 2, activeRms(effect("a explosion")));
}

TEST(Effects, TheSameRecipeMakesTheSameSamplesAndAnotherNameAnother) {
  EXPECT_EQ(effect("crate_break break material=wood bursts=5"),
            effect("crate_break break material=wood bursts=5"));
  EXPECT_NE(effect("crate_break break material=wood"), effect("crate_break2 break material=wood"));
  EXPECT_NE(effect("a break material=wood"), effect("a break material=wood seed=1"));
}

TEST(Effects, MaterialsSoundDifferent) {
  // Soil is darker than stone, stone darker than glass: the energy of the sample-to-sample
  // change against the energy of the signal rises with its frequencies.
  auto brightness = [](const Samples& s) {
    double change = 0;
    double level = 0;
    for (size_t i = 1; i < s.size(); ++i) {
      change += std::pow(s[i] - s[i - 1], 2.0);
      level += std::pow(s[i], 2.0);
    }
    return change / level;
  };
  const Samples dirt = effect("a dig material=dirt");
  const Samples stone = effect("a dig material=stone");
  const Samples glass = effect("a dig material=glass");
  EXPECT_LT(brightness(dirt), brightness(stone));
  EXPECT_LT(brightness(stone), brightness(glass));
  EXPECT_GT(dirt.size(), stone.size());
}

TEST(Notes, OctavesDoubleThePitchAndDrumsAreFiveDrums) {
  std::string error;
  const Recipe sine = one("tone_sine note instrument=sine");
  for (int octave = 0; octave < 5; ++octave) {
    const auto note = makeNote(sine, octave, kRate, error);
    ASSERT_TRUE(note) << error;
    EXPECT_NEAR(pitchOf(*note, kRate), 65.406 * std::pow(2.0, octave), 2.0 * (octave + 1));
    EXPECT_LT(std::fabs(note->back()), 0.01f);
  }
  const Recipe drums = one("tone_drums note instrument=drums");
  Samples previous;
  for (int kind = 0; kind < 5; ++kind) {
    const auto drum = makeNote(drums, kind, kRate, error);
    ASSERT_TRUE(drum) << error;
    EXPECT_NE(*drum, previous);
    previous = *drum;
  }
  EXPECT_FALSE(makeNote(one("tone_x note instrument=kazoo"), 0, kRate, error));
  EXPECT_NE(error.find("unknown instrument kazoo"), std::string::npos);
}

TEST(Rain, RepeatsExactlyOverTheLoopAndFadesOutsideIt) {
  std::string error;
  const auto rain = makeRain(one("rain rain drops=30"), kRate, 0.5, 1.0, error);
  ASSERT_TRUE(rain) << error;
  const size_t start = kRate / 2;
  const size_t end = kRate;
  ASSERT_GE(rain->size(), end + kRate / 10);
  for (size_t k = 0; k < 2000; ++k) ASSERT_FLOAT_EQ((*rain)[start + k], (*rain)[end + k]) << k;
  // The step across the join is a step inside the texture.
  EXPECT_FLOAT_EQ((*rain)[start] - (*rain)[end - 1], (*rain)[end] - (*rain)[end - 1]);
  EXPECT_EQ(rain->front(), 0.0f);
  EXPECT_LT(std::fabs(rain->back()), 0.01f);
  EXPECT_FALSE(makeRain(one("rain rain drop=30"), kRate, 0.5, 1.0, error));
}

TEST(Music, ATrackLastsItsLengthEndsOnAFadeAndVariesWithItsPlan) {
  MusicStyle style;
  style.scale = {0, 2, 4, 5, 7, 9, 11};
  style.drums = 0.8;
  TrackPlan day{"terra-test-day", 24.0};
  const Samples a = makeTrack(day, style);
  ASSERT_EQ(a.size(), static_cast<size_t>(24 * kMusicRate));
  EXPECT_GT(activeRms(a), 0.05);
  EXPECT_LE(peakOf(a), 0.7001);
  Samples tail(a.end() - kMusicRate / 10, a.end());
  EXPECT_LT(peakOf(tail), 0.01);
  EXPECT_EQ(makeTrack(day, style), a);
  TrackPlan night = day;
  night.night = true;
  night.underground = true;
  const Samples low = makeTrack(night, style);
  EXPECT_NE(low, a);
  // Lower and darker: fewer sign changes per second.
  auto changes = [](const Samples& s) {
    int n = 0;
    for (size_t i = 1; i < s.size(); ++i) n += (s[i - 1] < 0) != (s[i] < 0);
    return n;
  };
  EXPECT_LT(changes(low), changes(a));
}
