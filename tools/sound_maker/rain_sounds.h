#pragma once
// The rain, from one recipe: a long bed of hiss, rumble and distant patter that swells and eases
// in slow gusts and repeats only over the game's whole loop, and the near drops the game lets fall
// over it one at a time. Any thread.

#include <optional>
#include <string>

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/recipe.h"

namespace soundmaker {

// The bed, periodic over [loopStart, loopEnd) seconds so a loop there joins without a step, with
// no shorter repeat inside; faded in before it and out after it.
std::optional<Samples> makeRain(const Recipe& recipe, int rate, double loopStart, double loopEnd,
                                std::string& error);

// Near drop file `index`: one to three drops at their own offsets within half a second, so that
// files started on a steady beat still fall off it.
std::optional<Samples> makeRainDrop(const Recipe& recipe, int index, int rate, std::string& error);

}  // namespace soundmaker
