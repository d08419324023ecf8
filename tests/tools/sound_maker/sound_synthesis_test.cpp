#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "platform/audio/effect_names.h"

#include "tools/sound_maker/effect_families.h"
#include "tools/sound_maker/music_generator.h"
#include "tools/sound_maker/note_sounds.h"
#include "tools/sound_maker/rain_sounds.h"
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

namespace {

// The rain the game loops, made once for the rain's tests.
const Samples& gameRain() {
  static const Samples rain = [] {
    std::string error;
    const auto made = makeRain(one("rain rain drops=40"), kRate, kel::kRainLoopStartMs / 1000.0,
                               kel::kRainLoopEndMs / 1000.0, error);
    EXPECT_TRUE(made) << error;
    return made ? *made : Samples{};
  }();
  return rain;
}

// The strongest repeat of a stretch's fine texture at any lag from 50 ms to `longest` seconds: its
// loudness over 5 ms windows every 2.5 ms, with the slow swells taken out, correlated with itself
// later on. A stretch that repeats exactly scores near 1 at its period, wherever the windows fall.
double strongestRepeat(const Samples& x, size_t from, size_t to, double longest) {
  constexpr int kPerSecond = 400;
  const size_t hop = kRate / kPerSecond;
  std::vector<double> level;
  for (size_t at = from; at + 2 * hop <= to; at += hop) {
    double sum = 0;
    for (size_t i = at; i < at + 2 * hop; ++i) sum += static_cast<double>(x[i]) * x[i];
    level.push_back(std::sqrt(sum / static_cast<double>(2 * hop)));
  }
  std::vector<double> fine(level.size());
  for (size_t i = 0; i < level.size(); ++i) {
    const size_t a = i < 50 ? 0 : i - 50;
    const size_t b = std::min(level.size(), i + 51);
    double mean = 0;
    for (size_t k = a; k < b; ++k) mean += level[k];
    fine[i] = level[i] - mean / static_cast<double>(b - a);
  }
  double strongest = 0;
  const auto lags = static_cast<size_t>(longest * kPerSecond);
  for (size_t lag = kPerSecond / 20; lag <= std::min(lags, fine.size() / 2); ++lag) {
    double xy = 0, xx = 0, yy = 0;
    for (size_t i = 0; i + lag < fine.size(); ++i) {
      xy += fine[i] * fine[i + lag];
      xx += fine[i] * fine[i];
      yy += fine[i + lag] * fine[i + lag];
    }
    strongest = std::max(strongest, xy / std::sqrt(xx * yy));
  }
  return strongest;
}

}  // namespace

TEST(Rain, RepeatsExactlyOverTheGamesLoopAndFadesOutsideIt) {
  const Samples& rain = gameRain();
  const size_t start = kel::kRainLoopStartMs * kRate / 1000;
  const size_t end = kel::kRainLoopEndMs * static_cast<size_t>(kRate) / 1000;
  ASSERT_GE(rain.size(), end + kRate / 10);
  for (size_t k = 0; k < 2000; ++k) ASSERT_FLOAT_EQ(rain[start + k], rain[end + k]) << k;
  // The step across the join is a step inside the texture.
  EXPECT_FLOAT_EQ(rain[start] - rain[end - 1], rain[end] - rain[end - 1]);
  EXPECT_EQ(rain.front(), 0.0f);
  EXPECT_LT(std::fabs(rain.back()), 0.01f);
  std::string error;
  EXPECT_FALSE(makeRain(one("rain rain drop=30"), kRate, 0.5, 1.0, error));
}

TEST(Rain, HasNoPeriodShorterThanTenSeconds) {
  const Samples& rain = gameRain();
  const size_t start = kel::kRainLoopStartMs * kRate / 1000;
  const size_t end = kel::kRainLoopEndMs * static_cast<size_t>(kRate) / 1000;
  ASSERT_GE(end - start, static_cast<size_t>(20 * kRate));
  EXPECT_LT(strongestRepeat(rain, start, end, 10.0), 0.3);
  // The measure finds a repeat where there is one, even one off its windows: a stretch played
  // twice over.
  const size_t period = 5 * kRate / 2 + 33;
  Samples twice(rain.begin() + static_cast<long>(start), rain.begin() + static_cast<long>(start + period));
  twice.insert(twice.end(), twice.begin(), twice.end());
  EXPECT_GT(strongestRepeat(twice, 0, twice.size(), 10.0), 0.6);
}

TEST(Rain, NearDropsFallAtTheirOwnOffsetsEachItsOwn) {
  std::string error;
  const Recipe recipe = one("rain rain drops=40");
  std::set<size_t> onsets;
  Samples previous;
  for (int drop = 0; drop < kel::kRainDropCount; ++drop) {
    SCOPED_TRACE(drop);
    const auto made = makeRainDrop(recipe, drop, kRate, error);
    ASSERT_TRUE(made) << error;
    EXPECT_NE(*made, previous);
    previous = *made;
    EXPECT_LT(made->size(), static_cast<size_t>(kRate));
    EXPECT_LT(std::fabs(made->back()), 0.01f);
    EXPECT_LE(peakOf(*made), 0.8001);
    size_t onset = 0;
    while (onset < made->size() && std::fabs((*made)[onset]) < 0.01f) ++onset;
    onsets.insert(onset * 20 / kRate);  // in twentieths of a second
  }
  EXPECT_GE(onsets.size(), 3u) << "the drops start on one beat";
  EXPECT_FALSE(makeRainDrop(one("rain rain drop=30"), 0, kRate, error));
}

TEST(Music, ATrackLastsItsLengthEndsOnAFadeAndVariesWithItsPlan) {
  MusicStyle style;
  style.scale = {0, 2, 4, 5, 7, 9, 11};
  style.drums = 0.8;
  TrackPlan day{"terra-test-day", 24.0};
  const Samples a = makeTrack(day, style);
  ASSERT_EQ(a.size(), static_cast<size_t>(24 * kMusicRate * kMusicChannels));
  EXPECT_GT(activeRms(a), 0.05);
  EXPECT_LE(peakOf(a), 0.7001);
  Samples tail(a.end() - kMusicRate / 10 * kMusicChannels, a.end());
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
    for (size_t i = 2; i < s.size(); ++i) n += (s[i - 2] < 0) != (s[i] < 0);
    return n;
  };
  EXPECT_LT(changes(low), changes(a));
}

TEST(Music, BothSidesCarryTheTuneEachWithItsOwnSpace) {
  MusicStyle style;
  style.scale = {0, 2, 3, 5, 7, 9, 10};
  const Samples track = makeTrack(TrackPlan{"terra-test-wide", 12.0}, style);
  Samples left, right;
  for (size_t i = 0; i + 1 < track.size(); i += 2) {
    left.push_back(track[i]);
    right.push_back(track[i + 1]);
  }
  double lr = 0, ll = 0, rr = 0;
  for (size_t i = 0; i < left.size(); ++i) {
    lr += static_cast<double>(left[i]) * right[i];
    ll += static_cast<double>(left[i]) * left[i];
    rr += static_cast<double>(right[i]) * right[i];
  }
  const double alike = lr / std::sqrt(ll * rr);
  EXPECT_GT(alike, 0.2);  // one piece of music
  EXPECT_LT(alike, 0.95);  // not one signal twice
  EXPECT_NEAR(activeRms(left), activeRms(right), 0.3 * activeRms(left));
}
