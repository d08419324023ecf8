#pragma once
// The two sound kinds that are more than one recipe, one file: the note instruments (one recipe,
// five octaves) and the rain ambience (a loop the game repeats between two fixed points).
// Any thread.

#include <optional>
#include <string>

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/recipe.h"

namespace soundmaker {

// Octave 0 to 4 of the recipe's instrument: a C from 65.4 Hz up, or drum 1 to 5 for "drums".
std::optional<Samples> makeNote(const Recipe& recipe, int octave, int rate, std::string& error);

// Rain, periodic over [loopStart, loopEnd) seconds so a loop there joins without a step; faded in
// before it and out after it.
std::optional<Samples> makeRain(const Recipe& recipe, int rate, double loopStart, double loopEnd,
                                std::string& error);

}  // namespace soundmaker
