// Mob voices: a sawtooth or pulse through two band-pass filters (the formants of a vowel). Pitch
// and formants follow the creature's size; a hurt cry is higher and shorter, a death falls away
// with a longer tail. Styles add the calls that are no vowels: chirps, buzzing, croaks, hisses,
// squelches and roars.
#include <algorithm>
#include <array>
#include <cmath>

#include "tools/sound_maker/effect_families.h"

namespace soundmaker {

namespace {

struct Vowel {
  char name;
  double f1;
  double f2;
};
constexpr std::array<Vowel, 5> kVowels = {{
    {'a', 800, 1200}, {'e', 500, 1900}, {'i', 320, 2300}, {'o', 500, 900}, {'u', 350, 700}}};

const Vowel& vowelOf(const Recipe& recipe) {
  const std::string word = recipe.word("vowel", "a");
  for (const Vowel& vowel : kVowels) {
    if (word.size() == 1 && word[0] == vowel.name) return vowel;
  }
  recipe.complain("unknown vowel " + word);
  return kVowels[0];
}

enum class Cry { Idle, Hurt, Death };

Cry cryOf(const Recipe& recipe) {
  const std::string word = recipe.word("kind", "idle");
  if (word == "hurt") return Cry::Hurt;
  if (word == "death") return Cry::Death;
  if (word != "idle") recipe.complain("unknown kind " + word);
  return Cry::Idle;
}

// The pitch contour of one call, x from 0 to 1, as a factor of the base pitch.
double contour(Cry cry, double x, double bend) {
  switch (cry) {
    case Cry::Hurt: return 1.35 * (1.0 - 0.3 * x);
    case Cry::Death: return 1.1 * std::pow(0.45, x);
    case Cry::Idle: break;
  }
  return 1.0 + bend * std::sin(kPi * x) - 0.1 * x;
}

struct Call {
  double pitch, length, size, bend, breath, growl;
  Cry cry;
  Vowel vowel;
  Wave wave;
};

Samples formantCall(const Call& c, int rate, Rng& rng) {
  Samples out = silence(c.length, rate);
  const double scale = 1.0 / std::sqrt(c.size);
  Filter f1(rate, c.vowel.f1 * scale, 6.0);
  Filter f2(rate, c.vowel.f2 * scale, 8.0);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    const double x = t / c.length;
    const double f = c.pitch * contour(c.cry, x, c.bend) * (1.0 + 0.01 * std::sin(2 * kPi * 5.5 * t));
    phase += f / rate;
    double source = smoothWave(c.wave, phase, f / rate, 0.3, rng) + c.breath * rng.signedUnit();
    if (c.growl > 0) source *= 1.0 - c.growl * (0.5 + 0.5 * std::sin(2 * kPi * 31 * t));
    f1.run(source);
    f2.run(source);
    const double release = c.cry == Cry::Death ? 1.0 - x : std::min(1.0, (1.0 - x) * 5.0);
    out[i] = static_cast<float>((f1.band() + 0.7 * f2.band()) * std::min(1.0, t / 0.02) * release);
  }
  return out;
}

Samples chirpCall(double pitch, double length, Cry cry, int rate) {
  Samples out = silence(length, rate);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double x = secondsAt(i, rate) / length;
    const double sweep = cry == Cry::Idle ? 1.0 + 0.6 * std::sin(kPi * x) : 1.4 - 0.7 * x;
    const double f = pitch * sweep * (1.0 + 0.05 * std::sin(2 * kPi * 40 * x * length));
    phase += f / rate;
    out[i] = static_cast<float>(std::sin(2 * kPi * phase) * std::sin(kPi * x));
  }
  return out;
}

