#pragma once
// The note instruments: one recipe, five octaves. Any thread.

#include <optional>
#include <string>

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/recipe.h"

namespace soundmaker {

// Octave 0 to 4 of the recipe's instrument: a C from 65.4 Hz up, or drum 1 to 5 for "drums".
std::optional<Samples> makeNote(const Recipe& recipe, int octave, int rate, std::string& error);

}  // namespace soundmaker
