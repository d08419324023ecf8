#include "tools/sound_maker/effect_families.h"

#include <array>

#include "tools/sound_maker/finishing.h"

namespace soundmaker {

namespace {

constexpr std::array<Family, 17> kFamilies = {{
    {"step", stepSound, 0.05},       {"dig", digSound, 0.11},
    {"break", breakSound, 0.13},     {"place", placeSound, 0.11},
    {"hit", hitSound, 0.13},         {"swing", swingSound, 0.08},
    {"shoot", shootSound, 0.12},     {"twang", twangSound, 0.12},
    {"explosion", explosionSound, 0.24}, {"splash", splashSound, 0.11},
    {"blip", blipSound, 0.08},       {"bell", bellSound, 0.09},
    {"creak", creakSound, 0.10},     {"machine", machineSound, 0.10},
    {"sweep", sweepSound, 0.09},     {"hiss", hissSound, 0.07},
    {"voice", voiceSound, 0.13},
}};

// Peaks stay under this, with room for the encoder's small overshoot.
constexpr double kPeakCeiling = 0.8;

}  // namespace

const Family* findFamily(const std::string& name) {
  for (const Family& family : kFamilies) {
    if (name == family.name) return &family;
  }
  return nullptr;
}

Wave recipeWave(const Recipe& recipe, const char* fallback) {
  const std::string word = recipe.word("wave", fallback);
  Wave wave = Wave::Sine;
  if (!parseWave(word, wave)) recipe.complain("unknown wave " + word);
  return wave;
}

std::optional<Samples> makeEffect(const Recipe& recipe, int rate, std::string& error) {
  const Family* family = findFamily(recipe.family());
  if (family == nullptr) {
    error = recipe.name() + ": unknown family " + recipe.family();
    return std::nullopt;
  }
  Rng rng(nameSeed(recipe.name()) + static_cast<uint64_t>(recipe.number("seed", 0)));
  const double level = recipe.number("level", 1.0);
  Samples samples = family->generate(recipe, rate, rng);
  for (const std::string& problem : recipe.problems()) {
    error = recipe.name() + ": " + problem;
    return std::nullopt;
  }
  finishShortSound(samples, rate);
  if (samples.size() < static_cast<size_t>(rate / 100) || peakOf(samples) <= 0) {
    error = recipe.name() + ": the recipe makes no sound";
    return std::nullopt;
  }
  normalise(samples, family->loudness * level, kPeakCeiling);
  return samples;
}

}  // namespace soundmaker