Samples buzzCall(double pitch, double length, int rate, Rng& rng) {
  Samples out = silence(length, rate);
  OnePole soften(rate, 2500);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    const double f = pitch * (1.0 + 0.03 * std::sin(2 * kPi * 3 * t));
    phase += f / rate;
    const double wings = 0.5 + 0.5 * std::sin(2 * kPi * 27 * t);
    out[i] = static_cast<float>(soften.run(smoothWave(Wave::Saw, phase, f / rate, 0.5, rng)) * wings *
                                std::sin(kPi * t / length));
  }
  return out;
}

Samples croakCall(double pitch, double length, int rate, Rng& rng) {
  Samples out = silence(length, rate);
  Filter band(rate, 450, 3.0);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    phase += pitch / rate;
    const double gate = std::sin(2 * kPi * 17 * t) > 0.2 ? 1.0 : 0.0;
    band.run(smoothWave(Wave::Square, phase, pitch / rate, 0.2, rng) * gate);
    out[i] = static_cast<float>(band.band() * std::sin(kPi * t / length));
  }
  return out;
}

Samples hissCall(double length, double size, int rate, Rng& rng) {
  Samples out = silence(length, rate);
  Filter band(rate, 4500 / std::sqrt(size), 1.2);
  for (size_t i = 0; i < out.size(); ++i) {
    const double x = secondsAt(i, rate) / length;
    band.run(rng.signedUnit());
    out[i] = static_cast<float>(band.band() * std::min(1.0, x * 8.0) * (1.0 - x));
  }
  return out;
}

Samples squelchCall(double pitch, double length, Cry cry, int rate, Rng& rng) {
  Samples out = silence(length, rate);
  Filter wet(rate, 600, 4.0);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double x = secondsAt(i, rate) / length;
    const double glide = cry == Cry::Death ? 1.5 - x : 0.7 + 0.8 * std::sin(kPi * x);
    const double f = pitch * glide;
    phase += f / rate;
    wet.tune(300 + 900 * glide, 4.0);
    wet.run(rng.signedUnit() * 0.6 + std::sin(2 * kPi * phase));
    out[i] = static_cast<float>(wet.low() * std::sin(kPi * x));
  }
  return out;
}

}  // namespace

Samples voiceSound(const Recipe& recipe, int rate, Rng& rng) {
  const double size = std::clamp(recipe.number("size", 1.0), 0.2, 6.0);
  const Cry cry = cryOf(recipe);
  const double defaultLength = cry == Cry::Hurt ? 0.25 : cry == Cry::Death ? 0.8 : 0.5;
  const double length = recipe.number("length", defaultLength * std::sqrt(size));
  const double pitch = recipe.number("pitch", 220.0 / size);
  const int calls = std::clamp(static_cast<int>(recipe.number("calls", 1)), 1, 6);
  const double gap = recipe.number("gap", 0.08);
  const std::string style = recipe.word("style", "call");
  const Call call{pitch,
                  length,
                  size,
                  recipe.number("bend", 0.15),
                  recipe.number("breath", 0.15),
                  recipe.number("growl", 0.0),
                  cry,
                  vowelOf(recipe),
                  recipeWave(recipe, "saw")};
  Samples out;
  for (int n = 0; n < calls; ++n) {
    const double jitter = rng.range(0.95, 1.05);
    Samples one;
    if (style == "call") {
      Call varied = call;
      varied.pitch *= jitter;
      one = formantCall(varied, rate, rng);
    } else if (style == "chirp") {
      one = chirpCall(pitch * jitter, length, cry, rate);
    } else if (style == "buzz") {
      one = buzzCall(pitch * jitter, length, rate, rng);
    } else if (style == "croak") {
      one = croakCall(pitch * jitter, length, rate, rng);
    } else if (style == "hiss") {
      one = hissCall(length, size, rate, rng);
    } else if (style == "squelch") {
      one = squelchCall(pitch * jitter, length, cry, rate, rng);
    } else {
      recipe.complain("unknown style " + style);
      return one;
    }
    mixInto(out, one, n * (length + gap), rate, std::pow(0.85, n));
  }
  return out;
}

}  // namespace soundmaker
