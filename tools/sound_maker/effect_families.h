#pragma once
// The families of sound effects. Each family is one generator; a recipe picks the family and
// sets the few parameters that make its sound its own (material, size, pitch, length ...).
// Generators return raw samples; makeEffect finishes them: trimmed, click-free at both ends and
// brought to the family's loudness, so footsteps sit under explosions. Any thread.

#include <optional>
#include <string>

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/recipe.h"

namespace soundmaker {

using Generator = Samples (*)(const Recipe& recipe, int rate, Rng& rng);

struct Family {
  const char* name;
  Generator generate;
  double loudness;  // RMS of the finished sound's sounding part
};

// The family of that name, or null.
const Family* findFamily(const std::string& name);

// The finished effect, or none with an error (unknown family, parameter mistakes, silence).
std::optional<Samples> makeEffect(const Recipe& recipe, int rate, std::string& error);

// The recipe's "wave" parameter (a complaint when it names no wave).
Wave recipeWave(const Recipe& recipe, const char* fallback);
inline double secondsAt(size_t i, int rate) { return static_cast<double>(i) / rate; }

// The generators, by group. Each reads its own parameters from the recipe.
Samples digSound(const Recipe& recipe, int rate, Rng& rng);
Samples breakSound(const Recipe& recipe, int rate, Rng& rng);
Samples stepSound(const Recipe& recipe, int rate, Rng& rng);
Samples placeSound(const Recipe& recipe, int rate, Rng& rng);
Samples hitSound(const Recipe& recipe, int rate, Rng& rng);
Samples swingSound(const Recipe& recipe, int rate, Rng& rng);
Samples shootSound(const Recipe& recipe, int rate, Rng& rng);
Samples twangSound(const Recipe& recipe, int rate, Rng& rng);
Samples explosionSound(const Recipe& recipe, int rate, Rng& rng);
Samples splashSound(const Recipe& recipe, int rate, Rng& rng);
Samples blipSound(const Recipe& recipe, int rate, Rng& rng);
Samples bellSound(const Recipe& recipe, int rate, Rng& rng);
Samples creakSound(const Recipe& recipe, int rate, Rng& rng);
Samples machineSound(const Recipe& recipe, int rate, Rng& rng);
Samples sweepSound(const Recipe& recipe, int rate, Rng& rng);
Samples hissSound(const Recipe& recipe, int rate, Rng& rng);
Samples voiceSound(const Recipe& recipe, int rate, Rng& rng);

}  // namespace soundmaker
