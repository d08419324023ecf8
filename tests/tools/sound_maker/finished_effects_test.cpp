// Every effect, note and near drop the project's recipes make is measured as a player hears it:
// centred on silence (no DC offset, which a mixer turns into a thump when the sound starts and
// stops) and ending where its sound ends (no long inaudible tail that keeps a channel busy).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/audio/effect_names.h"
#include "tools/sound_maker/effect_families.h"
#include "tools/sound_maker/note_sounds.h"
#include "tools/sound_maker/rain_sounds.h"
#include "tools/sound_maker/sound_set.h"

using namespace soundmaker;

namespace {

constexpr int kRate = 44100;
// The mean of a finished sound stays under a hundredth of its sounding part's RMS.
constexpr double kMaxOffsetToRms = 0.01;
// After the last 10 ms stretch within 45 dB of the loudest one, at most 30 ms may follow.
constexpr double kWindowSeconds = 0.010;
constexpr double kTailFloor = 0.0056;  // -45 dB
constexpr double kMaxTailSeconds = 0.030;

double meanOf(const Samples& s) {
  double sum = 0;
  for (const float v : s) sum += v;
  return s.empty() ? 0.0 : sum / static_cast<double>(s.size());
}

// Seconds from the end back to the end of the last 10 ms stretch (sliding, sample by sample)
// still within 45 dB of the loudest stretch.
double tailSeconds(const Samples& s) {
  const auto window = static_cast<size_t>(kWindowSeconds * kRate);
  if (s.size() <= window) return 0;
  std::vector<double> energy(s.size() + 1, 0.0);  // running sum of squares
  for (size_t i = 0; i < s.size(); ++i) energy[i + 1] = energy[i] + static_cast<double>(s[i]) * s[i];
  auto rmsEndingAt = [&](size_t end) { return std::sqrt((energy[end] - energy[end - window]) / window); };
  double loudest = 0;
  for (size_t end = window; end <= s.size(); ++end) loudest = std::max(loudest, rmsEndingAt(end));
  size_t end = s.size();
  while (end > window && rmsEndingAt(end) < loudest * kTailFloor) --end;
  return static_cast<double>(s.size() - end) / kRate;
}

struct Made {
  std::string name;
  Samples samples;
};

// Every effect, every note octave and every near drop of the project's recipes.
std::vector<Made> everyShortSound() {
  std::vector<Recipe> recipes;
  std::string error;
  EXPECT_TRUE(readRecipeFolder(std::string(RUBBLE_SOURCE_DIR) + "/assets/sounds", recipes, error)) << error;
  std::vector<Made> made;
  auto keep = [&](const std::string& name, const std::optional<Samples>& samples) {
    EXPECT_TRUE(samples) << name << ": " << error;
    if (samples) made.push_back({name, *samples});
  };
  for (const Recipe& recipe : recipes) {
    if (findFamily(recipe.family()) != nullptr) {
      keep(recipe.name(), makeEffect(recipe, kRate, error));
    } else if (recipe.family() == "note") {
      for (int octave = 0; octave < kel::kNoteOctaveCount; ++octave) {
        keep(recipe.name() + " octave " + std::to_string(octave), makeNote(recipe, octave, kRate, error));
      }
    } else if (recipe.family() == "rain") {
      for (int drop = 0; drop < kel::kRainDropCount; ++drop) {
        keep(kel::rainDropFileName(drop), makeRainDrop(recipe, drop, kRate, error));
      }
    }
  }
  return made;
}

const std::vector<Made>& shortSounds() {
  static const std::vector<Made> made = everyShortSound();
  return made;
}

std::string listOf(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += "\n  " + name;
  return text;
}

}  // namespace

TEST(FinishedSounds, TheRecipesMakeEveryKindOfShortSound) {
  // Effects by the hundred, five octaves of each note instrument and every near drop.
  EXPECT_GT(shortSounds().size(), 200u);
}

TEST(FinishedSounds, NoSoundCarriesADcOffset) {
  std::vector<std::string> offset;
  for (const Made& sound : shortSounds()) {
    const double mean = meanOf(sound.samples);
    if (std::fabs(mean) > kMaxOffsetToRms * activeRms(sound.samples)) {
      offset.push_back(sound.name + " mean " + std::to_string(mean) + " rms " +
                       std::to_string(activeRms(sound.samples)));
    }
  }
  EXPECT_TRUE(offset.empty()) << offset.size() << " sounds off centre:" << listOf(offset);
}

TEST(FinishedSounds, NoSoundEndsInALongSilentTail) {
  std::vector<std::string> tailed;
  for (const Made& sound : shortSounds()) {
    const double tail = tailSeconds(sound.samples);
    if (tail > kMaxTailSeconds) tailed.push_back(sound.name + " " + std::to_string(tail) + " s");
  }
  EXPECT_TRUE(tailed.empty()) << tailed.size() << " sounds end in silence:" << listOf(tailed);
}

TEST(FinishedSounds, TheMeasuresSeeAnOffsetAndATail) {
  // A tone that sits on a constant and then holds a long whisper is caught by both measures.
  Samples s(kRate / 2);
  for (size_t i = 0; i < s.size(); ++i) {
    const double level = i < s.size() / 4 ? 0.5 : 0.001;
    s[i] = static_cast<float>(0.05 + level * std::sin(2 * kPi * 440.0 * static_cast<double>(i) / kRate));
  }
  EXPECT_GT(std::fabs(meanOf(s)), kMaxOffsetToRms * activeRms(s));
  for (float& v : s) v -= 0.05f;
  EXPECT_GT(tailSeconds(s), 0.3);
}
